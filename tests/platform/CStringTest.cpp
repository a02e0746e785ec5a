// Tests of the byte string: clamping of counts and positions, buffer
// access, construction from wide text, null pointers and aliasing.
#include <climits>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "CString.h"
#include "TestSupport.h"

namespace {

using tarvil::test::ExactBytes;

std::string S(const CString& s) { return std::string(s.View()); }

struct SliceCase {
  const char* op;  // "L" Left(a), "M1" Mid(a), "M2" Mid(a, b), "R" Right(a)
  int a;
  int b;
  const char* expected;
};

TEST(CStringSlices, CountsAndPositionsClampToTheText) {
  const SliceCase cases[] = {
      {"L", -1, 0, ""},         {"L", 0, 0, ""},          {"L", 3, 0, "abc"},
      {"L", 6, 0, "abcdef"},    {"L", 99, 0, "abcdef"},   {"L", INT_MAX, 0, "abcdef"},
      {"L", INT_MIN, 0, ""},    {"M1", -5, 0, "abcdef"},  {"M1", 0, 0, "abcdef"},
      {"M1", 2, 0, "cdef"},     {"M1", 6, 0, ""},         {"M1", 99, 0, ""},
      {"M1", INT_MIN, 0, "abcdef"}, {"M1", INT_MAX, 0, ""}, {"M2", 2, 2, "cd"},
      {"M2", -2, 3, "abc"},     {"M2", 4, 99, "ef"},      {"M2", 2, -1, ""},
      {"M2", 2, 0, ""},         {"M2", 1, INT_MAX, "bcdef"}, {"M2", INT_MAX, INT_MAX, ""},
      {"M2", INT_MIN, INT_MIN, ""}, {"M2", 6, 1, ""},     {"M2", 5, 1, "f"},
      {"R", -1, 0, ""},         {"R", 0, 0, ""},          {"R", 2, 0, "ef"},
      {"R", 6, 0, "abcdef"},    {"R", 99, 0, "abcdef"},   {"R", INT_MAX, 0, "abcdef"},
      {"R", INT_MIN, 0, ""},
  };
  const CString text("abcdef");
  for (const SliceCase& c : cases) {
    std::string op = c.op;
    CString got = op == "L"    ? text.Left(c.a)
                  : op == "M1" ? text.Mid(c.a)
                  : op == "M2" ? text.Mid(c.a, c.b)
                               : text.Right(c.a);
    EXPECT_EQ(S(got), c.expected) << op << "(" << c.a << ", " << c.b << ")";
  }
  EXPECT_EQ(S(CString().Left(3)), "");
  EXPECT_EQ(S(CString().Mid(0, 3)), "");
  EXPECT_EQ(S(CString().Right(3)), "");
}

struct FindCase {
  const char* needle;  // null: look for the character `ch`
  char ch;
  int start;
  int expected;
};

TEST(CStringFind, StartOutsideTheTextFindsNothing) {
  const FindCase cases[] = {
      {nullptr, 'c', 0, 2},   {nullptr, 'c', 3, -1},      {nullptr, 'a', -1, -1},
      {nullptr, 'f', 5, 5},   {nullptr, 'a', 6, -1},      {nullptr, 'x', 0, -1},
      {nullptr, 'a', INT_MAX, -1}, {nullptr, 'a', INT_MIN, -1}, {"cd", 0, 0, 2},
      {"cd", 0, 3, -1},       {"", 0, 6, 6},              {"", 0, 7, -1},
      {"ef", 0, -1, -1},      {"abcdefg", 0, 0, -1},      {"f", 0, INT_MAX, -1},
      {"abcdef", 0, 0, 0},
  };
  const CString text("abcdef");
  for (const FindCase& c : cases) {
    int got = c.needle ? text.Find(c.needle, c.start) : text.Find(c.ch, c.start);
    EXPECT_EQ(got, c.expected) << (c.needle ? c.needle : std::string(1, c.ch)) << " from "
                               << c.start;
  }
  EXPECT_EQ(text.Find(static_cast<const char*>(nullptr)), -1);
}

TEST(CStringAt, OutsideTheTextReadsZeroAndWritesNothing) {
  CString s("abc");
  const int outside[] = {-1, 3, 4, INT_MAX, INT_MIN};
  for (int i : outside) {
    EXPECT_EQ(s.GetAt(i), '\0') << i;
    EXPECT_EQ(s[i], '\0') << i;
    s.SetAt(i, 'x');
    EXPECT_EQ(S(s), "abc") << i;
  }
  s.SetAt(2, 'Z');
  EXPECT_EQ(S(s), "abZ");
  EXPECT_EQ(s.GetAt(0), 'a');
}

struct CountedCase {
  const char* text;  // null: a null pointer
  int n;
  const char* expected;
};

TEST(CStringConstruct, CountedCopyStopsAtTheTerminator) {
  const CountedCase cases[] = {
      {"abc", 2, "ab"},  {"abc", 3, "abc"}, {"abc", 10, "abc"}, {"abc", INT_MAX, "abc"},
      {"abc", 0, ""},    {"abc", -1, ""},   {"abc", INT_MIN, ""}, {nullptr, 3, ""},
      {"", 5, ""},
  };
  for (const CountedCase& c : cases) {
    if (c.text == nullptr) {
      EXPECT_EQ(S(CString(nullptr, c.n)), c.expected);
      continue;
    }
    ExactBytes bytes(c.text);  // reading past the terminator would be reported
    EXPECT_EQ(S(CString(bytes.c(), c.n)), c.expected) << c.text << " / " << c.n;
  }
}

TEST(CStringConstruct, RepeatedCharacter) {
  EXPECT_EQ(S(CString('x', 3)), "xxx");
  EXPECT_EQ(S(CString('x')), "x");
  EXPECT_EQ(S(CString('x', 0)), "");
  EXPECT_EQ(S(CString('x', -5)), "");
  EXPECT_EQ(S(CString('x', INT_MIN)), "");
}

struct WideCase {
  std::u16string wide;
  const char* utf8;
};

TEST(CStringConstruct, WideTextBecomesUtf8) {
  const WideCase cases[] = {
      {u"", ""},
      {u"abc", "abc"},
      {u"\u00e9", "\xC3\xA9"},
      {u"\u07ff\u0800", "\xDF\xBF\xE0\xA0\x80"},
      {u"\u20ac 5", "\xE2\x82\xAC 5"},
      {u"\uffff", "\xEF\xBF\xBF"},
      {std::u16string{0xD83D, 0xDE00}, "\xF0\x9F\x98\x80"},
      {std::u16string{0xDBFF, 0xDFFF}, "\xF4\x8F\xBF\xBF"},
      {std::u16string{0xD800, 'a'}, "\xEF\xBF\xBD" "a"},
      {std::u16string{0xDC00, 'a'}, "\xEF\xBF\xBD" "a"},
      {std::u16string{'a', 0xD800}, "a\xEF\xBF\xBD"},
      {std::u16string{0xD800, 0xD800, 0xDC00}, "\xEF\xBF\xBD\xF0\x90\x80\x80"},
      {std::u16string{0xDC00, 0xD800}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const WideCase& c : cases) {
    // Exactly sized, so that a read past the terminator would be reported.
    std::unique_ptr<unsigned short[]> wide(new unsigned short[c.wide.size() + 1]);
    for (size_t i = 0; i < c.wide.size(); ++i) wide[i] = c.wide[i];
    wide[c.wide.size()] = 0;
    EXPECT_EQ(S(CString(wide.get())), c.utf8) << c.utf8;
  }
  EXPECT_EQ(S(CString(static_cast<const unsigned short*>(nullptr))), "");
}

TEST(CStringNull, NullTextsActAsEmpty) {
  const char* null = nullptr;
  EXPECT_EQ(S(CString(null)), "");
  EXPECT_EQ(S(CString(static_cast<const unsigned char*>(nullptr))), "");
  CString s("abc");
  s += null;
  EXPECT_EQ(S(s), "abc");
  EXPECT_EQ(S(s + null), "abc");
  EXPECT_EQ(S(null + s), "abc");
  EXPECT_FALSE(s == null);
  EXPECT_TRUE(CString() == null);
  EXPECT_GT(s.Compare(null), 0);
  EXPECT_GT(s.CompareNoCase(null), 0);
  EXPECT_EQ(CString().Compare(null), 0);
  s = null;
  EXPECT_EQ(S(s), "");
  s = "x";
  s = static_cast<const unsigned char*>(nullptr);
  EXPECT_EQ(S(s), "");
  s = "x";
  s.Format(nullptr);
  EXPECT_EQ(S(s), "");
}

TEST(CStringAssign, TextsFromTheStringItself) {
  CString s("abc");
  s = s.GetString();
  EXPECT_EQ(S(s), "abc");
  s += s.GetString();
  EXPECT_EQ(S(s), "abcabc");
  s += s;
  EXPECT_EQ(S(s), "abcabcabcabc");
  s = s.GetString() + 3;
  EXPECT_EQ(S(s), "abcabcabc");
  s = 'x';
  EXPECT_EQ(S(s), "x");
  s = '\0';
  EXPECT_EQ(S(s), "");
  EXPECT_EQ(s.GetLength(), 0);
}

TEST(CStringBuffer, GetBufferGivesRoomForTheTerminator) {
  CString s("abc");
  char* p = s.GetBuffer(10);
  EXPECT_STREQ(p, "abc");  // the text still ends where it did
  std::memcpy(p, "abcdefghij", 11);  // ten bytes and the terminator
  s.ReleaseBuffer();
  EXPECT_EQ(S(s), "abcdefghij");
  EXPECT_EQ(s.GetLength(), 10);
}

struct BufferCase {
  const char* text;
  int request;     // GetBuffer(request)
  int release;     // ReleaseBuffer(release)
  const char* expected;
};

TEST(CStringBuffer, ReleaseFixesTheLength) {
  const BufferCase cases[] = {
      {"abc", 0, -1, "abc"},   {"abc", -5, -1, "abc"},  {"abc", 10, -1, "abc"},
      {"abc", 0, 2, "ab"},     {"abc", 0, 0, ""},       {"abc", 0, 99, "abc"},
      {"abc", 5, 99, nullptr},  // null: "abc" and two NULs, the buffer's length
      {"", 0, -1, ""},         {"abc", INT_MIN, -1, "abc"},
  };
  for (const BufferCase& c : cases) {
    CString s(c.text);
    s.GetBuffer(c.request);
    s.ReleaseBuffer(c.release);
    if (c.expected == nullptr) {
      EXPECT_EQ(s.GetLength(), 5);
      EXPECT_EQ(s.View(), std::string_view("abc\0\0", 5));
    } else {
      EXPECT_EQ(S(s), c.expected) << c.text << " " << c.request << " " << c.release;
    }
  }
}

TEST(CStringBuffer, WritesThroughTheBufferAreKept) {
  CString s("abc");
  s.GetBuffer(0)[0] = 'X';
  s.ReleaseBuffer();
  EXPECT_EQ(S(s), "Xbc");

  char* p = s.GetBufferSetLength(5);
  EXPECT_EQ(s.GetLength(), 5);
  std::memcpy(p, "hello", 6);
  s.ReleaseBuffer();
  EXPECT_EQ(S(s), "hello");

  p = s.GetBufferSetLength(8);
  std::memcpy(p, "hi", 3);  // a terminator inside the buffer ends the text
  s.ReleaseBuffer(-1);
  EXPECT_EQ(S(s), "hi");

  s.GetBufferSetLength(-3);
  s.ReleaseBuffer();
  EXPECT_EQ(S(s), "");
  EXPECT_EQ(s.GetLength(), 0);

  s = "abcdef";
  s.GetBufferSetLength(2);
  s.ReleaseBuffer();
  EXPECT_EQ(S(s), "ab");
}

struct CaseTrimCase {
  const char* op;  // "lower", "upper", "tl", "tr", "trim", "tlx", "trx"
  const char* text;
  const char* expected;
};

TEST(CStringEdit, CaseAndTrimTouchOnlyAsciiBytes) {
  const CaseTrimCase cases[] = {
      {"lower", "AbC1[@`Z", "abc1[@`z"},
      {"lower", "\xC3\x84Q", "\xC3\x84q"},  // the letter's bytes are not ASCII
      {"upper", "abc{z~", "ABC{Z~"},
      {"upper", "\xC3\xA4q", "\xC3\xA4Q"},
      {"tl", " \t\n\v\f\rab c ", "ab c "},
      {"tr", " ab c \t\n\v\f\r", " ab c"},
      {"trim", "  ab  ", "ab"},
      {"trim", " \t ", ""},
      {"tl", "\xC2\xA0" "a", "\xC2\xA0" "a"},  // no-break space is not ASCII
      {"tr", "a\xC2\xA0", "a\xC2\xA0"},
      {"tlx", "xxaxbx", "axbx"},
      {"trx", "xxaxbxx", "xxaxb"},
      {"tlx", "xxx", ""},
      {"trx", "", ""},
  };
  for (const CaseTrimCase& c : cases) {
    CString s(c.text);
    std::string op = c.op;
    if (op == "lower") s.MakeLower();
    else if (op == "upper") s.MakeUpper();
    else if (op == "tl") s.TrimLeft();
    else if (op == "tr") s.TrimRight();
    else if (op == "trim") s.Trim();
    else if (op == "tlx") s.TrimLeft('x');
    else s.TrimRight('x');
    EXPECT_EQ(S(s), c.expected) << op << " '" << c.text << "'";
  }
}

TEST(CStringCompare, OrderingAndCaseFolding) {
  struct Row {
    const char* a;
    const char* b;
    int cmp;        // sign of Compare
    int cmpNoCase;  // sign of CompareNoCase
  };
  const Row rows[] = {
      {"abc", "abc", 0, 0},       {"abc", "abd", -1, -1},   {"ABC", "abc", -1, 0},
      {"abc", "ab", 1, 1},        {"", "", 0, 0},           {"[", "A", 1, -1},
      {"\xC3\xA9", "\xC3\x89", 1, 1},  // no folding outside ASCII
      {"\xC3\xA9", "e", 1, 1},
  };
  auto sign = [](int v) { return (v > 0) - (v < 0); };
  for (const Row& r : rows) {
    EXPECT_EQ(sign(CString(r.a).Compare(r.b)), r.cmp) << r.a << " vs " << r.b;
    EXPECT_EQ(sign(CString(r.a).CompareNoCase(r.b)), r.cmpNoCase) << r.a << " vs " << r.b;
  }
  EXPECT_TRUE(CString("a") < CString("b"));
  EXPECT_TRUE(CString("a") != "b");
  EXPECT_TRUE(CString("a") == CString("a"));
}

TEST(CStringConcat, OperatorsKeepBothParts) {
  CString a("ab");
  EXPECT_EQ(S(a + CString("cd")), "abcd");
  EXPECT_EQ(S(a + "cd"), "abcd");
  EXPECT_EQ(S("cd" + a), "cdab");
  EXPECT_EQ(S(a + 'x'), "abx");
  a += 'y';
  a += CString("z");
  EXPECT_EQ(S(a), "abyz");
}

TEST(CStringFormat, FormatsShortAndLongTexts) {
  CString s;
  s.Format("%d|%s|%5.2f|%c|%x", -42, "text", 3.14159, 'q', 255);
  EXPECT_EQ(S(s), "-42|text| 3.14|q|ff");

  std::string longArg(1000, 'y');
  s.Format("<%s>", longArg.c_str());
  EXPECT_EQ(S(s), "<" + longArg + ">");
  EXPECT_EQ(s.GetLength(), 1002);

  s.Format("%s", "");
  EXPECT_EQ(S(s), "");
}

TEST(CStringFormat, ArgumentsMayComeFromTheStringItself) {
  CString s("ab");
  s.Format("%s-%s", s.GetString(), s.GetString());
  EXPECT_EQ(S(s), "ab-ab");
  CString big(std::string(300, 'z'));
  big.Format("%s!%s", big.GetString(), big.GetString());
  EXPECT_EQ(S(big), std::string(300, 'z') + "!" + std::string(300, 'z'));
}

}  // namespace
