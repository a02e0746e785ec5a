// Parts.cpp: a part's value field read through the engine with the
// caller's settings (contract in tarvil.h).
#include "ApiInternal.h"
#include "PartReadInternal.h"

namespace tarvil {

Result<Part> read_part(std::string_view text, Quantity quantity, const Settings& settings,
                       const UnitTable& /*units*/) noexcept {
  const CTarvilLocale locale = api::ReadingLocaleOf(settings);
  const detail::PartScan scan = detail::ScanPart(text, api::UnitOf(quantity), locale,
                                                 api::BareExponentOf(quantity, settings));
  if (!scan.ok) return api::Refused<Part>(scan.error, scan.cursor);
  Part part;
  if (scan.hasValue) {
    const std::string_view from = text.substr(static_cast<std::size_t>(scan.valueAt));
    const Result<double> checked = api::InDomain(from, scan.value, quantity);
    if (!checked) return api::Refused<Part>(static_cast<int>(checked.error), scan.valueAt + 1);
    part.value = scan.value;
    part.has_value = true;
  }
  part.fitted = scan.fitted;
  if (scan.tolerance) {
    part.tolerance = Tolerance{scan.tolerance->minus, scan.tolerance->plus,
                               scan.tolerance->relative};
  }
  part.voltage = scan.voltage;
  part.current = scan.current;
  part.power = scan.power;
  part.temperature_coefficient = scan.temperatureCoefficient;
  part.dielectric = scan.dielectric;
  part.package = scan.package;
  part.rest = scan.rest;
  return api::Accepted(part);
}

}  // namespace tarvil
