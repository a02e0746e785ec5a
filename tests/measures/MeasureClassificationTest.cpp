// Tests of the classification of measure texts and unit texts.
#include <gtest/gtest.h>

#include "CTarvil.h"
#include "MeasureTestSupport.h"

using measure_test::MeasureTest;

namespace {

using MeasureClassification = MeasureTest;

TEST_F(MeasureClassification, IsMeasure) {
  struct Row {
    const char* text;
    int result;
    eUnitTypes type;
    eCTarvilErr error;
    int cursor;
  };
  const Row rows[] = {
      {"10mm", 1, eNanometers, eErrNone, 5},
      {"-10 MM", 1, eNanometers, eErrNone, 7},
      {"+2.5 th ", 1, eNanometers, eErrNone, 9},
      {"45deg", 1, eDegrees, eErrNone, 6},
      {"1 Rad", 1, eDegrees, eErrNone, 6},
      {"5ns", 1, eSeconds, eErrNone, 4},
      {"5Ms", 1, eSeconds, eErrNone, 4},
      {"6in/ns", 1, eMps, eErrNone, 7},
      {"50%c", 1, eMps, eErrNone, 5},
      {"4.7kW", 1, eWatts, eErrNone, 6},
      {"100nF", 1, eFarads, eErrNone, 6},
      {"3H", 1, eHenrys, eErrNone, 3},
      {"-5V", 1, eVolts, eErrNone, 4},
      {"2A", 1, eAmps, eErrNone, 3},
      {"4.7k OHMS", 1, eOhms, eErrNone, 10},
      // A prefix letter right after the number reads as the electrical
      // readers read it: 2 atto, 1 femto, without a unit.
      {"2a", 0, eNoUnit, eErrNoUnit, 2},
      {"1f", 0, eNoUnit, eErrNoUnit, 2},
      {"2 a", 1, eAmps, eErrNone, 4},
      {"1 f", 1, eFarads, eErrNone, 4},
      // Classification only: no "%c" limit.
      {"150%c", 1, eMps, eErrNone, 6},
      {"10", 0, eNoUnit, eErrNoUnit, 3},
      {"+", 0, eNoUnit, eErrInvalidCharacter, 2},
      {" - ", 0, eNoUnit, eErrInvalidCharacter, 4},
      {"10'", 0, eNoUnit, eErrNoUnit, 4},
      {"5tnm", 0, eNoUnit, eErrNoUnit, 2},
      {"5 xyz", 0, eNoUnit, eErrNoUnit, 3},
      {"x5mm", 0, eNoUnit, eErrInvalidCharacter, 1},
      {"-1.2.3mm", 0, eNoUnit, eErrTooManyDecimalPlaces, 5},
      {"", 0, eNoUnit, eErrEmpty, 0},
      {"   ", 0, eNoUnit, eErrBlank, 4},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    eUnitTypes type = eOhms;
    EXPECT_EQ(s.IsMeasure(&type), r.result) << r.text;
    EXPECT_EQ(type, r.type) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
    EXPECT_EQ(s.IsMeasure(), r.result) << r.text;
  }
}

TEST_F(MeasureClassification, IsUnitString) {
  struct Row {
    const char* text;
    int result;
    eUnitTypes type;  // eDomainAny-like sentinel eOhms when unchanged
    eCTarvilErr error;
    int cursor;
  };
  const Row rows[] = {
      {"MM", 1, eNanometers, eErrNone, 3},
      {" nm ", 1, eNanometers, eErrNone, 5},
      {"Rad", 1, eDegrees, eErrNone, 4},
      {"'", 1, eDegrees, eErrNone, 2},
      {"\"", 1, eDegrees, eErrNone, 2},
      {"NS", 1, eSeconds, eErrNone, 3},
      {"Ms", 1, eSeconds, eErrNone, 3},
      {"es", 1, eSeconds, eErrNone, 3},
      {"In/Ns", 1, eMps, eErrNone, 6},
      {"%C", 1, eMps, eErrNone, 3},
      {"V", 1, eVolts, eErrNone, 2},
      {"mW", 1, eWatts, eErrNone, 3},
      {"pF", 1, eFarads, eErrNone, 3},
      // A unit name standing alone is its unit, also where it is a prefix.
      {"A", 1, eAmps, eErrNone, 2},
      {"a", 1, eAmps, eErrNone, 2},
      {"F", 1, eFarads, eErrNone, 2},
      {" f ", 1, eFarads, eErrNone, 4},
      {"h", 1, eHenrys, eErrNone, 2},
      {"xyz", 0, eMps, eErrNoUnit, 1},
      {"tnm", 0, eMps, eErrNoUnit, 1},
      {"", 0, eMps, eErrEmpty, 0},
      {"  ", 0, eMps, eErrBlank, 3},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    eUnitTypes type = eMps;
    EXPECT_EQ(s.IsUnitString(&type), r.result) << r.text;
    EXPECT_EQ(type, r.type) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
    EXPECT_EQ(s.IsUnitString(), r.result) << r.text;
  }
}

// Blanks are no unit, even where a bare number is a resistance.
TEST_F(MeasureClassification, BlankIsNoUnitInEuropeanNotation) {
  CTarvil::s_Locale.m_eActiveNotation = eEuropean;
  CTarvil s("  ");
  eUnitTypes type = eMps;
  EXPECT_EQ(s.IsUnitString(&type), 0);
  EXPECT_EQ(s.GetCurrentError(), eErrBlank);
  EXPECT_EQ(type, eMps);
}

}  // namespace
