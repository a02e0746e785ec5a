// End-to-end tests of how the tool takes its input and reports: batches
// from standard input, JSON that survives any bytes, usage errors and exit
// statuses.
#include <gtest/gtest.h>

#include <charconv>

#include "ToolFixture.h"

namespace tarvil::tooltest {
namespace {

using ToolInput = ToolTest;

TEST_F(ToolInput, BatchOfManyLinesIsAnsweredInOrderWithoutStopping) {
  constexpr int kLines = 100000;
  std::string input;
  int refused = 0;
  for (int i = 1; i <= kLines; ++i) {
    if (i % 7 == 0) {
      input += "4x7";
      ++refused;
    } else {
      input += std::to_string(i) + "k";
    }
    input += (i % 3 == 0) ? "\r\n" : "\n";
  }
  const ToolResult result = Run({"parse", "--as", "ohms"}, input);
  EXPECT_EQ(result.status, 1);
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLines));
  for (int i = 1; i <= kLines; ++i) {
    char number[32];
    const auto written = std::to_chars(number, number + sizeof number, i * 1000.0);
    const std::string expected = i % 7 == 0 ? "" : std::string(number, written.ptr) + " ohms";
    if (lines[i - 1] != expected) {
      ADD_FAILURE() << "line " << i << ": '" << lines[i - 1] << "', expected '" << expected << "'";
      break;
    }
  }
  // Each refused line is named on standard error with its line number.
  std::size_t named = 0;
  for (std::size_t at = result.err.find(": line "); at != std::string::npos;
       at = result.err.find(": line ", at + 1)) {
    ++named;
  }
  EXPECT_EQ(named, static_cast<std::size_t>(refused));
  EXPECT_NE(result.err.find("tarvil: parse: line 7: 4<x>7\n"), std::string::npos);
  EXPECT_NE(result.err.find("line 99995: 4<x>7\n"), std::string::npos);
}

TEST_F(ToolInput, JsonBatchParsesBackLineForLine) {
  std::string input;
  for (int i = 0; i < 2000; ++i) input += (i % 5 == 0 ? "-" : std::to_string(i) + "n") + "\n";
  const ToolResult result = Run({"parse", "--as", "farads", "--json", "-"}, input);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "");
  const std::vector<JsonValue> lines = JsonLines(result.out);
  ASSERT_EQ(lines.size(), 2000u);
  for (int i = 0; i < 2000; ++i) {
    const JsonValue& line = lines[i];
    ASSERT_NE(line.Find("ok"), nullptr);
    if (i % 5 == 0) {
      EXPECT_FALSE(line.Find("ok")->boolean);
      EXPECT_EQ(line.Find("input")->text, "-");
      EXPECT_EQ(line.Find("error")->number, 4.0);
      EXPECT_EQ(line.Find("cursor")->number, 2.0);
    } else {
      EXPECT_TRUE(line.Find("ok")->boolean);
      EXPECT_DOUBLE_EQ(line.Find("value")->number, i * 1e-9);
      EXPECT_EQ(line.Find("unit")->text, "F");
    }
  }
}

TEST_F(ToolInput, JsonStringsStayValidForAnyBytes) {
  struct Row {
    std::string input;
    std::string decoded;  // what a JSON reader gets back as "input"
  };
  const std::vector<Row> rows = {
      {"quote\"d", "quote\"d"},
      {"back\\slash", "back\\slash"},
      {"tab\there", "tab\there"},
      {std::string("\x01\x1f ctl"), std::string("\x01\x1f ctl")},
      {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
      {"bad\xFF" "byte", "bad\xC3\xBF" "byte"},           // a lone byte: \u00ff
      {"cut\xC3", "cut\xC3\x83"},                         // a sequence cut short
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},       // an encoded surrogate
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                   // an overlong form
  };
  std::string input;
  for (const Row& row : rows) input += row.input + "\n";
  const ToolResult result = Run({"check", "ascii", "--json"}, input);
  const std::vector<JsonValue> lines = JsonLines(result.out);
  ASSERT_EQ(lines.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lines[i].Find("input")->text, rows[i].decoded);
    EXPECT_EQ(lines[i].Find("check")->text, "ascii");
  }
  // Only the plain ASCII texts are valid.
  EXPECT_TRUE(lines[0].Find("ok")->boolean);
  EXPECT_FALSE(lines[5].Find("ok")->boolean);
  EXPECT_EQ(lines[5].Find("cursor")->number, 4.0);
}

// The longest line the tool reads, line end not counted.
constexpr std::size_t kMaxLineBytes = 1024 * 1024;

