// AngleConvert.cpp: conversion between the angle units, always through
// degrees. Used by the angle measure members (AngleMeasure.cpp).
#include "UnitConversionInternal.h"

namespace tarvil::detail {

double ConvertAngleUnits(double value, eAngleUnits fromUnit, eAngleUnits toUnit) {
  double degrees = value;
  switch (fromUnit) {
    case kAngleSecond: degrees = value * kOneOver3600; break;
    case kAngleMinute: degrees = value * kOneOver60; break;
    case kAngleRadian: degrees = value * kDegreesPerRadian; break;
    default: break;  // degrees, and any other value, are taken as degrees
  }

  switch (toUnit) {
    case kAngleDegree: return degrees;
    case kAngleSecond: return degrees * 3600.0;
    case kAngleMinute: return degrees * 60.0;
    case kAngleRadian: return degrees * kPi * kOneOver180;
    default: return 0.0;
  }
}

}  // namespace tarvil::detail
