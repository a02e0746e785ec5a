// Tests of the multibyte runtime over UTF-8: classification, case, lengths,
// comparisons, copying and searches that respect character boundaries.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "Mbc.h"
#include "TestSupport.h"

namespace {

using namespace tarvil::platform;
using tarvil::test::ExactBytes;

struct ClassCase {
  unsigned int c;
  int digit, space, alpha, print, punct, lower, upper;
};

TEST(MbcClassify, AsciiAsInTheCLocaleAndMultibyteAsLetters) {
  const ClassCase cases[] = {
      //  c      dig sp al pr pu lo up
      {'0',      1, 0, 0, 1, 0, 0, 0},
      {'9',      1, 0, 0, 1, 0, 0, 0},
      {'a',      0, 0, 1, 1, 0, 1, 0},
      {'z',      0, 0, 1, 1, 0, 1, 0},
      {'A',      0, 0, 1, 1, 0, 0, 1},
      {'Z',      0, 0, 1, 1, 0, 0, 1},
      {' ',      0, 1, 0, 1, 0, 0, 0},
      {'\t',     0, 1, 0, 0, 0, 0, 0},
      {'\n',     0, 1, 0, 0, 0, 0, 0},
      {'\v',     0, 1, 0, 0, 0, 0, 0},
      {'\f',     0, 1, 0, 0, 0, 0, 0},
      {'\r',     0, 1, 0, 0, 0, 0, 0},
      {'!',      0, 0, 0, 1, 1, 0, 0},
      {'/',      0, 0, 0, 1, 1, 0, 0},
      {':',      0, 0, 0, 1, 1, 0, 0},
      {'@',      0, 0, 0, 1, 1, 0, 0},
      {'[',      0, 0, 0, 1, 1, 0, 0},
      {'`',      0, 0, 0, 1, 1, 0, 0},
      {'{',      0, 0, 0, 1, 1, 0, 0},
      {'~',      0, 0, 0, 1, 1, 0, 0},
      {'_',      0, 0, 0, 1, 1, 0, 0},
      {0x00,     0, 0, 0, 0, 0, 0, 0},
      {0x1F,     0, 0, 0, 0, 0, 0, 0},
      {0x7F,     0, 0, 0, 0, 0, 0, 0},
      {0x80,     0, 0, 1, 1, 0, 0, 0},  // a lone byte from 0x80 up
      {0xA0,     0, 0, 1, 1, 0, 0, 0},  // no-break space: not a blank here
      {0xC9,     0, 0, 1, 1, 0, 0, 0},  // capital E acute: no ASCII case
      {0xE9,     0, 0, 1, 1, 0, 0, 0},
      {0xFF,     0, 0, 1, 1, 0, 0, 0},
      {0x20AC,   0, 0, 1, 1, 0, 0, 0},  // euro sign: not punctuation
      {0x3000,   0, 0, 1, 1, 0, 0, 0},  // ideographic space: not a blank
      {0xFF10,   0, 0, 1, 1, 0, 0, 0},  // fullwidth digit zero: not a digit
      {0x10FFFF, 0, 0, 1, 1, 0, 0, 0},
  };
  for (const ClassCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "c = 0x" << std::hex << c.c);
    EXPECT_EQ(_ismbcdigit(c.c) != 0, c.digit != 0);
    EXPECT_EQ(_ismbcspace(c.c) != 0, c.space != 0);
    EXPECT_EQ(_ismbcalpha(c.c) != 0, c.alpha != 0);
    EXPECT_EQ(_ismbcprint(c.c) != 0, c.print != 0);
    EXPECT_EQ(_ismbcpunct(c.c) != 0, c.punct != 0);
    EXPECT_EQ(_ismbclower(c.c) != 0, c.lower != 0);
    EXPECT_EQ(_ismbcupper(c.c) != 0, c.upper != 0);
  }
}

TEST(MbcClassify, CaseMappingChangesOnlyAsciiLetters) {
  const struct {
    unsigned int c, lower, upper;
  } cases[] = {
      {'A', 'a', 'A'}, {'Z', 'z', 'Z'}, {'a', 'a', 'A'},    {'z', 'z', 'Z'},
      {'@', '@', '@'}, {'[', '[', '['}, {'`', '`', '`'},    {'{', '{', '{'},
      {'5', '5', '5'}, {0xC9, 0xC9, 0xC9}, {0xE9, 0xE9, 0xE9}, {0x20AC, 0x20AC, 0x20AC},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(_mbctolower(c.c), c.lower) << c.c;
    EXPECT_EQ(_mbctoupper(c.c), c.upper) << c.c;
  }
}

struct LengthCase {
  const char* text;
  int first;        // MbcLength at the start
  std::size_t len;  // _mbslen
};

