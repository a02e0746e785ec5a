// Values.h: reading and writing one value of a given kind through the
// library's interface, the common ground of parse, format, convert and bom.
#ifndef TARVIL_TOOL_VALUES_H
#define TARVIL_TOOL_VALUES_H

#include <optional>
#include <string>
#include <string_view>

#include <tarvil/tarvil.h>

#include "LibrarySetup.h"
#include "Names.h"
#include "Options.h"

namespace tarvil::tool {

// What --as, --notation, --base and --unit say, the options that parse and
// format share.
struct KindOptions {
  std::optional<Kind> kind;  // --as, or the kind of --unit
  std::optional<Notation> notation;
  Resolution base = Resolution::nm;
  std::optional<UnitChoice> unit;
};

// ReadKindOptions: those options of `line`, checked together: known words, a
// --unit of the --as kind and no base unit ("nm", "tnm") as --unit. False
// with a one-line `error` otherwise; `baseUnitRefusal` begins the message
// for a base unit ("lengths are written").
bool ReadKindOptions(const CommandLine& line, const std::string& baseUnitRefusal,
                     KindOptions& out, std::string& error);

struct ReadOptions {
  // Absent means `any`, also for integers and numbers (their one number
  // grammar: '1,5' is 1.5); `decimal` reads numbers in the regional format
  // as the string class does.
  std::optional<Notation> notation;
  Resolution base = Resolution::nm;  // resolution of lengths
  // The unit of a bare number (lengths: a design unit). When absent the
  // physical measures need their unit in the text.
  std::optional<UnitChoice> unit;
  bool strict = false;    // electrical values must carry their unit name
  bool positive = false;  // angles in [0, 360)
};

// The outcome of reading one text: the value in the unit BaseUnitText
// names (ohms, farads, ..., seconds, metres per second, degrees; for
// lengths the count of base units), or the library's error and position.
struct Reading {
  bool accepted = false;
  double value = 0.0;
  tarvil::Error error = tarvil::Error::none;
  int position = 0;
};

// ReadValue: reads `text` as a value of `kind`:
// - electrical: with or without the unit name (with `strict`, with it only);
// - lengths, times, velocities, angles: with their unit, or as a bare
//   number in `unit` when given;
// - integers: whole numbers within the 32-bit range (too_large, too_small
//   otherwise), as numbers are read.
Reading ReadValue(Kind kind, std::string_view text, const ReadOptions& options,
                  const Setup& setup);

// Classify: the kind of value `text` holds, judged by its unit; a plain
// number in the regional format is a number. nullopt with the refusal in
// `refusal` otherwise (an ambiguous electrical value, else no_unit or the
// plain reader's fault).
std::optional<Kind> Classify(std::string_view text, const ReadOptions& options,
                             const Setup& setup, Reading& refusal);

// Hint: for a text that `notation` refused, what would read it: "reads as
// 4700 in European notation (--notation euro)"; for an ambiguous one, its
// readings and what picks each, one per line. Empty when nothing helps.
std::string Hint(Kind kind, std::string_view text, Notation notation, const Reading& refused,
                 const Setup& setup);

// Describe: the library's message for a refused text, then the hint when
// there is one.
std::string Describe(std::string_view text, const Reading& refused, const std::string& hint,
                     const tarvil::Settings& settings);

struct WriteOptions {
  std::optional<Notation> notation;  // absent: the settings' notation
  Resolution base = Resolution::nm;
  std::optional<UnitChoice> unit;  // display unit of a physical measure
  bool showUnit = true;
};

// WriteValue: the text the library writes for `value` of `kind` with
// `settings` (lengths: a count of base units, which the caller has checked
// to be whole and in range; integers likewise).
std::string WriteValue(Kind kind, double value, const WriteOptions& options,
                       const tarvil::Settings& settings, const tarvil::UnitTable& units);

// InUnit: a value of a physical kind (length: a count of base units of
// `base`) expressed in `unit`, as the nearest double to the exact decimal
// result where the units differ by a power of ten.
double InUnit(Kind kind, double value, Resolution base, const UnitChoice& unit);

// DefaultUnit: the display unit of a physical kind when none is chosen:
// millimetres, seconds, metres per second, degrees.
UnitChoice DefaultUnit(Kind kind);

}  // namespace tarvil::tool

#endif
