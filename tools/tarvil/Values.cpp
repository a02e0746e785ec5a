// Values.cpp: one value of a given kind through the library's interface.
#include "Values.h"

#include "Json.h"
#include "Session.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace tarvil::tool {

namespace {


using tarvil::Error;

Reading FromResult(const tarvil::Result<double>& result) {
  return Reading{static_cast<bool>(result), result.value, result.error, result.position};
}

Reading Refused(Error error, int position) { return Reading{false, 0.0, error, position}; }

// A number in the regional format, without unit or prefix.
bool IsPlainNumber(std::string_view text, const tarvil::Settings& settings) {
  return static_cast<bool>(tarvil::read(text, Quantity::number, Notation::decimal, settings));
}

Reading ReadElectrical(Kind kind, std::string_view text, const ReadOptions& options,
                       const Setup& setup) {
  const Notation notation = options.notation.value_or(Notation::any);
  Reading reading = FromResult(
      tarvil::read(text, QuantityOf(kind), notation, setup.settings, setup.units));
  // Strict: a text that reads as well without any unit has none.
  if (reading.accepted && options.strict &&
      tarvil::read(text, Quantity::number, notation, setup.settings, setup.units)) {
    return Refused(Error::no_unit, static_cast<int>(text.size()) + 1);
  }
  return reading;
}

Reading ReadPlain(Kind kind, std::string_view text, const ReadOptions& options,
                  const Setup& setup) {
  // Without a declared notation, the one number grammar of `any`.
  const Notation notation = options.notation.value_or(Notation::any);
  Reading reading = FromResult(
      tarvil::read(text, Quantity::number, notation, setup.settings, setup.units));
  if (!reading.accepted || kind != Kind::kInteger) return reading;
  // A script must not get a clamped or cut number for a whole one it gave.
  const int end = static_cast<int>(text.size()) + 1;
  if (reading.value != std::floor(reading.value)) return Refused(Error::not_an_integer, end);
  if (reading.value > kLargestInt) return Refused(Error::too_large, end);
  if (reading.value < kSmallestInt) return Refused(Error::too_small, end);
  return reading;
}

Reading ReadPhysical(Kind kind, std::string_view text, const ReadOptions& options,
                     const Setup& setup) {
  const tarvil::Settings& s = setup.settings;
  const std::optional<UnitChoice>& unit = options.unit;
  const bool bareAllowed = unit && unit->kind == kind && !unit->base;
  // Without a unit for bare numbers, the text must name its unit.
  if (!bareAllowed && IsPlainNumber(text, s)) {
    return Refused(Error::no_unit, static_cast<int>(text.size()) + 1);
  }
  const int bareUnit = bareAllowed ? unit->value : DefaultUnit(kind).value;
  switch (kind) {
    case Kind::kLength: {
      const auto result = tarvil::read_length(text, static_cast<tarvil::LengthUnit>(bareUnit),
                                              options.base, s);
      return Reading{static_cast<bool>(result), static_cast<double>(result.value), result.error,
                     result.position};
    }
    case Kind::kTime:
      return FromResult(tarvil::read_time(text, static_cast<tarvil::TimeUnit>(bareUnit), s));
    case Kind::kVelocity:
      return FromResult(
          tarvil::read_velocity(text, static_cast<tarvil::VelocityUnit>(bareUnit), s));
    case Kind::kAngle: {
      Reading reading =
          FromResult(tarvil::read_angle(text, static_cast<tarvil::AngleUnit>(bareUnit), s));
      if (reading.accepted && options.positive && reading.value < 0) reading.value += 360.0;
      return reading;
    }
    default:
      return Refused(Error::invalid_character, 1);
  }
}

// The command-line terms of what picks one reading of an ambiguous text.
std::string PickedBy(std::string_view picked, const tarvil::Settings& settings) {
  if (picked == "Notation::si") return "--notation si";
  if (picked == "Notation::spice") return "--notation spice";
  if (picked.starts_with("a decimal comma")) {
    std::string text = "a decimal comma (from --settings registry or the locale)";
    if (settings.decimal != ',') {
      text += "; no notation reads it with '";
      text += settings.decimal;
      text += "' as the decimal symbol";
    }
    return text;
  }
  if (picked.starts_with("a decimal point")) {
    return "a decimal point (--settings defaults, or a locale with '.')";
  }
  // "Settings::bare_capacitance = BareUnit::uF"
  constexpr std::string_view kBareUnit = "BareUnit::";
  if (const std::size_t unit = picked.find(kBareUnit); unit != std::string_view::npos) {
    return "--bare-unit " + std::string(picked.substr(unit + kBareUnit.size()));
  }
  return std::string(picked);
}

constexpr Notation kHintNotations[] = {Notation::engineering, Notation::european,
                                       Notation::scientific, Notation::si, Notation::spice,
                                       Notation::any};

}  // namespace

