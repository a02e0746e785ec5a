// Values.h: reading and writing one value of a given kind through the
// library's members, the common ground of parse, format and convert.
#ifndef TARVIL_TOOL_VALUES_H
#define TARVIL_TOOL_VALUES_H

#include <optional>
#include <string>

#include <tarvil/CTarvil.h>

#include "Names.h"
#include "Options.h"

namespace tarvil::tool {

// What --as, --notation, --base and --unit say, the options that parse and
// format share.
struct KindOptions {
  std::optional<Kind> kind;  // --as, or the kind of --unit
  std::optional<eOrvantaNotations> notation;
  eBaseUnits base = kBaseNanometer;
  std::optional<UnitChoice> unit;
};

// ReadKindOptions: those options of `line`, checked together: known words, a
// --unit of the --as kind and no base unit ("nm", "tnm") as --unit. False
// with a one-line `error` otherwise; `baseUnitRefusal` begins the message
// for a base unit ("lengths are written").
bool ReadKindOptions(const CommandLine& line, const std::string& baseUnitRefusal,
                     KindOptions& out, std::string& error);

struct ReadOptions {
  std::optional<eOrvantaNotations> notation;  // absent: the active notation
  eBaseUnits base = kBaseNanometer;           // resolution of lengths
  // The unit of a bare number (lengths: a design unit). When absent the
  // physical measures need their unit in the text.
  std::optional<UnitChoice> unit;
  bool strict = false;    // electrical values must carry their unit name
  bool positive = false;  // angles in [0, 360)
};

// The outcome of reading one text.
struct Reading {
  bool accepted = false;
  // The value in the unit BaseUnitText names: ohms, farads, ..., seconds,
  // metres per second, degrees; for lengths the count of base units.
  double value = 0.0;
  CTarvil tested;  // the object the library tested (error and cursor)
};

// ReadValue: reads `text` as a value of `kind`:
// - electrical: the interpret member of the quantity (the unit name is
//   optional), or with `strict` its Get member;
// - lengths, times, velocities, angles: the interpret member with `unit`
//   for a bare number, else the Get member;
// - integers and numbers: the plain readers, or the notation readers when
//   a notation is given.
Reading ReadValue(Kind kind, const std::string& text, const ReadOptions& options);

// Classify: the kind of value `text` holds, as the library classifies
// measures; a text that is no measure but a plain number is a number, and
// one that is an angle in minutes or seconds of arc an angle. nullopt with
// the classification's error in `tested` otherwise.
std::optional<Kind> Classify(const std::string& text, const ReadOptions& options,
                             CTarvil& tested);

struct WriteOptions {
  std::optional<eOrvantaNotations> notation;  // absent: the active notation
  eBaseUnits base = kBaseNanometer;
  std::optional<UnitChoice> unit;  // display unit of a physical measure
  bool usePrecision = true;        // false: as many decimals as needed
  bool showUnit = true;
};

// WriteValue: the text the library writes for `value` of `kind` (lengths:
// a count of base units, which the caller has checked to be whole and in
// range; integers likewise).
std::string WriteValue(Kind kind, double value, const WriteOptions& options);

// DefaultUnit: the display unit of a physical kind when none is chosen:
// millimetres, seconds, metres per second, degrees.
UnitChoice DefaultUnit(Kind kind);

}  // namespace tarvil::tool

#endif
