// Settings.cpp: the modern interface's settings and unit tables as the
// engine takes them, messages and descriptions of refused texts. What reads
// the process's environment or a file (the registry, the locale, a units
// definition file) is in SettingsSources.cpp.
#include <charconv>

#include "AnyNotationInternal.h"
#include "ApiInternal.h"
#include "PartReadInternal.h"
#include "ErrorTextInternal.h"
#include "Messages.h"

namespace tarvil {
namespace {

constexpr std::string_view kAmbiguousMessage = "Ambiguous value: common readings differ.";
constexpr std::string_view kNotAValueMessage = "The text names a package, not a value.";

// One line per reading of an ambiguous text: its value, shortest form, and
// what picks it. The readings are those of each kind of value (number, then
// each quantity) that finds the text ambiguous at `position`, each pair
// once: a bare number has a capacitance's and an inductance's. A text that
// is no value as a whole is read as the value field whose token holds
// `position` (read_part).
bool AppendReadingsOf(std::string& out, std::string_view text, int offset, int position) {
  const CTarvilLocale locale = api::LocaleOf(Settings{});
  const char* shown[4] = {};
  int count = 0;
  for (eUnitTypes unit : {eNoUnit, eFarads, eAmps, eOhms, eHenrys, eVolts, eWatts}) {
    const detail::AnyScan scan = detail::ScanAnyNotation(text, unit, locale);
    if (scan.error != detail::kErrAmbiguous || scan.cursor + offset != position) continue;
    if (count > 0 && (shown[0] == scan.reading[0].picked_by ||
                      (count > 2 && shown[2] == scan.reading[0].picked_by))) {
      continue;
    }
    for (int i = 0; i < scan.readings && i < 2 && count < 4; ++i) {
      char digits[64];
      const auto written = std::to_chars(digits, digits + sizeof digits, scan.reading[i].value);
      out += '\n';
      out.append(digits, written.ptr);
      out += ": ";
      out += scan.reading[i].picked_by != nullptr ? scan.reading[i].picked_by : "";
      shown[count++] = scan.reading[i].picked_by;
    }
  }
  return count > 0;
}

void AppendReadings(std::string& out, std::string_view text, int position) {
  if (AppendReadingsOf(out, text, 0, position)) return;
  const int length = static_cast<int>(text.size());
  for (detail::PartToken t = detail::NextPartToken(text, 0); t.begin < length;
       t = detail::NextPartToken(text, t.end)) {
    if (position - 1 < t.begin || position - 1 > t.end) continue;
    const std::string_view token = text.substr(static_cast<std::size_t>(t.begin),
                                               static_cast<std::size_t>(t.end - t.begin));
    AppendReadingsOf(out, token, t.begin, position);
    return;
  }
}

}  // namespace

bool valid(const Settings& settings) noexcept {
  const auto stands_in_numbers = [](char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-';
  };
  const char decimal = settings.decimal;
  const char thousands = settings.thousands;
  return decimal != ' ' && decimal != '\t' && decimal != '\0' && !stands_in_numbers(decimal) &&
         !stands_in_numbers(thousands) && decimal != thousands;
}

namespace api {

CTarvilLocale LocaleOf(const Settings& s) noexcept {
  CTarvilLocale l;
  l.m_nLoaded = 1;
  l.m_cDecimal = s.decimal;
  l.m_cThousand = s.thousands;
  l.m_nGrouping = s.grouping;
  l.m_nDigits = s.digits;
  l.m_nLeadingZero = s.leading_zero ? 1 : 0;
  l.m_nEngPrecision = s.precision[0];
  l.m_nEuroPrecision = s.precision[1];
  l.m_nSciPrecision = s.precision[2];
  l.m_nSIPrecision = s.precision[3];
  l.m_nSPICEPrecision = s.precision[4];
  l.m_nAnglePrecision = s.angle_precision;
  l.m_nPercentPrecision = s.percentage_precision;
  l.m_nTimePrecision = s.time_precision;
  l.m_nSuppressTrailingZeros = s.suppress_trailing_zeros ? 1 : 0;
  l.m_eActiveNotation = NotationOf(s.notation, Settings{});
  return l;
}

CTarvilLocale ReadingLocaleOf(const Settings& s) noexcept {
  CTarvilLocale l;
  l.m_nLoaded = 1;
  l.m_cDecimal = s.decimal;
  l.m_cThousand = s.thousands;
  l.m_nGrouping = s.grouping;
  return l;
}

const COVUnitStorage& StorageOf(const UnitTable& units) noexcept {
  // Empty lists: every lookup answers from the built-in tables.
  static const COVUnitStorage builtIn;
  return units.storage() != nullptr ? units.storage()->units : builtIn;
}

eOrvantaNotations NotationOf(Notation notation, const Settings& settings) noexcept {
  if (notation == Notation::any) notation = settings.notation;
  if (notation == Notation::any || static_cast<unsigned>(notation) > 6u) return eSI;
  return static_cast<eOrvantaNotations>(notation);
}

}  // namespace api

// ---- Messages -------------------------------------------------------------------

std::string_view message(Error error) noexcept {
  if (error == Error::ambiguous) return kAmbiguousMessage;
  if (error == Error::not_a_value) return kNotAValueMessage;
  const char* text = resources::FindLibraryMessage(detail::MessageIdOf(static_cast<int>(error)));
  return text != nullptr ? std::string_view(text) : std::string_view();
}

std::string describe(std::string_view text, Error error, int position) {
  const int code = static_cast<int>(error);
  std::string out = detail::DescribeFault(text, code, position, resources::FindLibraryMessage,
                                          detail::kErrAmbiguous);
  if (error == Error::ambiguous && position != 0) {
    out += kAmbiguousMessage;
    AppendReadings(out, text, position);
  } else if (error == Error::not_a_value && position != 0) {
    out += kNotAValueMessage;
  }
  return out;
}

// ---- Unit tables -----------------------------------------------------------------

const UnitTable& UnitTable::built_in() noexcept {
  static const UnitTable table;
  return table;
}

}  // namespace tarvil
