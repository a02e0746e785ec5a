// NotationFormat.cpp: the members that write numbers in the notations
// ('4.7E3', '4k7', '4.7k', '4.7K'), in full precision and in plain decimal
// form. They load the shared settings, call the notation writer of the
// engine with them and assign its text to the object once.
#include <cmath>
#include <string_view>

#include "CTarvil.h"
#include "EngineSettingsInternal.h"
#include "NotationInternal.h"
#include "SharedSettingsInternal.h"
#include "UnitConversionInternal.h"
#include "UnitListInternal.h"

using tarvil::detail::TextBuffer;

namespace {

// WriteNotationValue's trailing-zero flag: an integer drops them whatever
// the settings say; other values keep or drop them as the settings say.
constexpr bool kDropTrailingZeros = true;
constexpr bool kZerosAsSettingsSay = false;
// Its precision flag for integers: capped by the notation's precision.
constexpr bool kUsePrecision = true;

}  // namespace

CTarvil& CTarvil::SetDoubleForNotation(int& isBase, eOrvantaNotations notation, double value,
                                       int usePrecision, eUnitTypes unit) {
  const tarvil::detail::SharedSettings settings;
  if (!std::isfinite(value)) {
    m_text.assign(std::isnan(value) ? "NaN" : "#INF");
    m_nCursorPosition = 0;
    m_eCurrentError = eErrNone;
    isBase = 0;
    return *this;
  }
  TextBuffer out;
  isBase = tarvil::detail::WriteNotationValue(out, notation, value, usePrecision == 1, unit,
                                              kZerosAsSettingsSay, settings);
  m_text.assign(out.data(), out.size());
  return *this;
}

CTarvil& CTarvil::SetDoubleForNotation(eOrvantaNotations notation, double value,
                                       int usePrecision, eUnitTypes unit) {
  int isBase = 0;
  return SetDoubleForNotation(isBase, notation, value, usePrecision, unit);
}

CTarvil& CTarvil::SetDoubleForNotation(double value, int usePrecision, eUnitTypes unit) {
  EnsureSettings();
  return SetDoubleForNotation(s_Locale.m_eActiveNotation, value, usePrecision, unit);
}

CTarvil& CTarvil::SetIntegerForNotation(eOrvantaNotations notation, int value, eUnitTypes unit) {
  const tarvil::detail::SharedSettings settings;
  TextBuffer out;
  tarvil::detail::WriteNotationValue(out, notation, static_cast<double>(value), kUsePrecision,
                                     unit, kDropTrailingZeros, settings);
  m_text.assign(out.data(), out.size());
  return *this;
}

CTarvil& CTarvil::SetIntegerForNotation(int value, eUnitTypes unit) {
  EnsureSettings();
  return SetIntegerForNotation(s_Locale.m_eActiveNotation, value, unit);
}

CTarvil& CTarvil::SetElectricalNotationString(eUnitTypes unit, eOrvantaNotations notation,
                                              double value, int appendUnit, int usePrecision) {
  int isBase = 0;
  SetDoubleForNotation(isBase, notation, value, usePrecision, unit);
  const tarvil::detail::SharedSettings settings;
  if (notation == eEuropean && isBase == 1) {
    tarvil::detail::JoinEuropeanUnitName(m_text, unit, settings);
  } else if (appendUnit == 1) {
    m_text.append(tarvil::detail::BaseUnitName(settings.engine().units, unit, notation));
  }
  return *this;
}

CTarvil& CTarvil::SetSIUnit(eSIUnits unit, const char* text) {
  using tarvil::detail::kSIPrefixes;
  if (static_cast<unsigned int>(unit) >= static_cast<unsigned int>(kSIUnitNum)) return *this;
  std::string_view body = text != nullptr ? std::string_view(text) : std::string_view();
  TextBuffer out;
  out.append(std::string_view(kSIPrefixes[unit]));
  out.append(body);
  m_text.assign(out.data(), out.size());
  return *this;
}
