// Readings.cpp: the readings of an ambiguous text as data, and the
// description of a refusal told with them.
#include <charconv>

#include "AnyNotationInternal.h"
#include "ApiInternal.h"
#include "PartReadInternal.h"

namespace tarvil {
namespace {

// Adds the readings of `text` when the any reader finds it ambiguous.
bool TakeReadings(std::string_view text, Quantity quantity, const Settings& settings,
                  Readings& out) noexcept {
  const CTarvilLocale locale = api::ReadingLocaleOf(settings);
  const detail::AnyScan scan = detail::ScanAnyNotation(text, api::UnitOf(quantity), locale,
                                                       api::BareExponentOf(quantity, settings));
  if (scan.error != detail::kErrAmbiguous) return false;
  for (int i = 0; i < scan.readings && i < static_cast<int>(out.reading.size()); ++i) {
    const char* picked = scan.reading[i].picked_by;
    out.reading[static_cast<std::size_t>(i)] = {scan.reading[i].value,
                                                picked != nullptr ? picked : ""};
    out.count = i + 1;
  }
  return true;
}

}  // namespace

Readings readings(std::string_view text, Quantity quantity, const Settings& settings,
                  const UnitTable& units) noexcept {
  Readings out;
  if (TakeReadings(text, quantity, settings, out)) return out;
  // A part's value field: the token read_part found ambiguous (its value
  // may take the blank-separated tokens after it, '10 uF').
  const Result<Part> part = read_part(text, quantity, settings, units);
  if (part.error != Error::ambiguous) return out;
  const int length = static_cast<int>(text.size());
  for (detail::PartToken t = detail::NextPartToken(text, 0); t.begin < length;
       t = detail::NextPartToken(text, t.end)) {
    if (part.position - 1 < t.begin || part.position - 1 > t.end) continue;
    const auto begin = static_cast<std::size_t>(t.begin);
    TakeReadings(text.substr(begin, static_cast<std::size_t>(t.end - t.begin)), quantity,
                 settings, out);
    break;
  }
  return out;
}

std::string describe(std::string_view text, Error error, int position, Quantity quantity,
                     const Settings& settings, const UnitTable& units) {
  if (error != Error::ambiguous || position == 0) return describe(text, error, position);
  // The marked text, then the message and one line per reading.
  std::string out = describe(text, Error::invalid_character, position);
  out.resize(out.size() - message(Error::invalid_character).size());
  out += message(Error::ambiguous);
  const Readings found = readings(text, quantity, settings, units);
  for (int i = 0; i < found.count; ++i) {
    const Reading& r = found.reading[static_cast<std::size_t>(i)];
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, r.value);
    out += '\n';
    out.append(digits, written.ptr);
    out += ": ";
    out += r.picked_by;
  }
  return out;
}

}  // namespace tarvil
