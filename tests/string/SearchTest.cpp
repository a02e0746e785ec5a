// Insertion, deletion, replacement, search, search-and-replace and fields.
#include <gtest/gtest.h>

#include <string>

#include "CTarvil.h"

namespace {

std::string Text(const CString& s) { return std::string(s.View()); }

// "\xC3\xA9" is e-acute, one character of two bytes.
#define EACUTE "\xC3\xA9"

TEST(Edit, InsertDeleteReplace) {
  enum Op { kInsert, kInsertChar, kDelete, kReplace };
  struct Row {
    const char* before;
    Op op;
    int index;
    int count;  // kDelete, kReplace
    const char* piece;
    std::string after;
  } rows[] = {
      {"abc", kInsert, 5, 0, "xy", "abc  xy"},
      {"abc", kInsert, 1, 0, "xy", "axybc"},
      {"abc", kInsert, 0, 0, "xy", "xyabc"},
      {"abc", kInsert, 3, 0, "xy", "abcxy"},
      {"abc", kInsert, 4, 0, "xy", "abc xy"},
      {"", kInsert, 2, 0, "x", "  x"},
      {"abc", kInsert, -1, 0, "xy", "abc"},
      {"abc", kInsert, 1, 0, "", "abc"},
      {"abc", kInsert, 5, 0, "", "abc"},  // nothing to place: no padding either
      {"abc", kInsert, 1, 0, nullptr, "abc"},
      {"abc", kInsertChar, 1, 0, "Z", "aZbc"},
      {"abc", kInsertChar, 4, 0, "Z", "abc Z"},
      {"abc", kInsertChar, 1, 0, "", "abc"},  // the terminator byte inserts nothing
      {"abcdef", kDelete, 1, 2, nullptr, "adef"},
      {"abcdef", kDelete, 2, 10, nullptr, "ab"},
      {"abcdef", kDelete, 6, 1, nullptr, "abcdef"},
      {"abcdef", kDelete, 5, 1, nullptr, "abcde"},
      {"abcdef", kDelete, -1, 2, nullptr, "abcdef"},
      {"abcdef", kDelete, 1, 0, nullptr, "abcdef"},
      {"abcdef", kDelete, 1, -3, nullptr, "abcdef"},
      {"abcdef", kDelete, 0, 2147483647, nullptr, ""},
      {"abcdef", kReplace, 1, 2, "XYZ", "aXYZdef"},
      {"abcdef", kReplace, 4, 9, "!", "abcd!"},
      {"abcdef", kReplace, 1, 2, nullptr, "adef"},
      {"abc", kReplace, 5, 1, "x", "abc  x"},  // nothing to delete, then padded
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.before) + " op " + std::to_string(row.op) + " at " +
                 std::to_string(row.index));
    CTarvil t(row.before);
    t.m_nCursorPosition = 2;
    t.m_eCurrentError = eErrInvalidCharacter;
    CTarvil* same = nullptr;
    switch (row.op) {
      case kInsert: same = &t.Insert(row.index, row.piece); break;
      case kInsertChar: same = &t.Insert(row.index, row.piece[0]); break;
      case kDelete: same = &t.Delete(row.index, row.count); break;
      case kReplace: same = &t.Replace(row.index, row.count, row.piece); break;
    }
    EXPECT_EQ(same, &t);
    EXPECT_EQ(Text(t), row.after);
    // Editing leaves the error of the last test alone.
    EXPECT_EQ(t.GetCursorPosition(), 2);
    EXPECT_EQ(t.GetCurrentError(), eErrInvalidCharacter);
  }
}

TEST(Edit, PiecesTakenFromTheObjectItself) {
  CTarvil t("abc");
  t.Insert(1, t);
  EXPECT_EQ(Text(t), "aabcbc");
  CTarvil u("abc");
  u.Insert(6, u);  // padding reallocates before the piece is read
  EXPECT_EQ(Text(u), "abc   abc");
  CTarvil v("abcdef");
  v.Replace(0, 3, static_cast<const char*>(v) + 2);  // "cdef" moves under the delete
  EXPECT_EQ(Text(v), "cdefdef");
  CTarvil w("aXa");
  EXPECT_EQ(w.FindReplace(w, "y", 1), 1);
  EXPECT_EQ(Text(w), "y");
}

