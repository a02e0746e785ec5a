// Tests of the propagation-velocity members.
#include <gtest/gtest.h>

#include <string>

#include "CTarvil.h"
#include "MeasureTestSupport.h"

using measure_test::MeasureTest;
using measure_test::Text;

namespace {

constexpr long kFail = E_FAIL;
constexpr long kInvalid = E_INVALIDARG;

using VpMeasure = MeasureTest;

TEST_F(VpMeasure, GetMps) {
  struct Row {
    const char* text;
    long status;
    double mps;
    eCTarvilErr error;
    int cursor;
  };
  const Row rows[] = {
      {"6in/ns", S_OK, 152400000.0, eErrNone, 7},
      {"6 IN/NS", S_OK, 152400000.0, eErrNone, 8},
      {"3 m/s", S_OK, 3.0, eErrNone, 6},
      {"50%c", S_OK, 149896229.0, eErrNone, 5},
      {"100%c", S_OK, 299792458.0, eErrNone, 6},
      {"0%c", S_OK, 0.0, eErrNone, 4},
      {"100.5%c", kInvalid, 0.0, eErrTooLarge, 1},
      {"-1%c", kInvalid, 0.0, eErrTooSmall, 1},
      {" -1 %C", kInvalid, 0.0, eErrTooSmall, 2},
      // The suffix is only "ns": the number part fails.
      {"5 in / ns", kInvalid, 0.0, eErrInvalidCharacter, 2},
      {"12", kInvalid, 0.0, eErrNoUnit, 3},
      {"12 km/s", kInvalid, 0.0, eErrInvalidCharacter, 4},
      {"12 m/s/", kInvalid, 0.0, eErrNoUnit, 8},
      {"", kFail, 0.0, eErrEmpty, 0},
      {"1e308in/ns", kFail, 0.0, eErrTooLarge, 1},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    double mps = 42.0;
    EXPECT_EQ(s.GetMps(&mps), r.status) << r.text;
    EXPECT_EQ(mps, r.mps) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
    EXPECT_EQ(Text(s), r.text);
  }
  CTarvil s("1m/s");
  EXPECT_EQ(s.GetMps(nullptr), kInvalid);
}

TEST_F(VpMeasure, RecognitionReportsUnitAndDomain) {
  struct Row {
    const char* text;
    eCTarvilDomain domain;
    int result;
    eVpUnits units;
    eCTarvilErr error;
    int cursor;
  };
  const Row rows[] = {
      {"2 in/ns", eDomainAny, 1, kVpInchPerNs, eErrNone, 8},
      {"20%c", eDomainPositive, 1, kVpPercentC, eErrNone, 5},
      {"  -2m/s", eDomainPositive, 0, kVpUnitNum, eErrNegativeNotAllowed, 3},
      // The unit is known before the limit of a percentage is checked.
      {"101%c", eDomainAny, 0, kVpPercentC, eErrTooLarge, 1},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    double value = 0.0;
    eVpUnits units = kVpMeterPerSec;
    EXPECT_EQ(s.IsVpMeasure(&value, &units, r.domain), r.result) << r.text;
    EXPECT_EQ(units, r.units) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
  }
  CTarvil s("1m/s");
  EXPECT_EQ(s.IsVpMeasure(), 1);
  eVpUnits units = kVpInchPerNs;
  EXPECT_EQ(s.IsVpMeasure(&units), 1);
  EXPECT_EQ(units, kVpMeterPerSec);
}

TEST_F(VpMeasure, SetVpMeasurePercent) {
  struct Row {
    double mps;
    int showUnit, usePrecision, suppress;
    const char* text;
  };
  const Row rows[] = {
      {149896229.0, 1, 0, 1, "50%c"},
      {149896229.0, 1, 1, 0, "50.00%c"},
      {100000000.0, 0, 1, 0, "33.36"},
      {-1.0, 1, 1, 0, "0.00%c"},
  };
  for (const Row& r : rows) {
    Suppress(r.suppress);
    CTarvil s("old");
    s.m_nCursorPosition = 4;
    s.m_eCurrentError = eErrTooSmall;
    EXPECT_EQ(Text(s.SetVpMeasure(r.mps, kVpPercentC, r.showUnit, r.usePrecision)), r.text);
    EXPECT_EQ(s.GetCursorPosition(), 4);
    EXPECT_EQ(s.GetCurrentError(), eErrTooSmall);
  }
}

TEST_F(VpMeasure, SetVpMeasureOtherUnits) {
  CTarvil s("old");
  s.SetVpMeasure(152400000.0, kVpInchPerNs, 1, 1);
  EXPECT_EQ(Text(s).substr(Text(s).size() - 5), "in/ns");
  s.SetVpMeasure(3.0, kVpMeterPerSec, 0, 1);
  EXPECT_EQ(Text(s).find("m/s"), std::string::npos);
  EXPECT_TRUE(reports.empty());

  // An unknown unit: reported, nothing rendered.
  CTarvil t("old");
  t.SetVpMeasure(3.0, kVpUnitNum, 1, 1);
  EXPECT_EQ(Text(t), "old");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], "VpConvert: ((toUnit >= 0) && (toUnit < kVpUnitNum))");
}

TEST_F(VpMeasure, InterpretAsVpMeasure) {
  struct Row {
    const char* text;
    eVpUnits unit;
    eCTarvilDomain domain;
    int result;
    double mps;
    const char* after;  // checked when not null
    eCTarvilErr error;
    int cursor;
  };
  const Row rows[] = {
      // No limit on a bare percentage.
      {"150", kVpPercentC, eDomainAny, 1, 449688687.0, "150", eErrNone, 0},
      {"25%c", kVpPercentC, eDomainPositive, 1, 74948114.5, "25", eErrNone, 0},
      {"6in/ns", kVpPercentC, eDomainAny, 1, 152400000.0, "50.84", eErrNone, 0},
      {"3 m/s", kVpMeterPerSec, eDomainAny, 1, 3.0, nullptr, eErrNone, 0},
      {"-5", kVpMeterPerSec, eDomainPositive, 0, 0.0, "-5", eErrNegativeNotAllowed, 1},
      {"120%c", kVpPercentC, eDomainAny, 0, 0.0, "120%c", eErrTooLarge, 1},
      {"12 km/s", kVpMeterPerSec, eDomainAny, 0, 0.0, "12 km/s", eErrInvalidCharacter, 4},
      {"1e302", kVpInchPerNs, eDomainAny, 0, 0.0, "1e302", eErrTooLarge, 1},
      // A caller's unit outside the enumeration: reported, the number taken
      // as metres per second, nothing rendered; never a refusal.
      {"5", kVpUnitNum, eDomainAny, 1, 5.0, "5", eErrNone, 0},
  };
  for (const Row& r : rows) {
    for (int showError : {0, 1}) {
      messages.clear();
      CTarvil s(r.text);
      double mps = -1.0;
      EXPECT_EQ(s.InterpretAsVpMeasure(mps, r.unit, 0, showError, r.domain), r.result)
          << r.text;
      if (r.after != nullptr) {
        EXPECT_EQ(Text(s), r.after) << r.text;
      }
      EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
      if (r.result == 1) {
        EXPECT_EQ(mps, r.mps) << r.text;
      } else {
        EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
        EXPECT_EQ(messages.size(), showError == 1 ? 1u : 0u) << r.text;
      }
    }
  }
}

}  // namespace
