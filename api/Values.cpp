// Values.cpp: electrical values and numbers of the modern interface, read
// and written through the engine with the caller's settings.
#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>

#include "AnyNotationInternal.h"
#include "ApiInternal.h"
#include "NotationInternal.h"
#include "TextBufferInternal.h"
#include "TextScanInternal.h"
#include "UnitListInternal.h"

namespace tarvil {

namespace api {

eUnitTypes UnitOf(Quantity quantity) noexcept {
  switch (quantity) {
    case Quantity::resistance: return eOhms;
    case Quantity::capacitance: return eFarads;
    case Quantity::inductance: return eHenrys;
    case Quantity::voltage: return eVolts;
    case Quantity::current: return eAmps;
    case Quantity::power: return eWatts;
    case Quantity::number: break;
  }
  return eNoUnit;
}

// Numbers, voltages and currents take either sign; the other quantities
// none below 0.
eCTarvilDomain DomainOf(Quantity quantity) noexcept {
  return quantity == Quantity::number || quantity == Quantity::voltage ||
                 quantity == Quantity::current
             ? eDomainAny
             : eDomainZeroOrPositive;
}

int BareExponentOf(Quantity quantity, const Settings& settings) noexcept {
  const BareUnit bare = quantity == Quantity::capacitance  ? settings.bare_capacitance
                        : quantity == Quantity::inductance ? settings.bare_inductance
                                                           : BareUnit::none;
  const bool farads = quantity == Quantity::capacitance;
  switch (bare) {
    case BareUnit::pF: return farads ? -12 : detail::kBareAsk;
    case BareUnit::nF: return farads ? -9 : detail::kBareAsk;
    case BareUnit::uF: return farads ? -6 : detail::kBareAsk;
    case BareUnit::uH: return farads ? detail::kBareAsk : -6;
    case BareUnit::H: return farads ? detail::kBareAsk : 0;
    case BareUnit::none: break;
  }
  return detail::kBareAsk;
}

Result<double> InDomain(std::string_view text, double value, Quantity quantity) noexcept {
  eCTarvilErr error = eErrNone;
  if (!CTarvilValueInDomain(value, DomainOf(quantity), &error)) {
    return api::Refused<double>(error, detail::FirstNonBlankIndex(text) + 1);
  }
  return api::Accepted(value);
}

}  // namespace api

namespace {

using api::DomainOf;
using api::InDomain;
using api::UnitOf;
using detail::EngineSettings;
using detail::NumberScan;
using detail::TextBuffer;

Result<double> FromScan(const NumberScan& scan) noexcept {
  if (!scan.ok) return api::Refused<double>(scan.error, scan.cursor);
  return api::Accepted(scan.value);
}

// As the string class's InterpretAs...Measure: with the unit name, else as
// a bare number with the unit's own prefixes first.
Result<double> ReadQuantity(std::string_view text, Quantity quantity, eOrvantaNotations notation,
                            const EngineSettings& settings) noexcept {
  const eUnitTypes unit = UnitOf(quantity);
  const NumberScan withUnit = detail::ScanElectricalText(
      text, unit, notation, DomainOf(quantity), quantity == Quantity::resistance, settings);
  if (withUnit.ok || withUnit.error != eErrNoUnit) return FromScan(withUnit);
  const NumberScan bare = detail::ScanNotationNumber(text, notation, unit, settings);
  if (!bare.ok) return FromScan(bare);
  return InDomain(text, bare.value, quantity);
}

// `value` written as the string class's writers write it, into `out`.
void WriteValue(TextBuffer& out, double value, Quantity quantity, Notation notation,
                const Settings& settings, const UnitTable& units, bool withUnit) {
  const EngineSettings engine{settings, api::StorageOf(units)};
  const eUnitTypes unit = UnitOf(quantity);
  const eOrvantaNotations n = api::NotationOf(notation, settings);
  int isBase = 0;
  if (!std::isfinite(value)) {
    // The string class's texts, with the sign of a negative infinity kept.
    out.append(std::isnan(value) ? std::string_view("NaN")
               : value < 0      ? std::string_view("-#INF")
                                : std::string_view("#INF"));
  } else if (notation == Notation::full_precision) {
    // The shortest digits that read back to the value, in regional form.
    // The longest fixed text of a double: 309 integer digits (DBL_MAX),
    // or 1074 decimals of the smallest subnormal; values beyond 1e-300 to
    // 1e300 are outside the contract, and a text that does not fit is cut
    // to nothing rather than overrun.
    constexpr std::size_t kFixedRoom = 400;
    char* at = out.Grow(kFixedRoom);
    const auto written = std::to_chars(at, at + kFixedRoom, value, std::chars_format::fixed);
    out.Commit(written.ec == std::errc() ? static_cast<std::size_t>(written.ptr - at) : 0);
    detail::DropNegativeZeroSign(out);
    if (!settings.leading_zero && out.size() >= 2 && out[0] == '0' && out[1] == '.') {
      out.erase(0, 1);
    }
    if (settings.decimal != '.') {
      const std::size_t point = out.view().rfind('.');
      if (point != std::string_view::npos) out.data()[point] = settings.decimal;
    }
    detail::InsertDigitGrouping(out, value, settings);
  } else {
    // The notation's precision, and trailing zeros kept or dropped as the
    // settings say.
    constexpr bool kUsePrecision = true;
    constexpr bool kZerosAsSettingsSay = false;
    isBase = detail::WriteNotationValue(out, n, value, kUsePrecision, unit, kZerosAsSettingsSay,
                                        engine);
  }
  if (unit == eNoUnit) return;
  const std::string_view name = detail::BaseUnitName(engine.units, unit, n);
  if (n == eEuropean && isBase == 1) {
    // The unit name takes the decimal symbol's place ('4R7'), or ends the
    // number ('47R').
    if (name.empty()) return;
    const std::size_t point = out.view().rfind(settings.decimal);
    if (point == std::string_view::npos) {
      out.append(name);
    } else {
      out.erase(point, 1);
      out.insert(point, name.data(), name.size());
    }
  } else if (withUnit && !(n == eEuropean && quantity == Quantity::resistance)) {
    // A European resistance after a prefix ('4k7') has no unit name.
    out.append(name);
  }
}

}  // namespace

BareUnit bare_unit_named(std::string_view word) noexcept {
  constexpr std::pair<std::string_view, BareUnit> kNames[] = {
      {"pF", BareUnit::pF}, {"nF", BareUnit::nF}, {"uF", BareUnit::uF},
      {"uH", BareUnit::uH}, {"H", BareUnit::H}};
  for (const auto& [name, unit] : kNames) {
    if (word == name) return unit;
  }
  return BareUnit::none;
}

Result<double> read(std::string_view text, Quantity quantity, Notation notation,
                    const Settings& settings, const UnitTable& units) noexcept {
  const eOrvantaNotations n = notation == Notation::decimal || notation == Notation::full_precision
                                  ? eDecimal
                                  : api::NotationOf(notation, settings);
  // The common forms ('4.7k', '1e-9', '4k7', '10 kohm') in one short pass;
  // they hold no NUL.
  double common = 0.0;
  if (notation == Notation::any &&
      detail::ReadCommonAny(text, UnitOf(quantity), settings,
                            api::BareExponentOf(quantity, settings), common)) {
    return InDomain(text, common, quantity);
  }
  if (notation != Notation::any && quantity == Quantity::number &&
      detail::ReadCommonForm(text, n, eNoUnit, settings, nullptr, common)) {
    return api::Accepted(common);
  }
  if (const auto refused = api::RefusedAtNul<double>(text, [&](std::string_view head) {
        return read(head, quantity, notation, settings, units);
      }))
    return *refused;
  if (notation == Notation::any) {
    const detail::AnyScan scan = detail::ScanAnyNotation(
        text, UnitOf(quantity), settings, api::BareExponentOf(quantity, settings));
    if (!scan.ok) return api::Refused<double>(scan.error, scan.cursor);
    return InDomain(text, scan.value, quantity);
  }
  const EngineSettings engine{settings, api::StorageOf(units)};
  if (quantity == Quantity::number) {
    NumberScan scan = detail::ScanNotationNumber(text, n, eNoUnit, engine);
    // The engine keeps the string class's cursor for a blank number.
    if (scan.error == eErrBlank) scan.cursor = detail::BlankPosition(text);
    return FromScan(scan);
  }
  return ReadQuantity(text, quantity, api::NotationOf(notation, settings), engine);
}

std::string write(double value, Quantity quantity, Notation notation, const Settings& settings,
                  const UnitTable& units, bool with_unit) {
  TextBuffer out;
  WriteValue(out, value, quantity, notation, settings, units, with_unit);
  return std::string(out.view());
}

std::to_chars_result write(char* first, char* last, double value, Quantity quantity,
                           Notation notation, const Settings& settings, const UnitTable& units,
                           bool with_unit) noexcept {
  TextBuffer out;
  WriteValue(out, value, quantity, notation, settings, units, with_unit);
  const std::size_t room = first <= last ? static_cast<std::size_t>(last - first) : 0;
  if (out.size() > room) return {last, std::errc::value_too_large};
  if (out.size() > 0) std::memcpy(first, out.data(), out.size());
  return {first + out.size(), std::errc()};
}

}  // namespace tarvil
