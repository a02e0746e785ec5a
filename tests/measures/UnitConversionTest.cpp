// Tests of the unit conversion routines of the physical measures.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "AssertReport.h"
#include "UnitConversionInternal.h"

using namespace tarvil::detail;

namespace {

struct Report {
  std::string condition;
  std::string unit;
};

// Captures the precondition reports made while it lives.
class ReportCapture {
 public:
  ReportCapture() {
    previous_ = tarvil::platform::SetAssertReportHandler(
        [this](const char* condition, const char* unit, int) {
          reports.push_back({condition, unit});
        });
  }
  ~ReportCapture() { tarvil::platform::SetAssertReportHandler(previous_); }
  std::vector<Report> reports;

 private:
  tarvil::platform::AssertReportHandler previous_;
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(RoundToBaseUnits, RoundsHalvesAwayAndRefusesLoss) {
  struct Row {
    double v;
    long status;
    int count;
  };
  const Row rows[] = {
      {2.5, kStatusOk, 3},
      {-2.5, kStatusOk, -3},
      {0.5, kStatusOk, 1},
      {-0.5, kStatusOk, -1},
      {2.4999, kStatusOk, 2},
      {0.0, kStatusOk, 0},
      {0.4999, kStatusFail, 99},
      {-0.1, kStatusFail, 99},
      {4.9e-324, kStatusFail, 99},
      {2147483647.0, kStatusOk, 2147483647},
      {-2147483648.0, kStatusOk, -2147483647 - 1},
      {2147483647.2, kStatusOverflow, 99},
      {-2147483648.5, kStatusOverflow, 99},
      {std::numeric_limits<double>::infinity(), kStatusOverflow, 99},
      {kNaN, kStatusFail, 99},
  };
  for (const Row& r : rows) {
    int count = 99;
    EXPECT_EQ(RoundToBaseUnits(r.v, &count), r.status) << r.v;
    EXPECT_EQ(count, r.count) << r.v;
  }
}

TEST(DesignToBaseUnits, ConvertsAndRounds) {
  struct Row {
    double value;
    eDesignUnits unit;
    eBaseUnits base;
    long status;
    int count;
  };
  const Row rows[] = {
      {1.0, kDesInch, kBaseNanometer, kStatusOk, 25400000},
      {1.0, kDesInch, kBaseTenNanometers, kStatusOk, 2540000},
      {1.0, kDesMil, kBaseTenNanometers, kStatusOk, 2540},
      {25.4, kDesMillimeter, kBaseNanometer, kStatusOk, 25400000},
      {1.0, kDesMicron, kBaseNanometer, kStatusOk, 1000},
      {0.00004, kDesMillimeter, kBaseTenNanometers, kStatusOk, 4},
      {0.000004, kDesMillimeter, kBaseTenNanometers, kStatusFail, 0},
      {0.000005, kDesMillimeter, kBaseTenNanometers, kStatusOk, 1},
      {-0.000005, kDesMillimeter, kBaseTenNanometers, kStatusOk, -1},
      {86.0, kDesInch, kBaseNanometer, kStatusOverflow, 0},
      {-86.0, kDesInch, kBaseNanometer, kStatusOverflow, 0},
      {0.0, kDesInch, kBaseNanometer, kStatusOk, 0},
      {12.7, kDesUnitNum, kBaseNanometer, kStatusOk, 12},
      {-12.7, kDesUnitNum, kBaseTenNanometers, kStatusOk, -12},
      // A count beyond the 32-bit range is refused, not wrapped.
      {3e9, kDesUnitNum, kBaseNanometer, kStatusOverflow, 0},
      {kNaN, kDesUnitNum, kBaseNanometer, kStatusFail, 0},
      {kNaN, kDesMil, kBaseNanometer, kStatusFail, 0},
  };
  for (const Row& r : rows) {
    int count = 77;
    EXPECT_EQ(DesignToBaseUnits(r.value, r.unit, &count, r.base), r.status)
        << r.value << " unit " << r.unit << " base " << r.base;
    EXPECT_EQ(count, r.count) << r.value << " unit " << r.unit << " base " << r.base;
  }
}

TEST(DesignToBaseUnits, NullCountIsRefused) {
  EXPECT_EQ(DesignToBaseUnits(1.0, kDesInch, nullptr, kBaseNanometer), kStatusInvalidArg);
}

TEST(BaseUnitsToDesign, DividesByTheFactor) {
  struct Row {
    int count;
    eDesignUnits unit;
    eBaseUnits base;
    double value;
  };
  const Row rows[] = {
      {25400000, kDesMillimeter, kBaseNanometer, 25.4},
      {25400000, kDesInch, kBaseNanometer, 1.0},
      {2540, kDesMil, kBaseTenNanometers, 1.0},
      {0, kDesInch, kBaseNanometer, 0.0},
      {12, kDesUnitNum, kBaseTenNanometers, 12.0},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(BaseUnitsToDesign(r.count, r.unit, r.base), r.value) << r.count;
  }
}

TEST(ConvertBaseUnits, KeepsDoublesUnrounded) {
  EXPECT_EQ(ConvertBaseUnits(5.0, kBaseNanometer, kBaseTenNanometers), 0.5);
  EXPECT_EQ(ConvertBaseUnits(5.0, kBaseTenNanometers, kBaseNanometer), 50.0);
  EXPECT_EQ(ConvertBaseUnits(5.0, kBaseTenNanometers, kBaseTenNanometers), 5.0);
  EXPECT_TRUE(std::isnan(ConvertBaseUnits(kNaN, kBaseNanometer, kBaseTenNanometers)));
}

TEST(ConvertBaseUnitCount, ConvertsInPlace) {
  struct Row {
    int in;
    eBaseUnits from, to;
    long status;
    int out;
  };
  const Row rows[] = {
      {2, kBaseTenNanometers, kBaseNanometer, kStatusOk, 20},
      {15, kBaseNanometer, kBaseTenNanometers, kStatusOk, 2},
      {-15, kBaseNanometer, kBaseTenNanometers, kStatusOk, -2},
      {4, kBaseNanometer, kBaseTenNanometers, kStatusFail, 4},
      {0, kBaseNanometer, kBaseTenNanometers, kStatusOk, 0},
      {7, kBaseNanometer, kBaseNanometer, kStatusOk, 7},
      {214748365, kBaseTenNanometers, kBaseNanometer, kStatusOverflow, 214748365},
      {214748364, kBaseTenNanometers, kBaseNanometer, kStatusOk, 2147483640},
  };
  for (const Row& r : rows) {
    int count = r.in;
    EXPECT_EQ(ConvertBaseUnitCount(&count, r.from, r.to), r.status) << r.in;
    EXPECT_EQ(count, r.out) << r.in;
  }
}

TEST(ConvertSIUnits, MultipliesThenDivides) {
  EXPECT_EQ(ConvertSIUnits(1.0, kSINano, kSINoPrefix), 1e-9);
  EXPECT_EQ(ConvertSIUnits(12.0, kSINano, kSINoPrefix), 1.2000000000000002e-08);
  EXPECT_EQ(ConvertSIUnits(3.0, kSIMilli, kSIMilli), 3.0);
  EXPECT_EQ(ConvertSIUnits(5.0, kSIMega, kSINoPrefix), 5000000.0);
}

TEST(ConvertVpUnits, GoesThroughMetresPerSecond) {
  EXPECT_EQ(ConvertVpUnits(6.0, kVpInchPerNs, kVpMeterPerSec), 152400000.0);
  EXPECT_EQ(ConvertVpUnits(50.0, kVpPercentC, kVpMeterPerSec), 149896229.0);
  EXPECT_EQ(ConvertVpUnits(149896229.0, kVpMeterPerSec, kVpPercentC), 50.0);
  EXPECT_EQ(ConvertVpUnits(2.54e7, kVpMeterPerSec, kVpInchPerNs), 1.0);
}

TEST(ConvertAngleUnits, GoesThroughDegreesWithReciprocals) {
  struct Row {
    double value;
    eAngleUnits from, to;
    double result;
  };
  const Row rows[] = {
      {1.0, kAngleRadian, kAngleDegree, 57.29577951308232},
      {90.0, kAngleDegree, kAngleRadian, 90.0 * 3.141592653589793 * 0.005555555555555556},
      {30.0, kAngleMinute, kAngleDegree, 0.5},
      {0.5, kAngleDegree, kAngleMinute, 30.0},
      {0.5, kAngleDegree, kAngleSecond, 1800.0},
      {0.5, kAngleUnitNum, kAngleMinute, 30.0},
      {45.0, kAngleDegree, kAngleUnitNum, 0.0},
      {45.0, static_cast<eAngleUnits>(-3), kAngleDegree, 45.0},
      {45.0, kAngleDegree, static_cast<eAngleUnits>(9), 0.0},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ConvertAngleUnits(r.value, r.from, r.to), r.result)
        << r.value << " " << r.from << "->" << r.to;
  }
}

// A unit outside its enumeration is reported with the violated condition and
// the routine returns its neutral result.
TEST(ConversionPreconditions, ReportThenNeutralResult) {
  struct Row {
    const char* what;
    std::function<bool()> call;  // true when the neutral result came back
    std::vector<Report> expected;
  };
  const auto bad = [](int v) { return v; };
  const std::vector<Row> rows = {
      {"ConvertBaseUnits from",
       [&] { return ConvertBaseUnits(5.0, static_cast<eBaseUnits>(bad(2)), kBaseNanometer) == 0.0; },
       {{"((fromUnit >= 0) && (fromUnit < kBaseUnitNum))", "UBaseCon"}}},
      {"ConvertBaseUnits both",
       [&] {
         return ConvertBaseUnits(5.0, static_cast<eBaseUnits>(bad(-1)),
                                 static_cast<eBaseUnits>(bad(7))) == 0.0;
       },
       {{"((fromUnit >= 0) && (fromUnit < kBaseUnitNum))", "UBaseCon"},
        {"((toUnit >= 0) && (toUnit < kBaseUnitNum))", "UBaseCon"}}},
      {"ConvertBaseUnits equal units skip the check",
       [&] {
         return ConvertBaseUnits(5.0, static_cast<eBaseUnits>(bad(9)),
                                 static_cast<eBaseUnits>(bad(9))) == 5.0;
       },
       {}},
      {"DesignToBaseUnits unit",
       [&] {
         int c = 5;
         return DesignToBaseUnits(1.0, static_cast<eDesignUnits>(bad(5)), &c, kBaseNanometer) ==
                    kStatusInvalidArg &&
                c == 0;
       },
       {{"(fromUnit >= 0) && (fromUnit <= kDesUnitNum)", "UConvert"}}},
      {"DesignToBaseUnits base",
       [&] {
         int c = 5;
         return DesignToBaseUnits(1.0, kDesInch, &c, static_cast<eBaseUnits>(bad(2))) ==
                    kStatusInvalidArg &&
                c == 0;
       },
       {{"(baseDesignUnit >= 0) && (baseDesignUnit < kBaseUnitNum)", "UConvert"}}},
      {"BaseUnitsToDesign",
       [&] {
         return BaseUnitsToDesign(100, static_cast<eDesignUnits>(bad(-1)),
                                  static_cast<eBaseUnits>(bad(2))) == 0.0;
       },
       {{"((toUnit >= 0) && (toUnit <= kDesUnitNum))", "UConvert"},
        {"((baseDesignUnit >= 0) && (baseDesignUnit < kBaseUnitNum))", "UConvert"}}},
      {"ConvertBaseUnitCount null",
       [&] { return ConvertBaseUnitCount(nullptr, kBaseNanometer, kBaseTenNanometers) ==
                    kStatusInvalidArg; },
       {{"baseUnit != NULL", "UConvert"}}},
      {"ConvertBaseUnitCount units",
       [&] {
         int c = 3;
         return ConvertBaseUnitCount(&c, static_cast<eBaseUnits>(bad(4)), kBaseNanometer) ==
                    kStatusInvalidArg &&
                c == 3;
       },
       {{"((fromUnit >= 0) && (fromUnit < kBaseUnitNum))", "UConvert"}}},
      {"ConvertBaseUnitCount to",
       [&] {
         int c = 3;
         return ConvertBaseUnitCount(&c, kBaseNanometer, static_cast<eBaseUnits>(bad(4))) ==
                    kStatusInvalidArg &&
                c == 3;
       },
       {{"((toUnit >= 0) && (toUnit < kBaseUnitNum))", "UConvert"}}},
      {"ConvertSIUnits to",
       [&] { return ConvertSIUnits(2.0, kSINano, static_cast<eSIUnits>(bad(13))) == 0.0; },
       {{"((toUnit >= 0) && (toUnit < kSIUnitNum))", "SIConvert"}}},
      {"ConvertSIUnits equal units out of range: reported, value kept",
       [&] {
         return ConvertSIUnits(2.0, static_cast<eSIUnits>(bad(13)),
                               static_cast<eSIUnits>(bad(13))) == 2.0;
       },
       {{"((fromUnit >= 0) && (fromUnit < kSIUnitNum))", "SIConvert"},
        {"((toUnit >= 0) && (toUnit < kSIUnitNum))", "SIConvert"}}},
      {"ConvertVpUnits from: taken as m/s",
       [&] { return ConvertVpUnits(2.0, static_cast<eVpUnits>(bad(3)), kVpMeterPerSec) == 2.0; },
       {{"((fromUnit >= 0) && (fromUnit < kVpUnitNum))", "VpConvert"}}},
      {"ConvertVpUnits to",
       [&] { return ConvertVpUnits(2.0, kVpMeterPerSec, static_cast<eVpUnits>(bad(-2))) == 0.0; },
       {{"((toUnit >= 0) && (toUnit < kVpUnitNum))", "VpConvert"}}},
  };
  for (const Row& r : rows) {
    ReportCapture capture;
    EXPECT_TRUE(r.call()) << r.what;
    ASSERT_EQ(capture.reports.size(), r.expected.size()) << r.what;
    for (size_t i = 0; i < r.expected.size(); ++i) {
      EXPECT_EQ(capture.reports[i].condition, r.expected[i].condition) << r.what;
      EXPECT_EQ(capture.reports[i].unit, r.expected[i].unit) << r.what;
    }
  }
}

TEST(ConversionPreconditions, ValidUnitsReportNothing) {
  ReportCapture capture;
  int c = 1;
  DesignToBaseUnits(1.0, kDesUnitNum, &c, kBaseTenNanometers);
  BaseUnitsToDesign(7, kDesUnitNum, kBaseNanometer);
  ConvertBaseUnitCount(&c, kBaseTenNanometers, kBaseNanometer);
  ConvertSIUnits(1.0, kSIAtto, kSIExa);
  ConvertVpUnits(1.0, kVpPercentC, kVpInchPerNs);
  EXPECT_TRUE(capture.reports.empty());
}

}  // namespace
