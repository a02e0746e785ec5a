// End-to-end tests of the tool's subcommands: the program runs as a
// separate process on tables of inputs, with the documented default
// settings and no units definition file unless a test gives one.
#include <gtest/gtest.h>

#include "ToolFixture.h"

namespace tarvil::tooltest {
namespace {

using ToolCommands = ToolTest;

constexpr const char* kInvalid = "Invalid character(s) detected.";

TEST_F(ToolCommands, ParseReadsEachKindIntoItsBaseUnit) {
  ExpectRuns({
      {{"parse", "--as", "ohms", "4.7k", "4.7kohms", "100"}, "", "4700 ohms\n4700 ohms\n100 ohms\n", 0, ""},
      {{"parse", "--notation", "euro", "--as", "ohms", "4k7", "4R7", "47R"}, "",
       "4700 ohms\n4.7 ohms\n47 ohms\n", 0, ""},
      {{"parse", "--as", "farads", "100nF"}, "", "1e-07 F\n", 0, ""},
      {{"parse", "--as", "watts", "--notation", "spice", "4.7MEG"}, "", "4700000 W\n", 0, ""},
      {{"parse", "25.4mm", "1IN"}, "", "25400000 nm\n25400000 nm\n", 0, ""},
      {{"parse", "--base", "tnm", "25.4mm"}, "", "2540000 tnm\n", 0, ""},
      {{"parse", "10ns", "6in/ns", "50%c", "45deg"}, "",
       "1e-08 s\n152400000 m/s\n149896229 m/s\n45 deg\n", 0, ""},
      {{"parse", "10deg 30'", "-90deg"}, "", "10.5 deg\n-90 deg\n", 0, ""},
      {{"parse", "--positive", "-90deg"}, "", "270 deg\n", 0, ""},
      {{"parse", "--as", "integer", "  -1,234  "}, "", "-1234\n", 0, ""},
      {{"parse", "--as", "number", "1,234.5", "1.234,5"}, "", "1234.5\n1234.5\n", 0, ""},
      {{"parse", "--as", "number", "--notation", "decimal", "12%"}, "", "12\n", 0, ""},
      // Plain numbers by the number grammar of any: a prefix is a number's.
      {{"parse", "1,5", "4k7", "0,100"}, "", "1.5\n4700\n0.1\n", 0, ""},
      {{"parse", "--as", "farads", "--bare-unit", "uF", "10", "4,7"}, "", "1e-05 F\n4.7e-06 F\n",
       0, ""},
      {{"parse", "--part", "--as", "farads", "22uF/6.3V/20%/X5R/C0603 low ESR", "DNP"}, "",
       "2.2e-05 F tolerance=-20%/+20% voltage=6.3 dielectric=\"X5R\" package=\"0603\" "
       "rest=\"low ESR\"\nnone fitted=no\n", 0, ""},
      {{"parse", "--part", "--as", "ohms", "0805, 10k, +/- 0.5, 1/16W (DNP)"}, "",
       "10000 ohms fitted=no tolerance=-0.5/+0.5 power=0.0625 package=\"0805\"\n", 0, ""},
      {{"parse", "--as", "integer", "--notation", "si", "3k"}, "", "3000\n", 0, ""},
      {{"parse", "12", "-5V", "4.7kohms"}, "", "12\n-5 V\n4700 ohms\n", 0, ""},
      {{"parse", "--unit", "ns", "12"}, "", "1.2000000000000002e-08 s\n", 0, ""},
      {{"parse", "--unit", "mm", "25.4", "1in"}, "", "25400000 nm\n25400000 nm\n", 0, ""},
      // Any notation by default; numbers in the shortest form std::to_chars gives.
      {{"parse", "--as", "ohms", "4k7", "2u2", "4R7", "1MEG", "47R", "4.7E3"}, "",
       "4700 ohms\n2.2e-06 ohms\n4.7 ohms\n1e+06 ohms\n47 ohms\n4700 ohms\n", 0, ""},
      {{"parse", "--as", "farads", "100n", "4n7F", "1F"}, "", "1e-07 F\n4.7e-09 F\n1 F\n", 0, ""},
      {{"parse", "10mil", "2 MILS", "--base", "tnm"}, "", "25400 tnm\n5080 tnm\n", 0, ""},
      {{"parse", "--as", "integer", "2147483647", "-2147483648"}, "", "2147483647\n-2147483648\n", 0, ""},
  });
}

// A refusal says what would read the text; an ambiguous text gives both
// readings and what picks each.
TEST_F(ToolCommands, ParseRefusalsNameWhatReadsTheText) {
  ExpectRuns({
      {{"parse", "--as", "ohms", "--notation", "si", "4k7"}, "", "\n", 1,
       "4<k>7\nInvalid character(s) detected.\nreads as 4700 in European notation (--notation euro)"},
      {{"parse", "--as", "ohms", "--notation", "euro", "1MEG"}, "", "\n", 1,
       "reads as 1e+06 in SPICE notation (--notation spice)"},
      {{"parse", "--as", "ohms", "1234,567"}, "", "\n", 1,
       "1234<,>567\nAmbiguous value: common readings differ.\n1234.567: a decimal comma (from "
       "--settings registry or the locale); no notation reads it with '.' as the decimal "
       "symbol\n1234567: --notation si"},
      {{"parse", "--as", "henrys", "10"}, "", "\n", 1,
       "10< >\nAmbiguous value: common readings differ.\n1e-11: --bare-unit pF\n"
       "1e-05: --bare-unit uF\n1e-05: --bare-unit uH\n10: --bare-unit H"},
      {{"parse", "1.5,5"}, "", "\n", 1, "1.5<,>5\n"},
      {{"parse", "--part", "--as", "farads", "0402", "16V X7R"}, "", "\n\n", 1,
       "0402\nThe text names a package, not a value."},
      {{"parse", "--part", "4k7"}, "", "", 2, "--part needs --as"},
      {{"parse", "--bare-unit", "mF", "10"}, "", "", 2, "unknown unit 'mF' for --bare-unit"},
      {{"parse", "--bare-unit", "uF", "--bare-unit", "pF", "10"}, "", "", 2,
       "--bare-unit is given twice for capacitances"},
      {{"parse", "--as", "ohms", "--notation", "si", "4,7k"}, "", "47000 ohms\n", 0, ""},
      {{"parse", "--as", "integer", "99999999999"}, "", "\n", 1, "Value is too large."},
      {{"parse", "--as", "integer", "-99999999999"}, "", "\n", 1, "Value is too small."},
      {{"parse", "--as", "integer", "1.5"}, "", "\n", 1, "Does not represent an integer value."},
      {{"parse", "--as", "ohms", "--strict", "4.7k"}, "", "\n", 1, "4.7k\nNo unit detected."},
  });
  const ToolResult json = Run({"parse", "--json", "--as", "ohms", "1234,567"});
  const std::vector<JsonValue> lines = JsonLines(json.out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Find("error")->number, 13.0);
  EXPECT_EQ(lines[0].Find("cursor")->number, 5.0);
  EXPECT_NE(lines[0].Find("message")->text.find("\n1234567: --notation si"), std::string::npos);
  // A part: one member each, null where absent.
  const ToolResult part =
      Run({"parse", "--json", "--part", "--as", "ohms", "4k7 +80/-20% 100ppm/K", "X7R"});
  const std::vector<JsonValue> parts = JsonLines(part.out);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].Find("value")->number, 4700.0);
  EXPECT_TRUE(parts[0].Find("fitted")->boolean);
  EXPECT_EQ(parts[0].Find("tolerance")->Find("minus")->number, 0.2);
  EXPECT_EQ(parts[0].Find("tolerance")->Find("plus")->number, 0.8);
  EXPECT_TRUE(parts[0].Find("tolerance")->Find("relative")->boolean);
  EXPECT_EQ(parts[0].Find("temperature_coefficient")->number, 100.0);
  EXPECT_TRUE(parts[0].Find("voltage")->IsNull());
  EXPECT_TRUE(parts[0].Find("rest")->IsNull());
  EXPECT_EQ(parts[1].Find("error")->number, 14.0);
  EXPECT_TRUE(parts[1].Find("tolerance")->IsNull());
}