Reading ReadValue(Kind kind, std::string_view text, const ReadOptions& options,
                  const Setup& setup) {
  if (IsElectrical(kind)) return ReadElectrical(kind, text, options, setup);
  if (kind == Kind::kInteger || kind == Kind::kNumber) {
    return ReadPlain(kind, text, options, setup);
  }
  return ReadPhysical(kind, text, options, setup);
}

std::optional<Kind> Classify(std::string_view text, const ReadOptions& options,
                             const Setup& setup, Reading& refusal) {
  const Reading plain = ReadPlain(Kind::kNumber, text, ReadOptions{}, setup);
  if (plain.accepted) return Kind::kNumber;
  std::optional<Reading> ambiguous;
  ReadOptions strict = options;
  strict.strict = true;
  strict.unit.reset();
  for (Kind kind : {Kind::kOhms, Kind::kFarads, Kind::kHenrys, Kind::kVolts, Kind::kAmps,
                    Kind::kWatts}) {
    const Reading reading = ReadElectrical(kind, text, strict, setup);
    if (reading.accepted) return kind;
    if (reading.error == Error::ambiguous && !ambiguous) ambiguous = reading;
  }
  for (Kind kind : {Kind::kLength, Kind::kTime, Kind::kVelocity, Kind::kAngle}) {
    if (ReadPhysical(kind, text, strict, setup).accepted) return kind;
  }
  if (ambiguous) {
    refusal = *ambiguous;
  } else if (plain.error == Error::empty || plain.error == Error::blank ||
             plain.error == Error::too_many_decimal_places || plain.error == Error::ambiguous) {
    // A number's own fault ('1.5,5'), told where it lies.
    refusal = plain;
  } else {
    refusal = Refused(Error::no_unit, static_cast<int>(text.size()) + 1);
  }
  return std::nullopt;
}

std::string Hint(Kind kind, std::string_view text, Notation notation, const Reading& refused,
                 const Setup& setup) {
  if (refused.error == Error::ambiguous || refused.error == Error::empty ||
      refused.error == Error::blank || refused.error == Error::no_unit) {
    return std::string();
  }
  const Quantity quantity = QuantityOf(kind);
  if (quantity == Quantity::number && kind != Kind::kNumber && kind != Kind::kInteger) {
    return std::string();
  }
  for (Notation other : kHintNotations) {
    if (other == notation) continue;
    const auto result = tarvil::read(text, quantity, other, setup.settings, setup.units);
    if (!result) continue;
    if (kind == Kind::kInteger && result.value != std::floor(result.value)) continue;
    std::string hint = "reads as " + ShortestNumber(result.value);
    if (other == Notation::any) return hint + " with --notation any";
    return hint + " in " + NotationTitle(other) + " notation (--notation " + NotationName(other) +
           ")";
  }
  return std::string();
}

std::string Describe(std::string_view text, const Reading& refused, const std::string& hint,
                     const Setup& setup, std::optional<Quantity> quantity) {
  std::string described;
  if (refused.error != Error::ambiguous || refused.position == 0) {
    described = DescribeRefusal(text, refused.error, refused.position);
  } else {
    constexpr Quantity kEvery[] = {Quantity::number,     Quantity::resistance,
                                   Quantity::capacitance, Quantity::inductance,
                                   Quantity::voltage,    Quantity::current,
                                   Quantity::power};
    tarvil::Readings found;
    for (Quantity q : kEvery) {
      if (quantity && q != *quantity) continue;
      found = tarvil::readings(text, q, setup.settings, setup.units);
      if (found.count > 0) break;
    }
    // The marked text and the message, then the readings in the command's
    // terms.
    described = DescribeRefusal(text, Error::invalid_character, refused.position);
    described.resize(described.size() - tarvil::message(Error::invalid_character).size());
    described += tarvil::message(Error::ambiguous);
    for (int i = 0; i < found.count; ++i) {
      const tarvil::Reading& r = found.reading[static_cast<std::size_t>(i)];
      described += '\n' + ShortestNumber(r.value) + ": " + PickedBy(r.picked_by, setup.settings);
    }
  }
  if (!hint.empty()) {
    if (!described.empty()) described += '\n';
    described += hint;
  }
  return described;
}

