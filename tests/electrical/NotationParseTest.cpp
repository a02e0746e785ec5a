// Reading values written in the notations: every accepted form, every
// refusal with its error code and cursor, and the exactness of the value.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "NotationInternal.h"
#include "NotationSettingsFixture.h"
#include "TestSupport.h"

namespace {

struct ReadCase {
  eOrvantaNotations notation;
  eUnitTypes unit;
  const char* text;
  int result;
  double value;  // when accepted
  eCTarvilErr error;
  int cursor;
};

class NotationParseTest : public NotationSettingsTest {
 protected:
  static void Check(const ReadCase& c) {
    CTarvil text(c.text);
    double value = -1.0;
    int result = text.IsDoubleForNotation(c.notation, &value, c.unit);
    EXPECT_EQ(result, c.result) << "'" << c.text << "' notation " << c.notation;
    EXPECT_EQ(text.GetCurrentError(), c.error) << "'" << c.text << "'";
    EXPECT_EQ(text.GetCursorPosition(), c.cursor) << "'" << c.text << "'";
    if (c.result == 1) {
      EXPECT_EQ(value, c.value) << "'" << c.text << "'";
    } else {
      EXPECT_EQ(value, -1.0) << "'" << c.text << "': output written on failure";
    }
  }
};

constexpr eCTarvilErr kNone = eErrNone;
constexpr eCTarvilErr kBad = eErrInvalidCharacter;
constexpr eCTarvilErr kPoint = eErrTooManyDecimalPlaces;

TEST_F(NotationParseTest, SIPrefixes) {
  const ReadCase cases[] = {
      {eSI, eNoUnit, "4.7k", 1, 4700.0, kNone, 4},
      {eSI, eNoUnit, "4.7K", 1, 4700.0, kNone, 4},  // kilo in any case
      {eSI, eNoUnit, "4.7M", 1, 4.7e6, kNone, 4},
      {eSI, eNoUnit, "4.7m", 1, 4.7e-3, kNone, 4},
      {eSI, eNoUnit, "47u", 1, 47e-6, kNone, 3},
      {eSI, eNoUnit, "4.7p", 1, 4.7e-12, kNone, 4},
      {eSI, eNoUnit, "4.7P", 1, 4.7e15, kNone, 4},
      {eSI, eNoUnit, "4.7e3", 1, 4700.0, kNone, 5},  // the exponent reader
      {eSI, eNoUnit, "4.7e", 1, 4.7e18, kNone, 4},   // the prefix exa
      {eSI, eNoUnit, "4.7kk", 0, 0, kBad, 4},
      {eSI, eOhms, "4.7kohms", 0, 0, kBad, 4},  // the unit name is not a prefix
      {eSI, eNoUnit, "1e5x", 0, 0, kBad, 4},
      {eSI, eNoUnit, "1ex", 0, 0, kBad, 3},
      {eSI, eNoUnit, "1e+", 0, 0, kBad, 4},
      {eSI, eNoUnit, "1e5-", 1, 1e-5, kNone, 4},  // any "-" makes the exponent negative
      {eSI, eNoUnit, "x1", 0, 0, kBad, 1},
      {eSI, eNoUnit, "k", 0, 0, kBad, 1},  // a prefix without digits
  };
  for (const ReadCase& c : cases) Check(c);
}

TEST_F(NotationParseTest, SPICEPrefixes) {
  const ReadCase cases[] = {
      {eSPICE, eNoUnit, "4.7meg", 1, 4.7e6, kNone, 6},
      {eSPICE, eNoUnit, "4.7MEG", 1, 4.7e6, kNone, 6},
      {eSPICE, eNoUnit, "4.7Meg", 1, 4.7e6, kNone, 6},
      {eSPICE, eNoUnit, "4.7m", 1, 4.7e-3, kNone, 4},
      {eSPICE, eNoUnit, "4.7M", 1, 4.7e-3, kNone, 4},
      {eSPICE, eNoUnit, "10f", 1, 10e-15, kNone, 3},
      {eSPICE, eNoUnit, "2.2n", 1, 2.2e-9, kNone, 4},
      {eSPICE, eNoUnit, "4.7x", 0, 0, kBad, 4},
  };
  for (const ReadCase& c : cases) Check(c);
}

TEST_F(NotationParseTest, EngineeringAndScientificExponents) {
  const ReadCase cases[] = {
      {eEngineering, eNoUnit, "4.7E3", 1, 4700.0, kNone, 5},
      {eEngineering, eNoUnit, "4.7e3", 1, 4700.0, kNone, 5},
      {eEngineering, eNoUnit, "47E-6", 1, 47e-6, kNone, 5},
      {eEngineering, eNoUnit, "4.7E4", 1, 47000.0, kNone, 5},  // no prefix: the exponent reader
      {eEngineering, eNoUnit, "4.7k", 0, 0, kBad, 4},
      {eScientific, eNoUnit, "4.7E-5", 1, 4.7e-5, kNone, 6},
      {eScientific, eNoUnit, "1.2346E5", 1, 123460.0, kNone, 8},
      {eScientific, eNoUnit, "1E+016", 1, 1e16, kNone, 6},
  };
  for (const ReadCase& c : cases) Check(c);
}

TEST_F(NotationParseTest, EuropeanPrefixInPlaceOfThePoint) {
  const ReadCase cases[] = {
      {eEuropean, eOhms, "4k7", 1, 4700.0, kNone, 3},
      {eEuropean, eOhms, "4R7", 1, 4.7, kNone, 3},
      {eEuropean, eOhms, "4r7", 1, 4.7, kNone, 3},
      {eEuropean, eOhms, "47R", 1, 47.0, kNone, 3},
      {eEuropean, eOhms, "4k", 1, 4000.0, kNone, 2},
      {eEuropean, eFarads, "4n7", 1, 4.7e-9, kNone, 3},
      {eEuropean, eFarads, "4F7", 1, 4.7, kNone, 3},
      {eEuropean, eNoUnit, "4M7", 1, 4.7e6, kNone, 3},
      {eEuropean, eNoUnit, "4m7", 1, 4.7e-3, kNone, 3},
      {eEuropean, eOhms, "4k7k", 0, 0, kPoint, 4},  // a second prefix
      {eEuropean, eOhms, "4.7k", 0, 0, kPoint, 4},  // a prefix after the point
      {eEuropean, eOhms, "4R7k", 0, 0, kPoint, 4},
      {eEuropean, eOhms, "4k7R", 0, 0, kPoint, 4},
      {eEuropean, eNoUnit, "4R7", 0, 0, kBad, 2},  // no unit name without a unit
      {eEuropean, eNoUnit, "4.7e3", 0, 0, kPoint, 4},  // "e" is exa here
      {eEuropean, eOhms, "4k7e3", 0, 0, kPoint, 4},     // "e" again a prefix
      {eEuropean, eOhms, "4k7e+3", 1, 4.7e6, kNone, 6},  // prefix and exponent both count
      {eEuropean, eOhms, "4R7e-3", 1, 4.7e-3, kNone, 6},
  };
  for (const ReadCase& c : cases) Check(c);
}

TEST_F(NotationParseTest, SignsBlanksGroupingAndPoints) {
  const ReadCase cases[] = {
      {eSI, eNoUnit, "1,234.5", 1, 1234.5, kNone, 7},
      {eSI, eNoUnit, "1,,2", 1, 12.0, kNone, 4},
      {eSI, eNoUnit, ",5", 0, 0, kBad, 1},
      {eSI, eNoUnit, "-,5", 0, 0, kBad, 2},
      {eSI, eNoUnit, ".5", 1, 0.5, kNone, 2},
      {eSI, eNoUnit, "5.", 1, 5.0, kNone, 2},
      {eSI, eNoUnit, ".", 0, 0, kBad, 1},
      {eSI, eNoUnit, "+7", 1, 7.0, kNone, 2},
      {eSI, eNoUnit, "-", 0, 0, kBad, 2},
      {eSI, eNoUnit, "  -  ", 0, 0, kBad, 4},
      {eSI, eNoUnit, "", 0, 0, eErrEmpty, 0},
      {eSI, eNoUnit, "   ", 0, 0, eErrBlank, 3},
      {eSI, eNoUnit, "4.7.1", 0, 0, kPoint, 4},
      {eEngineering, eNoUnit, "4.7.1", 0, 0, kPoint, 4},
      {eEuropean, eNoUnit, "4.7.1", 0, 0, kPoint, 4},
      {eDecimal, eNoUnit, "4.7.1", 0, 0, kPoint, 4},
      {eSI, eNoUnit, "12 3", 0, 0, kBad, 3},
      {eSI, eNoUnit, "4 k", 0, 0, kBad, 2},
      {eSI, eNoUnit, "-0", 1, -0.0, kNone, 2},
      {eSI, eNoUnit, "007", 1, 7.0, kNone, 3},
  };
  for (const ReadCase& c : cases) Check(c);
}

TEST_F(NotationParseTest, TrailingBlanksAndPercentAreCutFromTheText) {
  struct Case {
    const char* text;
    int result;
    double value;
    const char* after;
    int cursor;
  } cases[] = {
      {"  -3.5  ", 1, -3.5, "  -3.5", 8},
      {"12%", 1, 12.0, "12", 3},
      {"12% ", 1, 12.0, "12", 4},
      {"%", 0, 0, "", 1},
      {"-%", 0, 0, "-", 1},
      {"4x7  ", 0, 0, "4x7", 2},
      {"-  ", 0, 0, "-  ", 2},  // refused before the cut
  };
  for (const Case& c : cases) {
    CTarvil text(c.text);
    double value = 0.0;
    EXPECT_EQ(text.IsDoubleForNotation(eSI, &value, eNoUnit), c.result) << c.text;
    EXPECT_EQ(std::string(text.View()), c.after) << c.text;
    EXPECT_EQ(text.GetCursorPosition(), c.cursor) << c.text;
    if (c.result) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST_F(NotationParseTest, PercentIsKeptWhenItIsARegionalSymbol) {
  CTarvil::s_Locale.m_cThousand = '%';
  CTarvil text("12%");
  double value = 0.0;
  EXPECT_EQ(text.IsDoubleForNotation(eSI, &value, eNoUnit), 1);
  EXPECT_EQ(value, 12.0);
  EXPECT_EQ(std::string(text.View()), "12%");
}

TEST_F(NotationParseTest, ExponentLimits) {
  const std::string digits309 = "1" + std::string(309, '0');
  const ReadCase cases[] = {
      {eSI, eNoUnit, "1e308", 1, 1e308, kNone, 5},
      {eSI, eNoUnit, "1e309", 0, 0, kBad, 6},
      {eSI, eNoUnit, "10e308", 0, 0, kBad, 7},
      {eSI, eNoUnit, "0.1e308", 1, 1e307, kNone, 7},
      {eSI, eNoUnit, "0.1e309", 0, 0, kBad, 8},  // counted by integer digits
      {eSI, eNoUnit, "1e99999999999999999999", 0, 0, kBad, 23},
      {eSI, eNoUnit, "1e-307", 1, 1e-307, kNone, 6},
      {eSI, eNoUnit, "1e-308", 1, 1e-308, kNone, 6},
      {eSI, eNoUnit, "1e-309", 0, 0, kBad, 7},
      {eSI, eNoUnit, "0.01e-306", 1, 1e-308, kNone, 9},
      {eSI, eNoUnit, "0.01e-307", 0, 0, kBad, 10},
      {eSI, eNoUnit, "5000e-310", 1, 5e-307, kNone, 9},
      {eSI, eNoUnit, "0.1e-307", 1, 1e-308, kNone, 8},
      // A value beyond the largest double within the exponent limit.
      {eSI, eNoUnit, "9e308", 0, 0, kBad, 6},
      {eSI, eNoUnit, "-1.8e308", 0, 0, kBad, 9},
      {eSI, eNoUnit, "1.7976931348623157e308", 1, 1.7976931348623157e308, kNone, 22},
      {eSI, eNoUnit, digits309.c_str(), 0, 0, kBad, 311},
  };
  for (const ReadCase& c : cases) Check(c);
}

TEST_F(NotationParseTest, PrefixLimits) {
  // Engineering "E18" is refused as a prefix when the number would pass
  // 10^308; the exponent reader then measures it its own way.
  std::string d291 = "1" + std::string(290, '0');
  std::string d292 = "1" + std::string(291, '0');
  CTarvil text((d291 + "E18").c_str());
  double value = 0;
  EXPECT_EQ(text.IsDoubleForNotation(eEngineering, &value, eNoUnit), 1);
  EXPECT_EQ(value, 1e308);
  CTarvil tooBig((d292 + "E18").c_str());
  EXPECT_EQ(tooBig.IsDoubleForNotation(eEngineering, &value, eNoUnit), 0);
  EXPECT_EQ(tooBig.GetCurrentError(), eErrInvalidCharacter);
  EXPECT_EQ(tooBig.GetCursorPosition(), static_cast<int>(d292.size()) + 4);
  // SI atto on a tiny number.
  CTarvil tiny(("0." + std::string(289, '0') + "1a").c_str());
  EXPECT_EQ(tiny.IsDoubleForNotation(eSI, &value, eNoUnit), 1);
  EXPECT_EQ(value, 1e-308);
  CTarvil tooTiny(("0." + std::string(291, '0') + "1a").c_str());
  EXPECT_EQ(tooTiny.IsDoubleForNotation(eSI, &value, eNoUnit), 0);
  EXPECT_EQ(tooTiny.GetCurrentError(), eErrInvalidCharacter);
}

TEST_F(NotationParseTest, ValuesAreTheNearestDouble) {
  struct Case {
    eOrvantaNotations notation;
    const char* text;
    double expected;
  } cases[] = {
      {eSI, "0.3", 0.3},
      {eSI, "0.1", 0.1},
      {eSI, "4.7k", 4700.0},
      {eSI, "47u", 47e-6},
      {eSI, "1e308", 1e308},
      {eSI, "2.2n", 2.2e-9},
      {eSI, "123.456789m", 123.456789e-3},
      {eEuropean, "4k7", 4700.0},
      {eEuropean, "4n7", 4.7e-9},
      {eEngineering, "33.3E-3", 33.3e-3},
      {eScientific, "6.02214076E23", 6.02214076e23},
      {eSPICE, "1.1MEG", 1.1e6},
      {eSI, "0.1000000000000000055511151231257827", 0.1},
      {eSI, "123456789012345678901234567890", 123456789012345678901234567890.0},
      {eSI, "9007199254740993", 9007199254740992.0},  // halfway: to even
      {eSI, "9007199254740993.000000000000000001", 9007199254740994.0},
      {eSI, "22250738585072014e-324", 2.2250738585072014e-308},  // smallest normal
  };
  for (const Case& c : cases) {
    CTarvil text(c.text);
    double value = 0.0;
    ASSERT_EQ(text.IsDoubleForNotation(c.notation, &value, eNoUnit), 1) << c.text;
    EXPECT_EQ(value, c.expected) << c.text;
  }
}

TEST_F(NotationParseTest, VeryLongNumbersRoundCorrectly) {
  // 817 significant digits: more than the reader keeps, with a non-zero
  // digit at the very end that decides the rounding.
  std::string above = "9007199254740993." + std::string(800, '0') + "1";
  std::string exact = "9007199254740993." + std::string(801, '0');
  CTarvil a(above.c_str());
  CTarvil b(exact.c_str());
  double va = 0, vb = 0;
  ASSERT_EQ(a.IsDoubleForNotation(eSI, &va, eNoUnit), 1);
  ASSERT_EQ(b.IsDoubleForNotation(eSI, &vb, eNoUnit), 1);
  EXPECT_EQ(va, 9007199254740994.0);
  EXPECT_EQ(vb, 9007199254740992.0);
  // Leading zeros carry nothing.
  CTarvil zeros((std::string(1000, '0') + "1.5").c_str());
  ASSERT_EQ(zeros.IsDoubleForNotation(eSI, &va, eNoUnit), 1);
  EXPECT_EQ(va, 1.5);
  // A decimal far below the smallest double reads as 0.
  CTarvil below(("0." + std::string(400, '0') + "1").c_str());
  ASSERT_EQ(below.IsDoubleForNotation(eSI, &va, eNoUnit), 1);
  EXPECT_EQ(va, 0.0);
}

TEST_F(NotationParseTest, ReadingAndWritingIgnoreTheHostLocale) {
  // A host that switches the whole process to a decimal-comma locale
  // changes nothing: only the library's own symbols count.
  std::unique_ptr<tarvil::test::ScopedLocale> german;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
    german = std::make_unique<tarvil::test::ScopedLocale>(name);
    if (german->ok()) break;
    german.reset();
  }
  if (!german) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  CTarvil text("1,234.5");
  double value = 0;
  EXPECT_EQ(text.IsDoubleForNotation(eSI, &value, eNoUnit), 1);
  EXPECT_EQ(value, 1234.5);
  CTarvil written;
  EXPECT_EQ(std::string(written.SetDoubleForNotation(eSI, 1234.5, 1, eNoUnit).View()), "1.2345k");
  EXPECT_EQ(std::string(written.SetDoubleForNotation(eDecimal, 1.5e-20, 1, eNoUnit).View()),
            "1.5E-020");
  EXPECT_EQ(std::string(written.SetDoubleForNotation(eFullPrecision, 0.25, 1, eNoUnit).View()),
            "0.25");
}

TEST_F(NotationParseTest, ActiveNotationServesTheShortForms) {
  CTarvil::s_Locale.m_eActiveNotation = eSPICE;
  CTarvil text("4.7meg");
  double value = 0;
  EXPECT_EQ(text.IsDoubleForNotation(&value, eNoUnit), 1);
  EXPECT_EQ(value, 4.7e6);
  EXPECT_EQ(text.IsDoubleForNotation(), 1);
  CTarvil::s_Locale.m_eActiveNotation = eSI;
  EXPECT_EQ(text.IsDoubleForNotation(), 0);
}

TEST_F(NotationParseTest, GetDoubleStatusAndOutput) {
  CTarvil text("4.7k");
  EXPECT_EQ(text.GetDoubleForNotation(eSI, nullptr, eNoUnit), E_INVALIDARG);
  double value = -1;
  EXPECT_EQ(text.GetDoubleForNotation(eSI, &value, eNoUnit), S_OK);
  EXPECT_EQ(value, 4700.0);
  CTarvil empty("");
  EXPECT_EQ(empty.GetDoubleForNotation(eSI, &value, eNoUnit), E_FAIL);
  EXPECT_EQ(empty.GetCurrentError(), eErrEmpty);
  EXPECT_EQ(value, 0.0);
  CTarvil bad("4x7");
  value = -1;
  EXPECT_EQ(bad.GetDoubleForNotation(eSI, &value, eNoUnit), E_INVALIDARG);
  EXPECT_EQ(value, 0.0);
  EXPECT_EQ(bad.GetCursorPosition(), 2);
  CTarvil::s_Locale.m_eActiveNotation = eEuropean;
  CTarvil euro("4k7");
  EXPECT_EQ(euro.GetDoubleForNotation(&value, eOhms), S_OK);
  EXPECT_EQ(value, 4700.0);
}

TEST_F(NotationParseTest, IntegersInNotation) {
  struct Case {
    eOrvantaNotations notation;
    const char* text;
    int result;
    int value;
    eCTarvilErr error;
    int cursor;
  } cases[] = {
      {eSI, "2147483647", 1, 2147483647, kNone, 10},
      {eSI, "-2147483648", 1, -2147483647 - 1, kNone, 11},
      {eSI, "2147483648", 0, 0, eErrNotAnInteger, 11},
      {eSI, "-2147483649", 0, 0, eErrNotAnInteger, 12},
      {eSI, "3k", 1, 3000, kNone, 2},
      {eSI, "4.7k", 1, 4700, kNone, 4},
      {eSI, "4.7", 0, 0, eErrNotAnInteger, 4},
      {eSI, "4.7  ", 0, 0, eErrNotAnInteger, 4},  // the cut text's length + 1
      {eSI, "0", 1, 0, kNone, 1},
      {eSI, "1m", 0, 0, eErrNotAnInteger, 3},
      {eSI, "2.147483647G", 1, 2147483647, kNone, 12},
      {eEuropean, "4k7", 1, 4700, kNone, 3},
      {eSI, "x", 0, 0, kBad, 1},
  };
  for (const Case& c : cases) {
    CTarvil text(c.text);
    int value = -1;
    EXPECT_EQ(text.IsIntegerForNotation(c.notation, &value, eNoUnit), c.result) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
    EXPECT_EQ(text.GetCurrentError(), c.error) << c.text;
    EXPECT_EQ(text.GetCursorPosition(), c.cursor) << c.text;
  }
  CTarvil text("12");
  EXPECT_EQ(text.GetIntegerForNotation(eSI, nullptr, eNoUnit), E_INVALIDARG);
  int value = -1;
  EXPECT_EQ(text.GetIntegerForNotation(&value, eNoUnit), S_OK);
  EXPECT_EQ(value, 12);
  CTarvil empty;
  EXPECT_EQ(empty.GetIntegerForNotation(eSI, &value, eNoUnit), E_FAIL);
  EXPECT_EQ(empty.GetCurrentError(), eErrEmpty);
  CTarvil fraction("1.5");
  EXPECT_EQ(fraction.GetIntegerForNotation(eSI, &value, eNoUnit), E_INVALIDARG);
  EXPECT_EQ(fraction.IsIntegerForNotation(), 0);
  EXPECT_EQ(fraction.GetCurrentError(), eErrNotAnInteger);
}

TEST_F(NotationParseTest, RegionalSymbols) {
  UseCommaDecimal();
  const ReadCase cases[] = {
      {eSI, eNoUnit, "1.234,5", 1, 1234.5, kNone, 7},
      {eSI, eNoUnit, "4,7k", 1, 4700.0, kNone, 4},
      {eSI, eNoUnit, "1.5", 1, 15.0, kNone, 3},  // the thousands symbol is never a point
      {eSI, eNoUnit, ",5", 1, 0.5, kNone, 2},
      {eSI, eNoUnit, ".5", 0, 0, kBad, 1},
      {eEngineering, eNoUnit, "1,2E3", 1, 1200.0, kNone, 5},
      {eEngineering, eNoUnit, "1.234,5E18", 1, 1234.5e18, kNone, 10},
      {eEuropean, eOhms, "4k7", 1, 4700.0, kNone, 3},
      {eEuropean, eOhms, "4,7k", 0, 0, kPoint, 4},
      {eDecimal, eNoUnit, "1.234.567,25", 1, 1234567.25, kNone, 12},
      {eDecimal, eNoUnit, "1,2,3", 0, 0, kPoint, 4},
  };
  for (const ReadCase& c : cases) Check(c);
}

TEST_F(NotationParseTest, ExponentSuffixReader) {
  struct Case {
    const char* text;
    int integerDigits;
    int lastNonZero;
    int accepted;
    int exponent;
  } cases[] = {
      {"e5", 1, 0, 1, 5},        {"E-5", 1, 0, 1, -5},     {"e+5", 1, 0, 1, 5},
      {"e5-", 1, 0, 1, -5},      {"e", 1, 0, 0, 0},        {"e-", 1, 0, 0, 0},
      {"x5", 1, 0, 0, 0},        {"e5x", 1, 0, 0, 0},      {"e308", 1, 0, 1, 308},
      {"e308", 2, 0, 0, 0},      {"e-307", 1, 0, 1, -307}, {"e-308", 1, 0, 1, -308},
      {"e-309", 1, 0, 0, 0},     {"e-306", 1, 3, 0, 0},    {"e-310", 4, 0, 1, -310},
  };
  for (const Case& c : cases) {
    auto suffix = tarvil::detail::ParseExponentSuffix(
        c.text, static_cast<int>(std::strlen(c.text)), c.integerDigits, c.lastNonZero);
    EXPECT_EQ(suffix.accepted, c.accepted) << c.text;
    if (c.accepted) {
      EXPECT_EQ(suffix.exponent, c.exponent) << c.text;
    }
  }
}

TEST(PowerOfTenTest, ExactWhereDoublesAllowIt) {
  for (int n = 0; n <= 22; ++n) {
    EXPECT_EQ(tarvil::detail::PowerOfTen(n), std::strtod(("1e" + std::to_string(n)).c_str(), nullptr))
        << n;
  }
  EXPECT_EQ(tarvil::detail::PowerOfTen(-3), 1.0 / 1000.0);
  EXPECT_NEAR(tarvil::detail::PowerOfTen(100), 1e100, 1e86);
  EXPECT_TRUE(std::isinf(tarvil::detail::PowerOfTen(400)));
  EXPECT_EQ(tarvil::detail::PowerOfTen(-400), 0.0);
}

}  // namespace

// The short pass of the common form and the long way read every text
// alike: random texts from the pieces of numbers, prefixes and exponents,
// in every notation, with the built-in prefixes and with a resistance list
// of its own (where 'K' is mega and the short pass must give way).
TEST(NotationShortPass, AgreesWithTheLongWay) {
  using tarvil::detail::NumberScan;
  static constexpr const char* kPieces[] = {
      "0", "1", "47", "9999999999", ".", ",", "-", "+", "e", "E", "e-", "3", "k", "K", "M",
      "m", "MEG", "meg", "p", "P", "u", "a", "E-18", "E3", " ", "%", "x", "\xC2\xB5",
      "R", "r", "F", "f", "g", "H"};
  COVUnitStorage own;
  own.SetResistanceUnit(eSI, "mega", "K", 6, 1);
  own.SetResistanceUnit(eSPICE, "mega", "k", 6, 0);
  const COVUnitStorage builtIn;
  std::mt19937 random(20261209u);
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    for (int n = std::uniform_int_distribution<int>(1, 5)(random); n > 0; --n) {
      text += kPieces[std::uniform_int_distribution<std::size_t>(0, std::size(kPieces) - 1)(random)];
    }
    tarvil::Settings format;
    if (i % 2 == 1) {
      format.decimal = ',';
      format.thousands = '.';
    }
    const auto notation = static_cast<eOrvantaNotations>(i % 7);
    const eUnitTypes unit = (i / 7) % 3 == 0 ? eNoUnit : (i / 7) % 3 == 1 ? eOhms : eFarads;
    const tarvil::detail::EngineSettings settings(format, (i / 21) % 2 ? own : builtIn);
    const NumberScan quick = tarvil::detail::ScanNotationNumber(text, notation, unit, settings);
    const NumberScan slow =
        tarvil::detail::ScanNotationNumber(text, notation, unit, settings, false);
    ASSERT_TRUE(quick.ok == slow.ok && quick.error == slow.error &&
                quick.cursor == slow.cursor && quick.cutLength == slow.cutLength &&
                std::memcmp(&quick.value, &slow.value, sizeof(double)) == 0)
        << "'" << text << "' notation " << notation << " unit " << unit << ": " << quick.value
        << " against " << slow.value;
  }
}

