// Parts.cpp: a part's value field read through the engine with the
// caller's settings (contract in tarvil.h).
#include "ApiInternal.h"
#include "PartReadInternal.h"

namespace tarvil {

Result<Part> read_part(std::string_view text, Quantity quantity, const Settings& settings,
                       const UnitTable& units) noexcept {
  if (const auto refused = api::RefusedAtNul<Part>(text, [&](std::string_view head) {
        return read_part(head, quantity, settings, units);
      }))
    return *refused;
  const detail::PartScan scan = detail::ScanPart(text, api::UnitOf(quantity), settings,
                                                 api::BareExponentOf(quantity, settings));
  if (!scan.ok) return api::Refused<Part>(scan.error, scan.cursor);
  if (scan.hasValue) {
    const std::string_view from = text.substr(static_cast<std::size_t>(scan.valueAt));
    const Result<double> checked = api::InDomain(from, scan.value, quantity);
    if (!checked) return api::Refused<Part>(static_cast<int>(checked.error), scan.valueAt + 1);
  }
  std::optional<Tolerance> tolerance;
  if (scan.tolerance) {
    tolerance = Tolerance{scan.tolerance->minus, scan.tolerance->plus, scan.tolerance->relative};
  }
  // Made in place, member by member: a Part zeroed first and then assigned
  // costs about as much as reading a short value.
  return Result<Part>{Part{scan.hasValue ? scan.value : 0.0, scan.hasValue, scan.fitted,
                           tolerance, scan.voltage, scan.current, scan.power,
                           scan.temperatureCoefficient, scan.dielectric, scan.package,
                           scan.rest},
                      Error::none, 0};
}

}  // namespace tarvil
