// TimeMeasure.cpp: times typed with an SI-prefixed unit of seconds ("ns",
// "ps", "Ms"), carried in seconds.
#include <string_view>

#include "CTarvil.h"
#include "ErrorModelInternal.h"
#include "MeasureInternal.h"
#include "UnitConversionInternal.h"

using namespace tarvil::detail;

int CTarvil::IsTimeMeasure() {
  double value = 0.0;
  eSIUnits units = kSIUnitNum;
  return IsTimeMeasure(&value, &units, eDomainAny);
}

int CTarvil::IsTimeMeasure(eSIUnits* pUnits) {
  double value = 0.0;
  return IsTimeMeasure(&value, pUnits, eDomainAny);
}

int CTarvil::IsTimeMeasure(double* pValue, eSIUnits* pUnits, eCTarvilDomain domain) {
  double scratchValue = 0.0;
  eSIUnits scratchUnits = kSIUnitNum;
  if (pValue == nullptr) pValue = &scratchValue;
  if (pUnits == nullptr) pUnits = &scratchUnits;
  *pUnits = kSIUnitNum;

  const int unit = RecognizeMeasure(*this, kLetterUnitSyntax, domain, pValue, MatchTimeUnit);
  if (unit < 0) return 0;
  *pUnits = static_cast<eSIUnits>(unit);
  return 1;
}

long CTarvil::GetSeconds(double* pSeconds) {
  if (pSeconds == nullptr) return E_INVALIDARG;
  *pSeconds = 0.0;
  if (!tarvil::detail::BeginTest(*this)) return E_FAIL;
  double value = 0.0;
  eSIUnits unit = kSIUnitNum;
  if (!IsTimeMeasure(&value, &unit, eDomainAny)) return E_INVALIDARG;
  const double seconds = ConvertSIUnits(value, unit, kSINoPrefix);
  if (!RefuseNonFinite(*this, seconds) || !RefuseUnderflow(*this, value, seconds)) return E_FAIL;
  *pSeconds = seconds;
  return S_OK;
}

CTarvil& CTarvil::SetTimeMeasure(double seconds, eSIUnits unit, int showUnit, int usePrecision) {
  EnsureSettings();
  const double value = ConvertSIUnits(seconds, kSINoPrefix, unit);
  FormatMeasureNumber(value, s_Locale.m_nTimePrecision, usePrecision, DigitGrouping::kRegional,
                      m_text);
  // The unit text is the prefix and "s", as SetSIUnit(unit, "s") writes it;
  // none for a unit outside the enumeration.
  if (showUnit == 1 && IsSIUnit(unit)) m_text += kSIUnitTexts[unit];
  return *this;
}

long CTarvil::FormatAsTimeMeasure(eSIUnits unit) { return FormatAsTimeMeasure(unit, unit); }

long CTarvil::FormatAsTimeMeasure(eSIUnits fromUnit, eSIUnits toUnit) {
  if (!tarvil::detail::BeginTest(*this)) return E_FAIL;
  double value = 0.0;
  if (!ReadPlainNumber(*this, &value)) return E_INVALIDARG;
  // A unit outside the enumeration is the caller's error: the conversion
  // reports it and yields 0, which is written as it stands.
  const double seconds = ConvertSIUnits(value, fromUnit, kSINoPrefix);
  if (!RefuseNonFinite(*this, seconds)) return E_FAIL;
  if (IsSIUnit(fromUnit) && !RefuseUnderflow(*this, value, seconds)) return E_FAIL;
  SetTimeMeasure(seconds, toUnit, 0, 1);
  return S_OK;
}

int CTarvil::InterpretAsTimeMeasure(double& seconds, eSIUnits unit, unsigned int titleId,
                                    int showError, eCTarvilDomain domain) {
  auto fail = [&]() {
    if (showError == 1) DisplayError(titleId);
    return 0;
  };

  double value = 0.0;
  double result = 0.0;
  eSIUnits parsedUnit = kSIUnitNum;
  bool unitValid = true;  // false: the caller's unit is outside the enumeration
  if (IsTimeMeasure(&value, &parsedUnit, domain)) {
    result = ConvertSIUnits(value, parsedUnit, kSINoPrefix);
  } else if (m_eCurrentError != eErrNoUnit) {
    return fail();
  } else {
    // A bare number is taken in the caller's unit.
    if (!ReadPlainNumber(*this, &value)) return fail();
    if (!CheckMeasureDomain(*this, value, domain, FirstNonBlankIndex(View()))) return fail();
    result = ConvertSIUnits(value, unit, kSINoPrefix);
    unitValid = IsSIUnit(unit);
  }
  if (!RefuseNonFinite(*this, result)) return fail();
  if (unitValid && !RefuseUnderflow(*this, value, result)) return fail();

  seconds = result;
  SetTimeMeasure(result, unit, 0, 1);
  return 1;
}
