// ToolFixture.h: the common frame of the tool's end-to-end tests: a private
// home with a user registry that holds the documented regional defaults.
#ifndef TARVIL_TESTS_TOOLFIXTURE_H
#define TARVIL_TESTS_TOOLFIXTURE_H

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "MiniJson.h"
#include "ToolProcess.h"

namespace tarvil::tooltest {

// Whether the program runs under AddressSanitizer (built as the tests are),
// whose shadow memory and quarantine make memory figures and limits say
// nothing about the program itself.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

// Regional settings written out, so that results do not depend on how the
// machine's C locale groups digits.
inline const char* const kDefaultUserHive =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "[HKEY_CURRENT_USER\\Control Panel\\International]\n"
    "\"sDecimal\"=\".\"\n"
    "\"sThousand\"=\",\"\n"
    "\"sGrouping\"=\"3;0\"\n"
    "\"iDigits\"=\"3\"\n"
    "\"iLZero\"=\"1\"\n";

// A row of a table of runs: arguments, standard input, and what must come
// out.
struct RunCase {
  std::vector<std::string> args;
  std::string input;
  std::string out;  // exact standard output
  int status;
  std::string err;  // must appear in standard error ("": it must stay empty)
};

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override { m_home.Write("user.reg", kDefaultUserHive); }

  // Runs every row and checks its output, status and message.
  void ExpectRuns(const std::vector<RunCase>& cases) {
    for (const RunCase& row : cases) {
      std::string trace;
      for (const std::string& arg : row.args) trace += "'" + arg + "' ";
      SCOPED_TRACE(trace);
      const ToolResult result = Run(row.args, row.input);
      EXPECT_EQ(result.out, row.out);
      EXPECT_EQ(result.status, row.status);
      if (row.err.empty()) {
        EXPECT_EQ(result.err, "");
      } else {
        EXPECT_NE(result.err.find(row.err), std::string::npos) << result.err;
      }
    }
  }

  ToolResult Run(const std::vector<std::string>& args, const std::string& input = std::string(),
                 const std::map<std::string, std::string>& extra = {}) {
    return RunTool(args, input, m_home, extra);
  }

  // Every line of `out` parsed as a JSON object.
  static std::vector<JsonValue> JsonLines(const std::string& out) {
    std::vector<JsonValue> values;
    for (const std::string& line : Lines(out)) {
      JsonValue value;
      std::string error;
      EXPECT_TRUE(ParseJson(line, value, error)) << error << " in: " << line;
      EXPECT_EQ(value.type, JsonValue::Type::kObject) << line;
      values.push_back(std::move(value));
    }
    return values;
  }

  TempDir m_home;
};

}  // namespace tarvil::tooltest

#endif
