// Values.cpp: one value of a given kind through the library's members.
#include "Values.h"

#include "LibrarySetup.h"

namespace tarvil::tool {

namespace {

bool ReadElectrical(Kind kind, CTarvil& text, const ReadOptions& options, double& value) {
  const eOrvantaNotations notation = options.notation.value_or(ActiveNotation());
  if (options.strict) {
    long status = E_FAIL;
    switch (kind) {
      case Kind::kOhms: status = text.GetOhms(notation, &value); break;
      case Kind::kFarads: status = text.GetFarads(notation, &value); break;
      case Kind::kHenrys: status = text.GetHenrys(notation, &value); break;
      case Kind::kVolts: status = text.GetVolts(notation, &value); break;
      case Kind::kAmps: status = text.GetAmps(notation, &value); break;
      case Kind::kWatts: status = text.GetWatts(notation, &value); break;
      default: break;
    }
    return status == S_OK;
  }
  switch (kind) {
    case Kind::kOhms: return text.InterpretAsOhmMeasure(notation, value, 0, 0) == 1;
    case Kind::kFarads: return text.InterpretAsCapacitanceMeasure(notation, value, 0, 0) == 1;
    case Kind::kHenrys: return text.InterpretAsInductanceMeasure(notation, value, 0, 0) == 1;
    case Kind::kVolts:
      return text.InterpretAsVoltMeasure(notation, value, 0, 0, eDomainAny) == 1;
    case Kind::kAmps: return text.InterpretAsAmpMeasure(notation, value, 0, 0, eDomainAny) == 1;
    case Kind::kWatts: return text.InterpretAsPowerMeasure(notation, value, 0, 0) == 1;
    default: return false;
  }
}

bool ReadPhysical(Kind kind, CTarvil& text, const ReadOptions& options, double& value) {
  const std::optional<UnitChoice>& unit = options.unit;
  switch (kind) {
    case Kind::kLength: {
      int count = 0;
      bool accepted = false;
      if (unit && unit->kind == Kind::kLength && !unit->base) {
        accepted = text.InterpretAsLinearMeasure(count, static_cast<eDesignUnits>(unit->value),
                                                 options.base, 0, 0, eDomainAny) == 1;
      } else {
        accepted = text.GetBaseUnits(&count, options.base) == S_OK;
      }
      value = accepted ? count : 0;
      return accepted;
    }
    case Kind::kTime:
      if (unit && unit->kind == Kind::kTime) {
        return text.InterpretAsTimeMeasure(value, static_cast<eSIUnits>(unit->value), 0, 0,
                                           eDomainAny) == 1;
      }
      return text.GetSeconds(&value) == S_OK;
    case Kind::kVelocity:
      if (unit && unit->kind == Kind::kVelocity) {
        return text.InterpretAsVpMeasure(value, static_cast<eVpUnits>(unit->value), 0, 0,
                                         eDomainAny) == 1;
      }
      return text.GetMps(&value) == S_OK;
    case Kind::kAngle:
      if (unit && unit->kind == Kind::kAngle) {
        return text.InterpretAsAngleMeasure(value, static_cast<eAngleUnits>(unit->value), 0, 0,
                                            options.positive ? 1 : 0) == 1;
      }
      return text.GetDegrees(&value, options.positive ? 1 : 0) == S_OK;
    default:
      return false;
  }
}

bool ReadPlain(Kind kind, CTarvil& text, const ReadOptions& options, double& value) {
  if (kind == Kind::kInteger) {
    int number = 0;
    const long status = options.notation
                            ? text.GetIntegerForNotation(*options.notation, &number, eNoUnit)
                            : text.GetInteger(&number);
    value = number;
    return status == S_OK;
  }
  const long status = options.notation
                          ? text.GetDoubleForNotation(*options.notation, &value, eNoUnit)
                          : text.GetDouble(&value);
  return status == S_OK;
}

}  // namespace

Reading ReadValue(Kind kind, const std::string& text, const ReadOptions& options) {
  Reading reading;
  reading.tested = CTarvil(text.c_str());
  double value = 0.0;
  if (IsElectrical(kind)) {
    reading.accepted = ReadElectrical(kind, reading.tested, options, value);
  } else if (kind == Kind::kInteger || kind == Kind::kNumber) {
    reading.accepted = ReadPlain(kind, reading.tested, options, value);
  } else {
    reading.accepted = ReadPhysical(kind, reading.tested, options, value);
  }
  reading.value = reading.accepted ? value : 0.0;
  return reading;
}

std::optional<Kind> Classify(const std::string& text, const ReadOptions& options,
                             CTarvil& tested) {
  tested = CTarvil(text.c_str());
  eUnitTypes type = eNoUnit;
  if (tested.IsMeasure(&type) == 1) {
    if (std::optional<Kind> kind = KindOfUnitType(type)) return kind;
    return Kind::kNumber;
  }
  if (tested.GetCurrentError() != eErrNoUnit) return std::nullopt;
  // No measure with a unit: a plain number, or an angle whose last part is
  // in minutes or seconds of arc, which the classification does not cover.
  ReadOptions plain = options;
  plain.unit.reset();
  if (ReadValue(Kind::kNumber, text, plain).accepted) return Kind::kNumber;
  if (ReadValue(Kind::kAngle, text, plain).accepted) return Kind::kAngle;
  return std::nullopt;
}

UnitChoice DefaultUnit(Kind kind) {
  switch (kind) {
    case Kind::kTime: return UnitChoice{Kind::kTime, kSINoPrefix, false};
    case Kind::kVelocity: return UnitChoice{Kind::kVelocity, kVpMeterPerSec, false};
    case Kind::kAngle: return UnitChoice{Kind::kAngle, kAngleDegree, false};
    default: return UnitChoice{Kind::kLength, kDesMillimeter, false};
  }
}

std::string WriteValue(Kind kind, double value, const WriteOptions& options) {
  CTarvil text;
  const int usePrecision = options.usePrecision ? 1 : 0;
  const int showUnit = options.showUnit ? 1 : 0;
  const eOrvantaNotations notation = options.notation.value_or(ActiveNotation());
  const UnitChoice unit = options.unit.value_or(DefaultUnit(kind));
  switch (kind) {
    case Kind::kOhms: text.SetOhmMeasure(notation, value, showUnit, usePrecision); break;
    case Kind::kFarads: text.SetCapacitanceMeasure(notation, value, showUnit, usePrecision); break;
    case Kind::kHenrys: text.SetInductanceMeasure(notation, value, showUnit, usePrecision); break;
    case Kind::kVolts: text.SetVoltMeasure(notation, value, showUnit, usePrecision); break;
    case Kind::kAmps: text.SetAmpMeasure(notation, value, showUnit, usePrecision); break;
    case Kind::kWatts: text.SetPowerMeasure(notation, value, showUnit, usePrecision); break;
    case Kind::kLength:
      text.SetLinearMeasure(static_cast<int>(value), static_cast<eDesignUnits>(unit.value),
                            options.base, showUnit, usePrecision);
      break;
    case Kind::kTime:
      text.SetTimeMeasure(value, static_cast<eSIUnits>(unit.value), showUnit, usePrecision);
      break;
    case Kind::kVelocity:
      text.SetVpMeasure(value, static_cast<eVpUnits>(unit.value), showUnit, usePrecision);
      break;
    case Kind::kAngle:
      text.SetAngleMeasure(value, static_cast<eAngleUnits>(unit.value), showUnit, usePrecision);
      break;
    case Kind::kInteger:
      if (options.notation) {
        text.SetIntegerForNotation(*options.notation, static_cast<int>(value), eNoUnit);
      } else {
        text.SetInteger(static_cast<int>(value));
      }
      break;
    case Kind::kNumber:
      if (options.notation) {
        text.SetDoubleForNotation(*options.notation, value, usePrecision, eNoUnit);
      } else {
        text.SetDouble(value, usePrecision);
      }
      break;
  }
  return std::string(text.View());
}

bool ReadKindOptions(const CommandLine& line, const std::string& baseUnitRefusal,
                     KindOptions& out, std::string& error) {
  if (auto word = line.Value("as")) {
    out.kind = ParseKind(*word);
    if (!out.kind) {
      error = "unknown kind '" + *word + "' for --as";
      return false;
    }
  }
  if (auto word = line.Value("notation")) {
    out.notation = ParseNotation(*word);
    if (!out.notation) {
      error = "unknown notation '" + *word + "'";
      return false;
    }
  }
  if (auto word = line.Value("base")) {
    const std::optional<eBaseUnits> base = ParseBase(*word);
    if (!base) {
      error = "unknown base unit '" + *word + "' (nm or tnm)";
      return false;
    }
    out.base = *base;
  }
  if (auto word = line.Value("unit")) {
    out.unit = ParseUnit(*word);
    if (!out.unit) {
      error = "unknown unit '" + *word + "'";
      return false;
    }
    if (!out.kind) out.kind = out.unit->kind;
    if (out.unit->kind != *out.kind) {
      error = "'" + *word + "' is not a unit of " + KindName(*out.kind);
      return false;
    }
    if (out.unit->base) {
      error = baseUnitRefusal + " in in, mm, um or th, not '" + *word + "'";
      return false;
    }
  }
  return true;
}

}  // namespace tarvil::tool
