// DigitCollectorInternal.h: the second stage of the number readers of the
// engine (NotationRead.cpp, AnyNotationRead.cpp): the significant digits a
// scanner met, turned once into the double nearest to them times a power of
// ten. Lives on the caller's stack and allocates nothing. The digits that
// need more than one exact multiplication go to fast_float, which rounds
// correctly and is the same code in every build (the WebAssembly C++ library
// has no std::from_chars for double). Not installed.
#ifndef TARVIL_DIGITCOLLECTORINTERNAL_H
#define TARVIL_DIGITCOLLECTORINTERNAL_H

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include <fast_float/fast_float.h>

namespace tarvil::detail {

// Exponent magnitudes are counted up to this; anything larger is refused by
// the range checks all the same.
inline constexpr int kExponentCap = 100000000;

// Significant digits kept for the conversion; beyond them a single sticky
// digit stands for the rest, which is enough to round correctly.
inline constexpr int kMaxSignificant = 780;

inline constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The significant digits of a number and what they are worth.
class DigitCollector {
 public:
  void Add(char c) {
    if (m_count == 0 && c == '0') return;  // leading zeros carry nothing
    if (m_count < kMaxSignificant) {
      m_digits[m_count++] = c;
      if (m_count <= 19) m_small = m_small * 10 + static_cast<std::uint64_t>(c - '0');
      return;
    }
    ++m_dropped;
    if (c != '0') m_sticky = true;
  }

  // True when no non-zero digit was added: the number is 0 whatever its
  // exponent.
  bool IsZero() const { return m_count == 0; }

  // The digits × 10^exponent as the nearest double; false when that lies
  // beyond the largest double.
  bool Convert(std::int64_t exponent, double& value) {
    if (m_count == 0) {
      value = 0.0;
      return true;
    }
    exponent += m_dropped;
    if (m_count <= 19 && m_small <= (std::uint64_t{1} << 53) && exponent >= -22 &&
        exponent <= 22) {
      // Both factors are exact, so one rounding gives the nearest double.
      double d = static_cast<double>(m_small);
      value = exponent >= 0 ? d * kPowersOfTen[exponent] : d / kPowersOfTen[-exponent];
      return true;
    }
    int count = m_count;
    if (m_sticky) {
      m_digits[count++] = '1';
      exponent -= 1;
    }
    // Far beyond the range: no need to ask the converter.
    if (exponent + count > 400) return false;
    if (exponent + count < -400) {
      value = 0.0;
      return true;
    }
    char* end = m_digits + count;
    *end++ = 'e';
    auto written = std::to_chars(end, m_digits + sizeof m_digits, exponent);
    const auto result =
        fast_float::from_chars(m_digits, written.ptr, value, fast_float::chars_format::scientific);
    // Out of range, the converter gives 0 on the small side, which is the
    // value, and an infinity on the large side, which has no finite value.
    return result.ec == std::errc() && std::isfinite(value);
  }

 private:
  char m_digits[kMaxSignificant + 32];
  int m_count = 0;
  std::uint64_t m_small = 0;
  std::int64_t m_dropped = 0;
  bool m_sticky = false;
};

}  // namespace tarvil::detail

#endif
