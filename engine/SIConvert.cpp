// SIConvert.cpp: conversion between the SI-prefixed units of time.
#include <cmath>

#include "AssertReport.h"
#include "UnitConversionInternal.h"

namespace tarvil::detail {
namespace {

constexpr const char* kUnit = "SIConvert";

// Seconds in one unit, in enumeration order (exa .. atto).
constexpr double kSecondsPerUnit[kSIUnitNum] = {1e18, 1e15, 1e12, 1e9,  1e6,   1e3,  1.0,
                                                1e-3, 1e-6, 1e-9, 1e-12, 1e-15, 1e-18};

}  // namespace

double ConvertSIUnits(double value, eSIUnits fromUnit, eSIUnits toUnit) {
  bool ok = TARVIL_CHECK((fromUnit >= 0) && (fromUnit < kSIUnitNum),
                         "((fromUnit >= 0) && (fromUnit < kSIUnitNum))", kUnit);
  ok = TARVIL_CHECK((toUnit >= 0) && (toUnit < kSIUnitNum),
                    "((toUnit >= 0) && (toUnit < kSIUnitNum))", kUnit) &&
       ok;
  if (fromUnit == toUnit || value == 0.0 || std::isnan(value)) return value;
  if (!ok) return 0.0;
  return value * kSecondsPerUnit[fromUnit] / kSecondsPerUnit[toUnit];
}

}  // namespace tarvil::detail
