// TarvilErrors.h: the error codes of the string tests and the value domains
// that the interpret operations check.
//
// Every test of a CTarvil leaves one of these codes in the object, with the
// 1-based position of the offending character; GetErrorMessage turns the
// pair into text.
#ifndef TARVIL_TARVILERRORS_H
#define TARVIL_TARVILERRORS_H

#include "TarvilExport.h"

// Outcome of the last test. Message resource: 20000 + code, except that
// eErrEmpty uses 20002 and eErrBlank 20001.
enum eCTarvilErr : int {
  eErrNone = 0,
  eErrEmpty = 1,                 // "String is empty."
  eErrBlank = 2,                 // "String is blank."
  eErrTooManyDecimalPlaces = 3,  // "Too many decimal places."
  eErrInvalidCharacter = 4,      // "Invalid character(s) detected."
  eErrCharacterLimit = 5,        // "Character limit exceeded."
  eErrNoUnit = 6,                // "No unit detected."
  eErrTooLarge = 7,              // "Value is too large."
  eErrTooSmall = 8,              // "Value is too small."
  eErrZeroNotAllowed = 9,        // "Zero is not an allowed value."
  eErrNegativeNotAllowed = 10,   // "Negative values are not allowed."
  eErrPositiveNotAllowed = 11,   // "Positive values are not allowed."
  eErrNotAnInteger = 12,         // "Does not represent an integer value."
};

// The values an interpret operation accepts. Any value outside 0..5 accepts
// every value.
enum eCTarvilDomain : int {
  eDomainAny = 0,
  eDomainNegative = 1,        // below 0
  eDomainPositive = 2,        // above 0
  eDomainZeroOrNegative = 3,  // 0 and below
  eDomainZeroOrPositive = 4,  // 0 and above
  eDomainNonZero = 5,         // all but 0
};

// CTarvilValueInDomain: 1 when `value` lies in `domain`; otherwise stores the
// reason (eErrZeroNotAllowed, eErrNegativeNotAllowed or
// eErrPositiveNotAllowed) through `pError` (when not null) and returns 0.
// Zero is tested first, so 0 is always reported as eErrZeroNotAllowed.
TARVIL_API int CTarvilValueInDomain(double value, eCTarvilDomain domain, eCTarvilErr* pError);

#endif
