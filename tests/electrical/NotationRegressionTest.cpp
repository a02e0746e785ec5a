// Faults the fuzz targets found in the notation reader. Each case is an
// input a target stopped on; the same inputs are in the fuzz seed corpus.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "CTarvil.h"

namespace {

// In European notation the letter of a unit's name stands for the decimal
// symbol ('4F7' is 4.7 farads), and the reader finds that letter in any
// case. The femto prefix of farads and the atto prefix of amperes are the
// same letters in lower case, so what the writer gives for 4.7 fF ('4f7')
// read back as 4.7 F.
TEST(NotationRegression, EuropeanFemtoAndAttoAreNotTheUnitLetter) {
  struct Case {
    eUnitTypes unit;
    double value;
    const char* written;
  };
  const Case cases[] = {
      {eFarads, 4.7e-15, "4f7"},
      {eFarads, 1.0e-15, "1f"},
      {eAmps, 7.0e-16, "700a"},
      {eAmps, 4.7e-18, "4a7"},
  };
  for (const Case& c : cases) {
    CTarvil text;
    text.SetDoubleForNotation(eEuropean, c.value, 1, c.unit);
    EXPECT_EQ(std::string(text.View()), c.written);
    double read = 0.0;
    ASSERT_EQ(text.IsDoubleForNotation(eEuropean, &read, c.unit), 1) << c.written;
    EXPECT_NEAR(read, c.value, c.value * 1e-12) << c.written;
  }
}

// A text with more digits than the fifteen the reader keeps may be whole to
// it; the integer is then the nearest one, not the value cut at its point.
TEST(NotationRegression, WholeValuesGiveTheNearestInteger) {
  struct Case {
    const char* text;
    int expected;
  };
  const Case cases[] = {
      {"50.99999999999999", 51},
      {"-50.99999999999999", -51},
      {"51.0000000000000800", 51},
      {"0.999999999999999", 1},
  };
  for (const Case& c : cases) {
    CTarvil text(c.text);
    int read = 0;
    ASSERT_EQ(text.IsIntegerForNotation(eSI, &read, eNoUnit), 1) << c.text;
    EXPECT_EQ(read, c.expected) << c.text;
  }
}

// The same rule in the measure readers: a unit letter in another case right
// after the number is the prefix of that case; after a prefix or a blank,
// or in its own case, it names the unit.
TEST(NotationRegression, UnitLetterInPrefixCaseAfterTheNumberIsThePrefix) {
  CTarvil::SetLocale();
  struct Case {
    eOrvantaNotations notation;
    const char* text;
    int accepted;     // by IsCapacitanceMeasure / IsAmpMeasure
    double measure;   // its value when accepted
    double interpreted;
  };
  const Case farads[] = {
      {eSI, "4.7f", 0, 0.0, 4.7e-15},
      {eSI, "4.7fF", 1, 4.7e-15, 4.7e-15},
      {eSI, "100nf", 1, 1e-7, 1e-7},
      {eSI, "4.7 f", 1, 4.7, 4.7},
      {eSI, "4.7F", 1, 4.7, 4.7},
      {eEuropean, "4f7", 0, 0.0, 4.7e-15},
      {eEuropean, "4F7", 1, 4.7, 4.7},
      {eEuropean, "4n7f", 1, 4.7e-9, 4.7e-9},
  };
  for (const Case& c : farads) {
    CTarvil text(c.text);
    double value = -1.0;
    EXPECT_EQ(text.IsCapacitanceMeasure(c.notation, &value), c.accepted) << c.text;
    if (c.accepted == 1) {
      EXPECT_DOUBLE_EQ(value, c.measure) << c.text;
    }
    CTarvil field(c.text);
    ASSERT_EQ(field.InterpretAsCapacitanceMeasure(c.notation, value, 0, 0), 1) << c.text;
    EXPECT_DOUBLE_EQ(value, c.interpreted) << c.text;
  }
  const Case amps[] = {
      {eSI, "2ma", 1, 0.002, 0.002},
      {eSI, "4.7a", 0, 0.0, 4.7e-18},
      {eSI, "4.7A", 1, 4.7, 4.7},
  };
  for (const Case& c : amps) {
    CTarvil text(c.text);
    double value = -1.0;
    EXPECT_EQ(text.IsAmpMeasure(c.notation, &value), c.accepted) << c.text;
    if (c.accepted == 1) {
      EXPECT_DOUBLE_EQ(value, c.measure) << c.text;
    }
    CTarvil field(c.text);
    ASSERT_EQ(field.InterpretAsAmpMeasure(c.notation, value, 0, 0), 1) << c.text;
    EXPECT_DOUBLE_EQ(value, c.interpreted) << c.text;
  }
}

// With "." as the thousands symbol, a grouped European number keeps its
// prefix: '1.000f0000000' is 1000 femtofarads, as written.
TEST(NotationRegression, GroupedEuropeanNumberKeepsItsPrefix) {
  CTarvil::SetLocale();
  CTarvilLocale& l = CTarvil::s_Locale;
  const CTarvilLocale saved = l;
  l.m_cDecimal = ',';
  l.m_cThousand = '.';
  l.m_nGrouping = 3;
  l.m_nSuppressTrailingZeros = 0;
  l.m_nEuroPrecision = 7;
  CTarvil written;
  written.SetDoubleForNotation(eEuropean, 9.999999999899999e-13, 1, eFarads);
  EXPECT_EQ(std::string(written.View()), "1.000f0000000");
  double read = 0.0;
  EXPECT_EQ(written.IsDoubleForNotation(eEuropean, &read, eFarads), 1);
  EXPECT_DOUBLE_EQ(read, 1e-12);
  // The text the fuzz target started from: "." groups, "A" is atto.
  CTarvil typed("99999999.999A99999");
  EXPECT_EQ(typed.IsDoubleForNotation(eEuropean, &read, eFarads), 1);
  EXPECT_DOUBLE_EQ(read, 99999999999.99999e-18);
  l = saved;
}

}  // namespace
