// Tests of number text as the desktop C runtime writes and reads it.
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "CRuntime.h"
#include "TestSupport.h"

namespace {

using namespace tarvil::platform;
using tarvil::test::ExactBytes;

std::string G(double v) {
  char buf[kFormatGMax];
  int n = FormatG(v, buf);
  EXPECT_EQ(n, static_cast<int>(std::strlen(buf)));
  EXPECT_LT(n, kFormatGMax);
  return buf;
}

TEST(FormatG, SixSignificantDigitsAndThreeDigitExponent) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double v;
    const char* text;
  } cases[] = {
      {0.0, "0"},
      {-0.0, "-0"},
      {1.5e-20, "1.5E-020"},
      {1e16, "1E+016"},
      {-1e16, "-1E+016"},
      {0.5, "0.5"},
      {2.5, "2.5"},
      {1.0 / 3, "0.333333"},
      {123456, "123456"},
      {1234567, "1.23457E+006"},
      {999999, "999999"},
      {999999.5, "1E+006"},  // rounds up into exponent form
      {100000, "100000"},
      {1e6, "1E+006"},
      {0.0001, "0.0001"},
      {0.00001, "1E-005"},
      {0.000123456789, "0.000123457"},
      {1e100, "1E+100"},
      {1e-300, "1E-300"},
      {DBL_MAX, "1.79769E+308"},
      {-DBL_MAX, "-1.79769E+308"},
      {4.9406564584124654e-324, "4.94066E-324"},
      {4700, "4700"},
      {4.7e-9, "4.7E-009"},
      {inf, "INF"},
      {-inf, "-INF"},
      {nan, "NAN"},
      {-nan, "-NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(G(c.v), c.text) << c.v;
  EXPECT_EQ(FormatG(1.0, nullptr), 0);
}

std::string Fixed(double v, int decimals) {
  std::string out;
  FormatFixed(v, decimals, out);
  return out;
}

// The C library's own "%.*f", an independent exact reference.
std::string Printf(double v, int decimals) {
  std::string s(static_cast<size_t>(decimals) + 400, '\0');  // 309 digits, sign, point
  int n = std::snprintf(s.data(), s.size(), "%.*f", decimals, v);
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

TEST(FormatFixed, CorrectlyRoundedDecimals) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double v;
    int decimals;
    const char* text;
  } cases[] = {
      {2.5, 0, "2"},          // ties go to even
      {3.5, 0, "4"},
      {0.125, 2, "0.12"},
      {0.375, 2, "0.38"},
      {1.005, 2, "1.00"},     // 1.005 is just below in binary
      {2.675, 2, "2.67"},
      {0.1, 20, "0.10000000000000000555"},
      {-0.001, 2, "-0.00"},   // the sign of a negative value stays
      {-0.0, 1, "-0.0"},
      {1234.5678, 3, "1234.568"},
      {-1234.5678, 1, "-1234.6"},
      {7, -3, "7"},           // negative counts as 0
      {0.5, 0, "0"},
      {1.5, 0, "2"},
      {9.9999, 3, "10.000"},
      {1e15, 2, "1000000000000000.00"},
      {inf, 2, "inf"},
      {-inf, 2, "-inf"},
      {nan, 2, "nan"},
      {-nan, 2, "-nan"},
  };
  for (const auto& c : cases) EXPECT_EQ(Fixed(c.v, c.decimals), c.text) << c.v << " " << c.decimals;
}

TEST(FormatFixed, LargeValuesAndManyDecimalsAreComplete) {
  const struct {
    double v;
    int decimals;
  } cases[] = {{1e308, 0}, {-DBL_MAX, 3}, {DBL_MAX, 0}, {1e22, 0}, {1e23, 2},
               {4.9406564584124654e-324, 1074}, {0.1, 200}, {123.456, 60}};
  for (const auto& c : cases) {
    std::string got = Fixed(c.v, c.decimals);
    EXPECT_EQ(got, Printf(c.v, c.decimals)) << c.v << " " << c.decimals;
  }
  EXPECT_EQ(Fixed(1e308, 0).size(), 309u);
  EXPECT_EQ(Fixed(-DBL_MAX, 2).size(), 1u + 309u + 1u + 2u);
}

TEST(FormatFixed, AbsurdDecimalCountsAreCapped) {
  const std::string zeros(static_cast<size_t>(kFormatFixedMaxDecimals), '0');
  EXPECT_EQ(Fixed(0.0, kFormatFixedMaxDecimals + 1), "0." + zeros);
  EXPECT_EQ(Fixed(1.0, INT_MAX), "1." + zeros);
  EXPECT_EQ(Fixed(-2.0, 5000), "-2." + zeros);
}

TEST(FormatFixed, AppendsToTheOutput) {
  std::string out = "x=";
  FormatFixed(1.25, 1, out);
  EXPECT_EQ(out, "x=1.2");
  FormatFixed(1e300, 0, out);
  EXPECT_EQ(out.substr(0, 6), "x=1.21");
  EXPECT_EQ(out.size(), 5u + 301u);
}

