// MeasureUnits.h: the units of the physical measures.
//
// The values cross the library's interface. The last value of each
// enumeration is its count; as a design unit, kDesUnitNum also means "the
// value already is a base-unit count".
#ifndef TARVIL_MEASUREUNITS_H
#define TARVIL_MEASUREUNITS_H

// Units in which lengths are typed and shown.
enum eDesignUnits : int {
  kDesInch = 0,        // "in"
  kDesMillimeter = 1,  // "mm"
  kDesMicron = 2,      // "um"
  kDesMil = 3,         // "th", a thousandth of an inch
  kDesUnitNum = 4
};

// Resolution of stored lengths.
enum eBaseUnits : int {
  kBaseNanometer = 0,      // "nm"
  kBaseTenNanometers = 1,  // "tnm"
  kBaseUnitNum = 2
};

// Time units: an SI prefix (case-sensitive) and "s".
enum eSIUnits : int {
  kSIExa = 0,       // "es"
  kSIPeta = 1,      // "Ps"
  kSITera = 2,      // "Ts"
  kSIGiga = 3,      // "Gs"
  kSIMega = 4,      // "Ms"
  kSIKilo = 5,      // "Ks"
  kSINoPrefix = 6,  // "s"
  kSIMilli = 7,     // "ms"
  kSIMicro = 8,     // "us"
  kSINano = 9,      // "ns"
  kSIPico = 10,     // "ps"
  kSIFemto = 11,    // "fs"
  kSIAtto = 12,     // "as"
  kSIUnitNum = 13
};

// Propagation-velocity units.
enum eVpUnits : int {
  kVpInchPerNs = 0,    // "in/ns"
  kVpMeterPerSec = 1,  // "m/s"
  kVpPercentC = 2,     // "%c", percent of the speed of light
  kVpUnitNum = 3
};

// Angle units.
enum eAngleUnits : int {
  kAngleDegree = 0,  // "deg"
  kAngleSecond = 1,  // '"'
  kAngleMinute = 2,  // "'"
  kAngleRadian = 3,  // "rad"
  kAngleUnitNum = 4
};

#endif
