// The reader of values in no declared notation: every reading and refusal
// of its contract's table, under the default and two continental regional
// formats, and the exact reading of what the SI writer's habits produce.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "AnyNotationInternal.h"
#include "TarvilErrors.h"

namespace {

using tarvil::detail::AnyScan;
using tarvil::detail::kErrAmbiguous;
using tarvil::detail::ScanAnyNotation;

struct AnyCase {
  const char* text;
  eUnitTypes unit;
  bool ok;
  double value;  // the value; for an ambiguous text the first reading
  int error;
  int cursor;
};

tarvil::Settings Regional(char decimal, char thousand, int grouping) {
  tarvil::Settings settings;
  settings.decimal = decimal;
  settings.thousands = thousand;
  settings.grouping = grouping;
  return settings;
}

// Reads each text from a heap copy of exactly its bytes, so that a read
// past the view is caught by AddressSanitizer.
AnyScan Scan(const char* text, eUnitTypes unit, const tarvil::Settings& locale) {
  const std::size_t n = std::strlen(text);
  std::unique_ptr<char[]> copy(new char[n]);
  std::memcpy(copy.get(), text, n);
  return ScanAnyNotation(std::string_view(copy.get(), n), unit, locale);
}

void RunCases(const tarvil::Settings& locale, std::initializer_list<AnyCase> cases) {
  for (const AnyCase& c : cases) {
    SCOPED_TRACE(std::string("'") + c.text + "' unit " + std::to_string(c.unit));
    const AnyScan s = Scan(c.text, c.unit, locale);
    EXPECT_EQ(s.ok, c.ok);
    EXPECT_EQ(s.error, c.error);
    EXPECT_EQ(s.cursor, c.cursor);
    if (c.error == kErrAmbiguous) {
      EXPECT_EQ(s.value, 0.0);
      ASSERT_EQ(s.readings, 2);
      EXPECT_EQ(s.reading[0].value, c.value);
      EXPECT_NE(s.reading[0].value, s.reading[1].value);
      EXPECT_NE(s.reading[0].picked_by, nullptr);
      EXPECT_NE(s.reading[1].picked_by, nullptr);
    } else {
      EXPECT_EQ(s.value, c.value);
      EXPECT_EQ(s.readings, 0);
    }
  }
}

constexpr int kPoint = eErrTooManyDecimalPlaces;
constexpr int kBad = eErrInvalidCharacter;
constexpr int kTwo = kErrAmbiguous;
constexpr eUnitTypes R = eOhms, C = eFarads, L = eHenrys, V = eVolts, A = eAmps, W = eWatts,
                     N = eNoUnit;

TEST(AnyNotationTest, ReadingsAndRefusals) {
  RunCases(tarvil::Settings{}, {
      // Prefix after the number or in its decimal symbol's place, units.
      {"4k7", R, true, 4700, 0, 0},
      {"4.7k", R, true, 4700, 0, 0},
      {" +4K7 ", R, true, 4700, 0, 0},
      {"4,700", R, true, 4700, 0, 0},
      {"4,7k", R, true, 4700, 0, 0},  // the separator rule
      {"3,3", R, true, 3.3, 0, 0},
      {"1,234,567.5", N, true, 1234567.5, 0, 0},
      {"4.7 kohm", R, true, 4700, 0, 0},
      {"4k7 Ohms", R, true, 4700, 0, 0},
      {"4.7 K \xCE\xA9", R, true, 4700, 0, 0},
      {"47r", R, true, 47, 0, 0},
      {"R47", R, true, 0.47, 0, 0},
      {"4R7", R, true, 4.7, 0, 0},
      {"4.7E3 ohm", R, true, 4700, 0, 0},
      {"4.7e-3", N, true, 0.0047, 0, 0},
      {"1MEG", R, true, 1e6, 0, 0},
      {"1meg ohm", R, true, 1e6, 0, 0},
      {"1M", R, true, 1e6, 0, 0},
      {"1m", R, true, 1e-3, 0, 0},
      {"1f", R, true, 1e-15, 0, 0},
      {"100nF", C, true, 1e-7, 0, 0},
      {"100 nf", C, true, 1e-7, 0, 0},
      {"0.1\xC2\xB5" "F", C, true, 1e-7, 0, 0},
      {"2\xCE\xBC" "2", C, true, 2.2e-6, 0, 0},
      {"n47", C, true, 4.7e-10, 0, 0},
      {"10pf", C, true, 1e-11, 0, 0},
      {"10fF", C, true, 1e-14, 0, 0},
      {"4f7F", C, true, 4.7e-15, 0, 0},
      {"1F", C, true, 1, 0, 0},
      {"4F7", C, true, 4.7, 0, 0},
      {"3V3", V, true, 3.3, 0, 0},
      {"-1.2 MV", V, true, -1.2e6, 0, 0},
      {"10mA", A, true, 0.01, 0, 0},
      {"2A2", A, true, 2.2, 0, 0},
      {"2aA", A, true, 2e-18, 0, 0},
      {"10uH", L, true, 1e-5, 0, 0},
      {"2 T W", W, true, 2e12, 0, 0},
      {"2a", N, true, 2e-18, 0, 0},
      {"-4k7", R, true, -4700, 0, 0},   // the domain is the caller's
      {"0P", N, true, 0, 0, 0},         // both readings are 0
      {"1e-320", N, true, 1e-320, 0, 0},
      // Refusals.
      {"", R, false, 0, eErrEmpty, 0},
      {" \t", R, false, 0, eErrBlank, 3},
      {"4.7.1", N, false, 0, kPoint, 4},
      {"4k7.1", R, false, 0, kPoint, 4},
      {"4k7k", R, false, 0, kPoint, 4},
      {"4.7e3k", N, false, 0, kPoint, 6},
      {"4k7e3", N, false, 0, kPoint, 4},
      {"4x7", R, false, 0, kBad, 2},
      {"4.7kV", R, false, 0, kBad, 5},
      {"4.7kk", R, false, 0, kBad, 5},  // a prefix after a suffix prefix
      {"3V3", R, false, 0, kBad, 2},
      {"R47", N, false, 0, kBad, 1},
      {"-", N, false, 0, kBad, 2},
      {"- 4", N, false, 0, kBad, 2},
      {"kohm", R, false, 0, kBad, 1},
      {"4 7", N, false, 0, kBad, 3},
      {"4.7E", N, false, 0, kBad, 5},   // no exa
      {"1e+x", N, false, 0, kBad, 4},
      {"1e999", N, false, 0, kBad, 6},
      {"1e-999 ", N, false, 0, kBad, 7},
      {"4R7 ohm", R, false, 0, kBad, 5},
      {"4.7kohm s", R, false, 0, kBad, 9},
      {"1Fohm", C, false, 0, kBad, 3},
      {"4,7.5", N, false, 0, kPoint, 4},  // two decimal symbols by the separator rule
      {"4,700,", N, false, 0, kPoint, 6},
      {"4k7,000", R, false, 0, kBad, 4},  // only one reading: no place
      {"1234.567,5", N, false, 0, kBad, 5},
      {"10", C, false, 1e-11, kTwo, 3},   // pF or µF
      {" 4.7 ", L, false, 4.7e-6, kTwo, 5},  // µH or H
      {"0", C, true, 0, 0, 0},
      {"1e-7", C, true, 1e-7, 0, 0},
      // Two readings.
      {"1234,567", N, false, 1234.567, kTwo, 5},
      {"1P", R, false, 1e15, kTwo, 2},
      {"4P7", C, false, 4.7e15, kTwo, 2},
      {"1F", N, false, 1e-15, kTwo, 2},
      {"4F7", R, false, 4.7e-15, kTwo, 2},
      {"10FF", C, false, 1e-14, kTwo, 3},
      {"10 f", C, false, 1e-14, kTwo, 4},
      {"4f7", C, false, 4.7e-15, kTwo, 2},
      {"2a", A, false, 2e-18, kTwo, 2},
  });
  RunCases(Regional(',', '.', 3), {
      {"4,7k", R, true, 4700, 0, 0},
      {"4.700", N, true, 4700, 0, 0},
      {"1234.567", N, false, 1234.567, kTwo, 5},
  });
  RunCases(Regional(',', ' ', 3), {
      {"1 000 000", N, true, 1e6, 0, 0},
      {"4.7 k", R, true, 4700, 0, 0},
      {"47 00", N, false, 0, kBad, 3},
  });
  RunCases(Regional('.', '\'', 0), {
      {"1'000", N, true, 1000, 0, 0},  // groups of three without a grouping
      {"1'00", N, false, 0, kBad, 2},
  });

  const AnyScan comma = ScanAnyNotation("1234,567", eNoUnit, tarvil::Settings{});
  EXPECT_EQ(comma.reading[1].value, 1234567.0);
  EXPECT_STREQ(comma.reading[0].picked_by, "a decimal comma (Settings::decimal = ',')");
  EXPECT_STREQ(comma.reading[1].picked_by, "Notation::si");
  const AnyScan bare = ScanAnyNotation("4.7", eHenrys, tarvil::Settings{});
  EXPECT_EQ(bare.reading[1].value, 4.7);
  EXPECT_STREQ(bare.reading[0].picked_by, "Settings::bare_inductance = BareUnit::uH");
  EXPECT_STREQ(bare.reading[1].picked_by, "Settings::bare_inductance = BareUnit::H");
  // A chosen unit of bare numbers, in the short pass and the long one.
  EXPECT_EQ(ScanAnyNotation("10", eFarads, tarvil::Settings{}, -6).value, 1e-5);
  EXPECT_EQ(ScanAnyNotation(" 4,7 ", eFarads, tarvil::Settings{}, -9).value, 4.7e-9);
  EXPECT_EQ(ScanAnyNotation("10", eOhms, tarvil::Settings{}, -6).value, 10.0);
}

// The separator rule under the C-like settings (decimal '.', thousands ','
// without grouping) and a decimal comma's (',' and '.' in groups of three):
// one row per text, the value or error and cursor under each.
TEST(AnyNotationTest, SeparatorRuleInBothFormats) {
  struct Outcome {
    double value;
    int error;
    int cursor;
  };
  struct Row {
    const char* text;
    Outcome c, comma;
  };
  const Row rows[] = {
      {"4,7k", {4700, 0, 0}, {4700, 0, 0}},
      {"4.7k", {4700, 0, 0}, {4700, 0, 0}},
      {"3,3", {3.3, 0, 0}, {3.3, 0, 0}},
      {"1,5", {1.5, 0, 0}, {1.5, 0, 0}},
      {"0,100", {0.1, 0, 0}, {0.1, 0, 0}},
      {"0.100", {0.1, 0, 0}, {0.1, 0, 0}},
      {"4.7u", {4.7e-6, 0, 0}, {4.7e-6, 0, 0}},
      {",5", {0.5, 0, 0}, {0.5, 0, 0}},
      {"12,3456", {12.3456, 0, 0}, {12.3456, 0, 0}},
      {"1.234,5", {1234.5, 0, 0}, {1234.5, 0, 0}},
      {"1,234.5", {1234.5, 0, 0}, {1234.5, 0, 0}},
      {"1.234.567,25", {1234567.25, 0, 0}, {1234567.25, 0, 0}},
      {"4,700", {4700, 0, 0}, {4.7, 0, 0}},  // three digits: the settings decide
      {"4.700", {4.7, 0, 0}, {4700, 0, 0}},
      {"1,234,567", {1234567, 0, 0}, {0, kPoint, 6}},
      {"1.5,5", {0, kPoint, 4}, {0, kPoint, 4}},
      {"1,5.000", {0, kPoint, 4}, {0, kPoint, 4}},
      {"1.234.5", {0, kPoint, 6}, {0, kPoint, 6}},
      {"12.34,5", {0, kPoint, 6}, {0, kPoint, 6}},
      {"1234,56.7", {0, kPoint, 8}, {0, kPoint, 8}},
  };
  const tarvil::Settings c = Regional('.', ',', 0);
  const tarvil::Settings comma = Regional(',', '.', 3);
  for (const Row& row : rows) {
    for (const auto& [locale, want] : {std::pair{&c, row.c}, std::pair{&comma, row.comma}}) {
      SCOPED_TRACE(std::string("'") + row.text + "' decimal " + locale->decimal);
      const AnyScan s = Scan(row.text, eNoUnit, *locale);
      EXPECT_EQ(s.value, want.value);
      EXPECT_EQ(s.error, want.error);
      EXPECT_EQ(s.cursor, want.cursor);
    }
  }
}

// A value written the SI way (its '%g' digits and a prefix, with the unit
// name for a quantity) reads back as the double nearest to those digits.
TEST(AnyNotationTest, SIWritingReadsBackExactly) {
  struct SIPrefix {
    const char* text;
    int exponent;
  };
  const SIPrefix prefixes[] = {{"a", -18}, {"f", -15}, {"p", -12}, {"n", -9}, {"u", -6},
                               {"\xC2\xB5", -6}, {"m", -3}, {"", 0}, {"k", 3}, {"MEG", 6},
                               {"M", 6}, {"G", 9}, {"T", 12}};
  const struct {
    eUnitTypes unit;
    const char* name;
  } units[] = {{R, "ohm"}, {C, "F"}, {L, "H"}, {V, "V"}, {A, "A"}, {W, "W"}, {N, ""}};
  std::mt19937_64 random(18);
  std::uniform_real_distribution<double> mantissa(-3.0, 3.0);
  for (int n = 0; n < 20000; ++n) {
    const double v = std::pow(10.0, mantissa(random)) * (random() % 2 ? -1 : 1);
    const int digits = 1 + static_cast<int>(random() % 17);
    const SIPrefix& prefix = prefixes[random() % std::size(prefixes)];
    const auto& unit = units[random() % std::size(units)];
    char number[64];
    std::snprintf(number, sizeof number, "%.*g", digits, v);
    if (std::strchr(number, 'e') != nullptr) continue;  // rounded up to the next power
    char scientific[80];
    std::snprintf(scientific, sizeof scientific, "%se%d", number, prefix.exponent);
    const std::string text = std::string(number) + prefix.text + unit.name;
    const AnyScan s = ScanAnyNotation(text, unit.unit, tarvil::Settings{});
    ASSERT_TRUE(s.ok) << "'" << text << "' error " << s.error << " at " << s.cursor;
    ASSERT_EQ(s.value, std::strtod(scientific, nullptr)) << "'" << text << "'";
  }
}

// The short pass of the commonest forms and the full scan (which a text
// between blanks takes) read every text alike: random texts from the
// pieces of values, prefixes, unit names and separators, on every unit.
TEST(AnyNotationTest, ShortPassAgreesWithTheFullScan) {
  static constexpr const char* kPieces[] = {
      "0", "4", "47", "100", "9999999999", ".", ",", "-", "+", " ", "e3", "k", "K", "M", "m",
      "MEG", "R", "F", "f", "u", "p", "P", "a", "n", "V", "H", "ohm", "ohms", "\xCE\xA9",
      "\xC2\xB5", "%", "x"};
  constexpr eUnitTypes kUnits[] = {eNoUnit, eOhms, eFarads, eHenrys, eVolts, eAmps, eWatts};
  std::mt19937 random(20261209u);
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    for (int n = std::uniform_int_distribution<int>(1, 5)(random); n > 0; --n) {
      text += kPieces[std::uniform_int_distribution<std::size_t>(0, std::size(kPieces) - 1)(random)];
    }
    tarvil::Settings format;
    if (i % 2 == 1) {
      format.decimal = ',';
      format.thousands = '.';
    }
    const eUnitTypes unit = kUnits[(i / 2) % std::size(kUnits)];
    const int bare = (i / 14) % 2 ? tarvil::detail::kBareAsk : -12;
    const auto s = tarvil::detail::ScanAnyNotation(text, unit, format, bare);
    const auto padded = tarvil::detail::ScanAnyNotation(" " + text, unit, format, bare);
    ASSERT_TRUE(padded.ok == s.ok && padded.error == s.error &&
                padded.cursor == (s.ok ? 0 : s.cursor + 1) &&
                std::memcmp(&padded.value, &s.value, sizeof(double)) == 0 &&
                padded.readings == s.readings)
        << "'" << text << "' unit " << unit << ": " << s.value << " (error " << s.error
        << ") against " << padded.value << " (error " << padded.error << ")";
  }
}

}  // namespace
