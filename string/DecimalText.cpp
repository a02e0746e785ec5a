// DecimalText.cpp: plain decimals in the user's regional format: test,
// read, write and interpret. They are the notation reader and writer with
// the plain decimal notation and no unit.
#include "CTarvil.h"
#include "NotationInternal.h"

int CTarvil::IsDouble() { return IsDoubleForNotation(eDecimal, nullptr, eNoUnit); }

long CTarvil::GetDouble(double* pValue) { return GetDoubleForNotation(eDecimal, pValue, eNoUnit); }

CTarvil& CTarvil::SetDouble(double value, int usePrecision) {
  return SetDoubleForNotation(eDecimal, value, usePrecision, eNoUnit);
}

int CTarvil::InterpretAsDouble(double& value, int useNotation, unsigned int nIDPrompt,
                               int showError, eCTarvilDomain domain) {
  EnsureSettings();
  // Both tests write `value` only when they accept the text.
  const int accepted = useNotation == 1 ? IsDoubleForNotation(&value, eNoUnit)
                                        : IsDoubleForNotation(eDecimal, &value, eNoUnit);
  if (accepted == 0 && showError == 1) {
    DisplayError(nIDPrompt);
    return 0;
  }
  eCTarvilErr domainError = eErrNone;
  if (domain != eDomainAny && !CTarvilValueInDomain(value, domain, &domainError)) {
    m_eCurrentError = domainError;
    m_nCursorPosition = tarvil::detail::FirstNonBlankIndex(GetString(), GetLength()) + 1;
    if (showError == 1) DisplayError(nIDPrompt);
    return 0;
  }
  if (useNotation == 1) {
    SetDoubleForNotation(value, 1, eNoUnit);
  } else {
    SetDoubleForNotation(eDecimal, value, 1, eNoUnit);
  }
  return accepted;
}