TEST(FormatFixedTo, ReportsABufferTooSmall) {
  char buf[8];
  EXPECT_EQ(FormatFixedTo(3.14159, 2, buf, 5), 4);  // "3.14" and the terminator
  EXPECT_STREQ(buf, "3.14");
  EXPECT_EQ(FormatFixedTo(3.14159, 2, buf, 4), -1);
  EXPECT_EQ(FormatFixedTo(-1.0, 0, buf, 3), 2);
  EXPECT_STREQ(buf, "-1");
  EXPECT_EQ(FormatFixedTo(-1.0, 0, buf, 2), -1);
  EXPECT_EQ(FormatFixedTo(1.0, 0, buf, 0), -1);
  EXPECT_EQ(FormatFixedTo(1.0, 0, buf, -1), -1);
  EXPECT_EQ(FormatFixedTo(1.0, 0, nullptr, 8), -1);
  EXPECT_EQ(FormatFixedTo(1.0, INT_MAX, buf, 8), -1);
  EXPECT_EQ(FormatFixedTo(-std::numeric_limits<double>::infinity(), 2, buf, 4), -1);
  EXPECT_EQ(FormatFixedTo(-std::numeric_limits<double>::infinity(), 2, buf, 5), 4);
  EXPECT_STREQ(buf, "-inf");
}

struct StrtodCase {
  const char* text;
  double value;
  int stop;  // bytes read
};

TEST(StrtodC, ReadsAsTheCLocaleDoes) {
  const double inf = std::numeric_limits<double>::infinity();
  const StrtodCase cases[] = {
      {"1.5", 1.5, 3},      {"  -2.5e3x", -2500, 8}, {"1,5", 1, 1},     {"abc", 0, 0},
      {"", 0, 0},           {".5", 0.5, 2},          {"5.", 5, 2},      {"+7", 7, 2},
      {"1e400", inf, 5},    {"-1e400", -inf, 6},     {"1e-400", 0, 6},  {"inf", inf, 3},
      {"0x10", 16, 4},      {"1e", 1, 1},            {"1e+", 1, 1},     {"4.7E-9", 4.7e-9, 6},
      {"\t\n 3", 3, 4},
  };
  for (const StrtodCase& c : cases) {
    ExactBytes text(c.text);
    const char* end = nullptr;
    double v = StrtodC(text.c(), &end);
    EXPECT_EQ(v, c.value) << c.text;
    EXPECT_EQ(end - text.c(), c.stop) << c.text;
    EXPECT_EQ(AtofC(text.c()), c.value) << c.text;
  }
  const char* end = "x";
  EXPECT_EQ(StrtodC(nullptr, &end), 0.0);
  EXPECT_EQ(end, nullptr);
  EXPECT_EQ(AtofC(nullptr), 0.0);
  EXPECT_TRUE(std::isnan(StrtodC("nan", nullptr)));
}

struct StrtolCase {
  const char* text;
  int base;
  long value;
  int stop;
};

TEST(StrtolC, ClampsToThe32BitRange) {
  const StrtolCase cases[] = {
      {"2147483647", 10, INT_MAX, 10},
      {"2147483648", 10, INT_MAX, 10},
      {"-2147483648", 10, INT_MIN, 11},
      {"-2147483649", 10, INT_MIN, 11},
      {"99999999999999999999999", 10, INT_MAX, 23},
      {"-99999999999999999999999", 10, INT_MIN, 24},
      {"  42abc", 10, 42, 4},
      {"ff", 16, 255, 2},
      {"0x1A", 16, 26, 4},
      {"0x1A", 0, 26, 4},
      {"012", 0, 10, 3},
      {"012", 10, 12, 3},
      {"FFFFFFFF", 16, INT_MAX, 8},
      {"", 10, 0, 0},
      {"-", 10, 0, 0},
      {"z", 36, 35, 1},
  };
  for (const StrtolCase& c : cases) {
    ExactBytes text(c.text);
    const char* end = nullptr;
    EXPECT_EQ(StrtolC(text.c(), &end, c.base), c.value) << c.text << " base " << c.base;
    EXPECT_EQ(end - text.c(), c.stop) << c.text;
  }
  EXPECT_EQ(StrtolC(nullptr, nullptr, 10), 0);
}

TEST(AtoiC, ClampsInsteadOfOverflowing) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"0", 0},
      {"42", 42},
      {" +12x", 12},
      {"\t\n-7", -7},
      {"x1", 0},
      {"", 0},
      {"-", 0},
      {"+-1", 0},
      {"1.9", 1},
      {"1,000", 1},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},
      {"-99999999999", INT_MIN},
      {"999999999999999999999999999999999999", INT_MAX},
      {"00000000000000000000000000000012", 12},
  };
  for (const auto& c : cases) EXPECT_EQ(AtoiC(ExactBytes(c.text).c()), c.value) << c.text;
  EXPECT_EQ(AtoiC(nullptr), 0);
}

}  // namespace