TEST(MbcLength, OnlyWellFormedSequencesAreOneCharacter) {
  const LengthCase cases[] = {
      {"", 1, 0},
      {"abc", 1, 3},
      {"\xC3\xA9", 2, 1},
      {"a\xC3\xA9" "b", 1, 3},
      {"\xE2\x82\xAC", 3, 1},
      {"\xF0\x9F\x98\x80", 4, 1},
      {"\xF4\x8F\xBF\xBF", 4, 1},  // U+10FFFF
      {"\xC3", 1, 1},              // lead byte at the end
      {"\xC3x", 1, 2},
      {"\xE2\x82", 1, 2},          // cut short
      {"\xE2\x82x", 1, 3},
      {"\x80", 1, 1},              // stray continuation byte
      {"\xC0\x80", 1, 2},          // overlong
      {"\xC1\xBF", 1, 2},
      {"\xE0\x80\x80", 1, 3},      // overlong three-byte form
      {"\xE0\xA0\x80", 3, 1},      // U+0800, the smallest three-byte character
      {"\xED\xA0\x80", 1, 3},      // a surrogate
      {"\xED\x9F\xBF", 3, 1},      // U+D7FF
      {"\xF0\x80\x80\x80", 1, 4},  // overlong four-byte form
      {"\xF0\x90\x80\x80", 4, 1},  // U+10000
      {"\xF4\x90\x80\x80", 1, 4},  // past U+10FFFF
      {"\xF5\x80\x80\x80", 1, 4},
      {"\xFF", 1, 1},
  };
  for (const LengthCase& c : cases) {
    ExactBytes bytes(c.text);
    EXPECT_EQ(MbcLength(bytes.u()), c.first) << testing::PrintToString(std::string(c.text));
    EXPECT_EQ(_mbslen(bytes.u()), c.len) << testing::PrintToString(std::string(c.text));
  }
  EXPECT_EQ(MbcLength(nullptr), 1);
  EXPECT_EQ(_mbslen(nullptr), 0u);
}

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(MbcCompare, WholeTextComparisons) {
  const struct {
    const char* a;
    const char* b;
    int cmp, icmp;
  } cases[] = {
      {"abc", "abc", 0, 0},  {"abc", "abd", -1, -1}, {"ABC", "abc", -1, 0},
      {"a", "", 1, 1},       {"", "a", -1, -1},      {"[", "A", 1, -1},
      {"\xC3\xA9", "\xC3\x89", 1, 1},  {"\xC3\xA9", "z", 1, 1},
  };
  for (const auto& c : cases) {
    ExactBytes a(c.a), b(c.b);
    EXPECT_EQ(Sign(_mbscmp(a.u(), b.u())), c.cmp) << c.a << " / " << c.b;
    EXPECT_EQ(Sign(_mbsicmp(a.u(), b.u())), c.icmp) << c.a << " / " << c.b;
  }
  EXPECT_EQ(_mbscmp(nullptr, ExactBytes("").u()), 0);
  EXPECT_EQ(_mbsicmp(ExactBytes("").u(), nullptr), 0);
  EXPECT_LT(_mbsicmp(nullptr, ExactBytes("a").u()), 0);
}

TEST(MbcCompare, CountedComparisonsStopAtTheTerminator) {
  const struct {
    const char* a;
    const char* b;
    std::size_t n;
    int cmp, icmp;
  } cases[] = {
      {"abcX", "abcY", 3, 0, 0},   {"abcX", "abcY", 4, -1, -1}, {"ab", "abc", 5, -1, -1},
      {"ab", "ab", 100, 0, 0},     {"abc", "xyz", 0, 0, 0},     {"ABCx", "abcy", 3, -1, 0},
      {"ABCx", "abcy", 4, -1, -1}, {"", "", 10, 0, 0},
  };
  for (const auto& c : cases) {
    ExactBytes a(c.a), b(c.b);  // a read past either terminator would be reported
    EXPECT_EQ(Sign(_mbsnbcmp(a.u(), b.u(), c.n)), c.cmp) << c.a << " / " << c.b << " " << c.n;
    EXPECT_EQ(Sign(_mbsnbicmp(a.u(), b.u(), c.n)), c.icmp) << c.a << " / " << c.b << " " << c.n;
  }
  EXPECT_EQ(_mbsnbcmp(nullptr, nullptr, 5), 0);
  EXPECT_EQ(_mbsnbicmp(nullptr, ExactBytes("").u(), 5), 0);
}

struct CopyCase {
  const char* src;
  std::size_t n;
  std::string expected;  // the first n bytes of the destination
};

