// Tests of the time members: SI-prefixed seconds read, written, snapped and
// interpreted.
#include <gtest/gtest.h>

#include <string>

#include "CTarvil.h"
#include "MeasureTestSupport.h"

using measure_test::MeasureTest;
using measure_test::Text;

namespace {

constexpr long kFail = E_FAIL;
constexpr long kInvalid = E_INVALIDARG;

using TimeMeasure = MeasureTest;

TEST_F(TimeMeasure, GetSeconds) {
  struct Row {
    const char* text;
    long status;
    double seconds;
    eCTarvilErr error;
    int cursor;
  };
  const Row rows[] = {
      {"10ns", S_OK, 1e-08, eErrNone, 5},
      {" 1.5 us ", S_OK, 1.5e-06, eErrNone, 9},
      // The prefix decides by its case; the "s" may be either.
      {"5MS", S_OK, 5000000.0, eErrNone, 4},
      {"5Ms", S_OK, 5000000.0, eErrNone, 4},
      {"5mS", S_OK, 0.005, eErrNone, 4},
      {"5ms", S_OK, 0.005, eErrNone, 4},
      {"5s", S_OK, 5.0, eErrNone, 3},
      {"5 S", S_OK, 5.0, eErrNone, 4},
      {"2es", S_OK, 2e18, eErrNone, 4},
      {"3Ks", S_OK, 3000.0, eErrNone, 4},
      {"7as", S_OK, 7e-18, eErrNone, 4},
      {"-2ps", S_OK, -2e-12, eErrNone, 5},
      {"3ks", kInvalid, 0.0, eErrInvalidCharacter, 2},
      {"3Es", kInvalid, 0.0, eErrInvalidCharacter, 2},
      {"2 sec", kInvalid, 0.0, eErrInvalidCharacter, 3},
      {"5 xy", kInvalid, 0.0, eErrInvalidCharacter, 3},
      {"5nss", kInvalid, 0.0, eErrInvalidCharacter, 2},
      {"12", kInvalid, 0.0, eErrNoUnit, 3},
      {"1.2.3ns", kInvalid, 0.0, eErrTooManyDecimalPlaces, 4},
      {"", kFail, 0.0, eErrEmpty, 0},
      {" ", kInvalid, 0.0, eErrBlank, 2},
      // Beyond the range of a double once in seconds: refused, not infinite.
      {"1e308es", kFail, 0.0, eErrTooLarge, 1},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    double seconds = 42.0;
    EXPECT_EQ(s.GetSeconds(&seconds), r.status) << r.text;
    EXPECT_EQ(seconds, r.seconds) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
    EXPECT_EQ(Text(s), r.text);
  }
  CTarvil s("1s");
  EXPECT_EQ(s.GetSeconds(nullptr), kInvalid);
}

// Number parts of any length read alike, whether they fit the reader's
// short buffer or not; a fault's cursor points into the whole text.
TEST_F(TimeMeasure, LongNumberPartsReadLikeShortOnes) {
  for (int zeros : {0, 50, 62, 63, 64, 200}) {
    const std::string number = "1" + std::string(static_cast<std::size_t>(zeros), '0');
    CTarvil s((" " + number + "e-" + std::to_string(zeros) + " ns").c_str());
    double seconds = 0.0;
    EXPECT_EQ(s.GetSeconds(&seconds), S_OK) << zeros;
    EXPECT_DOUBLE_EQ(seconds, 1e-9) << zeros;

    const std::string bad = " " + number + "x5ns";
    CTarvil t(bad.c_str());
    EXPECT_EQ(t.GetSeconds(&seconds), kInvalid) << zeros;
    EXPECT_EQ(t.GetCurrentError(), eErrInvalidCharacter) << zeros;
    EXPECT_EQ(t.GetCursorPosition(), static_cast<int>(bad.find('x')) + 1) << zeros;
    EXPECT_EQ(Text(t), bad);
  }
}

TEST_F(TimeMeasure, RecognitionReportsUnitAndDomain) {
  struct Row {
    const char* text;
    eCTarvilDomain domain;
    int result;
    eSIUnits units;
    eCTarvilErr error;
    int cursor;
  };
  const Row rows[] = {
      {"5ms", eDomainAny, 1, kSIMilli, eErrNone, 4},
      {"5 Ps", eDomainPositive, 1, kSIPeta, eErrNone, 5},
      {"-5ns", eDomainPositive, 0, kSIUnitNum, eErrNegativeNotAllowed, 1},
      {"  0 s", eDomainNonZero, 0, kSIUnitNum, eErrZeroNotAllowed, 3},
      {"1.5", eDomainAny, 0, kSIUnitNum, eErrNoUnit, 4},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    double value = 0.0;
    eSIUnits units = kSIExa;
    EXPECT_EQ(s.IsTimeMeasure(&value, &units, r.domain), r.result) << r.text;
    EXPECT_EQ(units, r.units) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
  }
  CTarvil s("4 us");
  EXPECT_EQ(s.IsTimeMeasure(), 1);
  eSIUnits units = kSIExa;
  EXPECT_EQ(s.IsTimeMeasure(&units), 1);
  EXPECT_EQ(units, kSIMicro);
}

TEST_F(TimeMeasure, SetTimeMeasure) {
  struct Row {
    double seconds;
    eSIUnits unit;
    int showUnit, usePrecision, suppress;
    const char* text;
  };
  const Row rows[] = {
      {0.000000001, kSINano, 1, 0, 1, "1ns"},
      {1.25e-8, kSINano, 1, 1, 0, "12.50ns"},
      {1.25e-8, kSINano, 1, 1, 1, "12.5ns"},
      {5.0, kSIKilo, 1, 1, 1, "0.01Ks"},
      {5.0, kSINoPrefix, 1, 1, 0, "5.00s"},
      {1.2e-9, kSIPico, 0, 1, 1, "1,200"},
      {-3e6, kSIMega, 1, 1, 1, "-3Ms"},
      {-1e-12, kSINano, 1, 1, 0, "0.00ns"},
  };
  for (const Row& r : rows) {
    Suppress(r.suppress);
    CTarvil s("old");
    s.m_nCursorPosition = 2;
    s.m_eCurrentError = eErrNoUnit;
    EXPECT_EQ(Text(s.SetTimeMeasure(r.seconds, r.unit, r.showUnit, r.usePrecision)), r.text)
        << r.text;
    EXPECT_EQ(s.GetCursorPosition(), 2);
    EXPECT_EQ(s.GetCurrentError(), eErrNoUnit);
  }
  EXPECT_TRUE(reports.empty());

  // A unit outside the table: reported, then 0 without a unit text.
  Suppress(1);
  CTarvil s("old");
  EXPECT_EQ(Text(s.SetTimeMeasure(3.0, kSIUnitNum, 1, 1)), "0");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], "SIConvert: ((toUnit >= 0) && (toUnit < kSIUnitNum))");
}

