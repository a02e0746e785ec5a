// NotationInternal.h: text routines of the notation writers that the
// measure writers share. Not installed.
#ifndef TARVIL_NOTATIONINTERNAL_H
#define TARVIL_NOTATIONINTERNAL_H

#include <string>

namespace tarvil::detail {

// DropNegativeZeroSign: removes a leading "-" when every following character
// is "0" or "." ('-0.000' becomes '0.000'; '-0.001' stays).
void DropNegativeZeroSign(std::string& text);

// InsertDigitGrouping: inserts the regional thousands symbol into the
// integer part of a user-form number text (split at its last regional
// decimal symbol, else at its first "E"); `value` gives the sign. Nothing
// when the grouping size is below 1.
void InsertDigitGrouping(std::string& text, double value);

}  // namespace tarvil::detail

#endif
