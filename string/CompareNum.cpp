// CompareNum.cpp: number-aware comparison of two texts.
//
// One pass from the start: the common part is skipped byte by byte; at the
// first difference the digit runs that begin there are walked together, and
// the longer run (the larger number) sorts after the other. Nothing is
// allocated and no byte past either terminator is read.
#include <cstddef>
#include <cstdint>

#include "CTarvil.h"
#include "CompareNum.h"

namespace {

// The digit class of the multibyte runtime: the ASCII digits "0" to "9"
// only; bytes of multi-byte characters are never digits.
inline bool IsDigit(unsigned char c) { return static_cast<unsigned char>(c - '0') < 10; }

// The case-insensitive byte key: ASCII lower-case letters take their
// upper-case form, every other byte stays as it is.
inline unsigned char UpperKey(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
}

inline int Sign(int d) { return d < 0 ? -1 : 1; }

template <bool kNoCase>
inline int Difference(unsigned char x, unsigned char y) {
  if constexpr (kNoCase) {
    return static_cast<int>(UpperKey(x)) - static_cast<int>(UpperKey(y));
  } else {
    return static_cast<int>(x) - static_cast<int>(y);
  }
}

// `limit` is the number of bytes that take part (SIZE_MAX: all).
template <bool kNoCase>
int CompareNumImpl(const char* a, const char* b, std::size_t limit) {
  const auto* x = reinterpret_cast<const unsigned char*>(a ? a : "");
  const auto* y = reinterpret_cast<const unsigned char*>(b ? b : "");

  std::size_t i = 0;
  int d;
  for (;; ++i) {
    if (i >= limit) return 0;
    d = Difference<kNoCase>(x[i], y[i]);
    if (d != 0) break;
    if (x[i] == 0) return 0;  // both ended (a zero difference means y[i] is 0 too)
  }

  // From the first difference on, walk the two digit runs together while
  // both go on; neither byte walked over is a terminator.
  if (IsDigit(x[i])) {
    while (IsDigit(y[i])) {
      ++i;
      if (i >= limit) return Sign(d);
      if (!IsDigit(x[i])) break;
    }
  }
  if (IsDigit(x[i])) return 1;   // a's run is longer, or b has no digit here
  if (IsDigit(y[i])) return -1;  // b's run is longer, or a has no digit here
  return Sign(d);
}

inline std::size_t LimitOf(int n) { return n < 1 ? SIZE_MAX : static_cast<std::size_t>(n); }

}  // namespace

int CTarvilCompareNum(const char* a, const char* b) { return CompareNumImpl<false>(a, b, SIZE_MAX); }

int CTarvilCompareNum(const char* a, const char* b, int n) {
  return CompareNumImpl<false>(a, b, LimitOf(n));
}

int CTarvilCompareNumNoCase(const char* a, const char* b) {
  return CompareNumImpl<true>(a, b, SIZE_MAX);
}

int CTarvilCompareNumNoCase(const char* a, const char* b, int n) {
  return CompareNumImpl<true>(a, b, LimitOf(n));
}

int CTarvilCompareNumNoCaseCase(const char* a, const char* b) {
  int r = CompareNumImpl<true>(a, b, SIZE_MAX);
  return r != 0 ? r : CompareNumImpl<false>(a, b, SIZE_MAX);
}

int CTarvilCompareNumNoCaseCase(const char* a, const char* b, int n) {
  int r = CompareNumImpl<true>(a, b, LimitOf(n));
  return r != 0 ? r : CompareNumImpl<false>(a, b, LimitOf(n));
}

// ---- Members: the object's text is the first text ------------------------

int CTarvil::CompareNum(const char* s) const { return CTarvilCompareNum(GetString(), s); }

int CTarvil::CompareNum(const char* s, int n) const { return CTarvilCompareNum(GetString(), s, n); }

int CTarvil::CompareNumNoCase(const char* s) const {
  return CTarvilCompareNumNoCase(GetString(), s);
}

int CTarvil::CompareNumNoCase(const char* s, int n) const {
  return CTarvilCompareNumNoCase(GetString(), s, n);
}

int CTarvil::CompareNumNoCaseCase(const char* s) const {
  return CTarvilCompareNumNoCaseCase(GetString(), s);
}

int CTarvil::CompareNumNoCaseCase(const char* s, int n) const {
  return CTarvilCompareNumNoCaseCase(GetString(), s, n);
}