TEST_F(ToolInput, LongLinesNulBytesAndMissingLineEndsAreAnswered) {
  const std::string longName(kMaxLineBytes, 'n');
  std::string input = longName + "\r\n";
  input += std::string("ab\0c", 4) + "\n";
  input += "x(y";  // no line end at the end of the input
  const ToolResult result = Run({"check", "name"}, input);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "valid\ninvalid\ninvalid\n");
  // A NUL byte is refused where it stands instead of cutting the line.
  EXPECT_NE(result.err.find("line 2: ab<?>c\nInvalid character(s) detected."), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("line 3: x<(>y\n"), std::string::npos) << result.err;

  const ToolResult json = Run({"check", "name", "--json"}, std::string("ab\0c\n", 5));
  const std::vector<JsonValue> lines = JsonLines(json.out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Find("input")->text, std::string("ab\0c", 4));
  EXPECT_EQ(lines[0].Find("error")->number, 4.0);
  EXPECT_EQ(lines[0].Find("cursor")->number, 3.0);
}

// A line over the limit stops the input with trouble, naming the line; the
// lines before it keep their answers. Memory stays bounded by the limit, so
// an endless line is refused too.
TEST_F(ToolInput, OverlongLineStopsWithStatusTwo) {
  const std::string overlong(kMaxLineBytes + 1, '1');
  ExpectRuns({
      {{"parse", "--as", "ohms"}, "1k\n" + overlong + "\n2k\n", "1000 ohms\n", 2,
       "cannot read standard input: line 2 is longer than 1 MiB"},
      {{"check", "name"}, overlong + "\r\n", "", 2, "line 1 is longer than 1 MiB"},
      {{"sort", "/dev/zero"}, "", "", 2, "cannot read '/dev/zero': line 1 is longer than 1 MiB"},
  });
}

TEST_F(ToolInput, OperandsAndStandardInputMixInOrder) {
  ExpectRuns({
      {{"parse", "--as", "ohms", "1k", "-", "3k"}, "2k\n", "1000 ohms\n2000 ohms\n3000 ohms\n", 0, ""},
      {{"parse", "--as", "ohms"}, "", "", 0, ""},
      {{"parse", "--as", "ohms", "--", "-1"}, "", "\n", 1, "Negative values are not allowed."},
  });
}

TEST_F(ToolInput, UsageErrorsGiveOneLineAndStatusTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"--bogus", "parse"},
      {"parse", "--bogus", "1"},
      {"parse", "--as"},
      {"parse", "--as", "lumens", "1"},
      {"parse", "--notation", "roman", "1"},
      {"parse", "--as", "time", "--unit", "mm", "1"},
      {"parse", "--json=yes", "1"},
      {"format", "--as", "angle", "--precision", "9", "1"},
      {"format", "--precision", "x", "1"},
      {"format", "--precision", "2", "--full", "1"},
      {"format", "--as", "ohms", "--unit", "mm", "1"},
      {"convert", "1mm"},
      {"convert", "1mm", "--to", "furlong"},
      {"convert", "1", "--from", "ns", "--to", "mm"},
      {"check"},
      {"check", "colour", "x"},
      {"check", "name", "--type", "19", "x"},
      {"check", "file", "--limit", "3", "x"},
      {"sort", "--limit", "0"},
      {"units", "extra"},
      {"settings", "extra"},
      {"help", "frobnicate"},
      {"parse", "--settings", "bogus", "1"},
      {"check", "name", "--rules", "posix", "x"},
      {"check", "file", "--rules", "windows", "x"},
      {"bom"},
      {"bom", "a.csv", "b.csv"},
      {"bom", "--map", "R1=ohms", "-"},
      {"bom", "--map", "Q=lumens", "-"},
      {"bom", "--map", "Q", "-"},
      {"bom", "--delimiter", "ab", "-"},
      {"bom", "--notation", "roman", "-"},
      {"bom", "-"},  // standard input "1\n": no reference column
  };
  for (const std::vector<std::string>& args : cases) {
    std::string trace;
    for (const std::string& arg : args) trace += "'" + arg + "' ";
    SCOPED_TRACE(trace);
    const ToolResult result = Run(args, "1\n");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_EQ(result.err.rfind("tarvil: ", 0), 0u) << result.err;
  }
}

TEST_F(ToolInput, HelpAndVersion) {
  const ToolResult version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("tarvil ") + TARVIL_TOOL_VERSION + "\n");

  const ToolResult help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* command :
       {"parse", "format", "convert", "sort", "check", "units", "settings", "bom"}) {
    EXPECT_NE(help.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    const ToolResult own = Run({command, "--help"});
    EXPECT_EQ(own.status, 0) << command;
    EXPECT_EQ(own.out.rfind(std::string("Usage: tarvil ") + command, 0), 0u) << own.out;
    EXPECT_EQ(Run({"help", command}).out, own.out);
  }
  // The line ends are named, not written raw into the sentence.
  EXPECT_NE(Run({"help", "bom"}).out.find("lines end in LF, CRLF or CR;"), std::string::npos);
}

TEST_F(ToolInput, WriteFailureIsReported) {
  // Standard output is a full device: the answers are lost, and the status
  // must say so rather than report success.
  const ToolResult result =
      RunTool({"parse", "--as", "ohms", "1k", "2k"}, "", m_home, {}, "/dev/full");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("cannot write standard output"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace tarvil::tooltest
