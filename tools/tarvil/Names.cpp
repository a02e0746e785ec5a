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

// Time units: the SI prefix in its own letter case, then "s".
constexpr const char* kTimeUnits[kSIUnitNum] = {"es", "Ps", "Ts", "Gs", "Ms", "Ks", "s",
                                                "ms", "us", "ns", "ps", "fs", "as"};
constexpr const char* kDesignUnits[kDesUnitNum] = {"in", "mm", "um", "th"};
constexpr const char* kBaseUnits[kBaseUnitNum] = {"nm", "tnm"};
constexpr const char* kVpUnits[kVpUnitNum] = {"in/ns", "m/s", "%c"};
constexpr const char* kAngleUnits[kAngleUnitNum] = {"deg", "\"", "'", "rad"};

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

std::optional<Kind> KindOfUnitType(eUnitTypes type) {
  switch (type) {
    case eAmps: return Kind::kAmps;
    case eDegrees: return Kind::kAngle;
    case eFarads: return Kind::kFarads;
    case eHenrys: return Kind::kHenrys;
    case eNanometers: return Kind::kLength;
    case eOhms: return Kind::kOhms;
    case eWatts: return Kind::kWatts;
    case eSeconds: return Kind::kTime;
    case eVolts: return Kind::kVolts;
    case eMps: return Kind::kVelocity;
    default: return std::nullopt;
  }
}

eUnitTypes UnitTypeOf(Kind kind) {
  switch (kind) {
    case Kind::kOhms: return eOhms;
    case Kind::kFarads: return eFarads;
    case Kind::kHenrys: return eHenrys;
    case Kind::kVolts: return eVolts;
    case Kind::kAmps: return eAmps;
    case Kind::kWatts: return eWatts;
    case Kind::kLength: return eNanometers;
    case Kind::kTime: return eSeconds;
    case Kind::kVelocity: return eMps;
    case Kind::kAngle: return eDegrees;
    default: return eNoUnit;
  }
}

std::optional<eOrvantaNotations> ParseNotation(const std::string& word) {
  const std::string lowered = Lowered(word);
  if (lowered == "eng" || lowered == "engineering") return eEngineering;
  if (lowered == "euro" || lowered == "european") return eEuropean;
  if (lowered == "sci" || lowered == "scientific") return eScientific;
  if (lowered == "si") return eSI;
  if (lowered == "spice") return eSPICE;
  return std::nullopt;
}

const char* NotationName(eOrvantaNotations notation) {
  switch (notation) {
    case eEngineering: return "eng";
    case eEuropean: return "euro";
    case eScientific: return "sci";
    case eSI: return "si";
    case eSPICE: return "spice";
    case eFullPrecision: return "full";
    case eDecimal: return "decimal";
    default: return "?";
  }
}

const char* NotationTitle(eOrvantaNotations notation) {
  switch (notation) {
    case eEngineering: return "Engineering";
    case eEuropean: return "European";
    case eScientific: return "Scientific";
    case eSI: return "SI";
    case eSPICE: return "SPICE";
    case eFullPrecision: return "Full precision";
    case eDecimal: return "Decimal";
    default: return "?";
  }
}

std::optional<UnitChoice> ParseUnit(const std::string& word) {
  // Time units first and exactly: their prefixes differ only in case.
  for (int i = 0; i < kSIUnitNum; ++i) {
    if (word == kTimeUnits[i]) return UnitChoice{Kind::kTime, i, false};
  }
  const std::string lowered = Lowered(word);
  for (int i = 0; i < kDesUnitNum; ++i) {
    if (lowered == kDesignUnits[i]) return UnitChoice{Kind::kLength, i, false};
  }
  for (int i = 0; i < kBaseUnitNum; ++i) {
    if (lowered == kBaseUnits[i]) return UnitChoice{Kind::kLength, i, true};
  }
  for (int i = 0; i < kVpUnitNum; ++i) {
    if (lowered == kVpUnits[i]) return UnitChoice{Kind::kVelocity, i, false};
  }
  for (int i = 0; i < kAngleUnitNum; ++i) {
    if (lowered == kAngleUnits[i]) return UnitChoice{Kind::kAngle, i, false};
  }
  if (lowered == "arcmin") return UnitChoice{Kind::kAngle, kAngleMinute, false};
  if (lowered == "arcsec") return UnitChoice{Kind::kAngle, kAngleSecond, false};
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

std::optional<eBaseUnits> ParseBase(const std::string& word) {
  const std::string lowered = Lowered(word);
  if (lowered == "nm") return kBaseNanometer;
  if (lowered == "tnm") return kBaseTenNanometers;
  return std::nullopt;
}

std::string BaseUnitText(Kind kind, eBaseUnits base) {
  switch (kind) {
    case Kind::kOhms: return "ohms";
    case Kind::kFarads: return "F";
    case Kind::kHenrys: return "H";
    case Kind::kVolts: return "V";
    case Kind::kAmps: return "A";
    case Kind::kWatts: return "W";
    case Kind::kLength: return kBaseUnits[base == kBaseTenNanometers ? 1 : 0];
    case Kind::kTime: return "s";
    case Kind::kVelocity: return "m/s";
    case Kind::kAngle: return "deg";
    default: return std::string();
  }
}

}  // namespace tarvil::tool