double InUnit(Kind kind, double value, Resolution base, const UnitChoice& unit) {
  switch (kind) {
    case Kind::kLength: {
      const double nm = base == Resolution::ten_nm ? value * 10.0 : value;
      if (unit.base) return unit.value == static_cast<int>(Resolution::ten_nm) ? nm / 10.0 : nm;
      constexpr double kNmPer[] = {25400000.0, 1000000.0, 1000.0, 25400.0};  // in mm um th
      return nm / kNmPer[unit.value];
    }
    case Kind::kTime: {
      // The decimal exponent of each unit, es to as; the shift is made on
      // the shortest decimal text, so that 1.2ns is 1200ps exactly.
      constexpr int kExponent[] = {18, 15, 12, 9, 6, 3, 0, -3, -6, -9, -12, -15, -18};
      char digits[64];
      const auto written =
          std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific);
      std::string text(digits, written.ptr);
      const std::size_t e = text.find('e');
      if (e == std::string::npos) return value;  // inf, nan
      int exponent = 0;
      std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0),
                      text.data() + text.size(), exponent);
      text.resize(e + 1);
      text += std::to_string(exponent - kExponent[unit.value]);
      double shifted = value;
      std::from_chars(text.data(), text.data() + text.size(), shifted);
      return shifted;
    }
    case Kind::kVelocity: {
      constexpr double kMetresPerInchPerNs = 25400000.0;
      constexpr double kLight = 299792458.0;
      switch (static_cast<tarvil::VelocityUnit>(unit.value)) {
        case tarvil::VelocityUnit::in_per_ns: return value / kMetresPerInchPerNs;
        case tarvil::VelocityUnit::percent_c: return value * 100.0 / kLight;
        default: return value;
      }
    }
    case Kind::kAngle:
      switch (static_cast<tarvil::AngleUnit>(unit.value)) {
        case tarvil::AngleUnit::rad: return value * std::numbers::pi / 180.0;
        case tarvil::AngleUnit::arcmin: return value * 60.0;
        case tarvil::AngleUnit::arcsec: return value * 3600.0;
        default: return value;
      }
    default:
      return value;
  }
}

UnitChoice DefaultUnit(Kind kind) {
  switch (kind) {
    case Kind::kTime: return UnitChoice{Kind::kTime, static_cast<int>(tarvil::TimeUnit::s), false};
    case Kind::kVelocity:
      return UnitChoice{Kind::kVelocity, static_cast<int>(tarvil::VelocityUnit::m_per_s), false};
    case Kind::kAngle:
      return UnitChoice{Kind::kAngle, static_cast<int>(tarvil::AngleUnit::deg), false};
    default:
      return UnitChoice{Kind::kLength, static_cast<int>(tarvil::LengthUnit::millimeter), false};
  }
}

std::string WriteValue(Kind kind, double value, const WriteOptions& options,
                       const tarvil::Settings& settings, const tarvil::UnitTable& units) {
  const UnitChoice unit = options.unit.value_or(DefaultUnit(kind));
  std::string text;
  switch (kind) {
    case Kind::kLength:
      text = tarvil::write_length(static_cast<std::int64_t>(value),
                                  static_cast<tarvil::LengthUnit>(unit.value), options.base,
                                  settings);
      break;
    case Kind::kTime:
      text = tarvil::write_time(value, static_cast<tarvil::TimeUnit>(unit.value), settings);
      break;
    case Kind::kVelocity:
      text = tarvil::write_velocity(value, static_cast<tarvil::VelocityUnit>(unit.value), settings);
      break;
    case Kind::kAngle:
      text = tarvil::write_angle(value, static_cast<tarvil::AngleUnit>(unit.value), settings);
      break;
    case Kind::kInteger: {
      // In the regional format a whole number is its grouped digits.
      return tarvil::write(value, Quantity::number,
                           options.notation.value_or(Notation::full_precision), settings, units);
    }
    case Kind::kNumber:
      return tarvil::write(value, Quantity::number, options.notation.value_or(Notation::decimal),
                           settings, units);
    default:
      return tarvil::write(value, QuantityOf(kind), options.notation.value_or(settings.notation),
                           settings, units, options.showUnit);
  }
  if (!options.showUnit) {
    // The physical writers always append their unit.
    const std::string suffix = UnitText(unit);
    if (text.ends_with(suffix)) text.resize(text.size() - suffix.size());
    while (!text.empty() && text.back() == ' ') text.pop_back();
  }
  return text;
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
    const std::optional<Resolution> base = ParseBase(*word);
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
