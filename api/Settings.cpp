// Settings.cpp: the modern interface's settings and unit tables as the
// engine takes them, and the messages of refusals (their descriptions are
// in Readings.cpp). What reads
// the process's environment or a file (the registry, the locale, a units
// definition file) is in SettingsSources.cpp.
#include "ApiInternal.h"
#include "ErrorTextInternal.h"
#include "Messages.h"

namespace tarvil {
namespace {

constexpr std::string_view kAmbiguousMessage = "Ambiguous value: common readings differ.";
constexpr std::string_view kNotAValueMessage = "The text names a package, not a value.";

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


// ---- Unit tables -----------------------------------------------------------------

const UnitTable& UnitTable::built_in() noexcept {
  static const UnitTable table;
  return table;
}

}  // namespace tarvil
