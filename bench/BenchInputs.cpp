// BenchInputs.cpp: generators of the benchmark inputs.
#include "BenchInputs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <random>

namespace tarvil::bench {
namespace {

using Rng = std::mt19937;

int Uniform(Rng& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// A mantissa of one to four significant digits from 1 to below 1000, split
// into its integer and fraction digits ('4', '7' for 4.7).
struct Mantissa {
  std::string whole;
  std::string fraction;
};

Mantissa MakeMantissa(Rng& rng) {
  const int significant = Uniform(rng, 1, 4);
  const int wholeDigits = Uniform(rng, 1, 3);
  std::string digits(1, static_cast<char>('1' + Uniform(rng, 0, 8)));
  for (int i = 1; i < significant; ++i) digits.push_back(static_cast<char>('0' + Uniform(rng, 0, 9)));
  while (static_cast<int>(digits.size()) < wholeDigits) digits.push_back('0');
  Mantissa m;
  m.whole = digits.substr(0, wholeDigits);
  m.fraction = digits.substr(wholeDigits);
  // Trailing zeros of a fraction are not typed.
  while (!m.fraction.empty() && m.fraction.back() == '0') m.fraction.pop_back();
  return m;
}

std::string Plain(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

// Prefix groups from pico (-4) to giga (3).
const char* const kSIPrefix[] = {"p", "n", "u", "m", "", "k", "M", "G"};
const char* const kSPICEPrefix[] = {"P", "N", "U", "M", "", "K", "MEG", "G"};
const char* const kSPICEPrefixLower[] = {"p", "n", "u", "m", "", "k", "meg", "g"};

const eUnitTypes kUnits[] = {eOhms, eFarads, eHenrys, eVolts, eAmps, eWatts};

}  // namespace

std::vector<NotationText> MakeNotationTexts(int count) {
  Rng rng(20240611u);
  std::vector<NotationText> out;
  out.reserve(static_cast<std::size_t>(count));
  const eOrvantaNotations notations[] = {eSI, eSPICE, eEuropean, eEngineering};
  for (int i = 0; i < count; ++i) {
    NotationText t;
    t.notation = notations[i % 4];
    t.unit = kUnits[(i / 4) % 6];
    const Mantissa m = MakeMantissa(rng);
    // One value in five has no prefix.
    const int group = Uniform(rng, 0, 4) == 0 ? 0 : Uniform(rng, -4, 3);
    const int signChoice = Uniform(rng, 0, 9);
    const std::string sign = signChoice == 0 ? "-" : signChoice == 1 ? "+" : "";
    const std::string decimal = m.fraction.empty() ? "" : "." + m.fraction;
    switch (t.notation) {
      case eSI:
        t.text = sign + m.whole + decimal + kSIPrefix[group + 4];
        break;
      case eSPICE:
        t.text = sign + m.whole + decimal +
                 (Uniform(rng, 0, 1) ? kSPICEPrefix[group + 4] : kSPICEPrefixLower[group + 4]);
        break;
      case eEuropean:
        if (group != 0) {
          t.text = sign + m.whole + kSIPrefix[group + 4] + m.fraction;
        } else if (t.unit == eOhms && !m.fraction.empty()) {
          t.text = sign + m.whole + "R" + m.fraction;
        } else {
          t.text = sign + m.whole + decimal;
        }
        break;
      default:
        t.text = sign + m.whole + decimal;
        if (group != 0) t.text.append("E").append(std::to_string(3 * group));
        break;
    }
    // The value is the nearest double to the decimal number typed.
    std::string exact = (sign == "-" ? "-" : "") + m.whole + m.fraction;
    exact.append("e").append(std::to_string(3 * group - static_cast<int>(m.fraction.size())));
    std::from_chars(exact.data(), exact.data() + exact.size(), t.value);
    t.plain = Plain(t.value);
    out.push_back(std::move(t));
  }
  return out;
}

std::vector<NotationText> MakeSpiceTexts(int count) {
  Rng rng(20261209u);
  std::vector<NotationText> out;
  for (int i = 0; i < count; ++i) {
    const Mantissa m = MakeMantissa(rng);
    const int group = Uniform(rng, -4, 3);
    const std::string digits = m.whole + (m.fraction.empty() ? "" : "." + m.fraction);
    NotationText t{eSPICE, eNoUnit, digits, "", 0.0};
    if (i % 6 == 5) {
      t.text.append("e").append(std::to_string(3 * group));
    } else {
      t.text.append(Uniform(rng, 0, 1) ? kSPICEPrefix[group + 4] : kSPICEPrefixLower[group + 4]);
    }
    std::string exact = m.whole + m.fraction + "e" +
                        std::to_string(3 * group - static_cast<int>(m.fraction.size()));
    std::from_chars(exact.data(), exact.data() + exact.size(), t.value);
    t.plain = Plain(t.value);
    out.push_back(std::move(t));
  }
  return out;
}

std::vector<NotationText> MakeBomResistances(int count) {
  Rng rng(20261210u);
  constexpr const char* kPrefix[] = {"", "k", "MEG"};
  constexpr const char* kSpelled[] = {" ohm", " kohm", " Mohm"};
  std::vector<NotationText> out;
  for (int i = 0; i < count; ++i) {
    const Mantissa m = MakeMantissa(rng);
    const int group = Uniform(rng, 0, 2);
    NotationText t{eEuropean, eOhms, m.whole, "", 0.0};
    switch (i % 4) {
      case 0:  // '4k7', '4R7', '47k'
        t.text.append(group == 0 ? "R" : group == 1 ? "k" : "M").append(m.fraction);
        break;
      case 1:  // '4.7k', '1MEG'
        if (!m.fraction.empty()) t.text.append(".").append(m.fraction);
        t.text.append(kPrefix[group]);
        break;
      case 2:  // '10 kohm'
        if (!m.fraction.empty()) t.text.append(".").append(m.fraction);
        t.text.append(kSpelled[group]);
        break;
      default:  // '470R'
        if (!m.fraction.empty()) t.text.append(".").append(m.fraction);
        t.text.append(group == 0 ? "R" : group == 1 ? "K" : "M");
        break;
    }
    std::string exact = m.whole + m.fraction + "e" +
                        std::to_string(3 * group - static_cast<int>(m.fraction.size()));
    std::from_chars(exact.data(), exact.data() + exact.size(), t.value);
    t.plain = Plain(t.value);
    out.push_back(std::move(t));
  }
  return out;
}

namespace {

MeasureText MakeSimpleMeasure(Rng& rng, const char* const* units, int unitCount) {
  const Mantissa m = MakeMantissa(rng);
  MeasureText t;
  const std::string number = m.whole + (m.fraction.empty() ? "" : "." + m.fraction);
  const std::string blank = Uniform(rng, 0, 1) ? " " : "";
  t.text = number + blank + units[Uniform(rng, 0, unitCount - 1)];
  t.numbers.push_back(number);
  return t;
}

}  // namespace

std::vector<MeasureText> MakeLengthTexts(int count) {
  Rng rng(7u);
  const char* const units[] = {"mm", "in", "um", "th", "MM"};
  std::vector<MeasureText> out;
  for (int i = 0; i < count; ++i) out.push_back(MakeSimpleMeasure(rng, units, 5));
  return out;
}

std::vector<MeasureText> MakeTimeTexts(int count) {
  Rng rng(11u);
  const char* const units[] = {"ns", "ps", "us", "ms", "s", "fs"};
  std::vector<MeasureText> out;
  for (int i = 0; i < count; ++i) out.push_back(MakeSimpleMeasure(rng, units, 6));
  return out;
}

std::vector<MeasureText> MakeAngleTexts(int count) {
  Rng rng(13u);
  std::vector<MeasureText> out;
  for (int i = 0; i < count; ++i) {
    MeasureText t;
    const std::string degrees = std::to_string(Uniform(rng, 0, 359));
    const std::string minutes = std::to_string(Uniform(rng, 0, 59));
    t.text = (Uniform(rng, 0, 5) == 0 ? "-" : "") + degrees + "deg " + minutes + "'";
    t.numbers = {degrees, minutes};
    if (Uniform(rng, 0, 1)) {
      const std::string seconds = std::to_string(Uniform(rng, 0, 59)) + "." +
                                  std::to_string(Uniform(rng, 0, 9));
      t.text += " " + seconds + "\"";
      t.numbers.push_back(seconds);
    }
    out.push_back(std::move(t));
  }
  return out;
}

std::vector<std::string> MakeDesignators(int count) {
  Rng rng(17u);
  // Prefixes in rough proportion to a board's parts list.
  const char* const prefixes[] = {"R", "R", "R", "R", "C", "C", "C", "U", "U", "L",
                                  "D", "Q", "J", "TP", "FB", "SW", "Y", "F"};
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::string prefix = prefixes[Uniform(rng, 0, 17)];
    // Numbers of one to four digits, evenly by digit count.
    const int digits = Uniform(rng, 1, 4);
    const int lo = digits == 1 ? 1 : static_cast<int>(std::pow(10, digits - 1));
    const int hi = static_cast<int>(std::pow(10, digits)) - 1;
    std::string name = prefix + std::to_string(Uniform(rng, lo, hi));
    if (prefix == "U" && Uniform(rng, 0, 1)) name.push_back(static_cast<char>('A' + Uniform(rng, 0, 7)));
    out.push_back(std::move(name));
  }
  std::shuffle(out.begin(), out.end(), rng);
  return out;
}

}  // namespace tarvil::bench
