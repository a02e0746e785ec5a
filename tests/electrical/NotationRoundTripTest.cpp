// Writing a value without a fixed precision and reading the text back gives
// the value again, within the 15 significant digits the writer keeps, in
// every notation and with either set of regional symbols.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "NotationSettingsFixture.h"

namespace {

class NotationRoundTripTest : public NotationSettingsTest {
 protected:
  // Half a unit of the `digits`-th significant digit of `value`.
  static double HalfUnit(double value, int digits) {
    double decade = std::floor(std::log10(std::fabs(value)));
    return 0.5 * std::pow(10.0, decade - (digits - 1)) * (1 + 1e-9);
  }

  // Writes and reads every test value in `notation`; values whose decimal
  // exponent lies in [lowest, highest] keep 15 digits, the others the six
  // digits of exponent form.
  static void RoundTrip(eOrvantaNotations notation, int lowest, int highest) {
    const double mantissas[] = {1.0,        1.5,        2.2,           4.7,
                                9.99,       3.14159265358979, 1.23456789012345,
                                6.02214076, 9.87654321098765};
    for (int e = -18; e <= 18; ++e) {
      for (double m : mantissas) {
        for (double sign : {1.0, -1.0}) {
          const double value = sign * m * std::pow(10.0, e);
          CTarvil text;
          text.SetDoubleForNotation(notation, value, 0, eNoUnit);
          const std::string written(text.View());
          double read = 0.0;
          ASSERT_EQ(text.IsDoubleForNotation(notation, &read, eNoUnit), 1)
              << "notation " << notation << " wrote '" << written << "' for " << value
              << ", refused with error " << text.GetCurrentError() << " at "
              << text.GetCursorPosition();
          const int digits = (e >= lowest && e <= highest) ? 15 : 6;
          EXPECT_LE(std::fabs(read - value), HalfUnit(value, digits))
              << "notation " << notation << ": " << value << " -> '" << written << "' -> "
              << read;
        }
      }
    }
  }
};

TEST_F(NotationRoundTripTest, Engineering) { RoundTrip(eEngineering, -18, 21); }
TEST_F(NotationRoundTripTest, European) { RoundTrip(eEuropean, -18, 21); }
TEST_F(NotationRoundTripTest, Scientific) { RoundTrip(eScientific, -18, 21); }
TEST_F(NotationRoundTripTest, SI) { RoundTrip(eSI, -18, 21); }
TEST_F(NotationRoundTripTest, SPICE) { RoundTrip(eSPICE, -15, 15); }
TEST_F(NotationRoundTripTest, FullPrecision) { RoundTrip(eFullPrecision, -18, 18); }

TEST_F(NotationRoundTripTest, EveryNotationWithCommaDecimal) {
  UseCommaDecimal();
  RoundTrip(eEngineering, -18, 21);
  RoundTrip(eEuropean, -18, 21);
  RoundTrip(eScientific, -18, 21);
  RoundTrip(eSI, -18, 21);
  RoundTrip(eSPICE, -15, 15);
  RoundTrip(eFullPrecision, -18, 18);
}

TEST_F(NotationRoundTripTest, ConfiguredPrecisionRoundsToItsDecimals) {
  for (int n = eEngineering; n <= eSPICE; ++n) {
    const auto notation = static_cast<eOrvantaNotations>(n);
    CTarvil text;
    text.SetDoubleForNotation(notation, 4712.3456, 1, eNoUnit);
    double read = 0.0;
    ASSERT_EQ(text.IsDoubleForNotation(notation, &read, eNoUnit), 1) << n;
    // Four decimals of the mantissa: 4.7123k, 4.7123E3.
    EXPECT_EQ(read, 4712.3) << n;
  }
}

}  // namespace
