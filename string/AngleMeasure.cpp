// AngleMeasure.cpp: angles typed in degrees, minutes and seconds of arc or
// radians, possibly in several parts ('10deg 30' 15"'), carried in degrees.
// The conversion between the units is in AngleConvert.cpp.
#include <cmath>
#include <string_view>

#include "CTarvil.h"
#include "ErrorModelInternal.h"
#include "MeasureInternal.h"
#include "SharedSettingsInternal.h"
#include "UnitConversionInternal.h"

using namespace tarvil::detail;

int CTarvil::IsAngleMeasure() {
  double value = 0.0;
  eAngleUnits units = kAngleUnitNum;
  return IsAngleMeasure(&value, &units);
}

int CTarvil::IsAngleMeasure(eAngleUnits* pUnits) {
  double value = 0.0;
  return IsAngleMeasure(&value, pUnits);
}

int CTarvil::IsAngleMeasure(double* pValue, eAngleUnits* pUnits) {
  double scratchValue = 0.0;
  eAngleUnits scratchUnits = kAngleUnitNum;
  if (pValue == nullptr) pValue = &scratchValue;
  if (pUnits == nullptr) pUnits = &scratchUnits;
  const AngleScan scan = ScanAngleText(View(), SharedSettings());
  *pUnits = scan.unit;
  m_eCurrentError = scan.error;
  m_nCursorPosition = scan.cursor;
  if (!scan.ok) return 0;
  *pValue = scan.value;
  return 1;
}

long CTarvil::GetDegrees(double* pDegrees, int positive) {
  if (pDegrees == nullptr) return E_INVALIDARG;
  *pDegrees = 0.0;
  if (!tarvil::detail::BeginTest(*this)) return E_FAIL;
  double value = 0.0;
  eAngleUnits unit = kAngleUnitNum;
  if (!IsAngleMeasure(&value, &unit)) return E_INVALIDARG;
  const double degrees = ConvertAngleUnits(value, unit, kAngleDegree);
  if (!RefuseNonFinite(*this, degrees)) return E_FAIL;
  *pDegrees = NormaliseDegrees(degrees, positive == 1);
  return S_OK;
}

CTarvil& CTarvil::SetAngleMeasure(double degrees, eAngleUnits unit, int showUnit,
                                  int usePrecision) {
  EnsureSettings();
  const double value = ConvertAngleUnits(degrees, kAngleDegree, unit);
  FormatMeasureNumber(value, s_Locale.m_nAnglePrecision, usePrecision, DigitGrouping::kNone,
                      m_text);
  if (showUnit == 1 && unit >= 0 && unit < kAngleUnitNum) {
    m_text += ' ';
    m_text += kAngleUnitTexts[unit];
  }
  return *this;
}

int CTarvil::InterpretAsAngleMeasure(double& degrees, eAngleUnits unit, unsigned int titleId,
                                     int showError, int positive) {
  double result = 0.0;
  if (GetDegrees(&result, positive) != S_OK) {
    // A bare number is taken in the caller's unit.
    double value = 0.0;
    bool ok = m_eCurrentError == eErrNoUnit && ReadPlainNumber(*this, &value);
    if (ok) {
      result = ConvertAngleUnits(value, unit, kAngleDegree);
      ok = RefuseNonFinite(*this, result);
    }
    if (!ok) {
      if (showError == 1) DisplayError(titleId);
      return 0;
    }
    result = NormaliseDegrees(result, positive == 1);
  }
  degrees = result;
  SetAngleMeasure(result, unit, 0, 1);
  return 1;
}
