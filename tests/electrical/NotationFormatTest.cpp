// Writing values in the notations: prefix choice, rounding, grouping, the
// European prefix in place of the point, and the user's symbols.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "LocaleSettingsInternal.h"
#include "NotationInternal.h"
#include "NotationSettingsFixture.h"

namespace {

struct WriteCase {
  eOrvantaNotations notation;
  double value;
  int usePrecision;
  const char* expected;
};

std::string Write(eOrvantaNotations notation, double value, int usePrecision,
                  eUnitTypes unit = eNoUnit) {
  CTarvil text;
  text.SetDoubleForNotation(notation, value, usePrecision, unit);
  return std::string(text.View());
}

class NotationFormatTest : public NotationSettingsTest {};

TEST_F(NotationFormatTest, EachNotationWritesItsPrefixes) {
  const WriteCase cases[] = {
      {eEngineering, 4700, 1, "4.7E3"},
      {eEuropean, 4700, 1, "4k7"},
      {eScientific, 4700, 1, "4.7E3"},
      {eSI, 4700, 1, "4.7k"},
      {eSPICE, 4700, 1, "4.7K"},
      {eEngineering, 0.000047, 1, "47E-6"},
      {eEuropean, 0.000047, 1, "47u"},
      {eScientific, 0.000047, 1, "4.7E-5"},
      {eSI, 0.000047, 1, "47u"},
      {eSPICE, 0.000047, 1, "47U"},
      {eSPICE, 1e6, 1, "1MEG"},
      {eSPICE, 1e15, 1, "1,000T"},  // three decades above the last prefix
      {eSPICE, 1e16, 1, "1E+016"},  // beyond them: exponent form
      {eSPICE, 0.1, 1, "100M"},
      {eSI, 0.1, 1, "100m"},
      {eSI, -4700, 1, "-4.7k"},
      {eEuropean, -4700, 1, "-4k7"},
      {eScientific, 123456.0, 1, "1.2346E5"},
      {eEngineering, 1e21, 1, "1,000E18"},
      {eEngineering, 1e22, 1, "1E+022"},
      {eSI, 1e-18, 1, "1a"},
      {eSI, 1.5e-20, 1, "1.5E-020"},
      {eEuropean, 10000, 1, "10k"},
      {eEuropean, 4.7, 1, "4.7"},
      {eEuropean, 47, 1, "47"},
      {eSI, 470, 1, "470"},
      {eSI, 4.7e9, 1, "4.7G"},
      {eSI, 1e18, 1, "1e"},
      {eSI, 12.34567, 1, "12.3457"},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(Write(c.notation, c.value, c.usePrecision), c.expected)
        << "notation " << c.notation << " value " << c.value;
  }
}

TEST_F(NotationFormatTest, ZeroIsZeroInEveryNotation) {
  for (int n = eEngineering; n <= eDecimal; ++n) {
    EXPECT_EQ(Write(static_cast<eOrvantaNotations>(n), 0.0, 1), "0") << n;
    EXPECT_EQ(Write(static_cast<eOrvantaNotations>(n), -0.0, 0), "0") << n;
  }
}

TEST_F(NotationFormatTest, LeadingDigitsCloseToTenCountAsTheNextDecade) {
  // 9.999999999999 lies within 1e-11 of 10; 9.9999999999 does not and its
  // printed mantissa rounds up to 1000.
  EXPECT_EQ(Write(eSI, 999.9999999999, 1), "1k");
  EXPECT_EQ(Write(eSI, 999.99999999, 1), "1,000");
  EXPECT_EQ(Write(eSI, 999.9999999999, 0), "1k");
}

TEST_F(NotationFormatTest, WithoutPrecisionAValueGetsTheDecimalsItNeeds) {
  const WriteCase cases[] = {
      {eSI, 4712.345678, 0, "4.712345678k"},
      {eEngineering, 1.0 / 3.0, 0, "333.333333333333E-3"},
      {eSPICE, 2.2e-12, 0, "2.2P"},
      {eScientific, 6.02214076e23, 0, "6.02214E+023"},  // beyond the table: "%G" digits
      {eSI, 1.5e-20, 0, "1.5E-020"},
      {eSPICE, 1.5e-18, 0, "1.5E-018"},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(Write(c.notation, c.value, c.usePrecision), c.expected) << c.value;
  }
}

TEST_F(NotationFormatTest, TrailingZerosFollowTheSetting) {
  CTarvil::s_Locale.m_nSuppressTrailingZeros = 0;
  EXPECT_EQ(Write(eSI, 4700, 1), "4.7000k");
  EXPECT_EQ(Write(eEuropean, 4700, 1), "4k7000");
  EXPECT_EQ(Write(eSPICE, 1e16, 1), "1.0000E+016");
  CTarvil text;
  // Integers are always written without trailing decimal zeros.
  EXPECT_EQ(std::string(text.SetIntegerForNotation(eSI, 1500, eNoUnit).View()), "1.5k");
  EXPECT_EQ(std::string(text.SetIntegerForNotation(eEngineering, 4700, eNoUnit).View()), "4.7E3");
}

TEST_F(NotationFormatTest, IntegersUseTheConfiguredPrecision) {
  struct Case {
    eOrvantaNotations notation;
    int value;
    const char* expected;
  } cases[] = {
      {eSI, 1000, "1k"},         {eSI, 1500, "1.5k"},     {eSI, 0, "0"},
      {eEuropean, 4700, "4k7"},  {eSPICE, -2000000, "-2MEG"},
      {eSI, 123456789, "123.4568M"},
      {eDecimal, 1500, "1,500"}, {eDecimal, -2147483647 - 1, "-2.147E+009"},
  };
  for (const Case& c : cases) {
    CTarvil text("old");
    text.SetIntegerForNotation(c.notation, c.value, eNoUnit);
    EXPECT_EQ(std::string(text.View()), c.expected) << c.value;
  }
}

TEST_F(NotationFormatTest, NonFiniteValuesAndTheirCursor) {
  CTarvil text("12a4");
  EXPECT_EQ(text.IsInteger(), 0);
  text.SetDoubleForNotation(eSI, std::numeric_limits<double>::quiet_NaN(), 1, eNoUnit);
  EXPECT_EQ(std::string(text.View()), "NaN");
  EXPECT_EQ(text.GetCurrentError(), eErrNone);
  EXPECT_EQ(text.GetCursorPosition(), 0);
  text.SetDoubleForNotation(eSI, -std::numeric_limits<double>::infinity(), 1, eNoUnit);
  EXPECT_EQ(std::string(text.View()), "#INF");
  text.SetDoubleForNotation(eEngineering, std::numeric_limits<double>::infinity(), 0, eNoUnit);
  EXPECT_EQ(std::string(text.View()), "#INF");
}

TEST_F(NotationFormatTest, WritingLeavesErrorAndCursorAlone) {
  CTarvil text("12a4");
  EXPECT_EQ(text.IsInteger(), 0);
  text.SetDoubleForNotation(eSI, 4700, 1, eNoUnit);
  EXPECT_EQ(text.GetCurrentError(), eErrInvalidCharacter);
  EXPECT_EQ(text.GetCursorPosition(), 3);
}

TEST_F(NotationFormatTest, ActiveNotationServesTheShortForms) {
  CTarvil::s_Locale.m_eActiveNotation = eSPICE;
  CTarvil text;
  EXPECT_EQ(std::string(text.SetDoubleForNotation(1e6, 1, eOhms).View()), "1MEG");
  EXPECT_EQ(std::string(text.SetIntegerForNotation(3000, eOhms).View()), "3K");
}

TEST_F(NotationFormatTest, FullPrecisionWritesEveryDigitTheValueNeeds) {
  EXPECT_EQ(Write(eFullPrecision, 1234.5678, 1), "1,234.5678");
  EXPECT_EQ(Write(eFullPrecision, 0.000047, 0), "0.000047");
  EXPECT_EQ(Write(eFullPrecision, -2.25, 1), "-2.25");
  // 301 digits in 101 groups: far beyond the 79 characters of a short text.
  std::string big = Write(eFullPrecision, 1e300, 1);
  EXPECT_EQ(big.size(), 301u + 100u);
  EXPECT_EQ(big.substr(0, 28), "1,000,000,000,000,000,052,50");
  std::string digits;
  for (char c : big) {
    if (c != ',') digits += c;
  }
  EXPECT_EQ(std::strtod(digits.c_str(), nullptr), 1e300);
}

TEST_F(NotationFormatTest, LongTextsAreWrittenWhole) {
  CTarvil::s_Locale.m_nSuppressTrailingZeros = 0;
  CTarvil::s_Locale.m_nSIPrecision = 100;
  // The exact binary value of 4.7, padded to 100 decimals.
  const std::string exact = "4.70000000000000017763568394002504646778106689453125";
  EXPECT_EQ(Write(eSI, 4700, 1), exact + std::string(102 - exact.size(), '0') + "k");
  CTarvil::s_Locale.m_nSciPrecision = 1000;
  std::string third = Write(eScientific, 1.0 / 3.0, 1);
  EXPECT_EQ(third.size(), 2u + 1000u + 3u);
  EXPECT_EQ(third.substr(0, 19), "3.33333333333333303");
  EXPECT_EQ(third.substr(third.size() - 3), "E-1");
  CTarvil::s_Locale.m_nDigits = 400;
  std::string tiny = Write(eDecimal, 1e-300, 1);
  EXPECT_EQ(tiny.size(), 2u + 400u + 5u);  // "1.000…0E-300"
}

TEST_F(NotationFormatTest, ANegativePrecisionSettingWritesNoDecimals) {
  CTarvil::s_Locale.m_nSIPrecision = -5;
  EXPECT_EQ(Write(eSI, 4700, 1), "5k");
  CTarvil::s_Locale.m_nDigits = -1;
  EXPECT_EQ(Write(eDecimal, 1.5e-20, 1), "2E-020");
}

TEST_F(NotationFormatTest, PlainDecimalNotation) {
  const WriteCase cases[] = {
      {eDecimal, 1234.5678, 1, "1,234.568"},  // base entry: the precision directly
      {eDecimal, 12345.678, 1, "12,345.7"},   // beyond it: "%G" digits re-rounded
      {eDecimal, 12345.678, 0, "12,345.7"},   // "%G" kept
      {eDecimal, 1234567.0, 0, "1.23457E+006"},
      {eDecimal, 0.5, 1, "0.5"},
      {eDecimal, -0.0001, 1, "0"},  // rounds to zero: no sign
      {eDecimal, 2.0, 1, "2"},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(Write(c.notation, c.value, c.usePrecision), c.expected) << c.value;
  }
}

TEST_F(NotationFormatTest, LeadingZeroCanBeDropped) {
  CTarvil::s_Locale.m_nLeadingZero = 0;
  EXPECT_EQ(Write(eDecimal, 0.5, 1), ".5");
  EXPECT_EQ(Write(eDecimal, 0.125, 1), ".125");
  EXPECT_EQ(Write(eSI, 0.5, 1), "500m");
}

TEST_F(NotationFormatTest, RegionalSymbolsInEveryBranch) {
  UseCommaDecimal();
  CTarvil::s_Locale.m_nEngPrecision = 1;
  const WriteCase cases[] = {
      {eEngineering, 1234.5, 1, "1,2E3"},
      {eEngineering, 1.2345e21, 1, "1.234,5E18"},  // the mantissa above the last prefix is grouped
      {eSI, 4700, 1, "4,7k"},
      {eEuropean, 4700, 1, "4k7"},
      {eSPICE, 1e15, 1, "1.000T"},
      {eDecimal, 1234.5678, 1, "1.234,568"},
      {eDecimal, 12345.678, 1, "12.345,7"},
      {eDecimal, 1.5e-20, 1, "1,5E-020"},
      {eFullPrecision, 1234567.25, 1, "1.234.567,25"},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(Write(c.notation, c.value, c.usePrecision), c.expected) << c.value;
  }
}

TEST_F(NotationFormatTest, GroupingSizeComesFromTheSettings) {
  CTarvil::s_Locale.m_nGrouping = 0;
  EXPECT_EQ(Write(eSPICE, 1e15, 1), "1000T");
  EXPECT_EQ(Write(eDecimal, 12345.678, 1), "12345.7");
  CTarvil::s_Locale.m_nGrouping = 2;
  EXPECT_EQ(Write(eDecimal, 12345.678, 1), "1,23,45.7");
}

TEST_F(NotationFormatTest, SIUnitPrefixes) {
  struct Case {
    int unit;
    const char* text;
    const char* expected;
  } cases[] = {
      {kSIKilo, "s", "Ks"},   {kSINoPrefix, "s", "s"}, {kSIExa, "s", "es"},
      {kSIAtto, "s", "as"},   {kSIMicro, "s", "us"},   {13, "s", "before"},
      {-1, "s", "before"},    {kSIMilli, nullptr, "m"},
  };
  for (const Case& c : cases) {
    CTarvil text("before");
    text.SetSIUnit(static_cast<eSIUnits>(c.unit), c.text);
    EXPECT_EQ(std::string(text.View()), c.expected) << c.unit;
  }
  CTarvil text;
  std::string longText(100, 's');
  EXPECT_EQ(std::string(text.SetSIUnit(kSIPico, longText.c_str()).View()), "p" + longText);
}

TEST(NotationTextTest, DropNegativeZeroSign) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"-0.000", "0.000"}, {"-0", "0"}, {"-0.001", "-0.001"}, {"0.000", "0.000"},
      {"-10", "-10"},      {"", ""},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    tarvil::detail::DropNegativeZeroSign(text);
    EXPECT_EQ(text, c.expected) << c.text;
  }
}

