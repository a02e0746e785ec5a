// NotationWrite.cpp: the notation writer: numbers in the five notations
// ('4.7E3', '4k7', '4.7k', '4.7K'), in full precision and in plain decimal
// form.
//
// A value is written in two steps: ChooseUnitEntry picks the prefix of the
// unit's list that suits the value and scales the value to it;
// FormatNotationNumber prints the scaled value with the notation's decimals
// and the user's symbols and joins it with the prefix. Values without a
// prefix are printed "%G"-style and re-rounded. Every text is composed in a
// caller's buffer (on the stack for ordinary lengths).
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string_view>

#include <fast_float/fast_float.h>

#include "CRuntime.h"
#include "DigitCollectorInternal.h"
#include "EngineSettingsInternal.h"
#include "FixedTextInternal.h"
#include "NotationInternal.h"
#include "SigDigits.h"
#include "UnitListInternal.h"

namespace tarvil::detail {
namespace {

// Enough decimals to write any double exactly; larger precisions (only
// reachable through hand-edited settings) would add nothing but zeros.
constexpr int kMaxDecimals = 1100;

int ClampDecimals(int decimals) {
  if (decimals < 0) return 0;
  return decimals > kMaxDecimals ? kMaxDecimals : decimals;
}

// x × 10^n, with a single rounding for |n| <= 22.
double ScaleByPowerOfTen(double x, int n) {
  if (n >= -22 && n <= 22) return n >= 0 ? x * kPowersOfTen[n] : x / kPowersOfTen[-n];
  while (n > 22) {
    x *= 1e22;
    n -= 22;
  }
  while (n < -22) {
    x /= 1e22;
    n += 22;
  }
  return n >= 0 ? x * PowerOfTen(n) : x / PowerOfTen(-n);
}

// The powers of ten 10^-30 .. 10^30, each the double nearest to it: the
// decade boundaries of every prefix range with room to spare.
constexpr int kDecadeTableLow = -30;
constexpr double kDecades[] = {
    1e-30, 1e-29, 1e-28, 1e-27, 1e-26, 1e-25, 1e-24, 1e-23, 1e-22, 1e-21, 1e-20,
    1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10,
    1e-9,  1e-8,  1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,
    1e1,   1e2,   1e3,   1e4,   1e5,   1e6,   1e7,   1e8,   1e9,   1e10,
    1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,
    1e21,  1e22,  1e23,  1e24,  1e25,  1e26,  1e27,  1e28,  1e29,  1e30};

// floor(log10(m)) for a finite m > 0, up to the rounding of the power of
// ten at a decade boundary (the caller rescales and corrects by one).
int DecimalExponent(double m) {
  if (m >= kDecades[0] && m < kDecades[std::size(kDecades) - 1]) {
    // m lies in [2^b, 2^(b+1)); floor(b × log10 2), exact in this form
    // for every |b| <= 1100, is the decade of m or the one below it.
    const auto bits = std::bit_cast<std::uint64_t>(m);
    const int b = static_cast<int>((bits >> 52) & 0x7ff) - 1023;
    const int e = (b * 78913) >> 18;
    return e + (m >= kDecades[e + 1 - kDecadeTableLow] ? 1 : 0);
  }
  // Far outside every prefix range: only the order of magnitude matters.
  int e = 0;
  while (m < 1.0) {
    m *= 10.0;
    --e;
  }
  while (m >= 10.0) {
    m *= 0.1;
    ++e;
  }
  return e;
}

// True when |value| × 10^-e, rounded once, lies certainly in [1, 10 - 1e-11]:
// `magnitude` is clear of both edges of the decade by far more than the
// roundings of the scaling and of the table's powers.
bool ClearOfDecadeEdges(double magnitude, int e) {
  constexpr double kAboveDecade = 1.0 + 2e-12;
  constexpr double kBelowNextDecade = 1.0 - 2e-12;
  const int index = e - kDecadeTableLow;
  return index >= 0 && index + 1 < static_cast<int>(std::size(kDecades)) &&
         magnitude >= kDecades[index] * kAboveDecade &&
         magnitude < kDecades[index + 1] * kBelowNextDecade;
}

// Appends `value` printed with `decimals` decimals ("%.*f"); returns the
// number of decimals written (`decimals` within 0 .. kMaxDecimals).
int AppendFixed(TextBuffer& out, double value, int decimals) {
  decimals = ClampDecimals(decimals);
  const double magnitude = std::fabs(value);
  // Sign, integer digits, point, decimals.
  std::size_t room = static_cast<std::size_t>(decimals) + (magnitude < 1e17 ? 20 : 312);
  char* at = out.Grow(room);
  auto result = ToCharsFixed(at, at + room, value, decimals);
  out.Commit(result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - at) : 0);
  return decimals;
}

// Removes the zeros at the end of a text that holds a ".", and the "." too
// when no decimal remains.
void SuppressTrailingZeros(TextBuffer& text) {
  if (std::string_view(text.data(), text.size()).find('.') == std::string_view::npos) return;
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == '0') --n;
  if (n > 0 && text[n - 1] == '.') --n;
  text.truncate(n);
}

