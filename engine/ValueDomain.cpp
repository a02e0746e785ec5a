// ValueDomain.cpp: the domain check every reader ends with: whether a value
// may be negative, zero or positive.
#include "TarvilErrors.h"

int CTarvilValueInDomain(double value, eCTarvilDomain domain, eCTarvilErr* pError) {
  eCTarvilErr reason = eErrNone;
  // Unknown domains (negative ones too) accept every value.
  switch (static_cast<unsigned int>(domain)) {
    case eDomainNegative:
      if (value == 0.0) reason = eErrZeroNotAllowed;
      else if (value > 0.0) reason = eErrPositiveNotAllowed;
      break;
    case eDomainPositive:
      if (value == 0.0) reason = eErrZeroNotAllowed;
      else if (value < 0.0) reason = eErrNegativeNotAllowed;
      break;
    case eDomainZeroOrNegative:
      if (value > 0.0) reason = eErrPositiveNotAllowed;
      break;
    case eDomainZeroOrPositive:
      if (value < 0.0) reason = eErrNegativeNotAllowed;
      break;
    case eDomainNonZero:
      if (value == 0.0) reason = eErrZeroNotAllowed;
      break;
    default:
      break;
  }
  if (reason == eErrNone) return 1;
  if (pError != nullptr) *pError = reason;
  return 0;
}