TEST(MbcCopy, NeverCopiesPartOfACharacter) {
  const CopyCase cases[] = {
      {"abc", 5, std::string("abc\0\0", 5)},
      {"abcdef", 3, "abc"},  // no terminator added, as strncpy
      {"abc", 0, ""},
      {"a\xE2\x82\xAC", 3, std::string("a\0\0", 3)},
      {"a\xE2\x82\xAC", 4, "a\xE2\x82\xAC"},
      {"a\xE2\x82\xAC", 5, std::string("a\xE2\x82\xAC\0", 5)},
      {"\xC3\xA9\xC3\xA9", 3, std::string("\xC3\xA9\0", 3)},
      {"\xF0\x9F\x98\x80!", 2, std::string("\0\0", 2)},
      {"\xC3x", 1, "\xC3"},  // a lone lead byte is a character of its own
      {"", 2, std::string("\0\0", 2)},
  };
  for (const CopyCase& c : cases) {
    ExactBytes src(c.src);
    unsigned char dst[16];
    std::memset(dst, 0x7F, sizeof dst);
    EXPECT_EQ(_mbsnbcpy(dst, src.u(), c.n), dst);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(dst), c.n), c.expected)
        << testing::PrintToString(std::string(c.src)) << " n=" << c.n;
    for (std::size_t i = c.n; i < sizeof dst; ++i) ASSERT_EQ(dst[i], 0x7F) << "wrote byte " << i;
  }
  unsigned char dst[4] = {1, 1, 1, 1};
  _mbsnbcpy(dst, nullptr, 2);
  EXPECT_EQ(dst[0], 0);
  EXPECT_EQ(dst[1], 0);
  EXPECT_EQ(dst[2], 1);
  EXPECT_EQ(_mbsnbcpy(nullptr, ExactBytes("abc").u(), 3), nullptr);
}

// Offset of a search result, or -1 for null.
long Offset(const unsigned char* base, const unsigned char* found) {
  return found == nullptr ? -1 : static_cast<long>(found - base);
}

struct StrCase {
  const char* text;
  const char* needle;
  long expected;
};

TEST(MbcSearch, SubstringMatchesStartAndEndOnCharacterBoundaries) {
  const StrCase cases[] = {
      {"abcabc", "ca", 2},
      {"abc", "", 0},
      {"", "", 0},
      {"", "a", -1},
      {"ab", "abc", -1},  // the needle is longer than what is left
      {"xab", "abc", -1},
      {"\xE2\x82\xAC", "\x82\xAC", -1},          // would start inside the euro sign
      {"a\xC3\xA9", "a\xC3", -1},                // would end inside the e acute
      {"x\xC3\xA9\xC3\xA9", "\xA9\xC3", -1},
      {"a\xC3x", "a\xC3", 0},                    // a lone lead byte is whole
      {"\xC3\xA9" "a\xC3\xA9", "a\xC3\xA9", 2},
      {"\xE2\x82\xAC\xE2\x82\xAC", "\xE2\x82\xAC", 0},
      {"1\xE2\x82\xAC", "\xE2\x82\xAC", 1},
  };
  for (const StrCase& c : cases) {
    ExactBytes text(c.text), needle(c.needle);
    EXPECT_EQ(Offset(text.u(), _mbsstr(text.u(), needle.u())), c.expected)
        << testing::PrintToString(std::string(c.text)) << " / "
        << testing::PrintToString(std::string(c.needle));
  }
  ExactBytes abc("abc");
  EXPECT_EQ(_mbsstr(nullptr, abc.u()), nullptr);
  EXPECT_EQ(_mbsstr(abc.u(), nullptr), abc.u());
}

struct ChrCase {
  const char* text;
  unsigned int c;
  long first;
  long last;
};

TEST(MbcSearch, CharacterSearchesFindWholeCharactersOnly) {
  const ChrCase cases[] = {
      {"abcabc", 'b', 1, 4},
      {"abc", 'x', -1, -1},
      {"abc", 0, 3, 3},                             // the terminator
      {"a\xC3\xA9" "a\xC3\xA9", 0xE9, 1, 4},        // e acute as a code point
      {"a\xC3\xA9" "a\xC3\xA9", 'a', 0, 3},
      {"\xC3\xA9", 0xA9, -1, -1},                   // copyright sign is not there
      {"\xE2\x82\xAC", 0x20AC, 0, 0},
      {"x\xF0\x9F\x98\x80", 0x1F600, 1, 1},
      {"\xED\xA0\x80", 0xD800, -1, -1},             // a surrogate is no character
      {"\xF4\x90\x80\x80", 0x110000, -1, -1},       // nor a value past U+10FFFF
      {"\xF0\x80\x81\x81", 0x200041, -1, -1},
      {"", 'a', -1, -1},
  };
  for (const ChrCase& c : cases) {
    ExactBytes text(c.text);
    SCOPED_TRACE(testing::Message() << testing::PrintToString(std::string(c.text)) << " c=0x"
                                    << std::hex << c.c);
    EXPECT_EQ(Offset(text.u(), _mbschr(text.u(), c.c)), c.first);
    EXPECT_EQ(Offset(text.u(), _mbsrchr(text.u(), c.c)), c.last);
  }
  EXPECT_EQ(_mbschr(nullptr, 'a'), nullptr);
  EXPECT_EQ(_mbsrchr(nullptr, 'a'), nullptr);
}

}  // namespace
