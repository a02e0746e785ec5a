// PartRead.cpp: the reader of a part's value field (contract in
// PartReadInternal.h).
//
// One walk over the tokens. Each recogniser looks at the text from the start
// of a token and may read on past it (a '%' or a unit written apart, the
// '/K' after 'ppm'), but always to the end of a token, so that the walk
// resumes where a token begins. The value and the ratings are read by
// ScanAnyNotation on views of the text; the numbers of the other
// attributes by the shared digit collector, converted once.
#include <climits>
#include <cstdint>
#include <string_view>

#include "DigitCollectorInternal.h"
#include "PartReadInternal.h"
#include "TarvilErrors.h"
#include "TextScanInternal.h"

namespace tarvil::detail {
namespace {

// Indexes are ints, as cursors are: longer texts are refused first.
constexpr std::size_t kMaxLength = INT_MAX / 2;

// A recogniser's answer when the token is none of its kind.
constexpr int kNone = -1;

// A value or rating with its prefix and unit written apart: '4.7 k ohm'.
constexpr int kMaxValueTokens = 3;

// Digits of each part of a fraction ('1/16W'); more is no rating.
constexpr int kMaxFractionDigits = 6;

// The powers of ten of a percentage and of parts per million as read.
constexpr int kPercent = -2;

constexpr std::string_view kPackages[] = {"01005", "0201", "0402", "0603", "0805", "1206",
                                          "1210",  "1812", "2010", "2220", "2512"};
constexpr std::string_view kDielectrics[] = {"X5R", "X7R", "X6S", "X7S", "X8R", "Y5V",
                                             "Z5U", "C0G", "COG", "NP0", "NPO"};
constexpr std::string_view kNotFitted[] = {"DNP", "DNF", "DNI", "NP", "NF", "NC", "NA"};

// The vulgar fractions of power ratings, UTF-8: ¼ ½ ¾ ⅛.
struct VulgarFraction {
  std::string_view bytes;
  double value;
};
constexpr VulgarFraction kVulgarFractions[] = {
    {"\xC2\xBC", 0.25}, {"\xC2\xBD", 0.5}, {"\xC2\xBE", 0.75}, {"\xE2\x85\x9B", 0.125}};

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(static_cast<unsigned char>(a[i])) != AsciiUpper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// The text of the field and what every recogniser reads with it.
struct Field {
  std::string_view text;
  int length;
  eUnitTypes unit;
  const Settings& format;
  int bareExponent;

