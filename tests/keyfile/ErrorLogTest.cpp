// Error log layout: messages with blank lines, line prefix and indentation,
// the centred header, the destinations, and the units log's flags.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>

#include "ErrorLog.h"
#include "ErrorLogInternal.h"
#include "KeyfileTestSupport.h"
#include "Resources.h"

namespace {

using tarvil::detail::BuildLogHeader;
using tarvil::detail::BuildLogMessage;

TEST(ErrorLog, MessageLayout) {
  struct Row {
    const char* text;
    int blank, line, indent;
    std::string out;
  } rows[] = {
      {"a\nb", 0, 3, 1, "    Line 3 : a\n             b"},
      {"text", 1, 0, 0, "\ntext"},
      {"end\n", 0, 0, 0, "end\n"},
      {"\nstart", 2, 0, 0, "\n\n\nstart"},
      {"%s and %d%", 0, 0, 0, "%s and %d%"},
      {"", 1, 0, 0, "\n"},
      {"a\n\nb\n\n", 0, 0, 2, "        a\n        \n        b\n\n"},
      {"\n\n", 0, 7, 1, "\n\n    Line 7 : "},
      {"x", -1, -5, -2, "x"},
      {"a\nb", 0, 12, 0, "Line 12 : a\n          b"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(BuildLogMessage(row.text, row.blank, row.line, row.indent), row.out);
    char* formatted = FormatLogMessage(row.text, row.blank, row.line, row.indent);
    ASSERT_NE(formatted, nullptr);
    EXPECT_EQ(std::string(formatted), row.out);
    std::free(formatted);
  }
}

TEST(ErrorLog, MessageDestinations) {
  FILE* f = std::tmpfile();
  WriteLogMessage(f, "one %s", 1, 0, 0);
  tarvil::platform::SetStringResource(64001, "from %d resource");
  WriteLogMessage(f, 64001u, 0, 2, 0);
  WriteLogMessage(static_cast<FILE*>(nullptr), "nothing", 1, 0, 0);
  EXPECT_EQ(keyfile_test::Contents(f), "\none %sLine 2 : from %d resource");
  std::fclose(f);
  tarvil::platform::SetStringResource(64001, nullptr);

  std::ostringstream good;
  WriteLogMessage(good, "x\ny", 0, 0, 1);
  EXPECT_EQ(good.str(), "    x\n    y");
  std::ostringstream failed;
  failed.setstate(std::ios::failbit);
  WriteLogMessage(failed, "x", 0, 0, 0);
  EXPECT_EQ(failed.str(), "");

  CString text("old");
  WriteLogMessage(text, "new", 1, 0, 0);
  EXPECT_EQ(text, "\nnew");
}

TEST(ErrorLog, HeaderLayout) {
  const std::string date = "03:07 PM Wednesday, March 06, 2002";  // 34 characters
  EXPECT_EQ(BuildLogHeader("Units Definitions Error Log", "", 80, date),
            "\n" + std::string(27, ' ') + "Units Definitions Error Log\n" +
                std::string(27, ' ') + std::string(27, '-') + "\n\n" + std::string(23, ' ') +
                date + "\n" + std::string(35, ' ') + "Job Name: \n\n");
  // A width below the title's length starts the title at the margin.
  EXPECT_EQ(BuildLogHeader("Title", "Board 7", 4, "D"),
            "\nTitle\n-----\n\n  D\nJob Name: Board 7\n\n");
  EXPECT_EQ(BuildLogHeader("", "", 0, ""), "\n\n\n\n\nJob Name: \n\n");
}

TEST(ErrorLog, HeaderCarriesThePresentTime) {
  char* header = FormatLogHeader("Units Definitions Error Log", nullptr, 80);
  ASSERT_NE(header, nullptr);
  std::string text(header);
  std::free(header);
  std::smatch m;
  ASSERT_TRUE(std::regex_search(
      text, m,
      std::regex("\n\n( *)([01][0-9]:[0-5][0-9] (AM|PM) [A-Z][a-z]+day, [A-Z][a-z]+ "
                 "[0-3][0-9], [0-9]{4})\n")));
  EXPECT_EQ(m[1].length(), (80 - m[2].length() + 1) / 2);

  FILE* f = std::tmpfile();
  WriteLogHeader(f, "T", "J", 10);
  std::string written = keyfile_test::Contents(f);
  std::fclose(f);
  EXPECT_EQ(written.substr(0, 15), "\n     T\n     -\n");
  EXPECT_NE(written.find("\nJob Name: J\n\n"), std::string::npos);
  tarvil::platform::SetStringResource(64002, "Resource Title");
  f = std::tmpfile();
  WriteLogHeader(f, 64002u, nullptr, 14);
  written = keyfile_test::Contents(f);
  std::fclose(f);
  EXPECT_EQ(written.substr(0, 31), "\nResource Title\n--------------\n");
  tarvil::platform::SetStringResource(64002, nullptr);
  std::ostringstream out;
  WriteLogHeader(out, "T", nullptr, 1);
  EXPECT_EQ(out.str().substr(0, 5), "\nT\n-\n");
}

TEST(ErrorLog, UnitsLogFlags) {
  tarvil::detail::ResetUnitsLogState();
  LogUnitsMessage(nullptr, "dropped");
  EXPECT_TRUE(tarvil::detail::IsUnitsLogEmpty());

  FILE* f = std::tmpfile();
  LogUnitsMessage(f, nullptr);  // the header only
  EXPECT_TRUE(tarvil::detail::IsUnitsLogEmpty());
  std::string header = keyfile_test::Contents(f);
  EXPECT_EQ(header.substr(0, 56), "\n" + std::string(27, ' ') + "Units Definitions Error Log\n");
  LogUnitsMessage(f, "100% sure: %s");
  LogUnitsMessage(f, "\tsecond\n");
  EXPECT_FALSE(tarvil::detail::IsUnitsLogEmpty());
  EXPECT_EQ(keyfile_test::Contents(f), header + "\n100% sure: %s\n\tsecond\n");
  std::fclose(f);

  // The header is written once per process.
  f = std::tmpfile();
  LogUnitsMessage(f, "again");
  EXPECT_EQ(keyfile_test::Contents(f), "\nagain");
  std::fclose(f);
  tarvil::detail::ResetUnitsLogState();
}

}  // namespace
