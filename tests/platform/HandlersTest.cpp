// Tests of the string table, the message box and the precondition report.
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "AssertReport.h"
#include "CString.h"
#include "MessageBox.h"
#include "Resources.h"

namespace {

using namespace tarvil::platform;

TEST(StringResources, TheLibraryMessages) {
  const struct {
    unsigned int id;
    const char* text;
  } messages[] = {
      {20001, "String is blank."},
      {20002, "String is empty."},
      {20003, "Too many decimal places."},
      {20004, "Invalid character(s) detected."},
      {20005, "Character limit exceeded."},
      {20006, "No unit detected."},
      {20007, "Value is too large."},
      {20008, "Value is too small."},
      {20009, "Zero is not an allowed value."},
      {20010, "Negative values are not allowed."},
      {20011, "Positive values are not allowed."},
      {20012, "Does not represent an integer value."},
  };
  for (const auto& m : messages) {
    CString s("old");
    EXPECT_TRUE(s.LoadString(m.id)) << m.id;
    EXPECT_EQ(std::string(s.View()), m.text) << m.id;
  }
}

TEST(StringResources, MissingIdentifiersLoadEmpty) {
  for (unsigned int id : {0u, 1u, 20000u, 20013u, 65535u, 0xFFFFFFFFu}) {
    CString s("old text");
    EXPECT_FALSE(s.LoadString(id)) << id;
    EXPECT_EQ(s.GetLength(), 0) << id;
    EXPECT_EQ(FindStringResource(id), nullptr) << id;
  }
}

TEST(StringResources, HostTextsAreAddedReplacedAndRemoved) {
  const unsigned int id = 31001;
  CString s;
  SetStringResource(id, "Enter the trace width");
  EXPECT_TRUE(s.LoadString(id));
  EXPECT_EQ(std::string(s.View()), "Enter the trace width");

  std::string temporary = "Enter the clearance";
  SetStringResource(id, temporary.c_str());
  temporary.assign("overwritten");  // the table keeps its own copy
  EXPECT_TRUE(s.LoadString(id));
  EXPECT_EQ(std::string(s.View()), "Enter the clearance");

  SetStringResource(id, "");
  EXPECT_TRUE(s.LoadString(id));
  EXPECT_EQ(s.GetLength(), 0);

  SetStringResource(id, nullptr);
  EXPECT_FALSE(s.LoadString(id));

  // A host text goes before the library's, and removing it brings that back.
  SetStringResource(20004, "Bad character.");
  s.LoadString(20004);
  EXPECT_EQ(std::string(s.View()), "Bad character.");
  SetStringResource(20004, nullptr);
  s.LoadString(20004);
  EXPECT_EQ(std::string(s.View()), "Invalid character(s) detected.");
}

struct BoxCall {
  std::string text;
  unsigned int type;
  unsigned int help;
};

TEST(MessageBox, TheHandlerSeesEveryCall) {
  auto calls = std::make_shared<std::vector<BoxCall>>();
  MessageBoxHandler previous = SetMessageBoxHandler(
      [calls](const char* text, unsigned int type, unsigned int help) {
        calls->push_back({text, type, help});
        return 42;
      });
  EXPECT_TRUE(static_cast<bool>(previous));  // the default handler
  EXPECT_EQ(AfxMessageBox("Value is too large.", MB_ICONINFORMATION, 7), 42);
  EXPECT_EQ(AfxMessageBox(nullptr), 42);
  EXPECT_EQ(AfxMessageBox("plain"), 42);
  ASSERT_EQ(calls->size(), 3u);
  EXPECT_EQ((*calls)[0].text, "Value is too large.");
  EXPECT_EQ((*calls)[0].type, 0x40u);
  EXPECT_EQ((*calls)[0].help, 7u);
  EXPECT_EQ((*calls)[1].text, "");
  EXPECT_EQ((*calls)[2].type, MB_OK);
  EXPECT_EQ((*calls)[2].help, 0u);

  // Putting the previous handler back returns ours.
  MessageBoxHandler ours = SetMessageBoxHandler(previous);
  ASSERT_TRUE(static_cast<bool>(ours));
  EXPECT_EQ(ours("direct", 0, 0), 42);
  EXPECT_EQ(calls->size(), 4u);
}

TEST(MessageBox, AHandlerMayReplaceItselfWhileItRuns) {
  auto log = std::make_shared<std::string>();
  MessageBoxHandler previous = SetMessageBoxHandler(
      [log](const char* text, unsigned int, unsigned int) {
        SetMessageBoxHandler([](const char*, unsigned int, unsigned int) { return 2; });
        *log += text;  // still alive after the replacement
        return 1;
      });
  EXPECT_EQ(AfxMessageBox("first"), 1);
  EXPECT_EQ(AfxMessageBox("second"), 2);
  EXPECT_EQ(*log, "first");
  SetMessageBoxHandler(previous);
}

TEST(MessageBox, TheDefaultWritesToStandardError) {
  if (isatty(STDIN_FILENO)) GTEST_SKIP() << "standard input is a terminal: the default would wait";
  MessageBoxHandler previous = SetMessageBoxHandler(nullptr);  // the default
  testing::internal::CaptureStderr();
  int result = AfxMessageBox("String is empty.");
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, 1);
  EXPECT_EQ(err, "String is empty.\n");
  SetMessageBoxHandler(previous);
}

