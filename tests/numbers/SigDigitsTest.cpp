// Decimals needed to write a value without loss.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "SigDigits.h"

namespace {

struct SigDigitsCase {
  double value;
  int decimals;
};

TEST(SigDigits, CountsTheDecimalsAValueNeeds) {
  const SigDigitsCase cases[] = {
      {0.0, 0},        {-0.0, 0},     {3.0, 0},           {100.0, 0},
      {1.0, 0},        {0.1, 1},      {2.25, 2},          {-2.25, 2},
      {0.5, 1},        {0.05, 2},     {0.0125, 4},        {123456.789, 3},
      {1.0 / 3.0, 15}, {12345678901234.0, 1},             {123456789012345.0, 1},
      {4700.0, 0},     {4.7, 1},      {4.7e-9, 10},
      {0.999, 3},      {99.99, 2},    {1e15, 1},          {1e300, 1},
      {2.0 / 3.0, 15}, {0.1 + 0.2, 1},     {1234.5678, 4},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CTarvilGetNumOfSigDigits(c.value), c.decimals) << "value " << c.value;
}

// Values outside the finite range must end; an infinity is treated like any
// value with too many integer digits.
TEST(SigDigits, NonFiniteValuesEnd) {
  EXPECT_EQ(CTarvilGetNumOfSigDigits(std::numeric_limits<double>::infinity()), 1);
  EXPECT_EQ(CTarvilGetNumOfSigDigits(-std::numeric_limits<double>::infinity()), 1);
  const int nan = CTarvilGetNumOfSigDigits(std::numeric_limits<double>::quiet_NaN());
  EXPECT_GE(nan, 0);
  EXPECT_LE(nan, 15);
  EXPECT_GE(CTarvilGetNumOfSigDigits(std::numeric_limits<double>::denorm_min()), 300);
  EXPECT_EQ(CTarvilGetNumOfSigDigits(std::numeric_limits<double>::max()), 1);
}

}  // namespace