  // The byte at `i`; NUL past the end (a NUL of the text matches nothing
  // the recognisers look for either).
  char At(int i) const { return i >= 0 && i < length ? text[static_cast<std::size_t>(i)] : '\0'; }
  std::string_view Span(int begin, int end) const {
    return text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
  }
  std::string_view Of(PartToken t) const { return Span(t.begin, t.end); }
  int SkipBlanks(int i) const {
    while (i < length && IsBlankByte(At(i))) ++i;
    return i;
  }
};

// True when the '/' at `i` is a fraction's: digits before it, and digits,
// blanks and a 'W' after it.
bool IsFractionSlash(std::string_view text, int i) {
  const int length = static_cast<int>(text.size());
  const auto at = [&](int k) { return text[static_cast<std::size_t>(k)]; };
  if (i == 0 || !IsDigitByte(at(i - 1))) return false;
  int j = i + 1;
  if (j >= length || !IsDigitByte(at(j))) return false;
  while (j < length && IsDigitByte(at(j))) ++j;
  while (j < length && IsBlankByte(at(j))) ++j;
  return j < length && (at(j) == 'W' || at(j) == 'w');
}

// True when the ',' at `i` stands inside a number: a digit after it, and
// before it the start of a token or a digit run that is no package code.
bool IsNumberComma(std::string_view text, int i) {
  const int length = static_cast<int>(text.size());
  const auto at = [&](int k) { return text[static_cast<std::size_t>(k)]; };
  if (i + 1 >= length || !IsDigitByte(at(i + 1))) return false;
  if (i == 0 || IsBlankByte(at(i - 1))) return true;
  int k = i;
  while (k > 0 && IsDigitByte(at(k - 1))) --k;
  return k < i && PackageDigits(text.substr(static_cast<std::size_t>(k),
                                            static_cast<std::size_t>(i - k))).empty();
}

// The bytes that may separate tokens; most bytes are none, and are told so
// by one look-up.
struct SeparatorTable {
  bool maybe[256];
  constexpr SeparatorTable() : maybe{} {
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r', '/', ',', '_', ';', '(', ')'}) {
      maybe[c] = true;
    }
  }
};
constexpr SeparatorTable kSeparators;

bool IsSeparatorByte(std::string_view text, int i) {
  const char c = text[static_cast<std::size_t>(i)];
  switch (c) {
    case '/':
      if (i > 0 && text[static_cast<std::size_t>(i) - 1] == '+' &&
          static_cast<std::size_t>(i) + 1 < text.size() &&
          text[static_cast<std::size_t>(i) + 1] == '-') {
        return false;  // '+/-'
      }
      return !IsFractionSlash(text, i);
    case ',': return !IsNumberComma(text, i);
    case '_':
    case ';':
    case '(':
    case ')': return true;
    default: return IsBlankByte(c);
  }
}

// True when a token ends before the byte at `i`: a separator there.
inline bool IsSeparatorAt(std::string_view text, int i) {
  return kSeparators.maybe[static_cast<unsigned char>(text[static_cast<std::size_t>(i)])] &&
         IsSeparatorByte(text, i);
}

// True when a token ends at `i`.
bool AtTokenEnd(const Field& f, int i) { return i >= f.length || IsSeparatorAt(f.text, i); }

// The length of a '±', '+/-' or '+-' at `i`, or 0.
int PlusMinusLength(const Field& f, int i) {
  if (f.At(i) == '\xC2' && f.At(i + 1) == '\xB1') return 2;
  if (f.At(i) != '+') return 0;
  if (f.At(i + 1) == '/' && f.At(i + 2) == '-') return 3;
  return f.At(i + 1) == '-' ? 2 : 0;
}

// An unsigned number of an attribute at `i`: digits with at most one '.' or
// ',' followed by a digit, times 10^`exponent`, into `value`. Returns the
// index after it, or kNone.
int ReadAttributeNumber(const Field& f, int i, int exponent, double& value) {
  if (!IsDigitByte(f.At(i)) && !IsDigitByte(f.At(i + 1))) return kNone;
  DigitCollector digits;
  int count = 0;
  int fraction = 0;
  bool point = false;
  for (;; ++i) {
    const char c = f.At(i);
    if (IsDigitByte(c)) {
      digits.Add(c);
      ++count;
      if (point) ++fraction;
    } else if ((c == '.' || c == ',') && !point && IsDigitByte(f.At(i + 1))) {
      point = true;
    } else {
      break;
    }
  }
  if (count == 0 || !digits.Convert(exponent - fraction, value)) return kNone;
  return i;
}

// True when a '%' ends token `t` or stands after it, blanks between: the
// token may be a percentage.
bool PercentNear(const Field& f, PartToken t) {
  return f.At(t.end - 1) == '%' || f.At(f.SkipBlanks(t.end)) == '%';
}

// A percentage at `i`, blanks allowed before the '%', as a fraction.
int ReadPercent(const Field& f, int i, double& value) {
  const int after = ReadAttributeNumber(f, i, kPercent, value);
  if (after == kNone) return kNone;
  const int k = f.SkipBlanks(after);
  return f.At(k) == '%' && AtTokenEnd(f, k + 1) ? k + 1 : kNone;
}

// True when token `t` is three digits.
bool IsGroupOfThree(const Field& f, PartToken t) {
  return t.end - t.begin == 3 && IsDigitByte(f.At(t.begin)) && IsDigitByte(f.At(t.begin + 1)) &&
         IsDigitByte(f.At(t.begin + 2));
}

// The ends of the spans a value may take from token `t`: `t` alone, then
// with up to two blank-separated tokens after it that begin with no digit,
// sign or '%' (a digit only where the thousands symbol is a blank). Returns
// their count; 0 for a number followed by a blank and a group of three
// digits that the settings do not read ('1 000'), whose span is ends[0].
int SpanEnds(const Field& f, PartToken t, int (&ends)[kMaxValueTokens]) {
  ends[0] = t.end;
  int count = 1;
  const bool blankGroups = IsBlankByte(f.format.thousands);
  for (PartToken last = t; count < kMaxValueTokens;) {
    const PartToken next = NextPartToken(f.text, last.end);
    if (next.begin >= f.length || f.SkipBlanks(last.end) != next.begin || next.begin == last.end) {
      break;
    }
    const char c = f.At(next.begin);
    if (!blankGroups && count == 1 && IsDigitByte(f.At(t.end - 1)) && IsGroupOfThree(f, next)) {
      ends[0] = next.end;
      return 0;
    }
    if ((IsDigitByte(c) && !blankGroups) || c == '+' || c == '-' || c == '%') break;
    ends[count++] = next.end;
    last = next;
  }
  return count;
}

// The value of `unit` in the longest of the spans `ends` (SpanEnds) from
// token `t` that reads, into `scan`, and its end; else kNone with `scan`
// holding the refusal of `t` alone (of `t` with its group of three digits:
// '1 000'), its cursor in the field.
int ReadSpans(const Field& f, PartToken t, const int (&ends)[kMaxValueTokens], int count,
              eUnitTypes unit, AnyScan& scan) {
  if (count == 0) {
    // '1 000': a number in blank-separated groups, which these settings do
    // not read; refused as a whole rather than read as its first group.
    scan = ScanAnyNotation(f.Span(t.begin, ends[0]), unit, f.format, f.bareExponent);
    if (scan.cursor > 0) scan.cursor += t.begin;
    return kNone;
  }
  for (int k = count - 1; k >= 0; --k) {
    scan = ScanAnyNotation(f.Span(t.begin, ends[k]), unit, f.format, f.bareExponent);
    if (scan.ok) return ends[k];
  }
  if (scan.cursor > 0) scan.cursor += t.begin;
  return kNone;
}

int ReadValueSpan(const Field& f, PartToken t, eUnitTypes unit, AnyScan& scan) {
  int ends[kMaxValueTokens];
  const int count = SpanEnds(f, t, ends);
  return ReadSpans(f, t, ends, count, unit, scan);
}

// A tolerance at token `t` into `out`: relative, absolute after a '±', or
// asymmetric ('+80/-20%'). Returns the end of what it read, or kNone.
int ReadTolerance(const Field& f, PartToken t, PartScan& out) {
  double plus = 0;
  double minus = 0;
  const int sign = PlusMinusLength(f, t.begin);
  if (sign > 0) {
    const int i = f.SkipBlanks(t.begin + sign);
    int end = ReadPercent(f, i, plus);
    if (end != kNone) {
      out.tolerance = PartScan::Tolerance{plus, plus, true};
      return end;
    }
    const PartToken inner = i < t.end ? PartToken{i, t.end} : NextPartToken(f.text, i);
    if (inner.begin != i || i >= f.length) return kNone;
    AnyScan scan;
    end = ReadValueSpan(f, inner, f.unit, scan);
    if (end == kNone || scan.value < 0) return kNone;
    out.tolerance = PartScan::Tolerance{scan.value, scan.value, false};
    return end;
  }
  const char first = f.At(t.begin);
  if (first != '+' && first != '-') {
    const int end = ReadPercent(f, t.begin, plus);
    if (end != kNone) out.tolerance = PartScan::Tolerance{plus, plus, true};
    return end;
  }
  // '+80/-20%', '+80%/-20%' or the other way round.
  const char second = first == '+' ? '-' : '+';
  int i = ReadAttributeNumber(f, t.begin + 1, kPercent, first == '+' ? plus : minus);
  if (i == kNone) return kNone;
  if (f.At(i) == '%') ++i;
  if (f.At(i) != '/' || f.At(i + 1) != second) return kNone;
  const int end = ReadPercent(f, i + 2, first == '+' ? minus : plus);
  if (end != kNone) out.tolerance = PartScan::Tolerance{minus, plus, true};
  return end;
}

// A power written as a fraction at token `t` ('1/8W', '1/16 W', '¼W') into
// `watts`. Returns the end, or kNone.
int ReadFractionWatts(const Field& f, PartToken t, double& watts) {
  int i = t.begin;
  double value = 0;
  bool found = false;
  for (const VulgarFraction& v : kVulgarFractions) {
    if (f.Span(i, f.length).starts_with(v.bytes)) {
      value = v.value;
      i += static_cast<int>(v.bytes.size());
      found = true;
      break;
    }
  }
  if (!found) {
    long long parts[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
      if (k == 1 && f.At(i++) != '/') return kNone;
      const int start = i;
      for (; IsDigitByte(f.At(i)) && i - start < kMaxFractionDigits; ++i) {
        parts[k] = parts[k] * 10 + (f.At(i) - '0');
      }
      if (i == start || IsDigitByte(f.At(i))) return kNone;
    }
    if (parts[1] == 0) return kNone;
    value = static_cast<double>(parts[0]) / static_cast<double>(parts[1]);
  }
  i = f.SkipBlanks(i);
  if ((f.At(i) != 'W' && f.At(i) != 'w') || !AtTokenEnd(f, i + 1)) return kNone;
  watts = value;
  return i + 1;
}

// Which of the letters V, A and W (either case) `span` holds: bits 0, 1, 2.
int UnitLetters(std::string_view span) {
  int found = 0;
  for (char c : span) {
    const int upper = AsciiUpper(static_cast<unsigned char>(c));
    found |= upper == 'V' ? 1 : upper == 'A' ? 2 : upper == 'W' ? 4 : 0;
  }
  return found;
}

// A rating at token `t`: a voltage, current or power with its unit,
// unsigned, the unit perhaps written apart ('250 V'); into `out`, or as the
// value when it is one of `f.unit` and there is none yet.
int ReadRating(const Field& f, PartToken t, PartScan& out) {
  // Unsigned, and a number first: words are no ratings.
  const char first = f.At(t.begin);
  if (!IsDigitByte(first) && first != '.' && static_cast<unsigned char>(first) < 0x80) {
    return kNone;
  }
  double value = 0;
  eUnitTypes unit = eWatts;
  int end = ReadFractionWatts(f, t, value);
  if (end == kNone) {
    AnyScan scan;
    int ends[kMaxValueTokens];
    const int count = SpanEnds(f, t, ends);
    constexpr eUnitTypes kUnits[] = {eVolts, eAmps, eWatts};
    const int lettersOfAll = UnitLetters(f.Span(t.begin, ends[count > 0 ? count - 1 : 0]));
    for (int u = 0; u < 3; ++u) {
      // The unit must be written: a bare number is no rating.
      if ((lettersOfAll & (1 << u)) == 0) continue;
      const int spanEnd = ReadSpans(f, t, ends, count, kUnits[u], scan);
      if (spanEnd == kNone || scan.value < 0) continue;
      if ((UnitLetters(f.Span(t.begin, spanEnd)) & (1 << u)) == 0) continue;
      const eUnitTypes candidate = kUnits[u];
      unit = candidate;
      value = scan.value;
      end = spanEnd;
      break;
    }
    if (end == kNone) return kNone;
  }
  if (unit == f.unit && !out.hasValue) {
    out.hasValue = true;
    out.value = value;
    out.valueAt = t.begin;
    return end;
  }
  std::optional<double>& rating =
      unit == eVolts ? out.voltage : unit == eAmps ? out.current : out.power;
  if (!rating) rating = value;
  return end;
}

// A temperature coefficient at token `t` ('50ppm', '±100ppm/K', '100 ppm/°C').
int ReadTemperatureCoefficient(const Field& f, PartToken t, PartScan& out) {
  const int sign = PlusMinusLength(f, t.begin);
  double value = 0;
  int i = ReadAttributeNumber(f, t.begin + sign, 0, value);
  if (i == kNone) return kNone;
  i = f.SkipBlanks(i);
  if (!StartsWithNoCase(f.Span(i, f.length), "ppm")) return kNone;
  i += 3;
  for (std::string_view per : {"/K", "/\xC2\xB0" "C", "/C"}) {
    if (StartsWithNoCase(f.Span(i, f.length), per) &&
        AtTokenEnd(f, i + static_cast<int>(per.size()))) {
      i += static_cast<int>(per.size());
      break;
    }
  }
  if (!AtTokenEnd(f, i)) return kNone;
  if (!out.temperatureCoefficient) out.temperatureCoefficient = value;
  return i;
}

// A mark of a part not fitted at token `t`: its end, or kNone.
int ReadNotFitted(const Field& f, PartToken t) {
  const std::string_view word = f.Of(t);
  for (std::string_view mark : kNotFitted) {
    if (EqualsNoCase(word, mark)) return t.end;
  }
  // The phrases, their words apart: 'not fitted', 'do not populate'.
  const auto follows = [&](PartToken& at, std::string_view next) {
    at = NextPartToken(f.text, at.end);
    return EqualsNoCase(f.Of(at), next);
  };
  PartToken at = t;
  if (EqualsNoCase(word, "not") && follows(at, "fitted")) return at.end;
  at = t;
  if (EqualsNoCase(word, "do") && follows(at, "not") && follows(at, "populate")) return at.end;
  return kNone;
}

bool IsDielectric(std::string_view word) {
  for (std::string_view d : kDielectrics) {
    if (EqualsNoCase(word, d)) return true;
  }
  return false;
}

// Token `t` as each kind in turn, into `out`: the end of what it read, or
// kNone with `failed` holding the value reader's refusal of the token while
// the value is open to it.
int Recognise(const Field& f, PartToken t, bool valueOpen, PartScan& out, AnyScan& failed) {
  // Marks and dielectrics begin with a letter.
  const bool letter = !IsDigitByte(f.At(t.begin));
  int end = letter ? ReadNotFitted(f, t) : kNone;
  if (end != kNone) {
    out.fitted = false;
    return end;
  }
  const std::string_view package = PackageDigits(f.Of(t));
  if (!package.empty()) {
    if (out.package.empty()) out.package = package;
    return t.end;
  }
  const char first = f.At(t.begin);
  const bool signed_ = first == '+' || first == '-' || PlusMinusLength(f, t.begin) > 0;
  if ((signed_ || PercentNear(f, t)) && (end = ReadTolerance(f, t, out)) != kNone) return end;
  if (valueOpen) {
    end = ReadValueSpan(f, t, f.unit, failed);
    if (end != kNone) {
      out.hasValue = true;
      out.value = failed.value;
      out.valueAt = t.begin;
      return end;
    }
  }
  if ((end = ReadRating(f, t, out)) != kNone) return end;
  if (letter && IsDielectric(f.Of(t))) {
    if (out.dielectric.empty()) out.dielectric = f.Of(t);
    return t.end;
  }
  // 'ppm' in the token or right after it ('100 ppm').
  const char after = static_cast<char>(AsciiUpper(f.At(f.SkipBlanks(t.end))));
  const std::string_view token = f.Of(t);
  if (after != 'P' && token.find('p') == std::string_view::npos &&
      token.find('P') == std::string_view::npos) {
    return kNone;
  }
  return ReadTemperatureCoefficient(f, t, out);
}

// The rest from `begin`: to the last non-blank byte, without trailing ')'
// when it holds no '(' (the end of a wrapper: 'NA(10k/thick film)').
std::string_view RestFrom(const Field& f, int begin) {
  int end = EndOfNonBlank(f.text, begin);
  if (f.Span(begin, end).find('(') == std::string_view::npos) {
    while (end > begin && (f.At(end - 1) == ')' || IsBlankByte(f.At(end - 1)))) --end;
  }
  return f.Span(begin, end);
}

// True when token `t` begins as a number does: a digit, or a sign, '.' or
// ',' before one.
bool LooksLikeNumber(const Field& f, PartToken t) {
  const char c = f.At(t.begin);
  if (IsDigitByte(c)) return true;
  return (c == '+' || c == '-' || c == '.' || c == ',') && t.end - t.begin > 1 &&
         IsDigitByte(f.At(t.begin + 1));
}

void Refuse(PartScan& out, int error, int cursor) {
  out = PartScan{};
  out.error = error;
  out.cursor = cursor;
}

}  // namespace

