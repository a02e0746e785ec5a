// UnitConversionInternal.h: the unit texts, factors and conversion routines
// of the physical measures (lengths, times, velocities, angles). Not
// installed; the unit enumerations themselves are in MeasureUnits.h.
//
// Lengths are stored as signed 32-bit counts of a base unit (1 nm or 10 nm);
// times are carried in seconds, velocities in metres per second and angles
// in degrees. A unit argument outside its enumeration is a programming error
// of the caller: the routine reports the violated condition through
// ReportAssert (AssertReport.h) and returns its neutral result.
//
// The reciprocal constants and the order of the factors are fixed: they
// decide the last bits of the results that the measure writers format.
#ifndef TARVIL_UNITCONVERSIONINTERNAL_H
#define TARVIL_UNITCONVERSIONINTERNAL_H

#include "MeasureUnits.h"
#include "WinTypes.h"

namespace tarvil::detail {

// ---- Unit texts --------------------------------------------------------
// Design units, printed in lower case and matched without regard to case.
inline constexpr const char* kDesignUnitTexts[kDesUnitNum] = {"in", "mm", "um", "th"};
// Base units.
inline constexpr const char* kBaseUnitTexts[kBaseUnitNum] = {"nm", "tnm"};
// Time units: the case-sensitive SI prefix followed by "s".
inline constexpr const char* kSIPrefixes[kSIUnitNum] = {"e", "P", "T", "G", "M", "K", "",
                                                        "m", "u", "n", "p", "f", "a"};
inline constexpr const char* kSIUnitTexts[kSIUnitNum] = {"es", "Ps", "Ts", "Gs", "Ms",
                                                         "Ks", "s",  "ms", "us", "ns",
                                                         "ps", "fs", "as"};
// Velocity units.
inline constexpr const char* kVpUnitTexts[kVpUnitNum] = {"in/ns", "m/s", "%c"};
// Angle units, in enumeration order: degree, second, minute, radian.
inline constexpr const char* kAngleUnitTexts[kAngleUnitNum] = {"deg", "\"", "'", "rad"};

// ---- Constants ---------------------------------------------------------
inline constexpr double kPi = 3.141592653589793;
inline constexpr double kDegreesPerRadian = 57.29577951308232;  // 180 / pi
inline constexpr double kOneOver180 = 0.005555555555555556;
inline constexpr double kOneOver60 = 0.016666666666666666;
inline constexpr double kOneOver3600 = 0.0002777777777777778;
inline constexpr double kMpsPerInchPerNs = 2.54e7;
inline constexpr double kInchPerNsPerMps = 3.937007874015748e-08;  // 1 / 2.54e7
inline constexpr double kSpeedOfLight = 299792458.0;                // m/s

// Status values of the count routines: the platform's, and its
// arithmetic-overflow code.
inline constexpr long kStatusOk = S_OK;
inline constexpr long kStatusInvalidArg = E_INVALIDARG;
inline constexpr long kStatusFail = E_FAIL;
inline constexpr long kStatusOverflow = 534;

// ---- Base-unit counts --------------------------------------------------

// RoundToBaseUnits: rounds `v` to a 32-bit base-unit count, halves away from
// zero. 0 stays 0. Returns kStatusOk with the count stored,
// kStatusOverflow when `v` lies outside -2147483648 .. 2147483647 (the bounds
// themselves are accepted), kStatusFail for a nonzero value smaller than
// half a unit (a nonzero measure never becomes zero) or for NaN. `count` is
// written only on success.
long RoundToBaseUnits(double v, int* count);

// ConvertBaseUnits: `value` from one base unit to another, as a double (no
// rounding). Equal units, 0 and NaN come back unchanged before any check; a
// unit out of range is reported and gives 0.0.
double ConvertBaseUnits(double value, eBaseUnits fromUnit, eBaseUnits toUnit);

// DesignToBaseUnits: `value` in design unit `fromUnit` as a count of
// `baseDesignUnit`. The count is set to 0 first. kDesUnitNum as source means
// the value already is a count: it is truncated toward zero (kStatusOverflow
// when it lies outside the 32-bit range, kStatusFail for NaN). Otherwise the
// statuses of RoundToBaseUnits. A unit out of range is reported and gives
// kStatusInvalidArg; so does a null `count` (nothing written).
long DesignToBaseUnits(double value, eDesignUnits fromUnit, int* count,
                       eBaseUnits baseDesignUnit);

// BaseUnitsToDesign: a count of `baseDesignUnit` in design unit `toUnit`
// (kDesUnitNum: the count itself). A unit out of range is reported and gives
// 0.0; a count of 0 gives 0.0.
double BaseUnitsToDesign(int count, eDesignUnits toUnit, eBaseUnits baseDesignUnit);

// BasePerDesignUnit: base units of `base` in one `unit` (25400000 nm in an
// inch); 0.0 for a unit outside 0..3 or a base outside 0..1 (unreported).
double BasePerDesignUnit(eDesignUnits unit, eBaseUnits base);

// ConvertBaseUnitCount: converts the count `*baseUnit` in place from one base
// unit to another. Equal units: kStatusOk at once. A null pointer or a unit
// out of range is reported and gives kStatusInvalidArg. A count of 0 stays 0.
// Otherwise the statuses of RoundToBaseUnits; on failure the count is left
// as it was.
long ConvertBaseUnitCount(int* baseUnit, eBaseUnits fromUnit, eBaseUnits toUnit);

// ---- Times, velocities, angles ------------------------------------------

// ConvertSIUnits: `value` from one time unit to another: value x seconds per
// fromUnit / seconds per toUnit. The units are checked (and reported) first;
// equal units, 0 and NaN then come back unchanged; a unit out of range gives
// 0.0.
double ConvertSIUnits(double value, eSIUnits fromUnit, eSIUnits toUnit);

// IsSIUnit: whether `unit` names a time unit (0..12). A conversion with a
// unit outside that range yields its neutral 0, which is not an underflow.
constexpr bool IsSIUnit(eSIUnits unit) { return unit >= 0 && unit < kSIUnitNum; }

// ConvertVpUnits: `value` from one velocity unit to another, through metres
// per second. The units are checked (and reported) first; equal units, 0 and
// NaN then come back unchanged. An unknown source unit is taken as metres
// per second; an unknown target unit gives 0.0.
double ConvertVpUnits(double value, eVpUnits fromUnit, eVpUnits toUnit);

// ConvertAngleUnits: `value` from one angle unit to another, through degrees.
// No checks and no shortcut: an unknown source unit (kAngleUnitNum included)
// is taken as degrees, an unknown target unit gives 0.0.
double ConvertAngleUnits(double value, eAngleUnits fromUnit, eAngleUnits toUnit);

}  // namespace tarvil::detail

#endif
