// LocaleInternal.h: conversions of number text between the C form and the
// user's regional form, on std::string. Not installed.
#ifndef TARVIL_LOCALEINTERNAL_H
#define TARVIL_LOCALEINTERNAL_H

#include <string>

namespace tarvil::detail {

// ToUserDecimal: a C-locale number text to user form, in place: trailing
// zeros removed when suppressed (and the "." with them, which then ends the
// conversion) as long as the decimals end the text (an exponent or a unit
// after them keeps every zero), the leading "0" dropped when the
// leading-zero setting is 0, the last "." replaced by the decimal symbol.
// Unchanged without a ".". Reads the settings first if need be.
void ToUserDecimal(std::string& text);

// ToCDecimal: the last regional decimal symbol (never a byte inside a
// multibyte character) becomes ".", in place. Grouping symbols stay.
void ToCDecimal(std::string& text);

}  // namespace tarvil::detail

#endif
