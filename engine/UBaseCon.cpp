// UBaseCon.cpp: conversion between the base units of stored lengths.
#include <cmath>

#include "AssertReport.h"
#include "UnitConversionInternal.h"

namespace tarvil::detail {
namespace {

constexpr const char* kUnit = "UBaseCon";

// Size of each base unit in nanometres.
constexpr double kBaseUnitSize[kBaseUnitNum] = {1.0, 10.0};

}  // namespace

double ConvertBaseUnits(double value, eBaseUnits fromUnit, eBaseUnits toUnit) {
  if (fromUnit == toUnit || value == 0.0 || std::isnan(value)) return value;

  bool ok = TARVIL_CHECK((fromUnit >= 0) && (fromUnit < kBaseUnitNum),
                         "((fromUnit >= 0) && (fromUnit < kBaseUnitNum))", kUnit);
  ok = TARVIL_CHECK((toUnit >= 0) && (toUnit < kBaseUnitNum),
                    "((toUnit >= 0) && (toUnit < kBaseUnitNum))", kUnit) &&
       ok;
  if (!ok) return 0.0;

  if (fromUnit == kBaseNanometer) return value / kBaseUnitSize[toUnit];
  return 10.0 * value / kBaseUnitSize[toUnit];
}

}  // namespace tarvil::detail
