// Whole numbers in the regional format: the test, the reader with its
// clamping, the grouping writer, the interpret member, appending a number
// to a name, and the time stamp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <tarvil/MessageBox.h>

#include "NotationSettingsFixture.h"
#include "TestSupport.h"

namespace {

class PlainIntegerTest : public NotationSettingsTest {};

TEST_F(PlainIntegerTest, WhatIsAWholeNumber) {
  struct Case {
    const char* text;
    int result;
    eCTarvilErr error;
    int cursor;
  } cases[] = {
      {"  -1,234  ", 1, eErrNone, 10},
      {"+7", 1, eErrNone, 2},
      {"1,,2", 1, eErrNone, 4},  // grouping symbols anywhere after the first digit
      {"99999999999", 1, eErrNone, 11},  // no range test
      {",123", 0, eErrInvalidCharacter, 1},
      {"-,1", 0, eErrInvalidCharacter, 2},
      {"12 3", 0, eErrInvalidCharacter, 3},
      {"12.5", 0, eErrInvalidCharacter, 3},
      {"12a4", 0, eErrInvalidCharacter, 3},
      {"+", 0, eErrInvalidCharacter, 2},
      {"  - ", 0, eErrInvalidCharacter, 4},
      {"\xC3\xA9" "1", 0, eErrInvalidCharacter, 1},
      {"", 0, eErrEmpty, 0},
      {"   ", 0, eErrBlank, 3},
  };
  for (const Case& c : cases) {
    CTarvil text(c.text);
    EXPECT_EQ(text.IsInteger(), c.result) << "'" << c.text << "'";
    EXPECT_EQ(text.GetCurrentError(), c.error) << "'" << c.text << "'";
    EXPECT_EQ(text.GetCursorPosition(), c.cursor) << "'" << c.text << "'";
    EXPECT_EQ(std::string(text.View()), c.text) << "the test must not edit the text";
  }
}

TEST_F(PlainIntegerTest, ReadingClampsToTheIntegerRange) {
  struct Case {
    const char* text;
    long status;
    int value;
  } cases[] = {
      {"  -1,234  ", S_OK, -1234},
      {"1,,2", S_OK, 12},
      {"2147483647", S_OK, 2147483647},
      {"-2147483648", S_OK, -2147483647 - 1},
      {"2147483648", S_OK, 2147483647},
      {"99999999999", S_OK, 2147483647},
      {"-99,999,999,999", S_OK, -2147483647 - 1},
      {"000000000000000000042", S_OK, 42},
      {"x", E_INVALIDARG, 0},
      {"", E_FAIL, 0},
  };
  for (const Case& c : cases) {
    CTarvil text(c.text);
    int value = -7;
    EXPECT_EQ(text.GetInteger(&value), c.status) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
  CTarvil text("12a4");
  EXPECT_EQ(text.IsInteger(), 0);
  EXPECT_EQ(text.GetInteger(nullptr), E_INVALIDARG);
  EXPECT_EQ(text.GetCurrentError(), eErrInvalidCharacter);  // nothing touched
  CTarvil empty;
  int value = 0;
  EXPECT_EQ(empty.GetInteger(&value), E_FAIL);
  EXPECT_EQ(empty.GetCurrentError(), eErrEmpty);
}

TEST_F(PlainIntegerTest, WritingGroupsTheDigits) {
  struct Case {
    int grouping;
    int value;
    const char* expected;
  } cases[] = {
      {3, 999, "999"},          {3, 1000, "1,000"},
      {3, 1234567, "1,234,567"}, {3, -1234, "-1,234"},
      {3, 0, "0"},              {3, -2147483647 - 1, "-2,147,483,648"},
      {3, 2147483647, "2,147,483,647"},
      {0, 1000, "1000"},        {-1, -123456, "-123456"},
      {2, 1234567, "1,23,45,67"}, {12, 2147483647, "2147483647"},
  };
  for (const Case& c : cases) {
    CTarvil::s_Locale.m_nGrouping = c.grouping;
    CTarvil text("12a4");
    text.IsInteger();
    text.SetInteger(c.value);
    EXPECT_EQ(std::string(text.View()), c.expected) << c.value;
    EXPECT_EQ(text.GetCurrentError(), eErrInvalidCharacter) << "writing keeps the error";
  }
  UseCommaDecimal();
  CTarvil::s_Locale.m_nGrouping = 3;
  CTarvil text;
  EXPECT_EQ(std::string(text.SetInteger(-1234567).View()), "-1.234.567");
}

class InterpretIntegerTest : public NotationSettingsTest {
 protected:
  void SetUp() override {
    NotationSettingsTest::SetUp();
    m_previous = tarvil::platform::SetMessageBoxHandler(
        [this](const char* text, unsigned int, unsigned int) {
          m_shown.push_back(text);
          return 1;
        });
  }
  void TearDown() override {
    tarvil::platform::SetMessageBoxHandler(m_previous);
    NotationSettingsTest::TearDown();
  }
  std::vector<std::string> m_shown;

 private:
  tarvil::platform::MessageBoxHandler m_previous;
};

TEST_F(InterpretIntegerTest, TestDomainAndRewrite) {
  struct Case {
    const char* text;
    int useNotation;
    int showError;
    eCTarvilDomain domain;
    int valueBefore;
    int result;
    int valueAfter;
    const char* after;
    eCTarvilErr error;
    int cursor;
    const char* shown;
  } cases[] = {
      {" 1234 ", 0, 0, eDomainAny, 0, 1, 1234, "1,234", eErrNone, 6, nullptr},
      {"4.7k", 1, 0, eDomainAny, 0, 1, 4700, "4.7k", eErrNone, 4, nullptr},
      {"4700", 1, 0, eDomainPositive, 0, 1, 4700, "4.7k", eErrNone, 4, nullptr},
      // A refused text that is not shown falls back to the value it left.
      {"abc", 0, 0, eDomainAny, 5, 0, 5, "5", eErrInvalidCharacter, 1, nullptr},
      {"abc", 1, 0, eDomainAny, 5, 0, 0, "0", eErrInvalidCharacter, 1, nullptr},
      {"abc", 0, 0, eDomainPositive, 0, 0, 0, "abc", eErrZeroNotAllowed, 1, nullptr},
      {"abc", 0, 1, eDomainAny, 5, 0, 5, "abc", eErrInvalidCharacter, 1,
       "<a>bc\nInvalid character(s) detected."},
      {"0", 0, 0, eDomainPositive, 0, 0, 0, "0", eErrZeroNotAllowed, 1, nullptr},
      {"  -5", 0, 1, eDomainPositive, 0, 0, -5, "  -5", eErrNegativeNotAllowed, 3,
       "Negative values are not allowed."},
      {"4.5", 1, 0, eDomainAny, 9, 0, 0, "0", eErrNotAnInteger, 4, nullptr},
  };
  for (const Case& c : cases) {
    m_shown.clear();
    CTarvil text(c.text);
    int value = c.valueBefore;
    EXPECT_EQ(text.InterpretAsInteger(value, c.useNotation, 0, c.showError, c.domain), c.result)
        << c.text;
    EXPECT_EQ(value, c.valueAfter) << c.text;
    EXPECT_EQ(std::string(text.View()), c.after) << c.text;
    EXPECT_EQ(text.GetCurrentError(), c.error) << c.text;
    EXPECT_EQ(text.GetCursorPosition(), c.cursor) << c.text;
    if (c.shown == nullptr) {
      EXPECT_TRUE(m_shown.empty()) << c.text;
    } else {
      ASSERT_EQ(m_shown.size(), 1u) << c.text;
      EXPECT_EQ(m_shown[0], c.shown) << c.text;
    }
  }
}

TEST(AppendNumTest, AppendsWithinTheLimit) {
  struct Case {
    const char* text;
    int number;
    int maxLength;
    int result;
    const char* after;
  } cases[] = {
      {"NETNAME", 7, 6, 1, "NETNA7"},
      {"NETNAME", 7, 0, 1, "NETNAME7"},
      {"NET", 12, 5, 1, "NET12"},
      {"NET", -1234567, 0, 1, "NET-1234567"},  // eight characters
      {"NET", 123456789, 0, 0, "NET"},         // nine
      {"NET", -12345678, 0, 0, "NET"},
      {"NETNAME", 1234567, 5, 0, "NETNAME"},
      {"NETNAME", 12, 2, 1, "12"},
      {"NET", 1, -1, 0, "NET"},
      {"", 42, 1, 0, ""},
      {"", 42, 2, 1, "42"},
      // A two-byte character is never cut in half.
      {"NETN\xC3\x84ME", 7, 6, 1, "NETN7"},
      {"NETN\xC3\x84ME", 7, 7, 1, "NETN\xC3\x84" "7"},
  };
  for (const Case& c : cases) {
    CTarvil text(c.text);
    EXPECT_EQ(text.AppendNum(c.number, c.maxLength), c.result) << c.text << " " << c.number;
    EXPECT_EQ(std::string(text.View()), c.after) << c.text << " " << c.number;
  }
}

TEST(AppendNumTest, OnlyACutClearsTheError) {
  CTarvil appended("12a4");
  appended.IsInteger();
  EXPECT_EQ(appended.AppendNum(5, 0), 1);
  EXPECT_EQ(appended.GetCurrentError(), eErrInvalidCharacter);
  CTarvil cut("12a4");
  cut.IsInteger();
  EXPECT_EQ(cut.AppendNum(5, 3), 1);
  EXPECT_EQ(std::string(cut.View()), "125");
  EXPECT_EQ(cut.GetCurrentError(), eErrNone);
  EXPECT_EQ(cut.GetCursorPosition(), 0);
}

TEST(TimeStampTest, ShortLocalDateAndTime) {
  struct Case {
    const char* tz;
    int time;
    const char* expected;
  } cases[] = {
      {"UTC0", 1015517100, "3/7/02 4:05 PM"},
      {"UTC0", 1040774820, "12/25/02 12:07 AM"},
      {"EST5", 1015517100, "3/7/02 11:05 AM"},
      {"UTC0", -1, "12/31/69 11:59 PM"},
      {"UTC0", 0, "1/1/70 12:00 AM"},
  };
  for (const Case& c : cases) {
    tarvil::test::EnvOverride tz("TZ", c.tz);
    CTarvil text("12a4");
    text.IsInteger();
    text.SetTimeStamp(c.time);
    EXPECT_EQ(std::string(text.View()), c.expected) << c.time;
    EXPECT_EQ(text.GetCurrentError(), eErrInvalidCharacter);
  }
}

}  // namespace
