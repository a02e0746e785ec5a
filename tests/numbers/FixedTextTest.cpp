// Fixed-decimal writing: the short path must give std::to_chars's text.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "FixedTextInternal.h"

namespace {

std::string Ours(double value, int decimals) {
  char buf[1500];
  auto r = tarvil::detail::ToCharsFixed(buf, buf + sizeof buf, value, decimals);
  EXPECT_EQ(r.ec, std::errc());
  return std::string(buf, r.ptr);
}

std::string Standard(double value, int decimals) {
  char buf[1500];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  return std::string(buf, r.ptr);
}

// Ties in the exact binary value, values next to ties, signs, zeros, and
// values at the edge of the short path.
TEST(FixedText, EdgeValuesMatchTheStandardWriter) {
  const double values[] = {0.0,      -0.0,     0.5,      1.5,      2.5,     0.125,
                           0.375,    1.0005,   2.675,    1.005,    4.7,     -4.7,
                           -0.0004,  999.9995, 0.9999999, 1e15,    1e15 + 0.5, 4503599627370495.0,
                           4503599627370496.0, 1e22,  1e300,   5e-324,  1e-20,   123456.789,
                           std::nextafter(0.5, 0.0), std::nextafter(0.5, 1.0),
                           std::numeric_limits<double>::max()};
  for (double v : values) {
    for (int d = 0; d <= 20; ++d) EXPECT_EQ(Ours(v, d), Standard(v, d)) << v << " " << d;
  }
}

// Property: random magnitudes over the prefix range and beyond, random
// decimal counts, exact ties built from halves.
TEST(FixedText, RandomValuesMatchTheStandardWriter) {
  std::mt19937_64 rng(20261208);
  std::uniform_real_distribution<double> exponent(-20.0, 20.0);
  std::uniform_int_distribution<int> decimals(0, 17);
  for (int i = 0; i < 200000; ++i) {
    double v = std::pow(10.0, exponent(rng));
    if (i % 3 == 0) v = std::round(v * 1000.0) / 1000.0;  // typed-looking values
    if (i % 5 == 0) v = -v;
    const int d = decimals(rng);
    ASSERT_EQ(Ours(v, d), Standard(v, d)) << v << " " << d;
  }
  for (int i = 0; i < 20000; ++i) {
    const int d = decimals(rng) % 8;
    const double tie = (static_cast<double>(rng() % 100000) + 0.5) / std::pow(10.0, d);
    ASSERT_EQ(Ours(tie, d), Standard(tie, d)) << tie << " " << d;
  }
}

TEST(FixedText, ReportsARangeTooShort) {
  char buf[4];
  EXPECT_EQ(tarvil::detail::ToCharsFixed(buf, buf + sizeof buf, 12.5, 2).ec,
            std::errc::value_too_large);
  EXPECT_EQ(tarvil::detail::ToCharsFixed(buf, buf + sizeof buf, 1e300, 0).ec,
            std::errc::value_too_large);
  auto r = tarvil::detail::ToCharsFixed(buf, buf + sizeof buf, -1.5, 1);
  ASSERT_EQ(r.ec, std::errc());
  EXPECT_EQ(std::string(buf, r.ptr), "-1.5");
}

}  // namespace
