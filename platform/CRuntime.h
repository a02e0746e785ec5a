// CRuntime.h: number text as the C runtime writes and reads it, in the C
// locale whatever locale the host process has set.
//
// The library never lets the process's numeric locale into its number text:
// the regional symbols come from its own settings only. These routines are
// the one place where doubles and integers meet text.
#ifndef TARVIL_CRUNTIME_H
#define TARVIL_CRUNTIME_H

#include <string>

#include "TarvilExport.h"

namespace tarvil::platform {

// While alive, the calling thread formats and reads numbers in the C locale
// (for code that must call printf-family functions directly).
class TARVIL_API CLocaleScope {
 public:
  CLocaleScope();
  ~CLocaleScope();
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  void* m_previous;
};

// Longest text FormatG can produce, terminator included.
inline constexpr int kFormatGMax = 32;

// FormatG: `value` as "%G" writes it on the desktop runtime: six significant
// digits, trailing zeros removed, exponent form with "E", a sign and at least
// three digits ('1.5E-020', '1E+016') when the exponent is below -4 or at
// least 6. NaN gives "NAN" ("-NAN"), infinities "INF" ("-INF"). Writes into
// `buf` (at least kFormatGMax bytes) and returns the length.
TARVIL_API int FormatG(double value, char* buf);

// Most decimals FormatFixed writes. The exact value of a double has at most
// 1074 decimals, so every digit that is not zero is still written.
inline constexpr int kFormatFixedMaxDecimals = 1100;

// FormatFixed: `value` as "%.*f" writes it: '.' as decimal point, exactly
// `decimals` decimals (negative counts as 0, more than
// kFormatFixedMaxDecimals as that many), correctly rounded, '-' for
// negatives (also for a negative value that rounds to zero). Appends to
// `out`. Non-finite values give "nan", "-nan", "inf", "-inf".
TARVIL_API void FormatFixed(double value, int decimals, std::string& out);

// FormatFixedTo: the same into a caller buffer of `size` bytes; returns the
// length written (without terminator), or -1 when it does not fit (nothing
// useful is then in `buf`).
TARVIL_API int FormatFixedTo(double value, int decimals, char* buf, int size);

// StrtodC: strtod in the C locale: leading white space, sign, decimal or
// hexadecimal digits, exponent, "inf"/"nan". `end` (may be null) receives
// where reading stopped. A null `text` reads nothing and gives 0.
TARVIL_API double StrtodC(const char* text, const char** end);

// AtofC: StrtodC without the end pointer.
TARVIL_API double AtofC(const char* text);

// StrtolC: strtol with the given base, clamped to the 32-bit signed range
// (never undefined on overflow). `end` may be null.
TARVIL_API long StrtolC(const char* text, const char** end, int base);

// AtoiC: atoi with its result clamped to the 32-bit signed range instead of
// overflowing: leading white space, optional sign, decimal digits.
TARVIL_API int AtoiC(const char* text);

}  // namespace tarvil::platform

#endif
