// Tokens of keyword files: words, strings, delimiters, comments, line
// counting, line ends, odd bytes and over-long tokens; string escapes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "KeyfileTestSupport.h"
#include "KeywordReader.h"

namespace {

using keyfile_test::ReaderFixture;

// Every token of `text` as "type:text@line", the type a letter (W word,
// S string, E end of file) or the delimiter itself.
std::string Tokens(const std::string& text) {
  ReaderFixture f(text);
  EXPECT_EQ(f.opened(), kKeywordOpenOk);
  std::string out;
  char buf[kKeywordTokenBufferSize];
  for (int guard = 0; guard < 100; ++guard) {
    eKeywordTokens t = f.reader().GetToken(buf);
    if (!out.empty()) out += ' ';
    switch (t) {
      case eKeywordTokenWord: out += "W:"; out += buf; break;
      case eKeywordTokenString: out += "S:"; out += buf; break;
      case eKeywordTokenEOF: out += "E"; break;
      default: out += buf; break;
    }
    out += "@" + std::to_string(f.reader().GetLine());
    if (t == eKeywordTokenEOF) break;
  }
  return out;
}

TEST(KeywordLexer, TokensAndLines) {
  struct Row {
    std::string text;
    std::string tokens;
  } rows[] = {
      {"", "E@1"},
      {"  \t\n ! a comment\n\n", "E@4"},
      {".filetype electrical_units", "W:.FILETYPE@1 W:ELECTRICAL_UNITS@1 E@1"},
      {"12!remark\nx", "W:12@1 W:X@2 E@2"},
      {"(1,2) AB(cd", "(@1 W:1@1 ,@1 W:2@1 )@1 W:AB@1 (@1 W:CD@1 E@1"},
      {"ab\"cd", "W:AB\"CD@1 E@1"},
      // Escapes are kept in the token; an escaped quote does not end it.
      {"\"a\\\"b\" c", "S:a\\\"b@1 W:C@1 E@1"},
      // Two backslashes: the quote after them ends the string.
      {"\"x\\\\\" y", "S:x\\\\@1 W:Y@1 E@1"},
      {"\"Mixed Case!\"", "S:Mixed Case!@1 E@1"},
      // A newline inside a string is kept and not counted.
      {"\"ab\ncd\" x\ny", "S:ab\ncd@1 W:X@1 W:Y@2 E@2"},
      // A backslash before a newline joins the lines; blanks after it go,
      // even further newlines, uncounted.
      {"\"ab\\\n   cd\" x", "S:abcd@2 W:X@2 E@2"},
      {"\"ab\\\n\n\n\tcd\" x", "S:abcd@2 W:X@2 E@2"},
      {"\"abc", "S:abc@1 E@1"},
      // CRLF reads like LF, also in a joined string; a lone CR separates.
      {".a 1\r\n.b 2\r\n", "W:.A@1 W:1@1 W:.B@2 W:2@2 E@3"},
      {"\"a\\\r\nb\" c\r\nd", "S:ab@2 W:C@2 W:D@3 E@3"},
      {"a\rb", "W:A@1 W:B@1 E@1"},
      {"\"a\r\nb\"", "S:a\nb@1 E@1"},
      // NUL bytes separate words; bytes above 127 pass unchanged.
      {std::string("a\0b", 3), "W:A@1 W:B@1 E@1"},
      {"\xff\xfe \xc3\xa9t\xc3\xa9 \xc3", "W:\xff\xfe@1 W:\xc3\xa9T\xc3\xa9@1 W:\xc3@1 E@1"},
      {".a 5", "W:.A@1 W:5@1 E@1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(Tokens(row.text), row.tokens);
  }
}

TEST(KeywordLexer, HandBackAndSkipLine) {
  ReaderFixture f("\"str\" word rest of the line\nnext");
  char buf[kKeywordTokenBufferSize];
  ASSERT_EQ(f.reader().GetToken(buf), eKeywordTokenString);
  f.reader().UngetToken(buf);
  ASSERT_EQ(f.reader().GetToken(buf), eKeywordTokenString);  // again, as a string
  EXPECT_STREQ(buf, "str");
  ASSERT_EQ(f.reader().GetToken(buf), eKeywordTokenWord);
  f.reader().SkipLine();
  EXPECT_EQ(f.reader().GetLine(), 2);
  ASSERT_EQ(f.reader().GetToken(buf), eKeywordTokenWord);
  EXPECT_STREQ(buf, "NEXT");
  f.reader().SkipLine();  // at the end of the file: still one line
  EXPECT_EQ(f.reader().GetLine(), 3);
  EXPECT_EQ(f.reader().GetToken(buf), eKeywordTokenEOF);
  EXPECT_STREQ(buf, "");
}

TEST(KeywordLexer, OverlongTokensAreCutAndReadWhole) {
  const std::string word(5000, 'a');
  // The escaped quote and the backslash run lie past the cut.
  const std::string string =
      "\"" + std::string(4500, 'x') + "\\\"" + std::string(100, 'y') + "\\\\\"";
  ReaderFixture f(word + " b " + string + " c");
  char buf[kKeywordTokenBufferSize];
  ASSERT_EQ(f.reader().GetToken(buf), eKeywordTokenWord);
  EXPECT_EQ(std::string(buf), std::string(kKeywordTokenMax, 'A'));
  ASSERT_EQ(f.reader().GetToken(buf), eKeywordTokenWord);
  EXPECT_STREQ(buf, "B");
  ASSERT_EQ(f.reader().GetToken(buf), eKeywordTokenString);
  EXPECT_EQ(std::string(buf), std::string(kKeywordTokenMax, 'x'));
  ASSERT_EQ(f.reader().GetToken(buf), eKeywordTokenWord);
  EXPECT_STREQ(buf, "C");
  EXPECT_EQ(f.reader().GetToken(buf), eKeywordTokenEOF);
}

TEST(KeywordLexer, UnescapeString) {
  struct Row {
    std::string in;
    std::string out;
  } rows[] = {
      {"plain", "plain"},
      {"a\\\"b", "a\"b"},
      {"\\'", "'"},
      {"a\\\\b", "a\\b"},
      {"\\b\\f\\n\\r\\t\\v", "\b\f\n\r\t\v"},
      {"\\101\\0101", "AA"},
      {"\\777", "\xff"},
      {"\\1234x", "\x9c" "x"},  // every octal digit is consumed
      {"\\18", std::string("\x01") + "8"},
      {"a\\qb", "ab"},
      {"ab\\", "ab"},
      {"a\\\n \t\nb", "ab"},
      {"\\0", ""},
      {"", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.in);
    char* out = UnescapeString(row.in.c_str());
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(std::string(out), row.out);
    std::free(out);
  }
  char* none = UnescapeString(nullptr);
  ASSERT_NE(none, nullptr);
  EXPECT_STREQ(none, "");
  std::free(none);
}

}  // namespace
