// DecimalSymbolInternal.h: number text between the C form (a "." as decimal
// point) and the user's regional form, with the regional settings passed
// in. Not installed.
#ifndef TARVIL_DECIMALSYMBOLINTERNAL_H
#define TARVIL_DECIMALSYMBOLINTERNAL_H

#include <cstddef>
#include <string>

#include "TarvilSettings.h"

namespace tarvil::detail {

// ToUserDecimalInPlace: a C-form number text of `length` bytes to user
// form, in place: trailing zeros removed when suppressed (and the "." with
// them, which then ends the conversion) as long as the decimals end the
// text, the leading "0" dropped when the leading-zero setting is 0, the last
// "." replaced by the decimal symbol. Returns the new length (the text only
// shrinks). Unchanged without a ".".
std::size_t ToUserDecimalInPlace(char* text, std::size_t length, const Settings& format);

// ToCDecimalInPlace: the last regional decimal symbol that stands as a
// character of its own (never a byte inside a multibyte character) becomes
// ".". Grouping symbols stay.
void ToCDecimalInPlace(char* text, std::size_t length, const Settings& format);

// ToUserDecimal: ToUserDecimalInPlace on a string.
void ToUserDecimal(std::string& text, const Settings& format);

}  // namespace tarvil::detail

#endif