TEST_F(TimeMeasure, FormatAsTimeMeasure) {
  struct Row {
    const char* text;
    eSIUnits from, to;
    long status;
    const char* after;
    eCTarvilErr error;
    int cursor;
  };
  Suppress(0);
  const Row rows[] = {
      {"1.5", kSIMicro, kSINano, S_OK, "1,500.00", eErrNone, -1},
      {" 2 ", kSINano, kSINano, S_OK, "2.00", eErrNone, -1},
      {"abc", kSINano, kSINano, kInvalid, "abc", eErrInvalidCharacter, 1},
      {"3ns", kSINano, kSINano, kInvalid, "3ns", eErrInvalidCharacter, 2},
      {"", kSINano, kSINano, kFail, "", eErrEmpty, 0},
      {"1e300", kSIExa, kSIAtto, kFail, "1e300", eErrTooLarge, 1},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    EXPECT_EQ(s.FormatAsTimeMeasure(r.from, r.to), r.status) << r.text;
    EXPECT_EQ(Text(s), r.after) << r.text;
    EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
    if (r.cursor >= 0) {
      EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
    }
  }
  CTarvil s("4.126");
  EXPECT_EQ(s.FormatAsTimeMeasure(kSIPico), S_OK);
  EXPECT_EQ(Text(s), "4.13");
}

// A unit outside the enumeration is the caller's error: each bad unit is
// reported once, the conversion's 0 is taken as the value (not refused as
// an underflow), and the text becomes "0".
TEST_F(TimeMeasure, UnitOutsideItsEnumerationGivesZero) {
  const std::string from = "SIConvert: ((fromUnit >= 0) && (fromUnit < kSIUnitNum))";
  const std::string to = "SIConvert: ((toUnit >= 0) && (toUnit < kSIUnitNum))";
  const auto bad = [](int u) { return static_cast<eSIUnits>(u); };
  struct Row {
    eSIUnits fromUnit, toUnit;
    std::vector<std::string> reports;
  };
  const Row rows[] = {
      {bad(13), kSINano, {from}},
      {kSINano, bad(14), {to}},
      {bad(13), bad(14), {from, to}},
  };
  for (const Row& r : rows) {
    reports.clear();
    CTarvil s("5");
    EXPECT_EQ(s.FormatAsTimeMeasure(r.fromUnit, r.toUnit), S_OK);
    EXPECT_EQ(Text(s), "0");
    EXPECT_EQ(s.GetCurrentError(), eErrNone);
    EXPECT_EQ(reports, r.reports);
  }
  reports.clear();
  CTarvil s("5");
  double seconds = -1.0;
  EXPECT_EQ(s.InterpretAsTimeMeasure(seconds, bad(13), 0, 0, eDomainAny), 1);
  EXPECT_EQ(seconds, 0.0);
  EXPECT_EQ(Text(s), "0");
  EXPECT_EQ(s.GetCurrentError(), eErrNone);
  EXPECT_EQ(reports, (std::vector<std::string>{from, to}));
}