bool AllZeroDigits(std::string_view digits) {
  for (char c : digits) {
    if (c != '0' && c != '.') return false;
  }
  return true;
}

// Branch without a prefix: "%G" re-rounded to the configured precision (or
// fixed decimals in full precision), then the user's symbols.
void FormatWithoutEntry(TextBuffer& out, eOrvantaNotations notation, double value,
                        bool usePrecision, const Settings& format) {
  if (notation == eFullPrecision) {
    // Exactly the decimals the value needs: nothing to re-round.
    AppendFixed(out, value, CTarvilGetNumOfSigDigits(value));
    DropNegativeZeroSign(out);
    if (format.suppress_trailing_zeros) SuppressTrailingZeros(out);
  } else {
    char g[tarvil::platform::kFormatGMax];
    int n = tarvil::platform::FormatG(value, g);
    out.append(g, static_cast<std::size_t>(n));
    if (usePrecision) {
      ApplyNotationPrecision(out, PrecisionOf(format, notation), format);
    } else {
      // Without precision the "%G" digits are kept as they are: rounding
      // them to the decimals of the value itself (none for a value written
      // in exponent form) would keep only the first digit.
      DropNegativeZeroSign(out);
    }
  }
  if (!format.leading_zero && out.size() >= 2 && out[0] == '0' && out[1] == '.') {
    out.erase(0, 1);
  }
  if (format.decimal != '.') {
    std::size_t point = std::string_view(out.data(), out.size()).rfind('.');
    if (point != std::string_view::npos) out.data()[point] = format.decimal;
  }
  InsertDigitGrouping(out, value, format);
}

// Branch with a prefix: the scaled value with grouping, joined with the
// prefix as the notation wants it. The digits are written straight into
// `out` and edited there.
void FormatWithEntry(TextBuffer& out, eOrvantaNotations notation, double mantissa,
                     const UnitEntry& entry, bool forceTrim, bool usePrecision,
                     const Settings& format) {
  int decimals = usePrecision ? PrecisionOf(format, notation)
                                   : CTarvilGetNumOfSigDigits(mantissa);
  const std::size_t start = out.size();
  const std::size_t written = static_cast<std::size_t>(AppendFixed(out, mantissa, decimals));
  std::size_t digits = start;
  if (digits < out.size() && out[digits] == '-') {
    // A negative value whose digits round to zero is written without "-".
    if (AllZeroDigits(std::string_view(out.data() + start + 1, out.size() - start - 1))) {
      out.erase(start, 1);
    } else {
      ++digits;
    }
  }
  // The point stands before the decimals, when there are any.
  const bool hasPoint = written > 0 && out.size() > digits + written;
  std::size_t integerEnd = hasPoint ? out.size() - written - 1 : out.size();
  if (hasPoint) {
    std::size_t end = out.size();
    if (format.suppress_trailing_zeros || forceTrim) {
      while (end > integerEnd + 1 && out[end - 1] == '0') --end;
    }
    if (end == integerEnd + 1) end = integerEnd;  // no decimal left
    out.truncate(end);
  }
  const std::size_t integerDigits = integerEnd - digits;
  if (format.grouping >= 1 && integerDigits > static_cast<std::size_t>(format.grouping)) {
    TextBuffer rest;
    rest.append(out.data() + digits, out.size() - digits);
    out.truncate(digits);
    AppendGroupedDigits(out, std::string_view(rest.data(), integerDigits), format.grouping,
                        format.thousands);
    integerEnd = out.size();
    out.append(rest.data() + integerDigits, rest.size() - integerDigits);
  }
  const bool hasFraction = out.size() > integerEnd;
  const char* display = entry.display ? entry.display : "";
  if (notation == eEuropean && entry.exponent != 0 && display[0] != '\0') {
    // The prefix stands in place of the decimal point ('4k7').
    if (hasFraction) out.erase(integerEnd, 1);
    out.insert(integerEnd, display, std::strlen(display));
  } else {
    if (hasFraction) out.data()[integerEnd] = format.decimal;
    if (notation != eEuropean && entry.exponent != 0) out.append(display, std::strlen(display));
  }
  if (!format.leading_zero && out.size() >= 2 && out[0] == '0' &&
      out[1] == format.decimal) {
    out.erase(0, 1);
  }
}

void TrimBlanks(TextBuffer& text) {
  if (text.size() == 0 || (!IsBlankByte(text[0]) && !IsBlankByte(text[text.size() - 1]))) return;
  std::size_t end = text.size();
  while (end > 0 && IsBlankByte(text[end - 1])) --end;
  text.truncate(end);
  std::size_t start = 0;
  while (start < text.size() && IsBlankByte(text[start])) ++start;
  text.erase(0, start);
}

