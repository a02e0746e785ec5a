// Names.cpp: the words of the command line and what they stand for.
#include "Names.h"

#include <cctype>

namespace tarvil::tool {

namespace {

std::string Lowered(const std::string& word) {
  std::string lowered = word;
  for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lowered;
}

struct KindWord {
  Kind kind;
  const char* word;
};

constexpr KindWord kKindWords[] = {
    {Kind::kOhms, "ohms"},         {Kind::kFarads, "farads"},   {Kind::kHenrys, "henrys"},
    {Kind::kVolts, "volts"},       {Kind::kAmps, "amps"},       {Kind::kWatts, "watts"},
    {Kind::kLength, "length"},     {Kind::kTime, "time"},       {Kind::kVelocity, "velocity"},
    {Kind::kAngle, "angle"},       {Kind::kInteger, "integer"}, {Kind::kNumber, "number"},
};

// The unit words in the order of the library's enumerations (TimeUnit,
// LengthUnit, Resolution, VelocityUnit, AngleUnit). Time units: the SI
// prefix in its own letter case, then "s".
constexpr const char* kTimeUnits[] = {"es", "Ps", "Ts", "Gs", "Ms", "Ks", "s",
                                      "ms", "us", "ns", "ps", "fs", "as"};
constexpr const char* kDesignUnits[] = {"in", "mm", "um", "th"};
constexpr const char* kBaseUnits[] = {"nm", "tnm"};
constexpr const char* kVpUnits[] = {"in/ns", "m/s", "%c"};
constexpr const char* kAngleUnits[] = {"deg", "\"", "'", "rad"};

template <typename T, std::size_t N>
constexpr int Count(T (&)[N]) {
  return static_cast<int>(N);
}

}  // namespace

std::optional<Kind> ParseKind(const std::string& word) {
  const std::string lowered = Lowered(word);
  for (const KindWord& entry : kKindWords) {
    if (lowered == entry.word) return entry.kind;
  }
  return std::nullopt;
}

const char* KindName(Kind kind) {
  for (const KindWord& entry : kKindWords) {
    if (entry.kind == kind) return entry.word;
  }
  return "?";
}

bool IsElectrical(Kind kind) {
  switch (kind) {
    case Kind::kOhms:
    case Kind::kFarads:
    case Kind::kHenrys:
    case Kind::kVolts:
    case Kind::kAmps:
    case Kind::kWatts:
      return true;
    default:
      return false;
  }
}

Quantity QuantityOf(Kind kind) {
  switch (kind) {
    case Kind::kOhms: return Quantity::resistance;
    case Kind::kFarads: return Quantity::capacitance;
    case Kind::kHenrys: return Quantity::inductance;
    case Kind::kVolts: return Quantity::voltage;
    case Kind::kAmps: return Quantity::current;
    case Kind::kWatts: return Quantity::power;
    default: return Quantity::number;
  }
}

std::optional<Notation> ParseNotation(const std::string& word) {
  const std::string lowered = Lowered(word);
  if (lowered == "eng" || lowered == "engineering") return Notation::engineering;
  if (lowered == "euro" || lowered == "european") return Notation::european;
  if (lowered == "sci" || lowered == "scientific") return Notation::scientific;
  if (lowered == "si") return Notation::si;
  if (lowered == "spice") return Notation::spice;
  if (lowered == "any") return Notation::any;
  if (lowered == "decimal") return Notation::decimal;
  return std::nullopt;
}

const char* NotationName(Notation notation) {
  switch (notation) {
    case Notation::engineering: return "eng";
    case Notation::european: return "euro";
    case Notation::scientific: return "sci";
    case Notation::si: return "si";
    case Notation::spice: return "spice";
    case Notation::full_precision: return "full";
    case Notation::decimal: return "decimal";
    case Notation::any: return "any";
  }
  return "?";
}

const char* NotationTitle(Notation notation) {
  switch (notation) {
    case Notation::engineering: return "Engineering";
    case Notation::european: return "European";
    case Notation::scientific: return "Scientific";
    case Notation::si: return "SI";
    case Notation::spice: return "SPICE";
    case Notation::full_precision: return "Full precision";
    case Notation::decimal: return "Decimal";
    case Notation::any: return "any";
  }
  return "?";
}

std::optional<UnitChoice> ParseUnit(const std::string& word) {
  // Time units first and exactly: their prefixes differ only in case.
  for (int i = 0; i < Count(kTimeUnits); ++i) {
    if (word == kTimeUnits[i]) return UnitChoice{Kind::kTime, i, false};
  }
  const std::string lowered = Lowered(word);
  for (int i = 0; i < Count(kDesignUnits); ++i) {
    if (lowered == kDesignUnits[i]) return UnitChoice{Kind::kLength, i, false};
  }
  if (lowered == "mil" || lowered == "mils") {
    return UnitChoice{Kind::kLength, static_cast<int>(tarvil::LengthUnit::mil), false};
  }
  for (int i = 0; i < Count(kBaseUnits); ++i) {
    if (lowered == kBaseUnits[i]) return UnitChoice{Kind::kLength, i, true};
  }
  for (int i = 0; i < Count(kVpUnits); ++i) {
    if (lowered == kVpUnits[i]) return UnitChoice{Kind::kVelocity, i, false};
  }
  for (int i = 0; i < Count(kAngleUnits); ++i) {
    if (lowered == kAngleUnits[i]) return UnitChoice{Kind::kAngle, i, false};
  }
  if (lowered == "arcmin") {
    return UnitChoice{Kind::kAngle, static_cast<int>(tarvil::AngleUnit::arcmin), false};
  }
  if (lowered == "arcsec") {
    return UnitChoice{Kind::kAngle, static_cast<int>(tarvil::AngleUnit::arcsec), false};
  }
  return std::nullopt;
}

std::string UnitText(const UnitChoice& unit) {
  switch (unit.kind) {
    case Kind::kLength:
      return unit.base ? kBaseUnits[unit.value] : kDesignUnits[unit.value];
    case Kind::kTime: return kTimeUnits[unit.value];
    case Kind::kVelocity: return kVpUnits[unit.value];
    case Kind::kAngle: return kAngleUnits[unit.value];
    default: return std::string();
  }
}

std::optional<Resolution> ParseBase(const std::string& word) {
  const std::string lowered = Lowered(word);
  if (lowered == "nm") return Resolution::nm;
  if (lowered == "tnm") return Resolution::ten_nm;
  return std::nullopt;
}

std::string BaseUnitText(Kind kind, Resolution base) {
  switch (kind) {
    case Kind::kOhms: return "ohms";
    case Kind::kFarads: return "F";
    case Kind::kHenrys: return "H";
    case Kind::kVolts: return "V";
    case Kind::kAmps: return "A";
    case Kind::kWatts: return "W";
    case Kind::kLength: return kBaseUnits[base == Resolution::ten_nm ? 1 : 0];
    case Kind::kTime: return "s";
    case Kind::kVelocity: return "m/s";
    case Kind::kAngle: return "deg";
    default: return std::string();
  }
}

}  // namespace tarvil::tool
