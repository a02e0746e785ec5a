// Tests of the length members: recognition, base-unit counts, writing,
// snapping plain numbers, interpreting dialog input, base unit names; and of
// the number rendering the measure writers share.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "CTarvil.h"
#include "MeasureInternal.h"
#include "MeasureTestSupport.h"

using measure_test::MeasureTest;
using measure_test::Text;

namespace {

constexpr long kFail = E_FAIL;
constexpr long kInvalid = E_INVALIDARG;

using LinearMeasure = MeasureTest;

TEST_F(LinearMeasure, Recognition) {
  struct Row {
    const char* text;
    eCTarvilDomain domain;
    int result;
    eCTarvilErr error;
    int cursor;
    eDesignUnits units;
    double value;  // checked when the number part parsed
  };
  const Row rows[] = {
      {"  25.4 mm ", eDomainAny, 1, eErrNone, 11, kDesMillimeter, 25.4},
      {"1 IN", eDomainAny, 1, eErrNone, 5, kDesInch, 1.0},
      {"1In", eDomainAny, 1, eErrNone, 4, kDesInch, 1.0},
      {"1in", eDomainAny, 1, eErrNone, 4, kDesInch, 1.0},
      {"2UM", eDomainAny, 1, eErrNone, 4, kDesMicron, 2.0},
      {"1,000th", eDomainAny, 1, eErrNone, 8, kDesMil, 1000.0},
      {"-3mm", eDomainAny, 1, eErrNone, 5, kDesMillimeter, -3.0},
      {"1 inch", eDomainAny, 0, eErrInvalidCharacter, 3, kDesUnitNum, 1.0},
      {"5 nm", eDomainAny, 0, eErrInvalidCharacter, 3, kDesUnitNum, 5.0},
      {"12", eDomainAny, 0, eErrNoUnit, 3, kDesUnitNum, NAN},
      {"12mm.", eDomainAny, 0, eErrNoUnit, 6, kDesUnitNum, NAN},
      {"", eDomainAny, 0, eErrEmpty, 0, kDesUnitNum, NAN},
      {"   ", eDomainAny, 0, eErrBlank, 4, kDesUnitNum, NAN},
      {"-1mm", eDomainPositive, 0, eErrNegativeNotAllowed, 1, kDesUnitNum, -1.0},
      {"  0mm", eDomainPositive, 0, eErrZeroNotAllowed, 3, kDesUnitNum, 0.0},
      // The domain is checked before the unit.
      {"-1xy", eDomainPositive, 0, eErrNegativeNotAllowed, 1, kDesUnitNum, -1.0},
      // One number and one unit only: a second group fails in the number.
      {"1in 2mm", eDomainAny, 0, eErrInvalidCharacter, 2, kDesUnitNum, NAN},
      // The first character is always part of the number.
      {"mm", eDomainAny, 0, eErrInvalidCharacter, 1, kDesUnitNum, NAN},
      {" x5mm", eDomainAny, 0, eErrInvalidCharacter, 2, kDesUnitNum, NAN},
      {"1.5.2mm", eDomainAny, 0, eErrTooManyDecimalPlaces, 4, kDesUnitNum, NAN},
      // A multibyte unit is not one of ours, and is pointed at whole.
      {"5\xC2\xB5m", eDomainAny, 0, eErrInvalidCharacter, 2, kDesUnitNum, 5.0},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    double value = 12345.0;
    eDesignUnits units = kDesInch;
    EXPECT_EQ(s.IsLinearMeasure(&value, &units, r.domain), r.result) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
    EXPECT_EQ(units, r.units) << r.text;
    if (!std::isnan(r.value)) {
      EXPECT_EQ(value, r.value) << r.text;
    }
    EXPECT_EQ(Text(s), r.text) << "the test never changes the text";
  }
  CTarvil s("3 mm");
  EXPECT_EQ(s.IsLinearMeasure(), 1);
  eDesignUnits units = kDesInch;
  EXPECT_EQ(s.IsLinearMeasure(&units), 1);
  EXPECT_EQ(units, kDesMillimeter);
  EXPECT_EQ(s.IsLinearMeasure(nullptr, nullptr, eDomainAny), 1);
}

struct CountRow {
  const char* text;
  eBaseUnits base;
  long status;
  int count;
  eCTarvilErr error;
  int cursor;
};

TEST_F(LinearMeasure, GetBaseUnits) {
  const CountRow rows[] = {
      {"  25.4 mm ", kBaseNanometer, S_OK, 25400000, eErrNone, 11},
      {"1in", kBaseTenNanometers, S_OK, 2540000, eErrNone, 4},
      {"0.0004mm", kBaseTenNanometers, S_OK, 40, eErrNone, 9},
      {"0.000004mm", kBaseTenNanometers, kFail, 0, eErrNotAnInteger, 11},
      {"0.000005mm", kBaseTenNanometers, S_OK, 1, eErrNone, 11},
      {"86in", kBaseNanometer, kFail, 0, eErrNotAnInteger, 5},
      {"-84in", kBaseNanometer, S_OK, -2133600000, eErrNone, 6},
      {"12", kBaseNanometer, kInvalid, 0, eErrNoUnit, 3},
      {"1 inch", kBaseNanometer, kInvalid, 0, eErrInvalidCharacter, 3},
      {"50nm", kBaseTenNanometers, S_OK, 5, eErrNone, 5},
      {"5tnm", kBaseNanometer, S_OK, 50, eErrNone, 5},
      {"5 TNM", kBaseTenNanometers, S_OK, 5, eErrNone, 6},
      {"3nm", kBaseTenNanometers, kFail, 0, eErrNotAnInteger, 4},
      {"0nm", kBaseTenNanometers, S_OK, 0, eErrNone, 4},
      {"3000000000nm", kBaseNanometer, kFail, 0, eErrNotAnInteger, 13},
      {"", kBaseNanometer, kFail, 0, eErrEmpty, 0},
  };
  for (const CountRow& r : rows) {
    CTarvil s(r.text);
    int count = 777;
    EXPECT_EQ(s.GetBaseUnits(&count, r.base), r.status) << r.text;
    EXPECT_EQ(count, r.count) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
  }
}

TEST_F(LinearMeasure, GetNanometers) {
  const CountRow rows[] = {
      {"50nm", kBaseNanometer, S_OK, 50, eErrNone, 5},
      {"5tnm", kBaseNanometer, S_OK, 50, eErrNone, 5},
      // Quantised to the caller's resolution first.
      {"0.000015mm", kBaseTenNanometers, S_OK, 20, eErrNone, 11},
      {"0.000015mm", kBaseNanometer, S_OK, 15, eErrNone, 11},
      {"1in", kBaseTenNanometers, S_OK, 25400000, eErrNone, 4},
      // 218440000 tens fit, 2184400000 nanometres do not.
      {"86in", kBaseTenNanometers, kFail, 0, eErrNotAnInteger, 5},
      // A base-unit text goes straight to nanometres.
      {"3nm", kBaseTenNanometers, S_OK, 3, eErrNone, 4},
      {"0.4nm", kBaseNanometer, kFail, 0, eErrNotAnInteger, 6},
      {"12", kBaseNanometer, kInvalid, 0, eErrNoUnit, 3},
      {"", kBaseTenNanometers, kFail, 0, eErrEmpty, 0},
  };
  for (const CountRow& r : rows) {
    CTarvil s(r.text);
    int count = 777;
    EXPECT_EQ(s.GetNanometers(&count, r.base), r.status) << r.text;
    EXPECT_EQ(count, r.count) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
  }
}

TEST_F(LinearMeasure, CountReadersRefuseBadArgumentsWithoutTouchingState) {
  CTarvil s("1in");
  s.m_nCursorPosition = 7;
  s.m_eCurrentError = eErrTooLarge;
  int count = 5;
  EXPECT_EQ(s.GetBaseUnits(nullptr, kBaseNanometer), kInvalid);
  EXPECT_EQ(s.GetBaseUnits(&count, kBaseUnitNum), kInvalid);
  EXPECT_EQ(s.GetNanometers(nullptr, kBaseNanometer), kInvalid);
  EXPECT_EQ(s.GetNanometers(&count, static_cast<eBaseUnits>(-1)), kInvalid);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(s.GetCursorPosition(), 7);
  EXPECT_EQ(s.GetCurrentError(), eErrTooLarge);
}

TEST_F(LinearMeasure, SetLinearMeasure) {
  struct Row {
    int count;
    eDesignUnits unit;
    eBaseUnits base;
    int showUnit, usePrecision, suppress;
    const char* text;
  };
  const Row rows[] = {
      {25400000, kDesMillimeter, kBaseNanometer, 1, 1, 0, "25.400mm"},
      {25400000, kDesMillimeter, kBaseNanometer, 1, 1, 1, "25.4mm"},
      {25400000, kDesInch, kBaseNanometer, 1, 0, 0, "1in"},
      {2540, kDesMil, kBaseTenNanometers, 1, 1, 0, "1.000th"},
      {12345, kDesMicron, kBaseNanometer, 1, 0, 0, "12.345um"},
      // Rounds to zero: never shown negative.
      {-1, kDesInch, kBaseNanometer, 0, 1, 0, "0.000"},
      {-1, kDesInch, kBaseNanometer, 0, 1, 1, "0"},
      {2000000000, kDesMillimeter, kBaseNanometer, 0, 1, 0, "2,000.000"},
      {-2000000000, kDesMillimeter, kBaseNanometer, 1, 1, 1, "-2,000mm"},
      {0, kDesMillimeter, kBaseNanometer, 1, 1, 1, "0mm"},
      // Flags act only when exactly 1.
      {25400000, kDesMillimeter, kBaseNanometer, 2, 2, 0, "25.4"},
  };
  for (const Row& r : rows) {
    Suppress(r.suppress);
    CTarvil s("old");
    s.m_nCursorPosition = 3;
    s.m_eCurrentError = eErrBlank;
    s.SetLinearMeasure(r.count, r.unit, r.base, r.showUnit, r.usePrecision);
    EXPECT_EQ(Text(s), r.text) << r.count;
    EXPECT_EQ(s.GetCursorPosition(), 3);
    EXPECT_EQ(s.GetCurrentError(), eErrBlank);
  }
  // A unit outside the design units renders nothing.
  CTarvil s("old");
  s.SetLinearMeasure(100, kDesUnitNum, kBaseNanometer, 1, 1);
  EXPECT_EQ(Text(s), "old");
  EXPECT_TRUE(reports.empty());
}

TEST_F(LinearMeasure, SetLinearMeasureRegionalForm) {
  CTarvil::s_Locale.m_cDecimal = ',';
  CTarvil::s_Locale.m_cThousand = '.';
  CTarvil::s_Locale.m_nLeadingZero = 0;
  Suppress(0);
  CTarvil s;
  EXPECT_EQ(Text(s.SetLinearMeasure(500000, kDesMillimeter, kBaseNanometer, 1, 1)), ",500mm");
  EXPECT_EQ(Text(s.SetLinearMeasure(1234500000, kDesMillimeter, kBaseNanometer, 0, 1)),
            "1.234,500");
  CTarvil::s_Locale.m_nGrouping = 0;
  EXPECT_EQ(Text(s.SetLinearMeasure(1234500000, kDesMillimeter, kBaseNanometer, 0, 1)),
            "1234,500");
  CTarvil::s_Locale.m_nDigits = 1;
  EXPECT_EQ(Text(s.SetLinearMeasure(1260000, kDesMillimeter, kBaseNanometer, 0, 1)), "1,3");
}

TEST_F(LinearMeasure, FormatAsLinearMeasure) {
  struct Row {
    const char* text;
    eDesignUnits from, to;
    eBaseUnits base;
    long status;
    const char* after;
    eCTarvilErr error;
    int cursor;
  };
  Suppress(0);
  const Row rows[] = {
      {"25.4", kDesMillimeter, kDesInch, kBaseNanometer, S_OK, "1.000", eErrNone, -1},
      {" 12 ", kDesMillimeter, kDesMillimeter, kBaseNanometer, S_OK, "12.000", eErrNone, -1},
      // Snapped to the 10 nm grid.
      {"0.000015", kDesMillimeter, kDesMicron, kBaseTenNanometers, S_OK, "0.020", eErrNone, -1},
      {"abc", kDesMillimeter, kDesInch, kBaseNanometer, kInvalid, "abc", eErrInvalidCharacter, 1},
      {"1mm ", kDesMillimeter, kDesInch, kBaseNanometer, kInvalid, "1mm ", eErrInvalidCharacter,
       2},
      {"0.000004", kDesMillimeter, kDesMillimeter, kBaseTenNanometers, kFail, "0.000004",
       eErrNotAnInteger, -1},
      {"86", kDesInch, kDesInch, kBaseNanometer, kFail, "86", eErrNotAnInteger, -1},
      {"", kDesMillimeter, kDesInch, kBaseNanometer, kFail, "", eErrEmpty, 0},
      {"1", kDesMillimeter, kDesInch, kBaseUnitNum, kInvalid, "1", eErrNone, 0},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    EXPECT_EQ(s.FormatAsLinearMeasure(r.from, r.to, r.base), r.status) << r.text;
    EXPECT_EQ(Text(s), r.after) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    if (r.cursor >= 0) {
      EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
    }
  }
  CTarvil s("2.54");
  EXPECT_EQ(s.FormatAsLinearMeasure(kDesMil, kBaseTenNanometers), S_OK);
  EXPECT_EQ(Text(s), "2.540");
}

TEST_F(LinearMeasure, InterpretAsLinearMeasure) {
  struct Row {
    const char* text;
    eDesignUnits unit;
    eBaseUnits base;
    eCTarvilDomain domain;
    int result;
    int count;  // checked on success
    const char* after;
    eCTarvilErr error;
    int cursor;  // checked on failure
  };
  Suppress(0);
  const Row rows[] = {
      {"12", kDesMillimeter, kBaseNanometer, eDomainAny, 1, 12000000, "12.000", eErrNone, 0},
      {"1in", kDesMillimeter, kBaseNanometer, eDomainAny, 1, 25400000, "25.400", eErrNone, 0},
      {" 1 IN ", kDesMil, kBaseTenNanometers, eDomainPositive, 1, 2540000, "1,000.000", eErrNone,
       0},
      {"5000nm", kDesMillimeter, kBaseNanometer, eDomainAny, 1, 5000, "0.005", eErrNone, 0},
      {"5tnm", kDesMicron, kBaseNanometer, eDomainAny, 1, 50, "0.050", eErrNone, 0},
      {"50nm", kDesMicron, kBaseTenNanometers, eDomainAny, 1, 5, "0.050", eErrNone, 0},
      // A design unit outside the domain keeps the domain error.
      {"-1mm", kDesMillimeter, kBaseNanometer, eDomainPositive, 0, 0, "-1mm",
       eErrNegativeNotAllowed, 1},
      {"  0 th", kDesMillimeter, kBaseNanometer, eDomainNonZero, 0, 0, "  0 th",
       eErrZeroNotAllowed, 3},
      {"2in", kDesMillimeter, kBaseNanometer, eDomainZeroOrNegative, 0, 0, "2in",
       eErrPositiveNotAllowed, 1},
      // Base units check the domain themselves.
      {" -5nm", kDesMillimeter, kBaseNanometer, eDomainPositive, 0, 0, " -5nm",
       eErrNegativeNotAllowed, 2},
      // An unknown unit is reported as such, whatever the sign.
      {"-5xyz", kDesMillimeter, kBaseNanometer, eDomainPositive, 0, 0, "-5xyz",
       eErrInvalidCharacter, 3},
      {"1 inch", kDesMillimeter, kBaseNanometer, eDomainAny, 0, 0, "1 inch",
       eErrInvalidCharacter, 3},
      {"abc", kDesMillimeter, kBaseNanometer, eDomainAny, 0, 0, "abc", eErrInvalidCharacter, 1},
      {"-12", kDesMillimeter, kBaseNanometer, eDomainPositive, 0, 0, "-12",
       eErrNegativeNotAllowed, 1},
      {"12 ,", kDesMillimeter, kBaseNanometer, eDomainAny, 0, 0, "12 ,", eErrInvalidCharacter,
       3},
      {"0.000004", kDesMillimeter, kBaseTenNanometers, eDomainAny, 0, 0, "0.000004",
       eErrNotAnInteger, 0},
      {"3nm", kDesMillimeter, kBaseTenNanometers, eDomainAny, 0, 0, "3nm", eErrNotAnInteger, 0},
      {"86in", kDesMillimeter, kBaseNanometer, eDomainAny, 0, 0, "86in", eErrNotAnInteger, 0},
      {"", kDesMillimeter, kBaseNanometer, eDomainAny, 0, 0, "", eErrEmpty, 0},
  };
  for (const Row& r : rows) {
    for (int showError : {0, 1}) {
      messages.clear();
      CTarvil s(r.text);
      int count = -99;
      EXPECT_EQ(s.InterpretAsLinearMeasure(count, r.unit, r.base, 0, showError, r.domain),
                r.result)
          << r.text;
      EXPECT_EQ(Text(s), r.after) << r.text;
      EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
      if (r.result == 1) {
        EXPECT_EQ(count, r.count) << r.text;
        EXPECT_TRUE(messages.empty()) << r.text;
      } else {
        if (r.cursor > 0) {
          EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
        }
        EXPECT_EQ(messages.size(), showError == 1 ? 1u : 0u) << r.text;
      }
    }
  }
}

TEST_F(LinearMeasure, AppendBaseUnit) {
  struct Row {
    const char* text;
    eUnitTypes type;
    int addSpace, inParentheses;
    const char* after;
  };
  const Row rows[] = {
      {"12", eNanometers, 1, 1, "12 (nm)"},
      {"12", eNoUnit, 1, 1, "12"},
      {"T", eSeconds, 0, 0, "Ts"},
      {"V", eMps, 0, 1, "V(m/s)"},
      {"A", eDegrees, 1, 0, "A deg"},
      {"", eFarads, 2, 2, "F"},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    EXPECT_EQ(Text(s.AppendBaseUnit(r.type, r.addSpace, r.inParentheses)), r.after) << r.after;
  }
  CTarvil s("R");
  EXPECT_EQ(Text(s.AppendBaseUnit(eOhms, eEuropean, 1, 0)), "R R");
  CTarvil::s_Locale.m_eActiveNotation = eSI;
  CTarvil t("R");
  EXPECT_EQ(Text(t.AppendBaseUnit(eOhms, 0, 1)), "R(ohms)");
}

// The renderer the measure writers share.
TEST_F(LinearMeasure, FormatMeasureNumber) {
  struct Row {
    double v;
    int precision, usePrecision;
    bool group;
    int suppress;
    const char* text;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const Row rows[] = {
      {1234567.891, 3, 1, true, 0, "1,234,567.891"},
      {1234.5, 3, 1, false, 1, "1234.5"},
      {1234.5, 3, 1, false, 0, "1234.500"},
      {2.25, 3, 0, true, 0, "2.25"},
      {1.0 / 3.0, 3, 0, true, 0, "0.333333333333333"},
      {-0.0004, 3, 1, true, 0, "0.000"},
      {-0.0004, 3, 1, true, 1, "0"},
      {-0.0004, 0, 0, true, 0, "-0.0004"},
      {-1234.5, 1, 1, true, 0, "-1,234.5"},
      {-123.4, 1, 1, true, 0, "-123.4"},
      {999.9996, 3, 1, true, 0, "1,000.000"},
      {std::nan(""), 3, 1, true, 0, "NaN"},
      {inf, 3, 1, true, 0, "#INF"},
      {-inf, 3, 1, true, 0, "#INF"},
      // Negative precisions (unchecked registry values) give whole numbers.
      {2.5, -4, 1, true, 0, "2"},
      // Longer than 40 characters: written whole.
      {1e40, 0, 1, true, 0, "10,000,000,000,000,000,303,786,028,427,003,666,890,752"},
  };
  for (const Row& r : rows) {
    Suppress(r.suppress);
    std::string out = "previous";
    const auto grouping =
        r.group ? tarvil::detail::DigitGrouping::kRegional : tarvil::detail::DigitGrouping::kNone;
    tarvil::detail::FormatMeasureNumber(r.v, r.precision, r.usePrecision, grouping, out);
    EXPECT_EQ(out, r.text) << r.v;
  }
  // An absurd configured precision is capped rather than allocated.
  Suppress(0);
  std::string out;
  tarvil::detail::FormatMeasureNumber(1.5, 2000000000, 1, tarvil::detail::DigitGrouping::kNone,
                                      out);
  EXPECT_EQ(out.size(), 66u);
  EXPECT_EQ(out.substr(0, 5), "1.500");
}

}  // namespace
