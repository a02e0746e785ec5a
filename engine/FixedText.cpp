// FixedText.cpp: fixed-decimal writing with a fast path for short values.
//
// When the value scaled by 10^decimals stays below 2^52, the scaled double
// is within half an ulp of the exact product, so its nearest integer is
// the correctly rounded digit string unless the fraction lies within that
// error of one half. Those few (exact ties among them) and everything long
// go to std::to_chars.
#include "FixedTextInternal.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace tarvil::detail {
namespace {

// 10^0 .. 10^15, all exact.
constexpr double kScale[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kMaxFastDecimals = 15;
constexpr double kTwoTo52 = 4503599627370496.0;

// "00" .. "99".
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the decimal digits of n, at least `minimum` of them (zeros in
// front), so that they end at `end`; returns where they begin. Room for 20
// digits before `end` is needed.
char* WriteDigitsBackward(std::uint64_t n, int minimum, char* end) {
  char* at = end;
  while (n >= 100) {
    const auto pair = static_cast<std::size_t>(n % 100) * 2;
    n /= 100;
    at -= 2;
    std::memcpy(at, kDigitPairs + pair, 2);
  }
  if (n >= 10) {
    at -= 2;
    std::memcpy(at, kDigitPairs + static_cast<std::size_t>(n) * 2, 2);
  } else {
    *--at = static_cast<char>('0' + n);
  }
  while (end - at < minimum) *--at = '0';
  return at;
}

}  // namespace

std::to_chars_result ToCharsFixed(char* first, char* last, double value, int decimals) {
  if (decimals >= 0 && decimals <= kMaxFastDecimals && std::isfinite(value)) {
    const double magnitude = std::fabs(value);
    const double scaled = magnitude * kScale[decimals];
    if (scaled < kTwoTo52) {
      const double whole = std::floor(scaled);
      const double fraction = scaled - whole;  // exact below 2^52
      // The product's rounding error is at most scaled × 2^-53; twice that
      // keeps clear of every doubtful case.
      const double doubt = scaled * 0x1p-52;
      if (std::fabs(fraction - 0.5) > doubt) {
        const auto rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1u : 0u);
        char digits[24];
        char* const digitsEnd = digits + sizeof digits;
        const char* const leading = WriteDigitsBackward(rounded, decimals + 1, digitsEnd);
        const auto count = static_cast<int>(digitsEnd - leading);
        const int integerCount = count - decimals;
        const std::ptrdiff_t needed =
            (std::signbit(value) ? 1 : 0) + count + (decimals > 0 ? 1 : 0);
        if (last - first < needed) return {last, std::errc::value_too_large};
        char* at = first;
        if (std::signbit(value)) *at++ = '-';
        std::memcpy(at, leading, static_cast<std::size_t>(integerCount));
        at += integerCount;
        if (decimals > 0) {
          *at++ = '.';
          std::memcpy(at, leading + integerCount, static_cast<std::size_t>(decimals));
          at += decimals;
        }
        return {at, std::errc()};
      }
    }
  }
  return std::to_chars(first, last, value, std::chars_format::fixed, decimals);
}

}  // namespace tarvil::detail