// The forms the short pass is there for are read by it, not left to the
// long way; without a unit table it reads a number without unit only, as a
// unit's prefixes may be its own.
TEST(NotationShortPass, TakesTheCommonForms) {
  const struct {
    eOrvantaNotations notation;
    eUnitTypes unit;
    const char* text;
    double value;
  } cases[] = {
      {eSPICE, eNoUnit, "1e-9", 1e-9},    {eSPICE, eNoUnit, "4.7e12", 4.7e12},
      {eSPICE, eNoUnit, "2E+3", 2e3},     {eSPICE, eNoUnit, "10MEG", 1e7},
      {eSPICE, eOhms, "4.7u", 4.7e-6},    {eSI, eNoUnit, "-4.7k", -4.7e3},
      {eEuropean, eOhms, "4k7", 4.7e3},   {eEuropean, eOhms, "4R7", 4.7},
      {eEngineering, eNoUnit, "4.7E3", 4.7e3}, {eDecimal, eNoUnit, "25.4", 25.4},
  };
  const COVUnitStorage builtIn;
  const tarvil::Settings format;
  for (const auto& c : cases) {
    double value = 0.0;
    EXPECT_TRUE(tarvil::detail::ReadCommonForm(c.text, c.notation, c.unit, format, &builtIn, value))
        << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
  double value = 0.0;
  EXPECT_TRUE(tarvil::detail::ReadCommonForm("4.7k", eSI, eNoUnit, format, nullptr, value));
  EXPECT_FALSE(tarvil::detail::ReadCommonForm("4.7k", eSI, eOhms, format, nullptr, value));
  EXPECT_FALSE(tarvil::detail::ReadCommonForm("4k7", eEuropean, eOhms, format, nullptr, value));
}