PartToken NextPartToken(std::string_view text, int from) noexcept {
  const int length = static_cast<int>(text.size());
  int i = from < 0 ? 0 : from;
  while (i < length && IsSeparatorAt(text, i)) ++i;
  const int begin = i;
  if (i < length) ++i;
  while (i < length && !IsSeparatorAt(text, i)) ++i;
  return PartToken{begin, i};
}

std::string_view PackageDigits(std::string_view token) noexcept {
  if (token.size() == 5 || token.size() == 6) {
    const int c = AsciiUpper(static_cast<unsigned char>(token[0]));
    if (c == 'R' || c == 'C' || c == 'L') token.remove_prefix(1);
  }
  for (std::string_view code : kPackages) {
    if (token == code) return token;
  }
  return {};
}

PartScan ScanPart(std::string_view text, eUnitTypes unit, const Settings& format,
                  int bareExponent) noexcept {
  PartScan out;
  if (text.empty()) {
    Refuse(out, eErrEmpty, 0);
    return out;
  }
  if (text.size() > kMaxLength) {
    Refuse(out, eErrCharacterLimit, static_cast<int>(kMaxLength) + 1);
    return out;
  }
  const Field f{text, static_cast<int>(text.size()), unit, format, bareExponent};
  int restBegin = kNone;
  int firstToken = kNone;
  AnyScan refusal;
  // A number that does not read closes the search for the value: a value
  // after it ('1 000' as 1 then 000) would be a guess.
  bool valueOpen = true;
  AnyScan failed;
  for (PartToken t = NextPartToken(text, 0); t.begin < f.length;) {
    if (firstToken == kNone) firstToken = t.begin;
    int end = Recognise(f, t, valueOpen && !out.hasValue, out, failed);
    if (end == kNone) {
      if (restBegin == kNone) restBegin = t.begin;
      if (valueOpen && !out.hasValue) {
        if (refusal.error == 0) refusal = failed;
        valueOpen = !LooksLikeNumber(f, t);
      }
      end = t.end;
    }
    t = NextPartToken(text, end);
  }
  if (firstToken == kNone) {
    // Blanks and separators only: refused as the value reader refuses it.
    const AnyScan scan = ScanAnyNotation(text, unit, format, bareExponent);
    Refuse(out, scan.ok ? kErrNotAValue : scan.error, scan.ok ? 1 : scan.cursor);
    return out;
  }
  if (restBegin != kNone) out.rest = RestFrom(f, restBegin);
  if (!out.hasValue && out.fitted) {
    if (refusal.error != 0) {
      Refuse(out, refusal.error, refusal.cursor);
    } else {
      Refuse(out, kErrNotAValue, firstToken + 1);
    }
    return out;
  }
  out.ok = true;
  return out;
}

}  // namespace tarvil::detail