class DigitGroupingTest : public NotationSettingsTest {};

TEST_F(DigitGroupingTest, GroupsTheIntegerPartOnly) {
  struct Case {
    const char* text;
    double value;
    const char* expected;
  } cases[] = {
      {"1234567.5", 1234567.5, "1,234,567.5"},
      {"-1234", -1234, "-1,234"},
      {"-123", -123, "-123"},
      {"999", 999, "999"},
      {"1000", 1000, "1,000"},
      {"1.5E-020", 1.5e-20, "1.5E-020"},
      {"1E+016", 1e16, "1E+016"},
      {"0.000", 0, "0.000"},
      {"123456.", 123456, "123,456"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    tarvil::detail::InsertDigitGrouping(text, c.value, tarvil::detail::SettingsOf(CTarvil::s_Locale));
    EXPECT_EQ(text, c.expected) << c.text;
  }
}

TEST_F(DigitGroupingTest, UsesTheRegionalSymbols) {
  UseCommaDecimal();
  std::string text = "1234567,5";
  tarvil::detail::InsertDigitGrouping(text, 1234567.5, tarvil::detail::SettingsOf(CTarvil::s_Locale));
  EXPECT_EQ(text, "1.234.567,5");
  CTarvil::s_Locale.m_nGrouping = 0;
  text = "1234567,5";
  tarvil::detail::InsertDigitGrouping(text, 1234567.5, tarvil::detail::SettingsOf(CTarvil::s_Locale));
  EXPECT_EQ(text, "1234567,5");
}

}  // namespace
