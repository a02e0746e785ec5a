// The BOM reader of <tarvil/bom.h>: the export shapes of tests/data/bom
// read with no option give the rows of tests/data/bom/rows.txt (the same
// table the command's and the Python module's tests check), whatever the
// sizes of the chunks fed; faulty records and what stops a reader.
#include <gtest/gtest.h>

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "bom.h"

namespace {

using tarvil::BomOptions;
using tarvil::BomRow;
using tarvil::BomStop;

const std::string kData = TARVIL_TEST_DATA "/bom/";

std::string Shortest(double value) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

// A row as rows.txt writes it: file|row|line|reference|status|value|error.
std::string Line(const std::string& file, const BomRow& row) {
  const bool valued = row.part && row.part.value.has_value;
  const bool failed = row.status == tarvil::BomStatus::refused && row.fault == tarvil::BomFault::none;
  return file + "|" + std::to_string(row.row) + "|" + std::to_string(row.line) + "|" +
         std::string(row.reference) + "|" + std::string(tarvil::bom_status_name(row.status)) + "|" +
         (valued ? Shortest(row.part.value.value) : "") + "|" +
         (failed || row.status == tarvil::BomStatus::ambiguous
              ? std::to_string(static_cast<int>(row.part.error))
              : "");
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The rows of `bytes` fed in chunks of `chunk` bytes, with their messages.
struct Outcome {
  std::vector<std::string> lines;
  std::vector<std::string> messages;
  tarvil::BomLayout layout;
  BomStop stop = BomStop::none;
  std::string problem;
};

Outcome Feed(const std::string& file, const std::string& bytes, std::size_t chunk,
             BomOptions options = {}) {
  Outcome out;
  tarvil::BomReader reader(
      std::move(options),
      [&](const BomRow& row) {
        out.lines.push_back(Line(file, row));
        out.messages.push_back(row.message);
      },
      [&](const tarvil::BomLayout& layout) { out.layout = layout; });
  for (std::size_t at = 0; at < bytes.size(); at += chunk) {
    if (!reader.feed(std::string_view(bytes).substr(at, chunk))) break;
  }
  out.stop = reader.finish().stop;
  out.problem = reader.problem().message;
  return out;
}

TEST(BomReader, ExportShapesGiveTheRowsOfTheTableInAnyChunks) {
  std::map<std::string, std::vector<std::string>> expected;
  std::ifstream table(kData + "rows.txt");
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    expected[line.substr(0, line.find('|'))].push_back(line);
  }
  ASSERT_GE(expected.size(), 12u);
  for (const auto& [file, rows] : expected) {
    SCOPED_TRACE(file);
    std::vector<std::string> lines;
    const tarvil::BomProblem problem = tarvil::read_bom_file(
        kData + file, {}, [&](const BomRow& row) { lines.push_back(Line(file, row)); });
    EXPECT_FALSE(problem) << problem.message;
    EXPECT_EQ(lines, rows);
    const std::string bytes = ReadBytes(kData + file);
    for (std::size_t chunk : {std::size_t{1}, std::size_t{7}}) {
      EXPECT_EQ(Feed(file, bytes, chunk).lines, rows) << "chunks of " << chunk;
    }
  }
}

// What the reader found, and the messages of skipped and faulty rows.
TEST(BomReader, LayoutsAndReasons) {
  const struct {
    const char* file;
    char delimiter;
    bool header;
    long headerLine;
    std::size_t reference, value;
    bool quotedWhole;
    std::vector<std::string> messages;  // of every row, in order
  } cases[] = {
      {"value-and-val.csv", ',', true, 1, 0, 2, false, {"", "", ""}},
      {"title-lines.csv", ',', true, 5, 0, 1, false,
       {"before the header", "before the header", "before the header", "", ""}},
      {"legacy-by-value.csv", ';', false, 0, 3, 0, false, {"", "", "", ""}},
      {"sections.csv", ',', false, 0, 0, 1, false,
       {"section line", "", "", "section line", "", ""}},
      {"quoted-whole.csv", ',', true, 1, 0, 1, true, {"", ""}},
      {"two-letter-prefixes.csv", ',', true, 1, 0, 1, false,
       {"", "", "", "", "", "", "prefix RC has no kind", "prefix FB has no kind",
        "prefix Y has no kind"}},
      {"malformed.csv", ',', true, 1, 0, 1, false,
       {"", "character after a closing quote", "record has 4 fields, the header 3",
        "unterminated quote", "", "unterminated quote"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const Outcome out = Feed(c.file, ReadBytes(kData + c.file), 5);
    EXPECT_EQ(out.layout.delimiter, c.delimiter);
    EXPECT_EQ(out.layout.has_header, c.header);
    EXPECT_EQ(out.layout.header_line, c.headerLine);
    EXPECT_EQ(out.layout.reference_column, c.reference);
    EXPECT_EQ(out.layout.value_column, c.value);
    EXPECT_EQ(out.layout.quoted_whole, c.quotedWhole);
    EXPECT_EQ(out.messages, c.messages);
  }
}

// Faulty records keep their fields; a quote never closed takes no other
// line with it, also when the file's end cuts the record, and also past the
// record limit.
TEST(BomReader, FaultyRecordsKeepTheirFieldsAndTakeNoOtherLine) {
  const struct {
    std::string input;
    std::vector<std::string> fields;  // of the first data row, joined by '|'
    std::vector<std::string> lines;
  } cases[] = {
      {"Ref,Value,N\nR1,1k,\"a\"b,c\nR2,2k\n", {"R1|1k|a\"b,c"}, {"|1|2|R1|refused||", "|2|3|R2|read|2000|"}},
      {"Ref,Value\r\nR1,\"1k\nR2,2k\r\nR3,\"3\"\"k\"\"\"\r\n", {"R1|1k"},
       {"|1|2|R1|refused||", "|2|3|R2|read|2000|", "|3|4|R3|refused||4"}},
      {"Ref,Value,N\nR1, \"1k\" ,x\n", {"R1|1k|x"}, {"|1|2|R1|read|1000|"}},
      {"Ref,Value\nR1,1\"k\n", {"R1|1\"k"}, {"|1|2|R1|refused||4"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input.substr(0, 40));
    std::vector<std::string> lines;
    std::string first;
    tarvil::BomReader reader({}, [&](const BomRow& row) {
      lines.push_back(Line("", row));
      if (row.row != 1) return;
      for (std::size_t i = 0; i < row.fields.size(); ++i) first += (i ? "|" : "") + std::string(row.fields[i]);
    });
    reader.feed(c.input);
    EXPECT_FALSE(reader.finish());
    EXPECT_EQ(std::vector<std::string>{first}, c.fields);
    EXPECT_EQ(lines, c.lines);
  }
  // A quote left open grows the record past its limit: the first line is
  // refused and every later line read.
  std::string input = "Ref,Value\nR1,1k,\"open\n";
  constexpr int kRows = 200000;
  for (int i = 0; i < kRows; ++i) input += "R2,2k\n";
  long read = 0;
  std::vector<std::string> firstRow;
  tarvil::BomReader reader({}, [&](const BomRow& row) {
    if (row.row == 1) firstRow = {Line("", row), row.message};
    read += row.status == tarvil::BomStatus::read ? 1 : 0;
  });
  reader.feed(input);
  EXPECT_FALSE(reader.finish());
  EXPECT_EQ(firstRow, (std::vector<std::string>{"|1|2|R1|refused||", "unterminated quote"}));
  EXPECT_EQ(read, kRows);
}

TEST(BomReader, WhatStopsAReader) {
  BomOptions ohms;
  ohms.value_column = "Ohms";
  const struct {
    std::string input;
    BomOptions options;
    BomStop stop;
    std::string message;  // must appear in the problem's text
  } cases[] = {
      {"", {}, BomStop::no_records, "no records"},
      {"\n\n", {}, BomStop::no_records, "no records"},
      {"Ref;Qty\nR1;1\n", {}, BomStop::no_value_column,
       "no value column (value, values, val, comment, name or designation) in the header \"Ref;Qty\""},
      {"Ref,Value\nR1,1k\n", ohms, BomStop::no_value_column, "no column 'Ohms'"},
      {"Qty,Note\n1,a\n", {}, BomStop::no_reference_column, "no reference column"},
      {"Ref,Value\nR1,\"" + std::string(tarvil::bom_max_record_bytes, '1') + "\"\n", {},
       BomStop::record_too_long, "the record at line 2 is longer than 1 MiB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const Outcome out = Feed("", c.input, 4096, c.options);
    EXPECT_EQ(out.stop, c.stop);
    EXPECT_NE(out.problem.find(c.message), std::string::npos) << out.problem;
  }
  // A handler that throws leaves the reader stopped: the exception goes to
  // the caller, and further feeds read nothing.
  int rows = 0;
  tarvil::BomReader reader({}, [&rows](const BomRow&) {
    ++rows;
    throw std::runtime_error("handler");
  });
  EXPECT_THROW(
      {
        reader.feed("Ref,Value\nR1,1k\nR2,2k\n");
        reader.finish();
      },
      std::runtime_error);
  EXPECT_FALSE(reader.feed("R3,3k\n"));
  EXPECT_EQ(rows, 1);
  const tarvil::BomProblem folder = tarvil::read_bom_file(kData, {}, [](const BomRow&) {});
  EXPECT_EQ(folder.stop, BomStop::unreadable);
  EXPECT_NE(folder.message.find("Is a directory"), std::string::npos) << folder.message;
}

// The options: columns named or numbered, prefixes, a declared notation and
// the unit of bare numbers.
TEST(BomReader, OptionsOverrideWhatIsFound) {
  BomOptions named;
  named.reference_column = "Part";
  named.value_column = " size, NOMINAL ";
  named.prefixes["Q"] = tarvil::Quantity::voltage;
  BomOptions numbered;
  numbered.no_header = true;
  numbered.reference_column = "2";
  numbered.value_column = "1";
  numbered.notation = tarvil::Notation::european;
  BomOptions bare;
  bare.settings.bare_capacitance = tarvil::BareUnit::uF;
  const struct {
    std::string input;
    BomOptions options;
    std::vector<std::string> lines;
  } cases[] = {
      {"Ref;Part;\"Size, nominal\"\nx;Q1;3V3\nx;R1;1k\n", named,
       {"|1|2|Q1|read|3.3|", "|2|3|R1|read|1000|"}},
      {"4k7,R1\n4.7k,R2\n", numbered, {"|1|1|R1|read|4700|", "|2|2|R2|refused||3"}},
      {"Ref,Value\nC1,10\nC2,0.1 50V\nR1,10\n", bare,
       {"|1|2|C1|read|1e-05|", "|2|3|C2|read|1e-07|", "|3|4|R1|read|10|"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Feed("", c.input, 3, c.options).lines, c.lines);
  }
}

}  // namespace

// A field read before gives the same part, its views within the new row's
// field (the reader keeps the parts of repeated values).
TEST(BomReader, RepeatedFieldsReadAsTheFirst) {
  std::vector<std::string> rests;
  bool within = true;
  tarvil::BomReader reader(BomOptions(), [&](const BomRow& row) {
    const std::string_view rest = row.part.value.rest;
    within = within && rest.data() >= row.value_field.data() &&
             rest.data() + rest.size() <= row.value_field.data() + row.value_field.size();
    rests.emplace_back(rest);
  });
  reader.feed("Ref,Value\nR1,10k 1% thick film\nR2,10k 1% thick film\nC1,10k 1% thick film\n");
  reader.finish();
  EXPECT_TRUE(within);
  EXPECT_EQ(rests, std::vector<std::string>(3, "thick film"));
}

// The delimiter is that of the first 20 lines however the bytes arrive:
// whole, or in chunks that end past those lines.
TEST(BomReader, DelimiterOfTheFirstLinesInAnyChunks) {
  std::string text = "Ref\tValue\n";
  for (int i = 0; i < 19; ++i) text += "R" + std::to_string(i + 1) + "\t1k\n";
  for (int i = 0; i < 40; ++i) text += "a,b,c,d,e\n";
  for (std::size_t chunk : {text.size(), std::size_t{7}}) {
    char delimiter = 0;
    tarvil::BomReader reader(
        BomOptions(), [](const BomRow&) {},
        [&](const tarvil::BomLayout& layout) { delimiter = layout.delimiter; });
    for (std::size_t at = 0; at < text.size(); at += chunk) reader.feed(text.substr(at, chunk));
    reader.finish();
    EXPECT_EQ(delimiter, '\t') << "chunks of " << chunk;
  }
}