TEST_F(ToolCommands, ParseRefusesWithTheLibraryMessage) {
  ExpectRuns({
      {{"parse", "--as", "ohms", "4x7"}, "", "\n", 1, std::string("4<x>7\n") + kInvalid},
      {{"parse", "--as", "ohms", "1k", "-1k", "2k"}, "", "1000 ohms\n\n2000 ohms\n", 1,
       "Negative values are not allowed."},
      {{"parse", "--as", "ohms", "--strict", "4.7k"}, "", "\n", 1, "4.7k\nNo unit detected."},
      {{"parse", "4.7kx"}, "", "\n", 1, "4.7kx\nNo unit detected."},
      {{"parse", "--as", "time", "3ks"}, "", "\n", 1, std::string("3<k>s\n") + kInvalid},
      {{"parse", "--as", "length", "12"}, "", "\n", 1, "12\nNo unit detected."},
      {{"parse", "--as", "integer", ""}, "", "\n", 1, "String is empty."},
      {{"parse", "--as", "number", "   "}, "", "\n", 1, "String is blank."},
      {{"parse", "--as", "velocity", "100.5%c"}, "", "\n", 1, "Value is too large."},
  });
}

TEST_F(ToolCommands, ParseJsonCarriesValueUnitErrorAndCursor) {
  const ToolResult result = Run({"--json", "parse", "--as", "ohms", "4.7k", "4x7"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "");
  const std::vector<JsonValue> lines = JsonLines(result.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Find("input")->text, "4.7k");
  EXPECT_TRUE(lines[0].Find("ok")->boolean);
  EXPECT_EQ(lines[0].Find("kind")->text, "ohms");
  EXPECT_EQ(lines[0].Find("value")->number, 4700.0);
  EXPECT_EQ(lines[0].Find("unit")->text, "ohms");
  EXPECT_EQ(lines[0].Find("error")->number, 0.0);
  EXPECT_EQ(lines[0].Find("message")->text, "");
  EXPECT_FALSE(lines[1].Find("ok")->boolean);
  EXPECT_TRUE(lines[1].Find("value")->IsNull());
  EXPECT_EQ(lines[1].Find("error")->number, 4.0);
  EXPECT_EQ(lines[1].Find("cursor")->number, 2.0);
  EXPECT_EQ(lines[1].Find("message")->text, std::string("4<x>7\n") + kInvalid);
}

TEST_F(ToolCommands, FormatWritesAsTheLibraryWrites) {
  ExpectRuns({
      {{"format", "--as", "ohms", "--notation", "euro", "4700", "4.7"}, "", "4k7\n4R7\n", 0, ""},
      {{"format", "--as", "ohms", "4700"}, "", "4.7kohms\n", 0, ""},
      {{"format", "--as", "ohms", "--no-unit", "4700", "-4700", "0"}, "", "4.7k\n-4.7k\n0\n", 0, ""},
      {{"format", "--as", "ohms", "--notation", "spice", "--no-unit", "1e6", "0.1"}, "",
       "1MEG\n100M\n", 0, ""},
      {{"format", "--as", "farads", "--notation", "euro", "4.7e-9"}, "", "4n7F\n", 0, ""},
      {{"format", "--as", "amps", "--notation", "eng", "4700"}, "", "4.7E3A\n", 0, ""},
      {{"format", "--as", "ohms", "--notation", "sci", "--no-unit", "123456"}, "", "1.2346E5\n", 0, ""},
      {{"format", "--as", "watts", "--no-unit", "--keep-zeros", "4700"}, "", "4.7000k\n", 0, ""},
      {{"format", "--as", "watts", "--no-unit", "nan", "inf"}, "", "NaN\n#INF\n", 0, ""},
      {{"format", "--as", "length", "--unit", "th", "25400"}, "", "1th\n", 0, ""},
      {{"format", "--unit", "mm", "--keep-zeros", "25400000"}, "", "25.400mm\n", 0, ""},
      {{"format", "--as", "time", "--unit", "ns", "--full", "1e-9"}, "", "1ns\n", 0, ""},
      {{"format", "--as", "velocity", "--unit", "%c", "--full", "149896229"}, "", "50%c\n", 0, ""},
      {{"format", "--as", "angle", "--unit", "rad", "--precision", "4", "90"}, "", "1.5708 rad\n", 0, ""},
      // The C locale has no grouping; the built-in settings group by three.
      {{"format", "--as", "integer", "1234567", "-1234", "999"}, "", "1234567\n-1234\n999\n", 0, ""},
      {{"format", "--settings", "defaults", "--as", "integer", "1234567"}, "", "1,234,567\n", 0, ""},
      {{"format", "--settings", "defaults", "0.5", "1234.5"}, "", "0.5\n1,234.5\n", 0, ""},
  });
}

TEST_F(ToolCommands, FormatRefusesValuesThatAreNotNumbersOfTheKind) {
  ExpectRuns({
      {{"format", "abc"}, "", "\n", 1, std::string("<a>bc\n") + kInvalid},
      {{"format", "12x", "3"}, "", "\n3\n", 1, std::string("12<x>\n") + kInvalid},
      {{"format", "--as", "length", "1.5"}, "", "\n", 1, "Does not represent an integer value."},
      {{"format", "--as", "length", "3000000000"}, "", "\n", 1, "Value is too large."},
      {{"format", "--as", "integer", "-3000000000"}, "", "\n", 1, "Value is too small."},
      {{"format", "1e999"}, "", "\n", 1, "Value is too large."},
      {{"format", ""}, "", "\n", 1, "String is empty."},
  });
}

TEST_F(ToolCommands, ConvertMovesMeasuresBetweenUnits) {
  ExpectRuns({
      {{"convert", "25.4mm", "--to", "in"}, "", "1\n", 0, ""},
      {{"convert", "--keep-zeros", "25.4mm", "--to", "in"}, "", "1.000\n", 0, ""},
      {{"convert", "1in", "1th", "--to", "nm"}, "", "25400000\n25400\n", 0, ""},
      {{"convert", "1in", "--to", "tnm", "--show-unit"}, "", "2540000tnm\n", 0, ""},
      {{"convert", "1in", "--to", "mm", "--show-unit"}, "", "25.4mm\n", 0, ""},
      // Numbers for scripts by default: full precision, no grouping.
      {{"convert", "12", "--from", "mm", "--to", "in"}, "", "0.47244094488188976\n", 0, ""},
      {{"convert", "1.2ns", "--to", "ps"}, "", "1200\n", 0, ""},
      {{"convert", "5MS", "--to", "Ks"}, "", "5000\n", 0, ""},
      {{"convert", "1mm", "--to", "um"}, "", "1000\n", 0, ""},
      {{"convert", "1ns", "--to", "s"}, "", "1e-09\n", 0, ""},
      {{"convert", "10mil", "1 mils", "--to", "mm"}, "", "0.254\n0.0254\n", 0, ""},
      {{"convert", "6in/ns", "--to", "m/s"}, "", "152400000\n", 0, ""},
      {{"convert", "50%c", "--to", "in/ns", "--show-unit"}, "", "5.901426338582677in/ns\n", 0, ""},
      {{"convert", "90deg", "--to", "arcmin"}, "", "5400\n", 0, ""},
      // --display: the configured precision and symbols.
      {{"convert", "12", "--from", "mm", "--to", "in", "--display"}, "", "0.472\n", 0, ""},
      {{"convert", "--settings", "defaults", "1.2ns", "--to", "ps", "--display"}, "", "1,200\n", 0, ""},
      {{"convert", "1ns", "--to", "s", "--display"}, "", "0\n", 0, ""},
      {{"convert", "1rad", "--to", "deg", "--precision", "4"}, "", "57.2958\n", 0, ""},
      {{"convert", "50%c", "--to", "%c", "--show-unit"}, "", "50%c\n", 0, ""},
      {{"convert", "3ks", "--to", "s"}, "", "\n", 1, std::string("3<k>s\n") + kInvalid},
      {{"convert", "12", "--to", "in"}, "", "\n", 1, "12\nNo unit detected."},
      {{"convert", "86in", "--to", "nm"}, "", "2184400000\n", 0, ""},
      // A refusal the library describes by its message alone shows the text,
      // marked, as well.
      {{"convert", "0.0000001mm", "--to", "nm"}, "", "\n", 1,
       "tarvil: convert: 0.0000001mm< >\nDoes not represent an integer value.\n"},
      {{"parse", "--as", "ohms", "--", "-4k7"}, "", "\n", 1,
       "tarvil: parse: <->4k7\nNegative values are not allowed.\n"},
  });
}

TEST_F(ToolCommands, CheckValidatesNames) {
  ExpectRuns({
      {{"check", "name", "NET_1", "A(B)", "  "}, "", "valid\ninvalid\nvalid\n", 1,
       std::string("A<(>B)\n") + kInvalid},
      {{"check", "name", "--type", "13", "ABCD", "ABCDE"}, "", "valid\ninvalid\n", 1,
       "ABCDE\nCharacter limit exceeded."},
      {{"check", "name", "--type", "13", "AB1"}, "", "invalid\n", 1, std::string("AB<1>\n") + kInvalid},
      {{"check", "name", "--type", "5", "--allow-special", "(Default)", "Default"}, "",
       "valid\nvalid\n", 0, ""},
      {{"check", "name", "--type", "5", "(Default)"}, "", "invalid\n", 1, std::string("<(>Default)")},
      {{"check", "name", "--limit", "3", "  abc  ", "abcd"}, "", "valid\ninvalid\n", 1,
       "abcd\nCharacter limit exceeded."},
      {{"check", "file", "--rules", "suite", "board.txt", "a:b"}, "", "valid\ninvalid\n", 1,
       std::string("a<:>b\n") + kInvalid},
      {{"check", "path", "--rules", "suite", "C:\\dir\\file.txt", "\\\\server\\share\\dir", "C:dir",
        "/home/user/boards/top.brd"}, "", "valid\nvalid\ninvalid\ninvalid\n", 1,
       std::string("C:<d>ir\n") + kInvalid},
      // The rules of this machine by default.
      {{"check", "file", "a:b", "top.brd", std::string(255, 'f')}, "", "valid\nvalid\nvalid\n", 0, ""},
      {{"check", "file", "a/b"}, "", "invalid\n", 1, std::string("a</>b\n") + kInvalid},
      {{"check", "file", std::string(256, 'f')}, "", "invalid\n", 1, "Character limit exceeded."},
      {{"check", "path", "/home/user/boards/top.brd", "C:\\boards\\top.brd",
        "/" + std::string(255, 'd') + "/f"}, "", "valid\nvalid\nvalid\n", 0, ""},
      {{"check", "path", "/" + std::string(256, 'd')}, "", "invalid\n", 1, "Character limit exceeded."},
      {{"check", "path", std::string(4096, 'p')}, "", "invalid\n", 1, "Character limit exceeded."},
      {{"check", "ascii", "abc", "ab\xC3\xA9"}, "", "valid\ninvalid\n", 1, kInvalid},
      {{"check", "name", ""}, "", "invalid\n", 1, "String is empty."},
  });
}

TEST_F(ToolCommands, SortOrdersNumbersInsideLinesByValue) {
  ExpectRuns({
      {{"sort"}, "R10\nR2\nR1\nC10\nC9\n", "C9\nC10\nR1\nR2\nR10\n", 0, ""},
      {{"sort"}, "x010\nx9\na1\nab\na\n", "a\nab\na1\nx9\nx010\n", 0, ""},
      {{"sort"}, "a\nB\n", "B\na\n", 0, ""},
      {{"sort", "--nocase"}, "a\nB\n", "a\nB\n", 0, ""},
      {{"sort", "--nocase"}, "abc\nABC\nr10\nR9\n", "abc\nABC\nR9\nr10\n", 0, ""},
      {{"sort", "--case-tiebreak"}, "abc\nABC\n", "ABC\nabc\n", 0, ""},
      {{"sort", "--reverse"}, "R1\nR10\nR2\n", "R10\nR2\nR1\n", 0, ""},
      {{"sort", "--limit", "2"}, "R19\nR100\nR1\n", "R19\nR100\nR1\n", 0, ""},
      {{"sort"}, "R10\r\nR2\r\nR1", "R1\nR2\nR10\n", 0, ""},
      {{"sort"}, "", "", 0, ""},
      {{"sort", "-"}, "b\n\na\n", "\na\nb\n", 0, ""},
  });
}

TEST_F(ToolCommands, SortReadsFilesInTurnAndReportsLineNumbers) {
  const std::string first = m_home.Write("first.txt", "U10\nU2\n");
  const std::string second = m_home.Write("second.txt", "U1\n");
  const ToolResult result = Run({"sort", "--json", first, second});
  EXPECT_EQ(result.status, 0);
  const std::vector<JsonValue> lines = JsonLines(result.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Find("text")->text, "U1");
  EXPECT_EQ(lines[0].Find("line")->number, 3.0);
  EXPECT_EQ(lines[1].Find("text")->text, "U2");
  EXPECT_EQ(lines[2].Find("text")->text, "U10");
  EXPECT_EQ(lines[2].Find("line")->number, 1.0);

  const ToolResult missing = Run({"sort", first, m_home.Path() + "/none.txt"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(Lines(missing.err).size(), 1u) << missing.err;
}

// Lines that do not fit in memory are a message and status 2, not an abort:
// the input, half as large again as the address space allowed, cannot be
// held whole.
TEST_F(ToolCommands, SortOutOfMemoryIsStatusTwo) {
  if (kSanitized) GTEST_SKIP() << "the sanitizer's shadow memory needs more address space";
  constexpr unsigned long long kAddressSpace = 64ull << 20;
  std::string input;
  input.reserve(kAddressSpace * 3 / 2);
  while (input.size() < kAddressSpace * 3 / 2) input += "R10\nR9\n";
  const ToolResult result = RunTool({"sort"}, input, m_home, {}, "", RunLimits{kAddressSpace, 0});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err.rfind("tarvil: sort: out of memory", 0), 0u) << result.err;
}

}  // namespace
}  // namespace tarvil::tooltest