TEST_F(TimeMeasure, InterpretAsTimeMeasure) {
  struct Row {
    const char* text;
    eSIUnits unit;
    eCTarvilDomain domain;
    int result;
    double seconds;  // checked on success
    const char* after;
    eCTarvilErr error;
    int cursor;  // checked on failure
  };
  const Row rows[] = {
      {"12", kSINano, eDomainAny, 1, 1.2000000000000002e-08, "12", eErrNone, 0},
      {"1.2ns", kSIPico, eDomainAny, 1, 1.2e-09, "1,200", eErrNone, 0},
      {" 3 ms ", kSINoPrefix, eDomainPositive, 1, 0.003, "0", eErrNone, 0},
      {"abc", kSINano, eDomainAny, 0, 0.0, "abc", eErrInvalidCharacter, 1},
      {"-3", kSINano, eDomainPositive, 0, 0.0, "-3", eErrNegativeNotAllowed, 1},
      {" -3ns", kSINano, eDomainPositive, 0, 0.0, " -3ns", eErrNegativeNotAllowed, 2},
      {"5 sec", kSINano, eDomainAny, 0, 0.0, "5 sec", eErrInvalidCharacter, 3},
      {"1e300", kSIExa, eDomainAny, 0, 0.0, "1e300", eErrTooLarge, 1},
      {"", kSINano, eDomainAny, 0, 0.0, "", eErrEmpty, 0},
  };
  for (const Row& r : rows) {
    for (int showError : {0, 1}) {
      messages.clear();
      CTarvil s(r.text);
      double seconds = -1.0;
      EXPECT_EQ(s.InterpretAsTimeMeasure(seconds, r.unit, 0, showError, r.domain), r.result)
          << r.text;
      EXPECT_EQ(Text(s), r.after) << r.text;
      EXPECT_EQ(s.GetCurrentError(), r.error) << r.text;
      if (r.result == 1) {
        EXPECT_EQ(seconds, r.seconds) << r.text;
      } else {
        if (r.cursor > 0) {
          EXPECT_EQ(s.GetCursorPosition(), r.cursor) << r.text;
        }
        EXPECT_EQ(messages.size(), showError == 1 ? 1u : 0u) << r.text;
      }
    }
  }
}

// A non-zero time whose conversion to seconds underflows to 0 is refused
// ("Value is too small."), so a positive or non-zero domain never gets 0.
TEST_F(TimeMeasure, UnderflowToZeroSecondsIsRefused) {
  struct Row {
    const char* text;
    eSIUnits unit;
    eCTarvilDomain domain;
  };
  const Row rows[] = {
      {"1E-307", kSIAtto, eDomainPositive},
      {"1E-307", kSIAtto, eDomainNonZero},
      {"-1E-307", kSIAtto, eDomainNegative},
      {" 1e-307as", kSINano, eDomainAny},
  };
  for (const Row& r : rows) {
    CTarvil s(r.text);
    double seconds = -1.0;
    EXPECT_EQ(s.InterpretAsTimeMeasure(seconds, r.unit, 0, 0, r.domain), 0) << r.text;
    EXPECT_EQ(s.GetCurrentError(), eErrTooSmall) << r.text;
    EXPECT_EQ(s.GetCursorPosition(), r.text[0] == ' ' ? 2 : 1) << r.text;
    EXPECT_EQ(Text(s), r.text);
  }
  CTarvil s("1e-307as");
  double seconds = -1.0;
  EXPECT_EQ(s.GetSeconds(&seconds), E_FAIL);
  EXPECT_EQ(s.GetCurrentError(), eErrTooSmall);
  EXPECT_EQ(seconds, 0.0);
  // Zero itself stays a valid time.
  CTarvil zero("0as");
  EXPECT_EQ(zero.GetSeconds(&seconds), S_OK);
  EXPECT_EQ(seconds, 0.0);
}

}  // namespace
