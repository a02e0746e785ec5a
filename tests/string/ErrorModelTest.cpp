// Construction, the error fields, the message texts and their marking, the
// message box, value domains and the settings refresh entry points.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CTarvil.h"
#include "MessageBox.h"
#include "Resources.h"

namespace {

using tarvil::platform::MessageBoxHandler;
using tarvil::platform::SetMessageBoxHandler;
using tarvil::platform::SetStringResource;

std::string Text(const CString& s) { return std::string(s.View()); }

CTarvil Failed(const char* text, eCTarvilErr code, int position) {
  CTarvil t(text);
  t.m_eCurrentError = code;
  t.m_nCursorPosition = position;
  return t;
}

TEST(Construction, EveryConstructorButCopyStartsWithoutError) {
  const char bytes[] = {'a', 'b', '\0', 'c', 'd'};
  const unsigned char utext[] = "xyz";
  const unsigned short wide[] = {'A', 0x00E9, 0xD83D, 0xDE00, 0};  // 'A', e-acute, an emoji
  const unsigned short lone[] = {0xD800, 'x', 0};                  // unpaired surrogate
  struct Row {
    const char* name;
    CTarvil value;
    std::string text;
  } rows[] = {
      {"default", CTarvil(), ""},
      {"from CString", CTarvil(CString("abc")), "abc"},
      {"repeat", CTarvil('x', 3), "xxx"},
      {"repeat none", CTarvil('x', 0), ""},
      {"repeat negative", CTarvil('x', -4), ""},
      {"counted", CTarvil("abcdef", 3), "abc"},
      {"counted stops at terminator", CTarvil(bytes, 5), "ab"},
      {"counted zero", CTarvil("abc", 0), ""},
      {"counted negative", CTarvil("abc", -1), ""},
      {"counted null", CTarvil(static_cast<const char*>(nullptr), 4), ""},
      {"unsigned", CTarvil(utext), "xyz"},
      {"unsigned null", CTarvil(static_cast<const unsigned char*>(nullptr)), ""},
      {"wide", CTarvil(wide), "A\xC3\xA9\xF0\x9F\x98\x80"},
      {"wide unpaired surrogate", CTarvil(lone), "\xEF\xBF\xBDx"},
      {"wide null", CTarvil(static_cast<const unsigned short*>(nullptr)), ""},
      {"text", CTarvil("hello"), "hello"},
      {"text null", CTarvil(static_cast<const char*>(nullptr)), ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Text(row.value), row.text);
    EXPECT_EQ(row.value.GetCursorPosition(), 0);
    EXPECT_EQ(row.value.GetCurrentError(), eErrNone);
    EXPECT_EQ(Text(row.value.GetErrorMessage()), "");
  }
}

TEST(Construction, CopyCarriesTheErrorFieldsTextAssignmentKeepsThem) {
  CTarvil failed = Failed("12a4", eErrInvalidCharacter, 3);
  CTarvil copy(failed);
  EXPECT_EQ(Text(copy), "12a4");
  EXPECT_EQ(copy.GetCursorPosition(), 3);
  EXPECT_EQ(copy.GetCurrentError(), eErrInvalidCharacter);

  CTarvil assigned("other");
  assigned = failed;
  EXPECT_EQ(Text(assigned), "12a4");
  EXPECT_EQ(assigned.GetCursorPosition(), 3);
  EXPECT_EQ(assigned.GetCurrentError(), eErrInvalidCharacter);

  assigned = assigned;  // self-assignment keeps everything
  EXPECT_EQ(Text(assigned), "12a4");
  EXPECT_EQ(assigned.GetCursorPosition(), 3);

  // Assigning a text replaces the text only; the caller may still read the
  // error of the last test.
  assigned = "1234";
  EXPECT_EQ(Text(assigned), "1234");
  EXPECT_EQ(assigned.GetCursorPosition(), 3);
  EXPECT_EQ(assigned.GetCurrentError(), eErrInvalidCharacter);
  assigned = CString("55");
  EXPECT_EQ(Text(assigned), "55");
  EXPECT_EQ(assigned.GetCurrentError(), eErrInvalidCharacter);
  assigned = static_cast<const char*>(nullptr);
  EXPECT_EQ(Text(assigned), "");
  EXPECT_EQ(assigned.GetCursorPosition(), 3);
}

TEST(ErrorMessage, TextsAndMarking) {
  const std::string name300(300, 'n');
  struct Row {
    std::string text;
    int code;
    int position;
    std::string message;
  } rows[] = {
      {"12a4", eErrNone, 0, ""},
      {"12a4", eErrNone, 3, ""},
      {"", eErrEmpty, 0, "String is empty."},
      {"abc", eErrEmpty, 2, "String is empty."},
      {"   ", eErrBlank, 3, "String is blank."},
      {"12a4", eErrInvalidCharacter, 3, "12<a>4\nInvalid character(s) detected."},
      {"a", eErrInvalidCharacter, 1, "<a>\nInvalid character(s) detected."},
      // A missing character: '<' at the end, '>' one blank further on.
      {"-", eErrInvalidCharacter, 2, "-< >\nInvalid character(s) detected."},
      {"1.2.3", eErrTooManyDecimalPlaces, 4, "1.2<.>3\nToo many decimal places."},
      // The marks enclose a whole character, never part of one.
      {"2\xCE\xA9", eErrInvalidCharacter, 2, "2<\xCE\xA9>\nInvalid character(s) detected."},
      {"2\xC2\xB5" "2\xE2\x82\xAC", eErrInvalidCharacter, 5,
       "2\xC2\xB5" "2<\xE2\x82\xAC>\nInvalid character(s) detected."},
      {"1\xCE", eErrInvalidCharacter, 2, "1<\xCE>\nInvalid character(s) detected."},
      {name300, eErrCharacterLimit, 300, name300 + "\nCharacter limit exceeded."},
      {"12", eErrNoUnit, 1, "12\nNo unit detected."},
      {"2e9", eErrTooLarge, 1, "2e9\nValue is too large."},
      {"-1", eErrTooSmall, 1, "-1\nValue is too small."},
      // Without a position every code but "empty" gives the blank message.
      {"0", eErrZeroNotAllowed, 0, "String is blank."},
      {"12a4", eErrInvalidCharacter, 0, "String is blank."},
      {"0", eErrZeroNotAllowed, 1, "Zero is not an allowed value."},
      {"-3", eErrNegativeNotAllowed, 1, "Negative values are not allowed."},
      {"3", eErrPositiveNotAllowed, 1, "Positive values are not allowed."},
      {"1.5", eErrNotAnInteger, 1, "Does not represent an integer value."},
      // Unknown codes: the text, a line feed and no message.
      {"ab", 13, 1, "ab\n"},
      {"ab", -7, 1, "ab\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text.substr(0, 20) + " code " + std::to_string(row.code));
    CTarvil t = Failed(row.text.c_str(), static_cast<eCTarvilErr>(row.code), row.position);
    CTarvil message = t.GetErrorMessage();
    EXPECT_EQ(Text(message), row.message);
    EXPECT_EQ(message.GetCursorPosition(), 0);
    EXPECT_EQ(message.GetCurrentError(), eErrNone);
    // The object itself is untouched.
    EXPECT_EQ(Text(t), row.text);
    EXPECT_EQ(t.GetCursorPosition(), row.position);
  }
}

TEST(ErrorMessage, PositionsOutsideTheTextNeverReadOutside) {
  // A caller may set the public fields to anything.
  struct Row {
    int position;
    std::string message;
  } rows[] = {
      {-5, "ab\nInvalid character(s) detected."},
      {5, "ab  < >\nInvalid character(s) detected."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.position);
    CTarvil t = Failed("ab", eErrInvalidCharacter, row.position);
    EXPECT_EQ(Text(t.GetErrorMessage()), row.message);
  }
  CTarvil far = Failed("ab", eErrCharacterLimit, 2147483647);
  EXPECT_EQ(Text(far.GetErrorMessage()), "ab\nCharacter limit exceeded.");
}

class DisplayErrorTest : public ::testing::Test {
 protected:
  struct Shown {
    std::string text;
    unsigned int type;
    unsigned int help;
  };
  void SetUp() override {
    previous_ = SetMessageBoxHandler([this](const char* text, unsigned int type, unsigned int help) {
      shown_.push_back({text, type, help});
      return 1;
    });
  }
  void TearDown() override {
    SetMessageBoxHandler(previous_);
    SetStringResource(kPrompt, nullptr);
  }
  static constexpr unsigned int kPrompt = 41001;
  std::vector<Shown> shown_;
  MessageBoxHandler previous_;
};

TEST_F(DisplayErrorTest, ShowsPromptAndMessage) {
  SetStringResource(kPrompt, "Enter a resistance.");
  struct Row {
    const char* text;
    eCTarvilErr code;
    int position;
    unsigned int prompt;
    const char* shown;  // null: nothing shown
  } rows[] = {
      {"12a4", eErrNone, 0, 0, nullptr},
      {"12a4", eErrNone, 3, kPrompt, nullptr},
      {"4x7", eErrInvalidCharacter, 2, kPrompt,
       "Enter a resistance.\n4<x>7\nInvalid character(s) detected."},
      {"4x7", eErrInvalidCharacter, 2, 0, "4<x>7\nInvalid character(s) detected."},
      {"", eErrEmpty, 0, kPrompt, "Enter a resistance.\nString is empty."},
      // An unknown prompt loads as an empty text.
      {"", eErrEmpty, 0, 41999, "\nString is empty."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    shown_.clear();
    CTarvil t = Failed(row.text, row.code, row.position);
    t.DisplayError(row.prompt);
    if (row.shown == nullptr) {
      EXPECT_TRUE(shown_.empty());
      continue;
    }
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, row.shown);
    EXPECT_EQ(shown_[0].type, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(shown_[0].help, 0u);
    EXPECT_EQ(t.GetCurrentError(), row.code);  // showing does not clear
  }
}

TEST(ValueInDomain, AcceptsAndRejectsWithTheRightReason) {
  const eCTarvilErr kUntouched = static_cast<eCTarvilErr>(99);
  struct Row {
    double value;
    int domain;
    int result;
    eCTarvilErr reason;
  } rows[] = {
      {0.0, eDomainAny, 1, kUntouched},
      {-1e300, eDomainAny, 1, kUntouched},
      {-1.0, eDomainNegative, 1, kUntouched},
      {0.0, eDomainNegative, 0, eErrZeroNotAllowed},
      {-0.0, eDomainNegative, 0, eErrZeroNotAllowed},
      {2.0, eDomainNegative, 0, eErrPositiveNotAllowed},
      {1e-300, eDomainPositive, 1, kUntouched},
      {0.0, eDomainPositive, 0, eErrZeroNotAllowed},
      {-1.0, eDomainPositive, 0, eErrNegativeNotAllowed},
      {0.0, eDomainZeroOrNegative, 1, kUntouched},
      {-5.0, eDomainZeroOrNegative, 1, kUntouched},
      {2.0, eDomainZeroOrNegative, 0, eErrPositiveNotAllowed},
      {0.0, eDomainZeroOrPositive, 1, kUntouched},
      {-1e-300, eDomainZeroOrPositive, 0, eErrNegativeNotAllowed},
      {-3.0, eDomainNonZero, 1, kUntouched},
      {0.0, eDomainNonZero, 0, eErrZeroNotAllowed},
      // Unknown domains accept everything, negative ones too.
      {-3.0, 7, 1, kUntouched},
      {0.0, -1, 1, kUntouched},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.value) + " in " + std::to_string(row.domain));
    eCTarvilErr reason = kUntouched;
    EXPECT_EQ(CTarvilValueInDomain(row.value, static_cast<eCTarvilDomain>(row.domain), &reason),
              row.result);
    EXPECT_EQ(reason, row.reason);
    EXPECT_EQ(CTarvilValueInDomain(row.value, static_cast<eCTarvilDomain>(row.domain), nullptr),
              row.result);
  }
}

TEST(SharedState, SetLocaleByName) {
  // A sentinel in memory shows whether anything was read again.
  const int saved = CTarvil::s_Locale.m_nPercentPrecision;
  struct Row {
    const char* name;
    int result;
  } refused[] = {{"INTL", 0}, {"", 0}, {"intl ", 0}, {"int", 0}, {"Intl", 0}};
  CTarvil::s_Locale.m_nPercentPrecision = 77;
  for (const Row& row : refused) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CTarvil::SetLocale(row.name), row.result);
    EXPECT_EQ(CTarvil::s_Locale.m_nPercentPrecision, 77);
  }
  CTarvil::s_Locale.m_nPercentPrecision = saved;

  for (const char* name : {"intl", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(name ? name : "null");
    CTarvil::s_Locale.m_nLoaded = 0;
    EXPECT_EQ(CTarvil::SetLocale(name), 1);
    EXPECT_EQ(CTarvil::s_Locale.m_nLoaded, 1);
    EXPECT_EQ(CTarvil::s_OVUnits.IsInitialised(), 1);
  }
}

TEST(SharedState, NotationRefreshLeavesTheLoadedFlagAlone) {
  CTarvil::SetLocale();
  CTarvil::s_Locale.m_nLoaded = 0;
  CTarvil::SetOVLocale();
  EXPECT_EQ(CTarvil::s_Locale.m_nLoaded, 0);
  CTarvil::SetLocale();
  EXPECT_EQ(CTarvil::s_Locale.m_nLoaded, 1);
}

}  // namespace
