// Names.h: the words of the command line: notations, kinds of value and
// units, and the base unit each kind of value is carried in.
#ifndef TARVIL_TOOL_NAMES_H
#define TARVIL_TOOL_NAMES_H

#include <optional>
#include <string>

#include <tarvil/tarvil.h>

namespace tarvil::tool {

using tarvil::Notation;
using tarvil::Quantity;
using tarvil::Resolution;

// The kinds of value the tool reads and writes (--as).
enum class Kind {
  kOhms, kFarads, kHenrys, kVolts, kAmps, kWatts,
  kLength, kTime, kVelocity, kAngle, kInteger, kNumber
};

// ParseKind: "ohms", "farads", "henrys", "volts", "amps", "watts", "length",
// "time", "velocity", "angle", "integer", "number" (any letter case).
std::optional<Kind> ParseKind(const std::string& word);
// KindName: the word ParseKind reads.
const char* KindName(Kind kind);
// IsElectrical: one of the six electrical kinds.
bool IsElectrical(Kind kind);
// QuantityOf: the library's quantity of an electrical kind, or of a number
// (Quantity::number for every other kind).
Quantity QuantityOf(Kind kind);

// ParseNotation: "eng", "euro", "sci", "si", "spice", "any" or the full
// names "engineering", "european", "scientific" (any letter case).
std::optional<Notation> ParseNotation(const std::string& word);
// NotationName: "eng", "euro", "sci", "si", "spice", "any"; "full",
// "decimal" for the plain notations.
const char* NotationName(Notation notation);
// NotationTitle: "Engineering", "European", "Scientific", "SI", "SPICE" ...
const char* NotationTitle(Notation notation);

// A unit named on the command line (--unit, --to, --from).
struct UnitChoice {
  Kind kind;   // kLength, kTime, kVelocity or kAngle
  // The library's LengthUnit, TimeUnit, VelocityUnit or AngleUnit, as a
  // number; for a base unit (`base`) its Resolution.
  int value;
  bool base;   // kLength only: "nm" or "tnm", a count of base units
};

// ParseUnit: "in", "mm", "um", "th", "nm", "tnm" (any case); the time units
// "es" ... "as" (the prefix in its own case: "ms" milli, "Ms" mega);
// "in/ns", "m/s", "%c"; "deg", "rad", "'" or "arcmin", "\"" or "arcsec".
std::optional<UnitChoice> ParseUnit(const std::string& word);
// UnitText: the text of a unit ("mm", "ns", "%c", "'").
std::string UnitText(const UnitChoice& unit);

// ParseBase: "nm" or "tnm".
std::optional<Resolution> ParseBase(const std::string& word);

// BaseUnitText: the unit the tool reports a value of `kind` in: "ohms",
// "F", "H", "V", "A", "W", "s", "m/s", "deg"; for lengths the base unit
// ("nm", "tnm"); empty for integers and numbers.
std::string BaseUnitText(Kind kind, Resolution base = Resolution::nm);

}  // namespace tarvil::tool

#endif
