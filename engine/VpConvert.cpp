// VpConvert.cpp: conversion between the units of propagation velocity,
// always through metres per second.
#include <cmath>

#include "AssertReport.h"
#include "UnitConversionInternal.h"

namespace tarvil::detail {
namespace {

constexpr const char* kUnit = "VpConvert";

}  // namespace

double ConvertVpUnits(double value, eVpUnits fromUnit, eVpUnits toUnit) {
  bool ok = TARVIL_CHECK((fromUnit >= 0) && (fromUnit < kVpUnitNum),
                         "((fromUnit >= 0) && (fromUnit < kVpUnitNum))", kUnit);
  ok = TARVIL_CHECK((toUnit >= 0) && (toUnit < kVpUnitNum),
                    "((toUnit >= 0) && (toUnit < kVpUnitNum))", kUnit) &&
       ok;
  (void)ok;  // unknown units fall through to the neutral cases below
  if (fromUnit == toUnit || value == 0.0 || std::isnan(value)) return value;

  double mps = value;
  if (fromUnit == kVpInchPerNs) {
    mps = value * kMpsPerInchPerNs;
  } else if (fromUnit == kVpPercentC) {
    mps = value * 0.01 * kSpeedOfLight;
  }

  switch (toUnit) {
    case kVpInchPerNs: return mps * kInchPerNsPerMps;
    case kVpPercentC: return mps / kSpeedOfLight * 100.0;
    case kVpMeterPerSec: return mps;
    default: return 0.0;
  }
}

}  // namespace tarvil::detail
