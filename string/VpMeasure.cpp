// VpMeasure.cpp: propagation velocities in inches per nanosecond, metres
// per second or percent of the speed of light, carried in metres per second.
#include "CTarvil.h"
#include "ErrorModelInternal.h"
#include "MeasureInternal.h"
#include "UnitConversionInternal.h"

using namespace tarvil::detail;

int CTarvil::IsVpMeasure() {
  double value = 0.0;
  eVpUnits units = kVpUnitNum;
  return IsVpMeasure(&value, &units, eDomainAny);
}

int CTarvil::IsVpMeasure(eVpUnits* pUnits) {
  double value = 0.0;
  return IsVpMeasure(&value, pUnits, eDomainAny);
}

int CTarvil::IsVpMeasure(double* pValue, eVpUnits* pUnits, eCTarvilDomain domain) {
  double scratchValue = 0.0;
  eVpUnits scratchUnits = kVpUnitNum;
  if (pValue == nullptr) pValue = &scratchValue;
  if (pUnits == nullptr) pUnits = &scratchUnits;
  *pUnits = kVpUnitNum;

  // The number is read under the Scientific notation ('1.5E8m/s').
  const int unit = RecognizeMeasure(*this, kVelocitySyntax, domain, pValue, [](std::string_view u) {
    return MatchUnitText(u, kVpUnitTexts, kVpUnitNum);
  });
  if (unit < 0) return 0;
  *pUnits = static_cast<eVpUnits>(unit);
  // A speed in percent of that of light lies between standing still and
  // the speed of light itself.
  constexpr double kMaxPercentOfC = 100.0;
  if (unit == kVpPercentC && (*pValue > kMaxPercentOfC || *pValue < 0.0)) {
    m_eCurrentError = *pValue > kMaxPercentOfC ? eErrTooLarge : eErrTooSmall;
    m_nCursorPosition = FirstNonBlankIndex(View()) + 1;
    return 0;
  }
  return 1;
}

long CTarvil::GetMps(double* pMps) {
  if (pMps == nullptr) return E_INVALIDARG;
  *pMps = 0.0;
  if (!tarvil::detail::BeginTest(*this)) return E_FAIL;
  double value = 0.0;
  eVpUnits unit = kVpUnitNum;
  if (!IsVpMeasure(&value, &unit, eDomainAny)) return E_INVALIDARG;
  const double mps = ConvertVpUnits(value, unit, kVpMeterPerSec);
  if (!RefuseNonFinite(*this, mps) || !RefuseUnderflow(*this, value, mps)) return E_FAIL;
  *pMps = mps;
  return S_OK;
}

CTarvil& CTarvil::SetVpMeasure(double mps, eVpUnits unit, int showUnit, int usePrecision) {
  EnsureSettings();
  const double value = ConvertVpUnits(mps, kVpMeterPerSec, unit);
  if (unit == kVpInchPerNs || unit == kVpMeterPerSec) {
    // The notation writer clears cursor and error for a value that is not
    // finite; this member leaves them alone.
    const int cursor = m_nCursorPosition;
    const eCTarvilErr error = m_eCurrentError;
    SetDoubleForNotation(eScientific, value, usePrecision, eNoUnit);
    m_nCursorPosition = cursor;
    m_eCurrentError = error;
  } else if (unit == kVpPercentC) {
    FormatMeasureNumber(value, s_Locale.m_nPercentPrecision, usePrecision, DigitGrouping::kRegional,
                        m_text);
  } else {
    return *this;
  }
  if (showUnit == 1) m_text += kVpUnitTexts[unit];
  return *this;
}

int CTarvil::InterpretAsVpMeasure(double& mps, eVpUnits unit, unsigned int titleId,
                                  int showError, eCTarvilDomain domain) {
  auto fail = [&]() {
    if (showError == 1) DisplayError(titleId);
    return 0;
  };

  double value = 0.0;
  double result = 0.0;
  eVpUnits parsedUnit = kVpUnitNum;
  if (IsVpMeasure(&value, &parsedUnit, domain)) {
    result = ConvertVpUnits(value, parsedUnit, kVpMeterPerSec);
  } else if (m_eCurrentError != eErrNoUnit) {
    return fail();
  } else {
    // A bare number is taken in the caller's unit (plain reader; no limit
    // on a percentage of c).
    if (!ReadPlainNumber(*this, &value)) return fail();
    if (!CheckMeasureDomain(*this, value, domain, FirstNonBlankIndex(View()))) return fail();
    result = ConvertVpUnits(value, unit, kVpMeterPerSec);
  }
  if (!RefuseNonFinite(*this, result) || !RefuseUnderflow(*this, value, result)) return fail();

  mps = result;
  SetVpMeasure(result, unit, 0, 1);
  return 1;
}
