// AngleMeasure.cpp: angles typed in degrees, minutes and seconds of arc or
// radians, possibly in several parts ('10deg 30' 15"'), carried in degrees.
// The conversion between the units is in AngleConvert.cpp.
#include <cmath>
#include <string_view>

#include "CTarvil.h"
#include "ErrorModelInternal.h"
#include "Mbc.h"
#include "MeasureInternal.h"
#include "UnitConversionInternal.h"

using namespace tarvil::platform;
using namespace tarvil::detail;

namespace {

// The single-byte classes of the multibyte runtime (_ismbcspace,
// _ismbcdigit, and _ismbcalpha or _ismbcpunct together), spelled out because
// every character of an angle text is tested with them.
// A letter (a byte of a multibyte character counts as one) or an ASCII
// punctuation character: every byte above the blank but digits and DEL.
inline bool IsLetterOrPunct(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b > 0x20 && b != 0x7F && !IsDigitByte(c);
}

// Characters of a part's number: digits, blanks, decimal points, exponent
// letters and signs.
bool IsNumberChar(char c, char decimal) {
  return IsDigitByte(c) || IsBlankByte(c) || c == '.' || c == decimal || c == 'e' || c == 'E' ||
         c == '+' || c == '-';
}

// Characters of a part's unit: letters, punctuation and blanks. A sign ends
// the unit: it begins the next part's number ('10deg -30'').
bool IsUnitChar(char c) {
  if (c == '+' || c == '-') return false;
  return IsLetterOrPunct(c) || IsBlankByte(c);
}

// Brings `degrees` into (-360, 360), or [0, 360) when `positive` is 1.
double NormaliseDegrees(double degrees, int positive) {
  if (degrees <= -360.0 || degrees >= 360.0) degrees = std::fmod(degrees, 360.0);
  if (positive == 1 && degrees < 0.0) {
    degrees += 360.0;
    // A tiny negative angle rounds to a full turn, which is 0.
    if (degrees >= 360.0) degrees = 0.0;
  }
  if (degrees == 0.0) degrees = 0.0;  // no negative zero
  return degrees;
}

}  // namespace

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
  *pUnits = kAngleUnitNum;
  m_nCursorPosition = 0;
  m_eCurrentError = eErrNone;

  const std::string_view text = View();
  const int length = static_cast<int>(text.size());
  if (length == 0) {
    m_eCurrentError = eErrEmpty;
    return 0;
  }
  m_nCursorPosition = length + 1;
  const int start = FirstNonBlankIndex(text);
  int end = length;
  while (end > start && IsBlankByte(text[end - 1])) --end;
  if (start >= end) {
    m_eCurrentError = eErrBlank;
    return 0;
  }
  const bool negative = text[start] == '-';

  EnsureSettings();
  const char decimal = s_Locale.m_cDecimal;

  // One decimal point in the whole text.
  bool pointSeen = false;
  for (int i = start; i < end; ++i) {
    if (text[i] != '.' && text[i] != decimal) continue;
    if (pointSeen) {
      m_eCurrentError = eErrTooManyDecimalPlaces;
      m_nCursorPosition = i + 1;
      return 0;
    }
    pointSeen = true;
  }

  eAngleUnits first = kAngleUnitNum;
  double total = 0.0;
  int pos = start;
  while (pos < end) {
    int numberEnd = pos;
    while (numberEnd < end && IsNumberChar(text[numberEnd], decimal)) ++numberEnd;
    if (first == kAngleUnitNum && (numberEnd == pos || numberEnd == end)) {
      m_eCurrentError = eErrNoUnit;
      m_nCursorPosition = end + 1;
      return 0;
    }
    if (numberEnd == pos) {
      // A later part that does not start with a number.
      m_eCurrentError = eErrInvalidCharacter;
      m_nCursorPosition = pos + 1;
      return 0;
    }

    CTarvil run(text.data() + pos, numberEnd - pos);
    double number = 0.0;
    if (run.GetDouble(&number) != S_OK) {
      m_eCurrentError = run.m_eCurrentError;
      m_nCursorPosition = run.m_nCursorPosition + pos;
      return 0;
    }

    if (numberEnd == end) {
      // A bare number after the last unit: fraction digits of a degree.
      double power = 1.0;
      for (int i = numberEnd - pos; i > 0 && std::isfinite(power); --i) power *= 10.0;
      const double fraction =
          ConvertAngleUnits(number * (1.0 / power), kAngleUnitNum, first);
      total = negative ? total - fraction : total + fraction;
      break;
    }

    int unitEnd = numberEnd;
    while (unitEnd < end && IsUnitChar(text[unitEnd])) ++unitEnd;
    int unitFirst = numberEnd;
    int unitLast = unitEnd;
    while (unitFirst < unitLast && IsBlankByte(text[unitFirst])) ++unitFirst;
    while (unitLast > unitFirst && IsBlankByte(text[unitLast - 1])) --unitLast;
    const int unit = MatchUnitText(text.substr(unitFirst, unitLast - unitFirst),
                                   kAngleUnitTexts, kAngleUnitNum);
    // An unknown unit, or the first part's unit again (which would leave
    // it unclear what the text means).
    if (unit < 0 || unit == first) {
      m_eCurrentError = eErrInvalidCharacter;
      m_nCursorPosition = numberEnd + 1;
      return 0;
    }

    if (first == kAngleUnitNum) {
      first = static_cast<eAngleUnits>(unit);
      *pUnits = first;
      total = number;
    } else {
      const double part = ConvertAngleUnits(number, static_cast<eAngleUnits>(unit), first);
      total = negative ? total - part : total + part;
    }
    pos = unitEnd;
  }

  if (!RefuseNonFinite(*this, total)) return 0;
  *pValue = total;
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
  *pDegrees = NormaliseDegrees(degrees, positive);
  return S_OK;
}

CTarvil& CTarvil::SetAngleMeasure(double degrees, eAngleUnits unit, int showUnit,
                                  int usePrecision) {
  EnsureSettings();
  const double value = ConvertAngleUnits(degrees, kAngleDegree, unit);
  FormatMeasureNumber(value, s_Locale.m_nAnglePrecision, usePrecision, false, m_text);
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
    result = NormaliseDegrees(result, positive);
  }
  degrees = result;
  SetAngleMeasure(result, unit, 0, 1);
  return 1;
}
