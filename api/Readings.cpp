// Readings.cpp: the readings of an ambiguous text as data, and the
// descriptions of refused texts told with them.
#include <charconv>

#include "AnyNotationInternal.h"
#include "ApiInternal.h"
#include "ErrorTextInternal.h"
#include "Messages.h"
#include "PartReadInternal.h"

namespace tarvil {
namespace {

// The readings of `text` as `unit`, when the any reader finds it ambiguous
// at `position` (any position when 0); none otherwise.
detail::AnyScan AmbiguousScan(std::string_view text, eUnitTypes unit, const Settings& settings,
                              int bareExponent, int position) noexcept {
  detail::AnyScan scan = detail::ScanAnyNotation(text, unit, settings, bareExponent);
  if (scan.error != detail::kErrAmbiguous || (position != 0 && scan.cursor != position)) {
    scan.readings = 0;
  }
  return scan;
}

// The token of a part's value field that holds the 1-based `position` (its
// value may have taken blank-separated tokens after it, '10 uF'), with its
// offset in `text`; an empty token at 0 when none does.
std::string_view TokenAt(std::string_view text, int position, int& offset) noexcept {
  const int length = static_cast<int>(text.size());
  for (detail::PartToken t = detail::NextPartToken(text, 0); t.begin < length;
       t = detail::NextPartToken(text, t.end)) {
    if (position - 1 < t.begin || position - 1 > t.end) continue;
    offset = t.begin;
    return text.substr(static_cast<std::size_t>(t.begin),
                       static_cast<std::size_t>(t.end - t.begin));
  }
  offset = 0;
  return {};
}

// One line of a description: a reading's value, shortest form, and what
// picks it.
void AppendReadingLine(std::string& out, double value, std::string_view pickedBy) {
  char digits[32];
  const auto written = std::to_chars(digits, digits + sizeof digits, value);
  out += '\n';
  out.append(digits, written.ptr);
  out += ": ";
  out += pickedBy;
}

// The readings of each kind of value (number, then each quantity) that
// finds `text` ambiguous at `position`, each pair once (a bare number has a
// capacitance's and an inductance's), at most four.
bool AppendEveryReading(std::string& out, std::string_view text, int offset, int position) {
  const Settings defaults;
  const char* shown[4] = {};
  int count = 0;
  for (eUnitTypes unit : {eNoUnit, eFarads, eAmps, eOhms, eHenrys, eVolts, eWatts}) {
    const detail::AnyScan scan =
        AmbiguousScan(text, unit, defaults, detail::kBareAsk, position - offset);
    if (scan.readings == 0) continue;
    if (count > 0 && (shown[0] == scan.reading[0].picked_by ||
                      (count > 2 && shown[2] == scan.reading[0].picked_by))) {
      continue;
    }
    for (int i = 0; i < scan.readings && i < 2 && count < 4; ++i) {
      const char* picked = scan.reading[i].picked_by;
      AppendReadingLine(out, scan.reading[i].value, picked != nullptr ? picked : "");
      shown[count++] = picked;
    }
  }
  return count > 0;
}

// The marked text of an ambiguous one, and the message.
std::string AmbiguousHead(std::string_view text, int position) {
  std::string out = detail::DescribeFault(text, detail::kErrAmbiguous, position,
                                          resources::FindLibraryMessage, detail::kErrAmbiguous);
  out += message(Error::ambiguous);
  return out;
}

// Adds the readings of `text` as `quantity` when the any reader finds it
// ambiguous.
bool TakeReadings(std::string_view text, Quantity quantity, const Settings& settings,
                  Readings& out) noexcept {
  const detail::AnyScan scan =
      AmbiguousScan(text, api::UnitOf(quantity), settings,
                    api::BareExponentOf(quantity, settings), 0);
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
  // A part's value field: the token read_part found ambiguous.
  const Result<Part> part = read_part(text, quantity, settings, units);
  if (part.error != Error::ambiguous) return out;
  int offset = 0;
  const std::string_view token = TokenAt(text, part.position, offset);
  if (!token.empty()) TakeReadings(token, quantity, settings, out);
  return out;
}

std::string describe(std::string_view text, Error error, int position) {
  if (error == Error::ambiguous && position != 0) {
    std::string out = AmbiguousHead(text, position);
    if (!AppendEveryReading(out, text, 0, position)) {
      int offset = 0;
      const std::string_view token = TokenAt(text, position, offset);
      if (!token.empty()) AppendEveryReading(out, token, offset, position);
    }
    return out;
  }
  std::string out = detail::DescribeFault(text, static_cast<int>(error), position,
                                          resources::FindLibraryMessage, detail::kErrAmbiguous);
  if (error == Error::not_a_value && position != 0) out += message(Error::not_a_value);
  return out;
}

std::string describe(std::string_view text, Error error, int position, Quantity quantity,
                     const Settings& settings, const UnitTable& units) {
  if (error != Error::ambiguous || position == 0) return describe(text, error, position);
  std::string out = AmbiguousHead(text, position);
  const Readings found = readings(text, quantity, settings, units);
  for (int i = 0; i < found.count; ++i) {
    AppendReadingLine(out, found.reading[static_cast<std::size_t>(i)].value,
                      found.reading[static_cast<std::size_t>(i)].picked_by);
  }
  return out;
}

}  // namespace tarvil
