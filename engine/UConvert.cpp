// UConvert.cpp: lengths between design units and integer base-unit counts.
#include <cmath>

#include "AssertReport.h"
#include "UnitConversionInternal.h"

namespace tarvil::detail {
namespace {

constexpr const char* kUnit = "UConvert";

// Base units per design unit: [base unit][design unit]. The ten-nanometre
// row is the nanometre row divided by ten (all exact).
constexpr double kBasePerDesign[kBaseUnitNum][kDesUnitNum] = {
    {2.54e7, 1e6, 1000.0, 25400.0},
    {2.54e6, 1e5, 100.0, 2540.0},
};

constexpr double kCountMax = 2147483647.0;
constexpr double kCountMin = -2147483648.0;

}  // namespace

long RoundToBaseUnits(double v, int* count) {
  if (std::isnan(v)) return kStatusFail;
  if (v > kCountMax || v < kCountMin) return kStatusOverflow;
  if (v == 0.0) {
    *count = 0;
    return kStatusOk;
  }
  if ((v > 0.0 && v < 0.5) || (v < 0.0 && v > -0.5)) return kStatusFail;
  // Halves go away from zero; the bounds themselves stay in range.
  double rounded = v > 0.0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5);
  if (rounded > kCountMax) rounded = kCountMax;
  if (rounded < kCountMin) rounded = kCountMin;
  *count = static_cast<int>(rounded);
  return kStatusOk;
}

long DesignToBaseUnits(double value, eDesignUnits fromUnit, int* count,
                       eBaseUnits baseDesignUnit) {
  if (count == nullptr) return kStatusInvalidArg;
  *count = 0;

  bool ok = TARVIL_CHECK((fromUnit >= 0) && (fromUnit <= kDesUnitNum),
                         "(fromUnit >= 0) && (fromUnit <= kDesUnitNum)", kUnit);
  ok = TARVIL_CHECK((baseDesignUnit >= 0) && (baseDesignUnit < kBaseUnitNum),
                    "(baseDesignUnit >= 0) && (baseDesignUnit < kBaseUnitNum)", kUnit) &&
       ok;
  if (!ok) return kStatusInvalidArg;

  if (value == 0.0) return kStatusOk;

  if (fromUnit == kDesUnitNum) {
    // Already a count: truncated, not rounded. A count that an int cannot
    // hold is refused rather than converted with undefined result.
    if (std::isnan(value)) return kStatusFail;
    double whole = std::trunc(value);
    if (whole > kCountMax || whole < kCountMin) return kStatusOverflow;
    *count = static_cast<int>(whole);
    return kStatusOk;
  }

  return RoundToBaseUnits(value * kBasePerDesign[baseDesignUnit][fromUnit], count);
}

double BaseUnitsToDesign(int count, eDesignUnits toUnit, eBaseUnits baseDesignUnit) {
  bool ok = TARVIL_CHECK((toUnit >= 0) && (toUnit <= kDesUnitNum),
                         "((toUnit >= 0) && (toUnit <= kDesUnitNum))", kUnit);
  ok = TARVIL_CHECK((baseDesignUnit >= 0) && (baseDesignUnit < kBaseUnitNum),
                    "((baseDesignUnit >= 0) && (baseDesignUnit < kBaseUnitNum))", kUnit) &&
       ok;
  if (!ok || count == 0) return 0.0;
  if (toUnit == kDesUnitNum) return static_cast<double>(count);
  return count / kBasePerDesign[baseDesignUnit][toUnit];
}

double BasePerDesignUnit(eDesignUnits unit, eBaseUnits base) {
  if (unit < 0 || unit >= kDesUnitNum || base < 0 || base >= kBaseUnitNum) return 0.0;
  return kBasePerDesign[base][unit];
}

long ConvertBaseUnitCount(int* baseUnit, eBaseUnits fromUnit, eBaseUnits toUnit) {
  if (fromUnit == toUnit) return kStatusOk;

  bool ok = TARVIL_CHECK((fromUnit >= 0) && (fromUnit < kBaseUnitNum),
                         "((fromUnit >= 0) && (fromUnit < kBaseUnitNum))", kUnit);
  ok = TARVIL_CHECK((toUnit >= 0) && (toUnit < kBaseUnitNum),
                    "((toUnit >= 0) && (toUnit < kBaseUnitNum))", kUnit) &&
       ok;
  ok = TARVIL_CHECK(baseUnit != nullptr, "baseUnit != NULL", kUnit) && ok;
  if (!ok) return kStatusInvalidArg;

  if (*baseUnit == 0) return kStatusOk;
  return RoundToBaseUnits(ConvertBaseUnits(*baseUnit, fromUnit, toUnit), baseUnit);
}

}  // namespace tarvil::detail