// PrefixIndexForDecade: the entry of `list` (ascending exponents) for a
// value whose leading digit stands at 10^e: the entry of exponent e, else
// the one below when e is less than 3 above it, else the one above; the
// last entry for every e from its exponent on. -1 when none.
int PrefixIndexForDecade(const UnitEntry* list, int count, int e) {
  if (e >= list[count - 1].exponent) {
    int index = count - 1;
    for (int i = 0; i < count; ++i) {
      if (list[i].exponent == e) index = i;
    }
    return index;
  }
  for (int i = 0; i < count; ++i) {
    if (list[i].exponent == e) return i;
    if (list[i].exponent < e && e < list[i + 1].exponent) {
      return (e - list[i].exponent < 3) ? i : i + 1;
    }
  }
  return -1;
}

}  // namespace

ChosenEntry ChooseUnitEntry(eUnitTypes unit, eOrvantaNotations notation, double value,
                            const COVUnitStorage& units) {
  ChosenEntry chosen{nullptr, value};
  int count = 0;
  const UnitEntry* list = units.GetUnits(unit, notation, count);
  if (value == 0.0) {
    chosen.mantissa = 0.0;
    for (int i = 0; list != nullptr && i < count; ++i) {
      if (list[i].exponent == 0) {
        chosen.entry = &list[i];
        break;
      }
    }
    return chosen;
  }
  if (!std::isfinite(value)) return chosen;
  // The decimal exponent e of the value. Its leading digits m (with a
  // single rounding) decide only near the edges of its decade: below 1
  // there, the decade below; within 1e-11 of 10, the decade above.
  const double magnitudeOfValue = std::fabs(value);
  int e = DecimalExponent(magnitudeOfValue);
  bool snapped = false;
  if (!ClearOfDecadeEdges(magnitudeOfValue, e)) {
    double m = ScaleByPowerOfTen(magnitudeOfValue, -e);
    if (m < 1.0) {
      m *= 10.0;
      --e;
    }
    if (std::fabs(m - 10.0) < 1e-11) {
      ++e;
      snapped = true;
    }
  }
  if (list == nullptr || count <= 0 || notation == eFullPrecision) return chosen;
  if (e < list[0].exponent || e > list[count - 1].exponent + 3) return chosen;
  const int index = PrefixIndexForDecade(list, count, e);
  if (index < 0) return chosen;
  chosen.entry = &list[index];
  const int shift = list[index].exponent;
  // |value| / 10^shift rounded once (m itself when shift is e).
  const double magnitude =
      snapped ? PowerOfTen(e - shift) : ScaleByPowerOfTen(magnitudeOfValue, -shift);
  chosen.mantissa = value < 0 ? -magnitude : magnitude;
  return chosen;
}

void ApplyNotationPrecision(TextBuffer& text, int decimals, const Settings& format) {
  std::string_view all(text.data(), text.size());
  std::size_t e = all.find('E');
  std::string_view mantissaPart = all.substr(0, e);
  // The exponent part is short ("E+016"); keep a copy while the text is
  // rebuilt.
  char exponentPart[16];
  std::size_t exponentLength = 0;
  if (e != std::string_view::npos) {
    exponentLength = all.size() - e;
    if (exponentLength > sizeof exponentPart) exponentLength = sizeof exponentPart;
    std::memcpy(exponentPart, all.data() + e, exponentLength);
  }
  double mantissa = 0.0;
  const char* first = mantissaPart.data();
  const char* last = first + mantissaPart.size();
  if (first != last && *first == '+') ++first;
  fast_float::from_chars(first, last, mantissa);
  text.clear();
  AppendFixed(text, mantissa, decimals);
  DropNegativeZeroSign(text);
  if (format.suppress_trailing_zeros) SuppressTrailingZeros(text);
  text.append(exponentPart, exponentLength);
}

void FormatNotationNumber(TextBuffer& out, eOrvantaNotations notation, double value,
                          double mantissa, const UnitEntry* entry, bool forceTrim,
                          bool usePrecision, const Settings& format) {
  if (entry == nullptr) {
    FormatWithoutEntry(out, notation, value, usePrecision, format);
  } else {
    FormatWithEntry(out, notation, mantissa, *entry, forceTrim, usePrecision, format);
  }
}

void JoinEuropeanUnitName(std::string& text, eUnitTypes unit, const EngineSettings& settings) {
  const std::string_view name = BaseUnitName(settings.units, unit, eEuropean);
  if (name.empty()) return;
  std::size_t point = text.rfind(settings.format.decimal);
  if (point == std::string::npos) {
    text.append(name);
  } else {
    text.replace(point, 1, name);
  }
}

// Writes `value` into `out` and reports whether the base entry was chosen.
int WriteNotationValue(TextBuffer& out, eOrvantaNotations notation, double value,
                       bool usePrecision, eUnitTypes unit, bool forceTrim,
                       const EngineSettings& settings) {
  ChosenEntry chosen = ChooseUnitEntry(unit, notation, value, settings.units);
  FormatNotationNumber(out, notation, value, chosen.mantissa, chosen.entry, forceTrim,
                       usePrecision, settings.format);
  TrimBlanks(out);
  return (chosen.entry != nullptr && chosen.entry->exponent == 0) ? 1 : 0;
}

}  // namespace tarvil::detail