TEST(Search, Forward) {
  struct Row {
    const char* text;
    const char* needle;  // one byte long: also searched as a character
    int start;
    int found;
    int foundNoCase;
  } rows[] = {
      {"abcabc", "b", 0, 1, 1},
      {"abcabc", "b", 1, 1, 1},
      {"abcabc", "b", 2, 4, 4},
      {"abcabc", "b", 5, -1, -1},
      {"abcabc", "b", 6, -1, -1},
      {"abcabc", "b", 100, -1, -1},
      {"abcabc", "b", -1, -1, -1},
      {"abcB", "B", 0, 3, 1},
      {"abcB", "b", 0, 1, 1},
      {"ABC", "c", 0, -1, 2},
      {"", "a", 0, -1, -1},
      {"a1!", "!", 0, 2, 2},
      {"abcabc", "ca", 0, 2, 2},
      {"abcABC", "CA", 0, -1, 2},
      {"abcabc", "bc", 2, 4, 4},
      {"abcabc", "abcabcd", 0, -1, -1},
      {"abc", "", 1, 1, 1},
      {"abc", "", 3, -1, -1},
      {"x" EACUTE "y", "y", 0, 3, 3},
      {"x" EACUTE "y", EACUTE, 0, 1, 1},
      // Never half a character: neither its first nor its last byte alone.
      {"x" EACUTE "y", "\xC3", 0, -1, -1},
      {"x" EACUTE "y", "\xA9", 0, -1, -1},
      {"x" EACUTE "y", "\xA9y", 0, -1, -1},
      {"x" EACUTE "y", "x\xC3", 0, -1, -1},
      // A byte that is no valid character on its own stands for itself.
      {"x\xC3y", "\xC3", 0, 1, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " / " + row.needle + " from " + std::to_string(row.start));
    CTarvil t(row.text);
    EXPECT_EQ(t.Find(row.needle, row.start), row.found);
    EXPECT_EQ(t.FindNoCase(row.needle, row.start), row.foundNoCase);
    if (std::string(row.needle).size() == 1) {
      EXPECT_EQ(t.Find(row.needle[0], row.start), row.found);
      EXPECT_EQ(t.FindNoCase(row.needle[0], row.start), row.foundNoCase);
    }
  }
  CTarvil t("abc");
  EXPECT_EQ(t.Find('\0', 0), -1);
  EXPECT_EQ(t.Find(static_cast<const char*>(nullptr), 0), 0);
}

TEST(Search, Backward) {
  struct Row {
    const char* text;
    const char* needle;
    int start;
    int found;
    int foundNoCase;
  } rows[] = {
      {"abc", "a", -1, 0, 0},
      {"abcabc", "bc", -1, 4, 4},
      {"abcabc", "bc", 3, 1, 1},
      {"abcabc", "bc", 4, 4, 4},
      {"abcabc", "bc", 5, 4, 4},
      {"abcabc", "bc", 6, 4, 4},
      {"abcabc", "bc", 1000, 4, 4},
      {"abcabc", "bc", 0, -1, -1},
      {"abcabc", "bc", -2, -1, -1},
      {"abcabc", "c", 1, -1, -1},
      {"abcABC", "bc", -1, 1, 4},
      {"abc", "", -1, -1, -1},
      {"", "a", -1, -1, -1},
      {"abc", "abcd", -1, -1, -1},  // runs into the end
      {"abc", "c", -1, 2, 2},
      {"a" EACUTE "a", "\xA9", -1, -1, -1},
      {"a" EACUTE "a", EACUTE, -1, 1, 1},
      {"a" EACUTE "a", EACUTE, 2, 1, 1},  // the start lies inside the character
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " / " + row.needle + " from " + std::to_string(row.start));
    CTarvil t(row.text);
    EXPECT_EQ(t.ReverseFind(row.needle, row.start), row.found);
    EXPECT_EQ(t.ReverseFindNoCase(row.needle, row.start), row.foundNoCase);
    if (std::string(row.needle).size() == 1) {
      EXPECT_EQ(t.ReverseFind(row.needle[0], row.start), row.found);
      EXPECT_EQ(t.ReverseFindNoCase(row.needle[0], row.start), row.foundNoCase);
    }
  }
  CTarvil t("abc");
  EXPECT_EQ(t.ReverseFind('\0', -1), -1);
  EXPECT_EQ(t.ReverseFind(static_cast<const char*>(nullptr), -1), -1);
}

TEST(Search, FindReplace) {
  struct Row {
    const char* text;
    const char* find;
    const char* repl;
    int all;
    bool noCase;
    int count;
    std::string after;
  } rows[] = {
      {"aXa", "a", "aa", 1, false, 2, "aaXaa"},  // no endless loop
      {"aXa", "a", "aa", 0, false, 1, "aaXa"},
      {"aaaa", "aa", "a", 1, false, 2, "aa"},
      {"aaa", "aa", "b", 1, false, 1, "ba"},
      {"abc", "x", "y", 1, false, 0, "abc"},
      {"abc", "", "y", 1, false, 0, "abc"},
      {"abc", nullptr, "y", 1, false, 0, "abc"},
      {"a-b-c", "-", "", 1, false, 2, "abc"},
      {"a-b-c", "-", nullptr, 1, false, 2, "abc"},
      {"a-b-c", "-", ", ", 2, false, 2, "a, b, c"},  // any all but 0 replaces them all
      {"abAB", "AB", "x", 1, false, 1, "abx"},
      {"abAB", "AB", "x", 1, true, 2, "xx"},
      {"abAB", "ab", "x", 0, true, 1, "xAB"},
      {"xAbyaB", "ab", "[AB]", 1, true, 2, "x[AB]y[AB]"},
      {"aAa", "A", "aa", 1, true, 3, "aaaaaa"},
      {EACUTE EACUTE, "\xA9\xC3", "!", 1, false, 0, EACUTE EACUTE},
      {"x" EACUTE "x", EACUTE, "e", 1, true, 1, "xex"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " / " + (row.find ? row.find : "null"));
    CTarvil t(row.text);
    t.m_eCurrentError = eErrCharacterLimit;
    t.m_nCursorPosition = 9;
    int count = row.noCase ? t.FindReplaceNoCase(row.find, row.repl, row.all)
                           : t.FindReplace(row.find, row.repl, row.all);
    EXPECT_EQ(count, row.count);
    EXPECT_EQ(Text(t), row.after);
    EXPECT_EQ(t.GetCurrentError(), eErrCharacterLimit);
    EXPECT_EQ(t.GetCursorPosition(), 9);
  }
}

