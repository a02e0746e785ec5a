// Plain decimals in the regional format: test, read, write and interpret.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include <tarvil/MessageBox.h>

#include "NotationSettingsFixture.h"

namespace {

class PlainDecimalTest : public NotationSettingsTest {};

TEST_F(PlainDecimalTest, ReadingPlainDecimals) {
  struct Case {
    const char* text;
    long status;
    double value;
    eCTarvilErr error;
    int cursor;
    const char* after;
  } cases[] = {
      {"1,234.5", S_OK, 1234.5, eErrNone, 7, "1,234.5"},
      {" -0.3 ", S_OK, -0.3, eErrNone, 6, " -0.3"},
      {"12%", S_OK, 12.0, eErrNone, 3, "12"},
      {"1e3", S_OK, 1000.0, eErrNone, 3, "1e3"},
      {"1.2.3", E_INVALIDARG, 0.0, eErrTooManyDecimalPlaces, 4, "1.2.3"},
      {"4.7k", E_INVALIDARG, 0.0, eErrInvalidCharacter, 4, "4.7k"},  // no prefixes here
      {"abc", E_INVALIDARG, 0.0, eErrInvalidCharacter, 1, "abc"},
      {"", E_FAIL, 0.0, eErrEmpty, 0, ""},
      {"  ", E_INVALIDARG, 0.0, eErrBlank, 2, "  "},
  };
  for (const Case& c : cases) {
    CTarvil text(c.text);
    double value = -1;
    EXPECT_EQ(text.GetDouble(&value), c.status) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
    EXPECT_EQ(text.GetCurrentError(), c.error) << c.text;
    EXPECT_EQ(text.GetCursorPosition(), c.cursor) << c.text;
    EXPECT_EQ(std::string(text.View()), c.after) << c.text;
    CTarvil again(c.text);
    EXPECT_EQ(again.IsDouble(), c.status == S_OK ? 1 : 0) << c.text;
  }
  CTarvil text("1.5");
  EXPECT_EQ(text.GetDouble(nullptr), E_INVALIDARG);
}

TEST_F(PlainDecimalTest, WritingPlainDecimals) {
  struct Case {
    double value;
    int usePrecision;
    const char* expected;
  } cases[] = {
      {1234.5678, 1, "1,234.568"},
      {1234.5678, 0, "1,234.5678"},
      {12345.678, 1, "12,345.7"},
      {0.5, 1, "0.5"},
      {-2.25, 1, "-2.25"},
      {1.0 / 3.0, 1, "0.333"},
      {1.5e-20, 0, "1.5E-020"},
      {1.5e-20, 1, "1.5E-020"},
      {std::numeric_limits<double>::quiet_NaN(), 1, "NaN"},
      {std::numeric_limits<double>::infinity(), 0, "#INF"},
  };
  for (const Case& c : cases) {
    CTarvil text;
    EXPECT_EQ(std::string(text.SetDouble(c.value, c.usePrecision).View()), c.expected)
        << c.value;
  }
  CTarvil::s_Locale.m_nDigits = 1;
  CTarvil::s_Locale.m_nLeadingZero = 0;
  UseCommaDecimal();
  CTarvil text;
  EXPECT_EQ(std::string(text.SetDouble(0.26, 1).View()), ",3");
  EXPECT_EQ(std::string(text.SetDouble(1234.56, 1).View()), "1.234,6");
}

class InterpretDecimalTest : public NotationSettingsTest {
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

TEST_F(InterpretDecimalTest, TestDomainAndRewrite) {
  struct Case {
    const char* text;
    int useNotation;
    int showError;
    eCTarvilDomain domain;
    double valueBefore;
    int result;
    double valueAfter;
    const char* after;
    eCTarvilErr error;
    int cursor;
    int shown;
  } cases[] = {
      {"1234.5678", 0, 0, eDomainAny, 0, 1, 1234.5678, "1,234.568", eErrNone, 9, 0},
      {"1e3", 0, 0, eDomainAny, 0, 1, 1000.0, "1,000", eErrNone, 3, 0},
      {"4.7k", 1, 0, eDomainAny, 0, 1, 4700.0, "4.7k", eErrNone, 4, 0},
      {"4700", 1, 0, eDomainAny, 0, 1, 4700.0, "4.7k", eErrNone, 4, 0},
      {"4.7k", 0, 0, eDomainAny, 2.5, 0, 2.5, "2.5", eErrInvalidCharacter, 4, 0},
      {"abc", 1, 0, eDomainAny, 2.5, 0, 2.5, "2.5", eErrInvalidCharacter, 1, 0},
      {"abc", 0, 1, eDomainAny, 2.5, 0, 2.5, "abc", eErrInvalidCharacter, 1, 1},
      {"-1", 0, 0, eDomainPositive, 0, 0, -1.0, "-1", eErrNegativeNotAllowed, 1, 0},
      {" 0 ", 0, 1, eDomainNonZero, 0, 0, 0.0, " 0", eErrZeroNotAllowed, 2, 1},
  };
  for (const Case& c : cases) {
    m_shown.clear();
    CTarvil text(c.text);
    double value = c.valueBefore;
    EXPECT_EQ(text.InterpretAsDouble(value, c.useNotation, 0, c.showError, c.domain), c.result)
        << c.text;
    EXPECT_EQ(value, c.valueAfter) << c.text;
    EXPECT_EQ(std::string(text.View()), c.after) << c.text;
    EXPECT_EQ(text.GetCurrentError(), c.error) << c.text;
    EXPECT_EQ(text.GetCursorPosition(), c.cursor) << c.text;
    EXPECT_EQ(static_cast<int>(m_shown.size()), c.shown) << c.text;
  }
}

}  // namespace
