// Mbc.h: the multibyte character runtime, over UTF-8.
//
// A character code is a byte value for ASCII and a Unicode code point
// otherwise. ASCII bytes classify as in the C locale. A multi-byte UTF-8
// character (and any byte value from 0x80 up passed on its own) is one
// character: printable and a letter, never a digit, blank or punctuation.
// Searches never match in the middle of a character. Nothing here depends on
// the process's locale. Null text pointers are treated as empty texts.
#ifndef TARVIL_MBC_H
#define TARVIL_MBC_H

#include <cstddef>

#include "TarvilExport.h"

namespace tarvil::platform {

TARVIL_API int _ismbcdigit(unsigned int c);
TARVIL_API int _ismbcspace(unsigned int c);
TARVIL_API int _ismbcalpha(unsigned int c);
TARVIL_API int _ismbcprint(unsigned int c);
TARVIL_API int _ismbcpunct(unsigned int c);
TARVIL_API int _ismbclower(unsigned int c);
TARVIL_API int _ismbcupper(unsigned int c);
TARVIL_API unsigned int _mbctolower(unsigned int c);
TARVIL_API unsigned int _mbctoupper(unsigned int c);

// Byte-wise comparison: <0, 0, >0.
TARVIL_API int _mbscmp(const unsigned char* a, const unsigned char* b);
// Comparison ignoring ASCII letter case.
TARVIL_API int _mbsicmp(const unsigned char* a, const unsigned char* b);
// At most `n` bytes compared, stopping at a terminator.
TARVIL_API int _mbsnbcmp(const unsigned char* a, const unsigned char* b, std::size_t n);
TARVIL_API int _mbsnbicmp(const unsigned char* a, const unsigned char* b, std::size_t n);
// Copies at most `n` bytes of `src` (never a partial character) and pads
// with NULs up to `n`, as strncpy does; returns `dst`.
TARVIL_API unsigned char* _mbsnbcpy(unsigned char* dst, const unsigned char* src, std::size_t n);
// First / last occurrence of the character `c`, or null (also for a `c`
// that is no character: a surrogate or a value past U+10FFFF). A `c` of 0
// finds the terminator.
TARVIL_API const unsigned char* _mbschr(const unsigned char* s, unsigned int c);
TARVIL_API const unsigned char* _mbsrchr(const unsigned char* s, unsigned int c);
// First occurrence of `needle` that starts and ends at character
// boundaries of `s`, or null. An empty needle matches at `s`.
TARVIL_API const unsigned char* _mbsstr(const unsigned char* s, const unsigned char* needle);
// Number of characters.
TARVIL_API std::size_t _mbslen(const unsigned char* s);

// Bytes taken by the character that starts at `p` (1 for ASCII, for a
// terminator and for a byte that does not start a well-formed sequence:
// overlong forms, surrogates and values past U+10FFFF are single bytes).
TARVIL_API int MbcLength(const unsigned char* p);

}  // namespace tarvil::platform

#endif
