// ExactTexts.h: random number texts in each notation, each with the plain
// scientific text of the same decimal number, for checking that a reader
// gives the double nearest to what was written: the same bits as
// std::from_chars on the plain text. Shared by the suite's exactness test
// and bench/exactness (the long run on demand).
#ifndef TARVIL_TESTS_EXACTTEXTS_H
#define TARVIL_TESTS_EXACTTEXTS_H

#include <charconv>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "tarvil.h"

namespace tarvil::test {

// One prefix or exponent display of a notation and the power of ten it adds.
struct PrefixText {
  const char* text;
  int power;
};

struct ExactCase {
  std::string text;   // as a user writes it in the notation
  std::string plain;  // the same number as C-locale scientific text
};

// Texts of up to 19 significant digits, a decimal symbol anywhere (or
// none), a prefix or exponent of the notation, and an 'e' exponent in the
// notations that read one after the number.
class ExactTexts {
 public:
  ExactTexts(Notation notation, char decimal, std::uint64_t seed)
      : notation_(notation), decimal_(decimal), random_(seed) {}

  ExactCase Next() {
    const int digits = Pick(1, 19);
    std::string mantissa;
    for (int i = 0; i < digits; ++i) mantissa += static_cast<char>('0' + Pick(0, 9));
    if (mantissa[0] == '0') mantissa[0] = static_cast<char>('1' + Pick(0, 8));
    const int point = Pick(1, digits);  // digits before the decimal symbol
    PrefixText prefix = Prefix();
    int exponent = 0;
    std::string exponentText;
    // An exponent or a prefix ends the number, never both ('4.7e3k' is
    // refused).
    if (ReadsExponent() && Pick(0, 3) == 0) {
      exponent = Pick(-280, 280);
      exponentText = std::to_string(exponent);
      exponentText.insert(exponentText.begin(), 'e');
      prefix = {"", 0};
    }
    ExactCase c;
    const std::string whole = mantissa.substr(0, static_cast<std::size_t>(point));
    const std::string fraction = mantissa.substr(static_cast<std::size_t>(point));
    if (notation_ == Notation::european && prefix.text[0] != '\0') {
      // The prefix stands in the decimal symbol's place ('4k7').
      c.text = whole + prefix.text + fraction + exponentText;
    } else {
      c.text = whole;
      if (!fraction.empty()) c.text += decimal_ + fraction;
      c.text += exponentText;
      c.text += prefix.text;
    }
    const int power = prefix.power + exponent - static_cast<int>(fraction.size());
    c.plain = mantissa + "e" + std::to_string(power);
    return c;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  bool ReadsExponent() const {
    return notation_ == Notation::si || notation_ == Notation::spice ||
           notation_ == Notation::any;
  }

  PrefixText Prefix() {
    static constexpr PrefixText kExponents[] = {
        {"", 0},      {"E-18", -18}, {"E-15", -15}, {"E-12", -12}, {"E-9", -9}, {"E-6", -6},
        {"E-3", -3},  {"E3", 3},     {"E6", 6},     {"E9", 9},     {"E12", 12}, {"E15", 15},
        {"E18", 18}};
    static constexpr PrefixText kMetric[] = {
        {"", 0},   {"a", -18}, {"f", -15}, {"p", -12}, {"n", -9}, {"u", -6}, {"m", -3},
        {"k", 3},  {"M", 6},   {"G", 9},   {"T", 12}};
    static constexpr PrefixText kSpice[] = {
        {"", 0},  {"F", -15}, {"P", -12}, {"N", -9},   {"U", -6},
        {"M", -3}, {"K", 3},  {"MEG", 6}, {"G", 9},    {"T", 12}};
    switch (notation_) {
      case Notation::engineering:
      case Notation::scientific:
        return kExponents[Pick(0, std::size(kExponents) - 1)];
      case Notation::spice:
        return kSpice[Pick(0, std::size(kSpice) - 1)];
      case Notation::any:
        // Without exponent: 'a' and 'f' would be read as units or refused.
        return kMetric[Pick(2, std::size(kMetric) - 1) * (Pick(0, 4) != 0)];
      default:
        return kMetric[Pick(0, std::size(kMetric) - 1)];
    }
  }

  Notation notation_;
  char decimal_;
  std::mt19937_64 random_;
};

// The double std::from_chars reads from `plain`.
inline double PlainValue(const std::string& plain) {
  double v = 0;
  std::from_chars(plain.data(), plain.data() + plain.size(), v);
  return v;
}

// Reads `count` texts of `notation` and counts those whose value differs
// from the plain text's in any bit (a refusal counts too); `first` gets the
// first such text.
inline long CountInexact(Notation notation, char decimal, long count, std::uint64_t seed,
                         ExactCase* first = nullptr) {
  Settings settings;
  settings.decimal = decimal;
  settings.thousands = decimal == '.' ? ',' : '.';
  ExactTexts texts(notation, decimal, seed);
  long inexact = 0;
  for (long i = 0; i < count; ++i) {
    const ExactCase c = texts.Next();
    const Result<double> r = read(c.text, Quantity::number, notation, settings);
    const double expected = PlainValue(c.plain);
    if (r && std::memcmp(&r.value, &expected, sizeof expected) == 0) continue;
    if (inexact++ == 0 && first != nullptr) *first = c;
  }
  return inexact;
}

}  // namespace tarvil::test

#endif