struct Report {
  std::string condition, unit;
  int line;
};

TEST(AssertReport, FailedChecksReachTheHandlerVerbatim) {
  auto reports = std::make_shared<std::vector<Report>>();
  AssertReportHandler previous =
      SetAssertReportHandler([reports](const char* condition, const char* unit, int line) {
        reports->push_back({condition, unit, line});
      });
  EXPECT_TRUE(static_cast<bool>(previous));
  int unit = 12;
  EXPECT_TRUE(TARVIL_CHECK(unit >= 0, "unit >= 0", "UConvert"));
  EXPECT_TRUE(reports->empty());
  int line = __LINE__ + 1;
  EXPECT_FALSE(TARVIL_CHECK(unit < 10, "unit < kDesUnitNum", "UConvert"));
  ASSERT_EQ(reports->size(), 1u);
  EXPECT_EQ((*reports)[0].condition, "unit < kDesUnitNum");
  EXPECT_EQ((*reports)[0].unit, "UConvert");
  EXPECT_EQ((*reports)[0].line, line);

  ReportAssert(nullptr, nullptr, 3);
  ASSERT_EQ(reports->size(), 2u);
  EXPECT_EQ((*reports)[1].condition, "");
  EXPECT_EQ((*reports)[1].unit, "");

  AssertReportHandler ours = SetAssertReportHandler(previous);
  ASSERT_TRUE(static_cast<bool>(ours));
  ours("x", "y", 1);
  EXPECT_EQ(reports->size(), 3u);
}

TEST(AssertReport, TheDefaultWritesOneLineAndReturns) {
  AssertReportHandler previous = SetAssertReportHandler(nullptr);
  testing::internal::CaptureStderr();
  ReportAssert("unit < kSIUnitNum", "SIConvert", 88);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "tarvil: precondition failed in SIConvert, line 88: unit < kSIUnitNum\n");
  SetAssertReportHandler(previous);
}

TEST(AssertReport, AHandlerMayReplaceItselfWhileItRuns) {
  auto seen = std::make_shared<std::string>();
  AssertReportHandler previous =
      SetAssertReportHandler([seen](const char* condition, const char*, int) {
        SetAssertReportHandler([](const char*, const char*, int) {});
        *seen += condition;
      });
  ReportAssert("a", "u", 1);
  ReportAssert("b", "u", 2);
  EXPECT_EQ(*seen, "a");
  SetAssertReportHandler(previous);
}

}  // namespace
