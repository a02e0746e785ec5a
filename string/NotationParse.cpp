// NotationParse.cpp: the members that read numbers written in the notations
// ('4.7k', '4k7', '4.7E3', '4.7MEG'). They load the shared settings, call the
// notation reader of the engine with them and keep its error and cursor.
#include <cmath>
#include <limits>

#include "CTarvil.h"
#include "ErrorModelInternal.h"
#include "EngineSettingsInternal.h"
#include "NotationInternal.h"
#include "SharedSettingsInternal.h"

using tarvil::detail::NumberScan;

int CTarvil::IsDoubleForNotation(eOrvantaNotations notation, double* pValue, eUnitTypes unit) {
  const tarvil::detail::SharedSettings settings;
  if (!tarvil::detail::BeginTest(*this)) return 0;
  NumberScan scan = tarvil::detail::ScanNotationNumber(m_text, notation, unit, settings);
  if (scan.cutLength >= 0) m_text.resize(static_cast<std::size_t>(scan.cutLength));
  m_eCurrentError = scan.error;
  m_nCursorPosition = scan.cursor;
  if (!scan.ok) return 0;
  if (pValue != nullptr) *pValue = scan.value;
  return 1;
}

int CTarvil::IsDoubleForNotation(double* pValue, eUnitTypes unit) {
  EnsureSettings();
  return IsDoubleForNotation(s_Locale.m_eActiveNotation, pValue, unit);
}

int CTarvil::IsDoubleForNotation() {
  EnsureSettings();
  return IsDoubleForNotation(s_Locale.m_eActiveNotation, nullptr, eNoUnit);
}

long CTarvil::GetDoubleForNotation(eOrvantaNotations notation, double* pValue, eUnitTypes unit) {
  if (pValue == nullptr) return E_INVALIDARG;
  *pValue = 0.0;
  if (!tarvil::detail::BeginTest(*this)) return E_FAIL;
  return IsDoubleForNotation(notation, pValue, unit) == 1 ? S_OK : E_INVALIDARG;
}

long CTarvil::GetDoubleForNotation(double* pValue, eUnitTypes unit) {
  EnsureSettings();
  return GetDoubleForNotation(s_Locale.m_eActiveNotation, pValue, unit);
}

int CTarvil::IsIntegerForNotation(eOrvantaNotations notation, int* pValue, eUnitTypes unit) {
  if (pValue != nullptr) *pValue = 0;
  double value = 0.0;
  if (IsDoubleForNotation(notation, &value, unit) == 0) return 0;
  if (value == 0.0) return 1;
  // The range of an int; both ends are exact as doubles.
  constexpr double kIntMin = std::numeric_limits<int>::min();
  constexpr double kIntMax = std::numeric_limits<int>::max();
  if (value >= kIntMin && value <= kIntMax && CTarvilGetNumOfSigDigits(value) == 0) {
    // Whole to fifteen digits; the nearest integer, never the value cut at
    // its point ('50.99999999999999' is 51).
    if (pValue != nullptr) *pValue = static_cast<int>(std::nearbyint(value));
    return 1;
  }
  m_eCurrentError = eErrNotAnInteger;
  m_nCursorPosition = GetLength() + 1;
  return 0;
}

int CTarvil::IsIntegerForNotation(int* pValue, eUnitTypes unit) {
  EnsureSettings();
  return IsIntegerForNotation(s_Locale.m_eActiveNotation, pValue, unit);
}

int CTarvil::IsIntegerForNotation() {
  EnsureSettings();
  return IsIntegerForNotation(s_Locale.m_eActiveNotation, nullptr, eNoUnit);
}

long CTarvil::GetIntegerForNotation(eOrvantaNotations notation, int* pValue, eUnitTypes unit) {
  if (pValue == nullptr) return E_INVALIDARG;
  *pValue = 0;
  if (!tarvil::detail::BeginTest(*this)) return E_FAIL;
  return IsIntegerForNotation(notation, pValue, unit) == 1 ? S_OK : E_INVALIDARG;
}

long CTarvil::GetIntegerForNotation(int* pValue, eUnitTypes unit) {
  EnsureSettings();
  return GetIntegerForNotation(s_Locale.m_eActiveNotation, pValue, unit);
}

// The electrical readers other than the resistance's want the unit name in
// every notation.
constexpr bool kUnitRequired = false;

int CTarvil::TestElectricalNotationString(eUnitTypes unit, eOrvantaNotations notation,
                                          eCTarvilDomain domain, double* pValue) {
  const tarvil::detail::SharedSettings settings;
  if (pValue != nullptr) *pValue = 0.0;
  NumberScan scan =
      tarvil::detail::ScanElectricalText(m_text, unit, notation, domain, kUnitRequired, settings);
  m_eCurrentError = scan.error;
  m_nCursorPosition = scan.cursor;
  if (!scan.ok) return 0;
  if (pValue != nullptr) *pValue = scan.value;
  return 1;
}