TEST(Fields, SplitAtADelimiter) {
  struct Row {
    const char* text;
    const char* delim;
    int index;
    std::string field;
  } rows[] = {
      {"a,b,c", ",", 0, "a"},
      {"a,b,c", ",", 1, "b"},
      {"a,b,c", ",", 2, "c"},
      {"a,b,c", ",", 3, ""},
      {"a,b,c", ",", 5, ""},
      {"a,b,c", ",", 2147483647, ""},
      {"a,b,c", ",", -1, ""},
      {",x,", ",", 0, ""},
      {",x,", ",", 1, "x"},
      {",x,", ",", 2, ""},
      {"", ",", 0, ""},
      {"abc", ",", 0, "abc"},
      {"abc", ",", 1, ""},
      {"a::b::c", "::", 1, "b"},
      {"a:::b", "::", 1, ":b"},
      {"abc", "", 0, "abc"},  // an empty delimiter does not split
      {"abc", "", 1, ""},
      {"abc", nullptr, 0, "abc"},
      {"a" EACUTE "b", "\xA9", 0, "a" EACUTE "b"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " / " + (row.delim ? row.delim : "null") + " #" +
                 std::to_string(row.index));
    CTarvil t(row.text);
    t.m_eCurrentError = eErrBlank;
    t.m_nCursorPosition = 1;
    CTarvil field = t.GetField(row.delim, row.index);
    EXPECT_EQ(Text(field), row.field);
    EXPECT_EQ(field.GetCursorPosition(), 0);
    EXPECT_EQ(field.GetCurrentError(), eErrNone);
    if (row.delim && std::string(row.delim).size() == 1) {
      EXPECT_EQ(Text(t.GetField(row.delim[0], row.index)), row.field);
    }
  }
  CTarvil t("a\0b", 3);
  EXPECT_EQ(Text(t.GetField('\0', 0)), "a");
}

TEST(Fields, Count) {
  struct Row {
    const char* text;
    const char* delim;
    int count;
  } rows[] = {
      {"a,b,c", ",", 3},  {"", ",", 1},          {"abc", ",", 1},   {",", ",", 2},
      {",,", ",", 3},     {"aaaa", "aa", 3},     {"aaa", "aa", 2},  {"abc", "", 1},
      {"abc", nullptr, 1}, {EACUTE, "\xA9", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " / " + (row.delim ? row.delim : "null"));
    CTarvil t(row.text);
    EXPECT_EQ(t.GetFieldCount(row.delim), row.count);
    if (row.delim && std::string(row.delim).size() == 1) {
      EXPECT_EQ(t.GetFieldCount(row.delim[0]), row.count);
    }
  }
  CTarvil t("abc");
  EXPECT_EQ(t.GetFieldCount('\0'), 1);
}

TEST(Fields, BetweenDelimiters) {
  struct Row {
    const char* text;
    const char* open;
    const char* close;
    int index;
    std::string field;
  } rows[] = {
      {"[x][y]", "[", "]", 0, "x"},
      {"[x][y]", "[", "]", 1, "y"},
      {"[x][y]", "[", "]", 2, ""},
      {"[x][y]", "[", "]", -1, ""},
      {"((a)b)", "(", ")", 0, "(a"},
      {"((a)b)", "(", ")", 1, "a"},  // the next opening is found inside the field
      {"((a)b)", "(", ")", 2, ""},
      {"[x", "[", "]", 0, ""},       // no closing
      {"x]", "[", "]", 0, ""},       // no opening
      {"[]", "[", "]", 0, ""},
      {"<<a>><<b>>", "<<", ">>", 1, "b"},
      {"[x][y]", "[", "", 0, ""},    // an empty closing ends every field at once
      {"[x][y]", "[", "", 2147483647, ""},
      {"ab]cd]", "", "]", 0, "ab"},
      {"ab]cd]", "", "]", 1, "b"},
      {"[x][y]", "[", "]", 2147483647, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " #" + std::to_string(row.index));
    CTarvil t(row.text);
    CTarvil field = t.GetDelimitedField(row.open, row.close, row.index);
    EXPECT_EQ(Text(field), row.field);
    EXPECT_EQ(field.GetCurrentError(), eErrNone);
  }
}

}  // namespace
