// read_part: the value fields of bills of materials as their tools export
// them, one row each with the whole Part or the refusal; and the value
// written by `write` with attributes after it, read back for random values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "tarvil.h"

namespace {

using tarvil::Error;
using tarvil::Quantity;

constexpr double kNone = -1;  // an attribute or value that is absent
constexpr Quantity R = Quantity::resistance, C = Quantity::capacitance,
                   L = Quantity::inductance, V = Quantity::voltage, P = Quantity::power;

struct Row {
  const char* text;
  Quantity quantity;
  double value = kNone;
  bool fitted = true;
  double minus = kNone, plus = kNone;
  bool relative = true;
  double voltage = kNone, current = kNone, power = kNone, ppm = kNone;
  const char* dielectric = "";
  const char* package = "";
  const char* rest = "";
  Error error = Error::none;
  int position = 0;
};

double Or(const std::optional<double>& v) { return v ? *v : kNone; }

// Reads from a heap copy of exactly the text's bytes, so that a read past
// the view is caught by AddressSanitizer; the views must lie inside it.
void Check(const Row& row, const tarvil::Settings& settings = {}) {
  SCOPED_TRACE(std::string("'") + row.text + "'");
  const std::size_t n = std::strlen(row.text);
  std::unique_ptr<char[]> copy(new char[n + 1]);
  std::memcpy(copy.get(), row.text, n + 1);
  const std::string_view text(copy.get(), n);
  const tarvil::Result<tarvil::Part> r = tarvil::read_part(text, row.quantity, settings);
  EXPECT_EQ(r.error, row.error);
  EXPECT_EQ(r.position, row.position);
  if (row.error != Error::none) return;
  const tarvil::Part& p = r.value;
  EXPECT_EQ(p.has_value, row.value != kNone);
  EXPECT_EQ(p.value, row.value == kNone ? 0.0 : row.value);
  EXPECT_EQ(p.fitted, row.fitted);
  EXPECT_EQ(p.tolerance ? p.tolerance->minus : kNone, row.minus);
  EXPECT_EQ(p.tolerance ? p.tolerance->plus : kNone, row.plus);
  if (p.tolerance) {
    EXPECT_EQ(p.tolerance->relative, row.relative);
  }
  EXPECT_EQ(Or(p.voltage), row.voltage);
  EXPECT_EQ(Or(p.current), row.current);
  EXPECT_EQ(Or(p.power), row.power);
  EXPECT_EQ(Or(p.temperature_coefficient), row.ppm);
  EXPECT_EQ(p.dielectric, row.dielectric);
  EXPECT_EQ(p.package, row.package);
  EXPECT_EQ(p.rest, row.rest);
  for (std::string_view view : {p.dielectric, p.package, p.rest}) {
    if (!view.empty()) {
      EXPECT_TRUE(view.data() >= text.data() && view.data() + view.size() <= text.data() + n);
    }
  }
}

TEST(ReadPart, FieldsAsExported) {
  const Row rows[] = {
      {.text = "10k 1%", .quantity = R, .value = 1e4, .minus = 0.01, .plus = 0.01},
      {.text = "100n 16V", .quantity = C, .value = 1e-7, .voltage = 16},
      {.text = "1k \xC2\xBCW Carbon film resistor", .quantity = R, .value = 1e3, .power = 0.25,
       .rest = "Carbon film resistor"},
      {.text = "10k/R0402", .quantity = R, .value = 1e4, .package = "0402"},
      {.text = "22uF/6.3V/20%/X5R/C0603", .quantity = C, .value = 22e-6, .minus = 0.2,
       .plus = 0.2, .voltage = 6.3, .dielectric = "X5R", .package = "0603"},
      {.text = "2k/1/8W", .quantity = R, .value = 2e3, .power = 0.125},
      {.text = "100nF_0402_16V", .quantity = C, .value = 1e-7, .voltage = 16, .package = "0402"},
      {.text = "240\xCE\xA9_0402", .quantity = R, .value = 240, .package = "0402"},
      {.text = "1uH_3.2A_2520", .quantity = L, .value = 1e-6, .current = 3.2, .rest = "2520"},
      {.text = "0805, 1uF, 10V, X5R, 20%", .quantity = C, .value = 1e-6, .minus = 0.2,
       .plus = 0.2, .voltage = 10, .dielectric = "X5R", .package = "0805"},
      {.text = "8pF; +/- 0.1 pF", .quantity = C, .value = 8e-12, .minus = 1e-13, .plus = 1e-13,
       .relative = false},
      {.text = "0.03R/1%/R1206", .quantity = R, .value = 0.03, .minus = 0.01, .plus = 0.01,
       .package = "1206"},
      {.text = "1.0uH/4.2A/DCR=35mR/20%/2.00x1.60x1.00mm", .quantity = L, .value = 1e-6,
       .minus = 0.2, .plus = 0.2, .current = 4.2, .rest = "DCR=35mR/20%/2.00x1.60x1.00mm"},
      {.text = "4,7K", .quantity = R, .value = 4700},
      {.text = "4,7uF 250V", .quantity = C, .value = 4.7e-6, .voltage = 250},
      {.text = "\xC2\xB1" "0.25pF 50V C0G", .quantity = C, .error = Error::not_a_value,
       .position = 1},
      {.text = "1pF \xC2\xB1" "0.25pF COG", .quantity = C, .value = 1e-12, .minus = 0.25e-12,
       .plus = 0.25e-12, .relative = false, .dielectric = "COG"},
      {.text = "10uF +80/-20% Y5V", .quantity = C, .value = 1e-5, .minus = 0.2, .plus = 0.8,
       .dielectric = "Y5V"},
      {.text = "4k7 \xC2\xB1" "5% 100ppm/K 250 V", .quantity = R, .value = 4700, .minus = 0.05,
       .plus = 0.05, .voltage = 250, .ppm = 100},
      {.text = "47R 5 % 50 ppm/\xC2\xB0" "C 62.5mW", .quantity = R, .value = 47, .minus = 0.05,
       .plus = 0.05, .power = 0.0625, .ppm = 50},
      {.text = "2.2uH 500mA 1/16 W", .quantity = L, .value = 2.2e-6, .current = 0.5,
       .power = 0.0625},
      {.text = "4.7 k ohm RM2.5", .quantity = R, .value = 4700, .rest = "RM2.5"},
      {.text = "1/8W", .quantity = P, .value = 0.125},
      {.text = "5V 1A", .quantity = V, .value = 5, .current = 1},
      // Not fitted: alone, in parentheses, wrapping the rest.
      {.text = "DNP", .quantity = R, .fitted = false},
      {.text = "Do Not Populate", .quantity = C, .fitted = false},
      {.text = "0805, 10k, 1/16W (DNP)", .quantity = R, .value = 1e4, .fitted = false,
       .power = 0.0625, .package = "0805"},
      {.text = "NA(10k/R0402)", .quantity = R, .value = 1e4, .fitted = false, .package = "0402"},
      {.text = "nc (not fitted)", .quantity = C, .fitted = false},
      // Bare capacitances and inductances, package codes and attributes alone.
      {.text = "10 16V", .quantity = C, .error = Error::ambiguous, .position = 3},
      {.text = "0402", .quantity = C, .error = Error::not_a_value, .position = 1},
      {.text = "2512", .quantity = R, .error = Error::not_a_value, .position = 1},
      {.text = "16V X7R", .quantity = C, .error = Error::not_a_value, .position = 1},
      {.text = "10uF 16V", .quantity = C, .value = 1e-5, .voltage = 16},
      {.text = "120R@100MHz", .quantity = L, .error = Error::invalid_character, .position = 4},
      {.text = "1% 4x7", .quantity = R, .error = Error::invalid_character, .position = 5},
      {.text = "-10k 1%", .quantity = R, .error = Error::negative_not_allowed, .position = 1},
      {.text = "1.5,5k", .quantity = R, .error = Error::too_many_decimal_places, .position = 4},
      {.text = "", .quantity = R, .error = Error::empty, .position = 0},
      {.text = " \t", .quantity = R, .error = Error::blank, .position = 3},
      {.text = "; /", .quantity = R, .error = Error::invalid_character, .position = 1},
      {.text = "1 000 1%", .quantity = R, .error = Error::invalid_character, .position = 3},
      {.text = "10 1uF", .quantity = C, .error = Error::ambiguous, .position = 3},
  };
  for (const Row& row : rows) Check(row);

  tarvil::Settings bare;
  bare.bare_capacitance = tarvil::BareUnit::uF;
  Check({.text = "0805 10 X5R", .quantity = C, .value = 1e-5, .dielectric = "X5R",
         .package = "0805"}, bare);
  Check({.text = "0,1/50V", .quantity = C, .value = 1e-7, .voltage = 50}, bare);
  EXPECT_EQ(tarvil::describe("0402", tarvil::read_part("0402", C)),
            "0402\nThe text names a package, not a value.");
  EXPECT_EQ(tarvil::describe("X7R 10", tarvil::read_part("X7R 10", C)),
            "X7R 10< >\nAmbiguous value: common readings differ."
            "\n1e-11: Settings::bare_capacitance = BareUnit::pF"
            "\n1e-05: Settings::bare_capacitance = BareUnit::uF"
            "\n1e-05: Settings::bare_inductance = BareUnit::uH"
            "\n10: Settings::bare_inductance = BareUnit::H");
}

// A value as `write` gives it in SI, with attributes after it, reads back
// to what `read` gives for the value alone, with the attributes.
TEST(ReadPart, WrittenValueWithAttributes) {
  const struct {
    Quantity quantity;
    const char* attributes;
    double tolerance;
    double voltage;
  } kinds[] = {{R, "1% 0603", 0.01, kNone},
               {C, "X7R/16V", kNone, 16},
               {L, "_20%_1210", 0.2, kNone},
               {V, ", 5 %", 0.05, kNone}};
  std::mt19937_64 random(25);
  std::uniform_real_distribution<double> exponent(-11.0, 8.0);
  for (int n = 0; n < 5000; ++n) {
    const auto& kind = kinds[random() % std::size(kinds)];
    const double v = std::pow(10.0, exponent(random));
    const std::string written = tarvil::write(v, kind.quantity, tarvil::Notation::si);
    const std::string text = written + " " + kind.attributes;
    const auto alone = tarvil::read(written, kind.quantity);
    ASSERT_TRUE(alone) << written;
    const auto r = tarvil::read_part(text, kind.quantity);
    ASSERT_TRUE(r) << text << " error " << static_cast<int>(r.error) << " at " << r.position;
    EXPECT_EQ(r.value.value, alone.value) << text;
    EXPECT_EQ(r.value.tolerance ? r.value.tolerance->plus : kNone, kind.tolerance) << text;
    EXPECT_EQ(Or(r.value.voltage), kind.voltage) << text;
    EXPECT_TRUE(r.value.rest.empty()) << text;
  }
}

// The separator rule: a ',' or '.' followed by other than three digits is
// the decimal symbol whatever the settings, so both spellings read alike
// and as the plain number, under a decimal point and a decimal comma.
TEST(ReadPart, SeparatorFollowedByOtherThanThreeDigitsIsTheDecimal) {
  tarvil::Settings point;
  tarvil::Settings comma;
  comma.decimal = ',';
  comma.thousands = '.';
  std::mt19937_64 random(27);
  constexpr const char* kPrefixes[] = {"", "k", "M", "u", "n", "p"};
  constexpr double kPowers[] = {1, 1e3, 1e6, 1e-6, 1e-9, 1e-12};
  for (int n = 0; n < 2000; ++n) {
    const std::string whole = std::to_string(random() % 1000);
    int digits = 1 + static_cast<int>(random() % 5);
    if (digits == 3) digits = 4;
    std::string fraction;
    for (int i = 0; i < digits; ++i) fraction += static_cast<char>('0' + random() % 10);
    const std::size_t k = random() % std::size(kPrefixes);
    const double expected = std::stod(whole + "." + fraction) * kPowers[k];
    for (char separator : {',', '.'}) {
      const std::string text = whole + separator + fraction + kPrefixes[k] + "ohm 1%";
      for (const tarvil::Settings& settings : {point, comma}) {
        const auto r = tarvil::read_part(text, Quantity::resistance, settings);
        ASSERT_TRUE(r) << text << " error " << static_cast<int>(r.error) << " at " << r.position;
        EXPECT_DOUBLE_EQ(r.value.value, expected) << text;
        EXPECT_EQ(r.value.value, tarvil::read(text.substr(0, text.size() - 3),
                                              Quantity::resistance, tarvil::Notation::any,
                                              settings)
                                     .value)
            << text;
      }
    }
  }
}

// Each reading of an ambiguous bare number is the value its named bare
// unit gives: readings are what the settings would pick.
TEST(ReadPart, ReadingsAreWhatTheirSettingsPick) {
  std::mt19937_64 random(28);
  using tarvil::BareUnit;
  for (int n = 0; n < 1000; ++n) {
    // Up to three digits: four may name a package (2512).
    const std::string text = std::to_string(1 + random() % 999) + " 50V";
    for (const auto& [quantity, units] :
         {std::pair{Quantity::capacitance, std::pair{BareUnit::pF, BareUnit::uF}},
          {Quantity::inductance, std::pair{BareUnit::uH, BareUnit::H}}}) {
      ASSERT_EQ(tarvil::read_part(text, quantity).error, Error::ambiguous) << text;
      const tarvil::Readings found = tarvil::readings(text, quantity);
      ASSERT_EQ(found.count, 2) << text;
      const BareUnit picks[] = {units.first, units.second};
      for (int i = 0; i < 2; ++i) {
        tarvil::Settings settings;
        (quantity == Quantity::capacitance ? settings.bare_capacitance
                                           : settings.bare_inductance) = picks[i];
        const auto picked = tarvil::read_part(text, quantity, settings);
        ASSERT_TRUE(picked) << text;
        EXPECT_EQ(found.reading[static_cast<std::size_t>(i)].value, picked.value.value) << text;
      }
    }
  }
}

}  // namespace
