// FixedTextInternal.h: a double written with a fixed number of decimals,
// as std::to_chars(fixed, precision) writes it. Not installed.
#ifndef TARVIL_FIXEDTEXTINTERNAL_H
#define TARVIL_FIXEDTEXTINTERNAL_H

#include <charconv>

namespace tarvil::detail {

// ToCharsFixed: writes `value` into [first, last) with exactly `decimals`
// (>= 0) decimals, '.' as point, '-' for a negative value (also -0),
// correctly rounded from the exact binary value — the same text as
// std::to_chars(first, last, value, std::chars_format::fixed, decimals).
// Result: the end of the text, or ec == value_too_large (contents of the
// range unspecified) when it does not fit. Ordinary values (fewer than 16
// digits in all) are written without the general algorithm.
std::to_chars_result ToCharsFixed(char* first, char* last, double value, int decimals);

}  // namespace tarvil::detail

#endif
