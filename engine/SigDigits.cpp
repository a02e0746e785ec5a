// SigDigits.cpp: the number of decimals a value needs.
//
// The count is found by scaling: the value is brought into a range where 15
// significant digits fit, truncated there, and then shifted left one decimal
// at a time until it is whole or its fractional part is within a tolerance
// that grows tenfold with every digit (so accumulated rounding ends the
// count).
#include "SigDigits.h"

#include <cmath>

namespace {

// Exact powers of ten, 10^0 .. 10^15.
constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

constexpr int kSignificant = 15;

}  // namespace

int CTarvilGetNumOfSigDigits(double value) {
  double v = std::fabs(value);
  if (v == 0.0) return 0;
  // An infinite value has no decimals to show and would never be scaled
  // below 1; treat it like any value with too many integer digits.
  if (std::isinf(v)) return 1;

  int leadingZeros = 0;  // decimals before the first significant digit
  int integerDigits = 0;
  if (v < 0.1) {
    do {
      v *= 10.0;
      ++leadingZeros;
    } while (v < 1.0);
    integerDigits = 1;
  } else if (v > 1.0) {
    double t = v;
    do {
      t *= 0.1;
      ++integerDigits;
    } while (t > 1.0);
    if (integerDigits < kSignificant) {
      const double p = kPow10[kSignificant - integerDigits];
      v = std::floor(p * v) / p;
    }
  } else {
    const double p = kPow10[kSignificant];
    v = std::floor(p * v) / p;
  }

  const int m = kSignificant - integerDigits;
  if (m <= 1) return 1 + leadingZeros;

  int d = 1;
  int k = m - 1;
  for (;;) {
    const double whole = std::floor(v);
    if (whole == std::ceil(v)) return d + leadingZeros - 1;
    const double f = v - whole;
    const double e = 1.0 / kPow10[k];
    if (f < e || 1.0 - f < e) return d + leadingZeros - 1;
    v *= 10.0;
    ++d;
    --k;
    if (d >= m) return d + leadingZeros;
  }
}
