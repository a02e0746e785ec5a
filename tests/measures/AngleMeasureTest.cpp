// Tests of the angle members: multi-part angles, normalisation, writing and
// interpreting.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "CTarvil.h"
#include "MeasureTestSupport.h"

using measure_test::MeasureTest;
using measure_test::Text;

namespace {

constexpr long kFail = E_FAIL;
constexpr long kInvalid = E_INVALIDARG;

using AngleMeasure = MeasureTest;

TEST_F(AngleMeasure, Recognition) {
  struct Row {
    const char* text;
    int result;
    double value;  // in the first part's unit; checked on success
    eAngleUnits units;
    eCTarvilErr error;
    int cursor;
  };
  const Row rows[] = {
      {"45deg", 1, 45.0, kAngleDegree, eErrNone, 6},
      {"45 DEG", 1, 45.0, kAngleDegree, eErrNone, 7},
      {"45 Deg ", 1, 45.0, kAngleDegree, eErrNone, 8},
      {"1rad", 1, 1.0, kAngleRadian, eErrNone, 5},
      {"10deg 30'", 1, 10.5, kAngleDegree, eErrNone, 10},
      {"10deg30'15\"", 1, 10.504166666666666, kAngleDegree, eErrNone, 12},
      {"30'15\"", 1, 30.25, kAngleMinute, eErrNone, 7},
      {"-10deg 30'", 1, -10.5, kAngleDegree, eErrNone, 11},
      // A sign ends the unit and starts the next part.
      {"10deg -30'", 1, 9.5, kAngleDegree, eErrNone, 11},
      {"10deg+30'", 1, 10.5, kAngleDegree, eErrNone, 10},
      // Digits after the last unit are fractions of a degree.
      {"45deg30", 1, 45.3, kAngleDegree, eErrNone, 8},
      {"10' 5", 1, 40.0, kAngleMinute, eErrNone, 6},
      {"-45deg30", 1, -45.3, kAngleDegree, eErrNone, 9},
      {"10deg 30' 20'", 1, 10.5 + 20.0 * 0.016666666666666666, kAngleDegree, eErrNone, 14},
      {"45 degrees", 0, 0.0, kAngleUnitNum, eErrInvalidCharacter, 4},
      {"1.5deg 2.5'", 0, 0.0, kAngleUnitNum, eErrTooManyDecimalPlaces, 9},
      {"45", 0, 0.0, kAngleUnitNum, eErrNoUnit, 3},
      {"45  ", 0, 0.0, kAngleUnitNum, eErrNoUnit, 3},
      {"deg", 0, 0.0, kAngleUnitNum, eErrNoUnit, 4},
      {"10 xyz", 0, 0.0, kAngleUnitNum, eErrInvalidCharacter, 4},
      {"1 2deg", 0, 0.0, kAngleUnitNum, eErrInvalidCharacter, 2},
      // The first unit repeated later is refused at the repeated unit.
      {"10deg 20deg", 0, 0.0, kAngleDegree, eErrInvalidCharacter, 9},
      {"10deg 30' 20deg", 0, 0.0, kAngleDegree, eErrInvalidCharacter, 13},
      {"10deg\x01", 0, 0.0, kAngleDegree, eErrInvalidCharacter, 6},
      {"", 0, 0.0, kAngleUnitNum, eErrEmpty, 0},
      {"  ", 0, 0.0, kAngleUnitNum, eErrBlank, 3},
      // A sum beyond the range of a double.
      {"1e308' 1e308deg", 0, 0.0, kAngleMinute, eErrTooLarge, 1},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    double value = 123.0;
    eAngleUnits units = kAngleSecond;
    EXPECT_EQ(s.IsAngleMeasure(&value, &units), r.result) << r.text;
    EXPECT_EQ(units, r.units) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
    if (r.result == 1) {
      EXPECT_EQ(value, r.value) << r.text;
    }
    EXPECT_EQ(Text(s), r.text);
  }
  CTarvil s("3rad");
  EXPECT_EQ(s.IsAngleMeasure(), 1);
  eAngleUnits units = kAngleDegree;
  EXPECT_EQ(s.IsAngleMeasure(&units), 1);
  EXPECT_EQ(units, kAngleRadian);
}

TEST_F(AngleMeasure, RegionalDecimalSymbolCountsAsPoint) {
  CTarvil::s_Locale.m_cDecimal = ',';
  CTarvil::s_Locale.m_cThousand = '.';
  CTarvil s("1,5deg 2.5'");
  EXPECT_EQ(s.IsAngleMeasure(), 0);
  EXPECT_EQ(s.GetCurrentError(), eErrTooManyDecimalPlaces);
  EXPECT_EQ(s.GetCursorPosition(), 9);
  CTarvil t("1,5deg");
  double value = 0.0;
  eAngleUnits units = kAngleUnitNum;
  EXPECT_EQ(t.IsAngleMeasure(&value, &units), 1);
  EXPECT_EQ(value, 1.5);
}

TEST_F(AngleMeasure, GetDegrees) {
  struct Row {
    const char* text;
    int positive;
    long status;
    double degrees;
    eCTarvilErr error;
  };
  const Row rows[] = {
      {"1rad", 0, S_OK, 57.29577951308232, eErrNone},
      {"10deg30'15\"", 0, S_OK, 10.504166666666666, eErrNone},
      {"30'15\"", 0, S_OK, 0.5041666666666667, eErrNone},
      {"10' 5", 0, S_OK, 0.6666666666666666, eErrNone},
      {"370deg", 0, S_OK, 10.0, eErrNone},
      {"720deg", 0, S_OK, 0.0, eErrNone},
      {"-720deg", 1, S_OK, 0.0, eErrNone},
      {"-90deg", 0, S_OK, -90.0, eErrNone},
      {"-90deg", 1, S_OK, 270.0, eErrNone},
      {"-90deg", 2, S_OK, -90.0, eErrNone},
      {"-450deg", 1, S_OK, 270.0, eErrNone},
      {"360deg", 1, S_OK, 0.0, eErrNone},
      // A tiny negative angle made positive is 0, not a full turn.
      {"-1e-20deg", 1, S_OK, 0.0, eErrNone},
      {"45", 0, kInvalid, 0.0, eErrNoUnit},
      {"", 0, kFail, 0.0, eErrEmpty},
      {"1e308rad", 0, kFail, 0.0, eErrTooLarge},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    double degrees = 99.0;
    EXPECT_EQ(s.GetDegrees(&degrees, r.positive), r.status) << r.text;
    EXPECT_EQ(degrees, r.degrees) << r.text;
    if (degrees == 0.0) {
      EXPECT_FALSE(std::signbit(degrees)) << r.text;
    }
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
  }
  CTarvil s("1deg");
  EXPECT_EQ(s.GetDegrees(nullptr, 1), kInvalid);
}

TEST_F(AngleMeasure, SetAngleMeasure) {
  struct Row {
    double degrees;
    eAngleUnits unit;
    int showUnit, usePrecision, precision, suppress;
    const char* text;
  };
  const Row rows[] = {
      {90.0, kAngleRadian, 1, 1, 4, 1, "1.5708 rad"},
      {45.0, kAngleDegree, 1, 1, 3, 0, "45.000 deg"},
      {45.0, kAngleDegree, 1, 1, 3, 1, "45 deg"},
      {10.5, kAngleMinute, 1, 1, 3, 1, "630 '"},
      {0.5, kAngleSecond, 1, 0, 3, 1, "1800 \""},
      // No digit grouping for angles.
      {1234.5, kAngleDegree, 0, 1, 3, 1, "1234.5"},
      {-0.0001, kAngleDegree, 0, 1, 3, 0, "0.000"},
      {45.0, kAngleUnitNum, 1, 1, 3, 1, "0"},
  };
  for (const Row& r : rows) {
    CTarvil::s_Locale.m_nAnglePrecision = r.precision;
    Suppress(r.suppress);
    CTarvil s("old");
    s.m_nCursorPosition = 1;
    s.m_eCurrentError = eErrBlank;
    EXPECT_EQ(Text(s.SetAngleMeasure(r.degrees, r.unit, r.showUnit, r.usePrecision)), r.text);
    EXPECT_EQ(s.GetCursorPosition(), 1);
    EXPECT_EQ(s.GetCurrentError(), eErrBlank);
  }
}

TEST_F(AngleMeasure, InterpretAsAngleMeasure) {
  struct Row {
    const char* text;
    eAngleUnits unit;
    int positive;
    int result;
    double degrees;
    const char* after;
    eCTarvilErr error;
  };
  const Row rows[] = {
      {"45", kAngleDegree, 0, 1, 45.0, "45", eErrNone},
      {"90", kAngleMinute, 0, 1, 1.5, "90", eErrNone},
      {"-90", kAngleDegree, 1, 1, 270.0, "270", eErrNone},
      {"400", kAngleDegree, 0, 1, 40.0, "40", eErrNone},
      {"10deg 30'", kAngleMinute, 0, 1, 10.5, "630", eErrNone},
      {"10deg -30'", kAngleDegree, 0, 1, 9.5, "9.5", eErrNone},
      {"-90deg", kAngleDegree, 1, 1, 270.0, "270", eErrNone},
      {"abc", kAngleDegree, 0, 0, 0.0, "abc", eErrInvalidCharacter},
      {"10 20", kAngleDegree, 0, 0, 0.0, "10 20", eErrInvalidCharacter},
      {"45 degrees", kAngleDegree, 0, 0, 0.0, "45 degrees", eErrInvalidCharacter},
      {"10deg 20deg", kAngleDegree, 0, 0, 0.0, "10deg 20deg", eErrInvalidCharacter},
      {"", kAngleDegree, 0, 0, 0.0, "", eErrEmpty},
  };
  for (const Row& r : rows) {
    for (int showError : {0, 1}) {
      messages.clear();
      CTarvil s(r.text);
      double degrees = -1.0;
      EXPECT_EQ(s.InterpretAsAngleMeasure(degrees, r.unit, 0, showError, r.positive), r.result)
          << r.text;
      EXPECT_EQ(Text(s), r.after) << r.text;
      EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
      if (r.result == 1) {
        EXPECT_EQ(degrees, r.degrees) << r.text;
      } else {
        EXPECT_EQ(messages.size(), showError == 1 ? 1u : 0u) << r.text;
      }
    }
  }
}

}  // namespace
