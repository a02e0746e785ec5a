// End-to-end tests of 'tarvil bom': CSV files as spreadsheets and design
// tools write them, each record written back with the outcome appended,
// the summary line, the statuses, and a million rows in constant memory.
#include <gtest/gtest.h>

#include <charconv>
#include <chrono>
#include <fstream>
#include <map>

#include "ToolFixture.h"

namespace tarvil::tooltest {
namespace {

using ToolBom = ToolTest;

constexpr const char* kAppended =
    "tarvil_status,tarvil_value,tarvil_unit,tarvil_text,tarvil_error,tarvil_message,tarvil_fitted,"
    "tarvil_tolerance,tarvil_voltage,tarvil_current,tarvil_power,tarvil_dielectric,tarvil_package";
// The attribute columns of a row read without attributes, and of a row
// with no reading.
constexpr const char* kFitted = ",yes,,,,,,";
constexpr const char* kNone = ",,,,,,,";

struct BomCase {
  const char* name;
  std::vector<std::string> options;
  std::string input;  // the file's bytes
  std::string out;    // exact standard output
  int status;
  std::string err;  // exact standard error
};

std::string Summary(int rows, int read, int refused, int ambiguous, int skipped) {
  return "tarvil: bom: " + std::to_string(rows) + " rows, " + std::to_string(read) + " read, " +
         std::to_string(refused) + " refused, " + std::to_string(ambiguous) + " ambiguous, " +
         std::to_string(skipped) + " skipped\n";
}

TEST_F(ToolBom, RecordsComeBackInOrderWithTheOutcomeAppended) {
  const std::string semicolons =
      "tarvil_status;tarvil_value;tarvil_unit;tarvil_text;tarvil_error;tarvil_message;"
      "tarvil_fitted;tarvil_tolerance;tarvil_voltage;tarvil_current;tarvil_power;"
      "tarvil_dielectric;tarvil_package";
  const std::string tabs = [&] {
    std::string t = semicolons;
    for (char& c : t) c = c == ';' ? '\t' : c;
    return t;
  }();
  const std::string fittedTabs = "\tyes\t\t\t\t\t\t";
  const std::string noneTabs = "\t\t\t\t\t\t\t";
  const std::vector<BomCase> cases = {
      {"quoted fields: delimiters, doubled quotes and line breaks inside",
       {},
       "Ref,Value,Note\nR1,\"4k7\",\"a, b\"\n\"R2, R3\",10K,\"say \"\"hi\"\"\"\nC1,100n,\"two\nlines\"\n",
       std::string("Ref,Value,Note,") + kAppended + "\nR1,4k7,\"a, b\",read,4700,ohms,4.7k,0," + kFitted +
           "\n\"R2, R3\",10K,\"say \"\"hi\"\"\",read,10000,ohms,10k,0," + kFitted +
           "\nC1,100n,\"two\nlines\",read,1e-07,F,100n,0," + kFitted + "\n",
       0, Summary(3, 3, 0, 0, 0)},
      {"byte order mark, CRLF, ';' found in the header, other column names; the message on one line",
       {},
       "\xEF\xBB\xBF Designator ;VAL;Qty\r\nR1;4P7;2\r\nRX1;4k7;1\r\nL1;10uH;1",
       "\xEF\xBB\xBF Designator ;VAL;Qty;" + semicolons + "\r\nR1;4P7;2;ambiguous;;;;13;" +
           "\"4<P>7; Ambiguous value: common readings differ.; 4.7e+15: --notation si; "
           "4.7e-12: --notation spice\";;;;;;;\r\nRX1;4k7;1;skipped;;;;;prefix RX has no kind "
           "(--map RX=ohms);;;;;;;\r\nL1;10uH;1;read;1e-05;H;10u;0;;yes;;;;;;\r\n",
       1, Summary(3, 1, 0, 1, 1) + "tarvil: bom: skipped prefixes: RX 1\n"},
      {"tabs, --map, an empty value, a short record and a row without reference",
       {"--map", "Q=volts", "--map", "rx=ohms"},
       "RefDes\tValue\tX\nQ1\t3V3\n\t1k\tx\nC2\t\tx\nrx2\t10k\tx\n",
       "RefDes\tValue\tX\t" + tabs + "\nQ1\t3V3\t\tread\t3.3\tV\t3.3\t0\t" + fittedTabs +
           "\n\t1k\tx\tskipped\t\t\t\t\tno reference" + noneTabs +
           "\nC2\t\tx\trefused\t\t\t\t1\tString is empty." + noneTabs +
           "\nrx2\t10k\tx\tread\t10000\tohms\t10k\t0\t" + fittedTabs + "\n",
       1, Summary(4, 2, 1, 0, 1)},
      {"delimiters inside quotes do not count; --delimiter overrides",
       {"--delimiter", ","},
       "Ref,Value,a;b;c\nR1,1k,x\n",
       std::string("Ref,Value,a;b;c,") + kAppended + "\nR1,1k,x,read,1000,ohms,1k,0," + kFitted + "\n", 0,
       Summary(1, 1, 0, 0, 0)},
      {"--notation: the text is written back in it, refusals say what reads them",
       {"--notation", "euro", "--ref-column", "Part", "--value-column", " size, NOMINAL "},
       "Ref;Part;\"Size, nominal\"\nx;C1;4n7\nx;R2;4.7k\n",
       // Quoted only where the delimiter (';') asks for it.
       "Ref;Part;Size, nominal;" + semicolons + "\nx;C1;4n7;read;4.7e-09;F;4n7;0;;yes;;;;;;\n"
       "x;R2;4.7k;refused;;;;3;\"4.7<k>; Too many decimal places.; "
       "reads as 4700 in SI notation (--notation si)\";;;;;;;\n",
       1, Summary(2, 1, 1, 0, 0)},
      {"a header alone", {}, "Ref,Value\n", std::string("Ref,Value,") + kAppended + "\n", 0,
       Summary(0, 0, 0, 0, 0)},
      {"more fields than the header: refused, the rest kept in the last column",
       {},
       "Reference,Value,Footprint\nR1,4,7k,0603\n",
       std::string("Reference,Value,Footprint,") + kAppended +
           "\nR1,4,\"7k,0603\",refused,,,,,\"record has 4 fields, the header 3\"" + kNone + "\n",
       1, Summary(1, 0, 1, 0, 0)},
  };
  for (const BomCase& row : cases) {
    SCOPED_TRACE(row.name);
    const std::string file = m_home.Write("bom.csv", row.input);
    std::vector<std::string> args = {"bom"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    args.push_back(file);
    const ToolResult result = Run(args);
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.err, row.err);
    // Standard input gives the same answer.
    args.back() = "-";
    EXPECT_EQ(Run(args, row.input).out, row.out);
  }
}

TEST_F(ToolBom, JsonGivesOneObjectPerDataRecord) {
  const ToolResult result =
      Run({"bom", "--json", "-"}, "Reference,Value\nR1,4k7\nU1,x\nC1,4x7\n");
  EXPECT_EQ(result.status, 1);
  const std::vector<JsonValue> lines = JsonLines(result.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Find("row")->number, 1.0);
  EXPECT_EQ(lines[0].Find("ref")->text, "R1");
  EXPECT_EQ(lines[0].Find("input")->text, "4k7");
  EXPECT_EQ(lines[0].Find("status")->text, "read");
  EXPECT_EQ(lines[0].Find("kind")->text, "ohms");
  EXPECT_EQ(lines[0].Find("value")->number, 4700.0);
  EXPECT_EQ(lines[0].Find("unit")->text, "ohms");
  EXPECT_EQ(lines[0].Find("text")->text, "4.7k");
  EXPECT_EQ(lines[0].Find("error")->number, 0.0);
  EXPECT_EQ(lines[1].Find("status")->text, "skipped");
  EXPECT_TRUE(lines[1].Find("kind")->IsNull());
  EXPECT_TRUE(lines[1].Find("value")->IsNull());
  EXPECT_TRUE(lines[1].Find("error")->IsNull());
  EXPECT_EQ(lines[2].Find("row")->number, 3.0);
  EXPECT_EQ(lines[2].Find("status")->text, "refused");
  EXPECT_EQ(lines[2].Find("error")->number, 4.0);
  EXPECT_EQ(lines[2].Find("cursor")->number, 2.0);
  EXPECT_EQ(lines[2].Find("message")->text, "4<x>7\nInvalid character(s) detected.");
  EXPECT_EQ(result.err, Summary(3, 1, 1, 0, 1) + "tarvil: bom: skipped prefixes: U 1\n");
}

// Every export shape of tests/data/bom, read with no option, gives the rows
// of rows.txt, the table the library's reader and the Python module are
// checked against too (the records before a header are counted, not
// written).
TEST_F(ToolBom, ExportShapesGiveTheRowsOfTheTable) {
  const std::string data = TARVIL_TEST_DATA "/bom/";
  std::map<std::string, std::vector<std::string>> expected;
  std::ifstream table(data + "rows.txt");
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#' || line.find("|0|") != std::string::npos) continue;
    expected[line.substr(0, line.find('|'))].push_back(line);
  }
  ASSERT_GE(expected.size(), 12u);
  for (const auto& [file, rows] : expected) {
    SCOPED_TRACE(file);
    const ToolResult result = Run({"bom", "--json", data + file});
    EXPECT_EQ(result.status, file == "malformed.csv" ? 1 : 0) << result.err;
    std::vector<std::string> lines;
    for (const JsonValue& row : JsonLines(result.out)) {
      std::string value;
      if (!row.Find("value")->IsNull()) {
        char buffer[64];
        value.assign(buffer, std::to_chars(buffer, buffer + sizeof buffer, row.Find("value")->number).ptr);
      }
      const std::string status = row.Find("status")->text;
      const bool coded = (status == "refused" || status == "ambiguous") && !row.Find("error")->IsNull();
      lines.push_back(file + "|" + std::to_string(static_cast<long>(row.Find("row")->number)) + "|" +
                      std::to_string(static_cast<long>(row.Find("line")->number)) + "|" +
                      row.Find("ref")->text + "|" + status + "|" + value + "|" +
                      (coded ? std::to_string(static_cast<int>(row.Find("error")->number)) : ""));
    }
    EXPECT_EQ(lines, rows);
  }
}

// A missing column, a file that cannot be read, or a field past the limit:
// status 2, one line on standard error, nothing on standard output.
TEST_F(ToolBom, TroubleGivesStatusTwoAndNoOutput) {
  const std::string directory = m_home.Path();
  const struct {
    std::vector<std::string> args;
    std::string input;
    std::string err;
  } rows[] = {
      {{"bom", "-"}, "Qty,Note\n1,a\n", "no reference column"},
      {{"bom", "-"}, "Ref,Ohms\nR1,1k\n", "no value column (value, values, val, comment, name or designation) in the header \"Ref,Ohms\""},
      {{"bom", "--value-column", "Ohms", "-"}, "Ref,Value\nR1,1k\n", "no column 'Ohms'"},
      {{"bom", "-"}, "", "standard input has no records"},
      {{"bom", directory + "/none.csv"}, "", "cannot open"},
      {{"bom", directory}, "", "Is a directory"},
      {{"bom", "-"}, "Ref,Value\nR1,\"" + std::string((1 << 20) + 10, '1') + "\"\n",
       "longer than 1 MiB"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.err);
    const ToolResult result = Run(row.args, row.input);
    EXPECT_EQ(result.status, 2);
    if (row.err != "longer than 1 MiB") {
      EXPECT_EQ(result.out, "");
    }
    EXPECT_NE(result.err.find(row.err), std::string::npos) << result.err;
  }
}

// A million rows: the peak resident set stays under 30 MB (the output goes
// to /dev/null, so that only the command's own memory counts).
TEST_F(ToolBom, MillionRowsInConstantMemory) {
  constexpr int kRows = 1000000;
  const std::string path = m_home.Path() + "/million.csv";
  int counts[6] = {};
  {
    std::ofstream file(path, std::ios::binary);
    file << "Reference,Value,Footprint,Note\n";
    const char* values[] = {"4k7", "100n", "10uH", "4P7", "4x7", "2u2"};
    const char* prefixes[] = {"R", "C", "L", "R", "R", "C"};
    std::string line;
    for (int i = 0; i < kRows; ++i) {
      const int k = i % 6;
      ++counts[k];
      line = prefixes[k] + std::to_string(i + 1) + "," + values[k] + ",R_0603,\"row, " +
             std::to_string(i) + "\"\n";
      file << line;
    }
  }
  const auto start = std::chrono::steady_clock::now();
  const ToolResult result = RunTool({"bom", path}, "", m_home, {}, "/dev/null");
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(result.status, 1);
  const int read = counts[0] + counts[1] + counts[2] + counts[5];
  EXPECT_EQ(result.err, Summary(kRows, read, counts[4], counts[3], 0));
  // Under AddressSanitizer freed memory is held in quarantine and the
  // figure says nothing about the command; the plain build checks it.
  if (!kSanitized) {
    EXPECT_LT(result.maxRssKiB, 30 * 1000);
  }
  std::printf("bom: %d rows in %.2f s, peak resident set %ld KiB\n", kRows, seconds,
              result.maxRssKiB);
}

}  // namespace
}  // namespace tarvil::tooltest
