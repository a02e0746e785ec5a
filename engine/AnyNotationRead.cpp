// AnyNotationRead.cpp: the reader of values written in no declared notation
// (contract and table in AnyNotationInternal.h).
//
// The commonest form ('4.7k', '100nF': at most 19 digits, no blank or
// thousands symbol) is read by a short pass that converts with one exact
// multiplication or division. Every text it leaves goes through the general
// pass: it collects the significant digits, the decimals and the power of
// ten of a prefix or an exponent, and notes a letter that reads two ways
// where it stands; the digits are converted once at the end (twice for such
// a letter, to compare the readings). A thousands symbol out of its places
// stops that pass: the text is then read once with the symbol as the
// decimal symbol and once with it ignored, and the two are compared.
#include <climits>
#include <cstdint>
#include <string_view>

#include "AnyNotationInternal.h"
#include "DigitCollectorInternal.h"
#include "TarvilErrors.h"
#include "TextScanInternal.h"

namespace tarvil::detail {
namespace {

constexpr const char* kBySI = "Notation::si";
constexpr const char* kBySpice = "Notation::spice";
constexpr const char* kByUnit = "the unit name";
constexpr const char* kByComma = "a decimal comma (Settings::decimal = ',')";
constexpr const char* kByPoint = "a decimal point (Settings::decimal = '.')";
constexpr const char* kByPico = "Settings::bare_capacitance = BareUnit::pF";
constexpr const char* kByMicroFarad = "Settings::bare_capacitance = BareUnit::uF";
constexpr const char* kByMicroHenry = "Settings::bare_inductance = BareUnit::uH";
constexpr const char* kByHenry = "Settings::bare_inductance = BareUnit::H";

// The readings of a bare capacitance (pF, µF) and inductance (µH, H).
constexpr int kPico = -12;
constexpr int kMicro = -6;

// The group size of thousands symbols when the settings have none.
constexpr int kDefaultGrouping = 3;

// Indexes are ints, as cursors are: longer texts are refused first.
constexpr std::size_t kMaxLength = INT_MAX / 2;

// How a pass takes the thousands symbol.
enum class Thousands { kGrouped, kAsDecimal, kIgnored };

// A letter with two readings where it stands.
enum class Doubt : unsigned char { kNone, kPetaOrPico, kFemtoOrFarad, kPrefixOrUnit, kBareUnit };

// What a pass reads: the unit, the scale of a bare capacitance or
// inductance, how thousands symbols are taken, and the index of the decimal
// symbol the separator rule chose (-1: none).
struct Pass {
  eUnitTypes unit;
  int bareExponent;
  Thousands thousands;
  int decimalAt;
};

// Three bytes, so that it is returned in a register.
struct Prefix {
  signed char exponent = 0;
  unsigned char length = 0;  // bytes; 0: no prefix
  Doubt doubt = Doubt::kNone;
};

// The one-byte prefixes: power of ten and doubt, indexed by the byte;
// length 0 where the byte is none. 'P' and 'F' are read as SI's peta and
// SPICE's femto, with their doubt. A table rather than a switch: the letter
// varies from value to value, and a jump on it is mispredicted.
struct PrefixTable {
  Prefix entry[128];
  constexpr PrefixTable() : entry{} {
    const auto set = [&](char c, int exponent, Doubt doubt = Doubt::kNone) {
      entry[static_cast<unsigned char>(c)] = Prefix{static_cast<signed char>(exponent), 1, doubt};
    };
    set('a', -18);
    set('f', -15);
    set('F', -15, Doubt::kFemtoOrFarad);
    set('p', -12);
    set('P', 15, Doubt::kPetaOrPico);
    set('n', -9);
    set('N', -9);
    set('u', -6);
    set('U', -6);
    set('m', -3);
    set('k', 3);
    set('K', 3);
    set('M', 6);
    set('G', 9);
    set('T', 12);
  }
};
constexpr PrefixTable kPrefixes;

// The prefix at the start of `rest`. Inlined: a call costs the short pass
// a sixth of its time.
[[gnu::always_inline]] inline Prefix MatchPrefix(std::string_view rest) {
  if (rest.empty()) return {};
  const auto c = static_cast<unsigned char>(rest[0]);
  if (c < 0x80) {
    if ((c | 0x20) == 'm' && rest.size() >= 3 && AsciiUpper(rest[1]) == 'E' &&
        AsciiUpper(rest[2]) == 'G') {
      return {6, 3};
    }
    return kPrefixes.entry[c];
  }
  // U+00B5 micro sign, U+03BC Greek small mu.
  if (rest.size() >= 2 && ((c == 0xC2 && rest[1] == '\xB5') || (c == 0xCE && rest[1] == '\xBC'))) {
    return {-6, 2};
  }
  return {};
}

// Bytes of the longest unit name of `unit` at the start of `rest` (0: none);
// with `letterOnly`, only the one-character names that may stand for the
// decimal symbol.
[[gnu::always_inline]] inline int MatchUnit(std::string_view rest, eUnitTypes unit,
                                            bool letterOnly) {
  if (rest.empty()) return 0;
  const int c = AsciiUpper(rest[0]);
  switch (unit) {
    case eOhms:
      if (rest.size() >= 2 && rest[0] == '\xCE' && rest[1] == '\xA9') return 2;  // U+03A9
      if (!letterOnly && rest.size() >= 3 && c == 'O' && AsciiUpper(rest[1]) == 'H' &&
          AsciiUpper(rest[2]) == 'M') {
        return rest.size() >= 4 && AsciiUpper(rest[3]) == 'S' ? 4 : 3;
      }
      return c == 'R' ? 1 : 0;
    case eFarads: return c == 'F' ? 1 : 0;
    case eHenrys: return c == 'H' ? 1 : 0;
    case eVolts: return c == 'V' ? 1 : 0;
    case eAmps: return c == 'A' ? 1 : 0;
    case eWatts: return c == 'W' ? 1 : 0;
    default: return 0;
  }
}

// True when one of the three bytes from `i` (before `end`) is a digit.
bool HasDigitWithin(std::string_view text, int i, int end) {
  for (int k = i; k < end && k < i + 3; ++k) {
    if (IsDigitByte(text[static_cast<std::size_t>(k)])) return true;
  }
  return false;
}

// Records a refusal at the 0-based `index` in the fresh `out`; returns -1
// (no misplaced thousands symbol) for ScanPass.
int Refuse(AnyScan& out, int error, int index) {
  out.error = error;
  out.cursor = index + 1;
  return -1;
}

// What the pass has read of the number so far.
struct Reading {
  DigitCollector digits;
  bool negative = false;
  int digitCount = 0;     // every digit, zeros included
  int fraction = 0;       // digits after the decimal marker
  bool marker = false;    // a decimal symbol or a letter in its place
  int run = 0;            // digits since the start or the last thousands symbol
  bool grouped = false;   // a thousands symbol was met
  bool unitGiven = false; // a unit letter stood for the decimal symbol
  bool scaled = false;    // a prefix or an exponent
  std::int64_t scale = 0;  // its power of ten (the first reading's, for a doubt)
  Doubt doubt = Doubt::kNone;
  int doubtAt = -1;
  std::int64_t altScale = 0;  // the second reading's power of ten
  const char* by[2] = {nullptr, nullptr};

  void Digit(char c) {
    digits.Add(c);
    ++digitCount;
    ++run;
    if (marker) ++fraction;
  }
  void GroupEnds() {
    run = 0;
    grouped = true;
  }

  void Doubtful(Doubt kind, int at, int prefixExponent) {
    doubt = kind;
    doubtAt = at;
    scale = prefixExponent;
    altScale = 0;
    by[0] = kBySI;
    by[1] = kByUnit;
    if (kind == Doubt::kPetaOrPico) {
      altScale = -12;
      by[1] = kBySpice;
    } else if (kind == Doubt::kFemtoOrFarad) {
      by[0] = kBySpice;
    }
  }

  // A number with neither prefix, exponent nor unit name on a capacitance
  // or an inductance that ends at `end`: in the unit the caller chose, or
  // two readings (pF or µF; µH or H).
  void Bare(eUnitTypes unit, int bareExponent, int end) {
    if (bareExponent != kBareAsk) {
      scale = bareExponent;
      return;
    }
    const bool farads = unit == eFarads;
    doubt = Doubt::kBareUnit;
    doubtAt = end;
    scale = farads ? kPico : kMicro;
    altScale = farads ? kMicro : 0;
    by[0] = farads ? kByPico : kByMicroHenry;
    by[1] = farads ? kByMicroFarad : kByHenry;
  }
};

// The value of a reading that was read to its end into the fresh `out`:
// the nearest double, or the refusal of a number beyond a double's range,
// or the two readings. Returns -1 for ScanPass.
int Finish(Reading& r, int end, AnyScan& out) {
  double values[2] = {0.0, 0.0};
  const int count = r.doubt == Doubt::kNone ? 1 : 2;
  const std::int64_t scales[2] = {r.scale, r.altScale};
  for (int k = 0; k < count; ++k) {
    // Past the largest double, or a non-zero number that rounds to 0.
    if (!r.digits.Convert(scales[k] - r.fraction, values[k]) ||
        (values[k] == 0.0 && !r.digits.IsZero())) {
      return Refuse(out, eErrInvalidCharacter, end);
    }
    if (r.negative) values[k] = -values[k];
  }
  if (count == 2 && values[0] != values[1]) {
    out.error = kErrAmbiguous;
    out.cursor = r.doubtAt + 1;
    out.readings = 2;
    out.reading[0] = {values[0], r.by[0]};
    out.reading[1] = {values[1], r.by[1]};
    return -1;
  }
  out.ok = true;
  out.value = values[0];
  return -1;
}

// The text from `i` to `end`, and the first index from `i` that is not a
// blank.
std::string_view Rest(std::string_view text, int i, int end) {
  return text.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(end - i));
}
int SkipBlanks(std::string_view text, int i, int end) {
  while (i < end && IsBlankByte(text[static_cast<std::size_t>(i)])) ++i;
  return i;
}

// The exponent at `i` ('e', 'E'), when there is one, into `r`: the index
// after it, or -1 after a refusal into `out`.
int ReadExponent(Reading& r, std::string_view text, int i, int end, AnyScan& out) {
  const auto at = [&](int k) { return text[static_cast<std::size_t>(k)]; };
  if (i >= end || (at(i) != 'e' && at(i) != 'E')) return i;
  int j = i + 1;
  const bool minus = j < end && at(j) == '-';
  if (j < end && (at(j) == '-' || at(j) == '+')) ++j;
  if (j >= end || !IsDigitByte(at(j))) return Refuse(out, eErrInvalidCharacter, j);
  if (r.unitGiven || r.scaled) {
    return Refuse(out, r.unitGiven ? eErrInvalidCharacter : eErrTooManyDecimalPlaces, i);
  }
  std::int64_t magnitude = 0;
  for (; j < end && IsDigitByte(at(j)); ++j) {
    magnitude = magnitude * 10 + (at(j) - '0');
    if (magnitude > kExponentCap) magnitude = kExponentCap;
  }
  r.scaled = true;
  r.scale = minus ? -magnitude : magnitude;
  return j;
}

// What follows the number and its exponent from `i`: blanks, a prefix,
// blanks, the unit name; then the value into `out`. Returns -1.
int ReadSuffix(Reading& r, std::string_view text, int i, int end, const Pass& pass,
               AnyScan& out) {
  const eUnitTypes unit = pass.unit;
  i = SkipBlanks(text, i, end);
  if (i == end) {
    if (!r.scaled && !r.unitGiven && (unit == eFarads || unit == eHenrys)) {
      r.Bare(unit, pass.bareExponent, end);
    }
    return Finish(r, end, out);
  }
  if (r.unitGiven) return Refuse(out, eErrInvalidCharacter, i);
  const Prefix prefix = MatchPrefix(Rest(text, i, end));
  const int unitLength = MatchUnit(Rest(text, i, end), unit, false);
  if (unitLength > 0 && i + unitLength == end) {
    // The unit alone, unless a letter that is both ends a number without
    // a prefix ('10f', '2a'); the capital 'F' of a capacitance is the farad.
    if (r.doubt == Doubt::kPrefixOrUnit) r.doubt = Doubt::kNone;
    if (!r.scaled && prefix.length == unitLength && prefix.doubt == Doubt::kNone) {
      r.Doubtful(Doubt::kPrefixOrUnit, i, prefix.exponent);
    }
    return Finish(r, end, out);
  }
  if (prefix.length == 0 || (r.scaled && prefix.doubt == Doubt::kFemtoOrFarad)) {
    // Not a prefix, a unit name with more after it, or another quantity's
    // unit.
    return Refuse(out, eErrInvalidCharacter,
                  unitLength > 0 ? SkipBlanks(text, i + unitLength, end) : i);
  }
  if (r.scaled) return Refuse(out, eErrTooManyDecimalPlaces, i);
  const int prefixAt = i;
  i = SkipBlanks(text, i + prefix.length, end);
  if (i < end) {
    const int after = MatchUnit(Rest(text, i, end), unit, false);
    if (after == 0 || i + after != end) {
      return Refuse(out, eErrInvalidCharacter,
                    after == 0 ? i : SkipBlanks(text, i + after, end));
    }
  }
  r.scaled = true;
  if (prefix.doubt != Doubt::kNone) {
    r.Doubtful(prefix.doubt, prefixAt, prefix.exponent);
  } else {
    r.scale = prefix.exponent;
  }
  return Finish(r, end, out);
}

// ScanPass's answer when it refused or read the text.
constexpr int kDone = -1;

// A ',' or '.' other than the decimal symbol the separator rule chose: a
// thousands symbol at the places of groups of three before it, unless it
// is the decimal symbol's own character. Returns the index after it, or
// kDone after a refusal into `out`.
int ReadGroupSymbol(std::string_view text, int i, int decimalAt, int run, bool grouped,
                    AnyScan& out) {
  if (i > decimalAt) return Refuse(out, eErrTooManyDecimalPlaces, i);
  if (text[static_cast<std::size_t>(i)] == text[static_cast<std::size_t>(decimalAt)]) {
    return Refuse(out, eErrTooManyDecimalPlaces, decimalAt);
  }
  if (run < 1 || run > kDefaultGrouping || (grouped && run != kDefaultGrouping)) {
    return Refuse(out, eErrInvalidCharacter, i);
  }
  return i + 1;
}

// A prefix or a unit letter followed by a digit at `i` stands for the
// decimal symbol. Where a letter is both, the unit's capital 'F' is the
// farad; 'f' and 'a' are read as the prefix until a unit after them or the
// end decides. Such letters take 1 to 3 bytes: without a digit in the next
// three there is none (the common case of a prefix at the end). Returns the
// index after the letter, `i` when none stands there, or kDone after a
// refusal into `out`.
int ReadLetterAsPoint(Reading& r, std::string_view text, int i, int end, eUnitTypes unit,
                      AnyScan& out) {
  if (!HasDigitWithin(text, i + 1, end)) return i;
  const Prefix prefix = MatchPrefix(Rest(text, i, end));
  const int unitLength = MatchUnit(Rest(text, i, end), unit, true);
  const int length = unitLength > 0 ? unitLength : prefix.length;
  const int after = i + length;
  if (length == 0 || after >= end || !IsDigitByte(text[static_cast<std::size_t>(after)])) return i;
  if (r.marker) return Refuse(out, eErrTooManyDecimalPlaces, i);
  r.marker = true;
  if (unitLength > 0 && !(prefix.length == unitLength && prefix.doubt == Doubt::kNone)) {
    r.unitGiven = true;
  } else {
    r.scaled = true;
    if (unitLength > 0) {
      r.Doubtful(Doubt::kPrefixOrUnit, i, prefix.exponent);
    } else if (prefix.doubt != Doubt::kNone) {
      r.Doubtful(prefix.doubt, i, prefix.exponent);
    } else {
      r.scale = prefix.exponent;
    }
  }
  return after;
}

// True when the thousands symbol at `i` stands where a group of
// `grouping` digits ends: after a full group (or the first, shorter one),
// before the decimal marker, and with a full group after it.
bool ThousandsInPlace(const Reading& r, std::string_view text, int i, int end, int grouping) {
  if (r.marker || r.run < 1 || r.run > grouping || (r.grouped && r.run != grouping)) return false;
  int j = i + 1;
  while (j < end && IsDigitByte(text[static_cast<std::size_t>(j)])) ++j;
  return j - (i + 1) == grouping;
}

// One pass over the non-blank text [first, end), into the fresh `out`.
// Returns the index of a thousands symbol out of its places that stopped a
// kGrouped pass, else -1.
int ScanPass(std::string_view text, int first, int end, const Pass& pass,
             const Settings& format, AnyScan& out) {
  const char decimal = format.decimal;
  const char thousand = format.thousands;
  const int grouping = format.grouping > 0 ? format.grouping : kDefaultGrouping;
  const Thousands thousands = pass.thousands;
  const auto at = [&](int i) { return text[static_cast<std::size_t>(i)]; };

  Reading r;
  int i = first;
  if (at(i) == '-' || at(i) == '+') {
    r.negative = at(i) == '-';
    ++i;
  }
  const int lead = i;

  // The number: digits, thousands symbols, one decimal marker.
  while (i < end) {
    const char c = at(i);
    if (IsDigitByte(c)) {
      r.Digit(c);
      ++i;
      continue;
    }
    if (pass.decimalAt >= 0 && i != pass.decimalAt && (c == ',' || c == '.')) {
      i = ReadGroupSymbol(text, i, pass.decimalAt, r.run, r.grouped, out);
      if (i < 0) return kDone;
      r.GroupEnds();
      continue;
    }
    // A blank thousands symbol is one only between digits.
    if (c == thousand && thousands != Thousands::kAsDecimal && i != pass.decimalAt &&
        !(IsBlankByte(c) && !(i + 1 < end && IsDigitByte(at(i + 1))))) {
      if (thousands == Thousands::kIgnored) {
        if (r.digitCount == 0) return Refuse(out, eErrInvalidCharacter, i);
      } else if (!ThousandsInPlace(r, text, i, end, grouping)) {
        if (pass.decimalAt >= 0) return Refuse(out, eErrInvalidCharacter, i);
        return i;
      }
      r.GroupEnds();
      ++i;
      continue;
    }
    if (c == decimal || (c == '.' && thousand != '.') || i == pass.decimalAt ||
        (c == thousand && thousands == Thousands::kAsDecimal)) {
      if (r.marker) return Refuse(out, eErrTooManyDecimalPlaces, i);
      r.marker = true;
      ++i;
      continue;
    }
    const int next = ReadLetterAsPoint(r, text, i, end, pass.unit, out);
    if (next == kDone) return kDone;
    if (next == i) break;
    i = next;
  }
  if (r.digitCount == 0) return Refuse(out, eErrInvalidCharacter, lead);

  i = ReadExponent(r, text, i, end, out);
  return i < 0 ? kDone : ReadSuffix(r, text, i, end, pass, out);
}

// The separator rule: a ',' or '.' of the number [lead, end) that is
// followed by other than three digits (up to the next non-digit), or that
// follows a lone leading '0', is the decimal symbol whatever the settings
// ('4,7k', '0,100', '4.7u' with a decimal comma). Returns its index, -1
// when there is none (the settings decide), or kRefused after refusing a
// second such symbol into `out` ('1.5,5').
constexpr int kRefused = -2;
int DecimalBySeparatorRule(std::string_view text, int lead, int end, const Settings& format,
                           AnyScan& out) {
  const auto at = [&](int i) { return text[static_cast<std::size_t>(i)]; };
  int found = -1;
  for (int i = lead; i < end; ++i) {
    const char c = at(i);
    if (IsDigitByte(c)) continue;
    const bool nextIsDigit = i + 1 < end && IsDigitByte(at(i + 1));
    if (c != ',' && c != '.') {
      if (c == format.decimal || (c == format.thousands && nextIsDigit)) continue;
      break;
    }
    int digits = 0;
    while (i + 1 + digits < end && IsDigitByte(at(i + 1 + digits))) ++digits;
    const bool afterLoneZero = i == lead + 1 && at(lead) == '0';
    if (digits == 3 && !afterLoneZero) continue;
    if (found >= 0) {
      Refuse(out, eErrTooManyDecimalPlaces, i);
      return kRefused;
    }
    found = i;
  }
  return found;
}

// The value mantissa × 10^exponent into `value`, when the power of ten is
// exact (within ±22): both factors are exact, so one rounding gives the
// nearest double. False otherwise.
bool Accept(std::uint64_t mantissa, int exponent, bool negative, double& value) {
  if (exponent < -22 || exponent > 22) return false;
  const double d = static_cast<double>(mantissa);
  value = exponent >= 0 ? d * kPowersOfTen[exponent] : d / kPowersOfTen[-exponent];
  if (negative) value = -value;
  return true;
}

// The digits from `p` into `mantissa`: where they end.
const char* ReadDigits(const char* p, const char* end, std::uint64_t& mantissa) {
  for (; p < end && IsDigitByte(*p); ++p) mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
  return p;
}

// ReadPlainSuffix: the power of ten of what follows a plain number, the
// whole rest: [prefix [unit] | unit], as ReadSuffix reads it when no letter
// has two readings there; kNoSuffix for anything else.
constexpr int kNoSuffix = INT_MIN;
int ReadPlainSuffix(std::string_view rest, eUnitTypes unit) {
  const Prefix prefix = MatchPrefix(rest);
  if (prefix.length == 0 && MatchUnit(rest, unit, false) == static_cast<int>(rest.size())) {
    return 0;  // the unit alone: '16V', '47ohm'
  }
  if (prefix.length == 0 || prefix.doubt != Doubt::kNone) return kNoSuffix;
  const std::string_view after = rest.substr(prefix.length);
  if (after.empty() ? MatchUnit(rest, unit, false) > 0  // 'f' or 'a' of the quantity
                    : MatchUnit(after, unit, false) != static_cast<int>(after.size())) {
    return kNoSuffix;
  }
  return prefix.exponent;
}

// ReadLetterForPoint: the power of ten of a prefix or unit letter that
// stands for the decimal symbol at the start of `rest` ('4k7', '4R7'), as
// ScanPass reads it when no letter has two readings there, and its length
// in bytes; false when the letter is none, has two readings, or is not
// followed by a digit.
bool ReadLetterForPoint(std::string_view rest, eUnitTypes unit, int& exponent, int& length) {
  // Letters take 1 to 3 bytes: without a digit in the next three there is
  // none (the common case of a prefix at the end).
  if (!HasDigitWithin(rest, 1, static_cast<int>(rest.size()))) return false;
  const Prefix prefix = MatchPrefix(rest);
  const int unitLength = MatchUnit(rest, unit, true);
  length = unitLength > 0 ? unitLength : prefix.length;
  if (length == 0 || static_cast<std::size_t>(length) >= rest.size() ||
      !IsDigitByte(rest[static_cast<std::size_t>(length)])) {
    return false;
  }
  if (unitLength > 0) {
    exponent = 0;  // the unit's letter; unless it is a prefix too ('f' of farads)
    return !(prefix.length == unitLength && prefix.doubt == Doubt::kNone);
  }
  exponent = prefix.exponent;
  return prefix.doubt == Doubt::kNone;
}

// ReadPlainSI: the commonest forms alone, in one short pass: [sign] digits
// [decimal symbol digits] [blanks] [prefix [unit] | unit], or [sign] digits
// letter digits where a prefix or the unit's letter stands for the decimal
// symbol ('4k7', '4R7'); at most 19 digits, no thousands symbol, no letter
// with two readings, a power of ten within ±22. Such a number is an exact
// integer times an exact power of ten, so one rounding gives the nearest
// double, as ScanPass's conversion would. False (with `value` untouched) for
// everything else, which ScanPass reads.
bool ReadPlainSI(std::string_view text, eUnitTypes unit, int bareExponent,
                 const Settings& format, double& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) {
    negative = *p == '-';
    ++p;
  }
  std::uint64_t mantissa = 0;
  const char* const digitsStart = p;
  p = ReadDigits(p, end, mantissa);
  std::ptrdiff_t count = p - digitsStart;
  int exponent = 0;
  const char thousand = format.thousands;
  if (p == end) {
    if (unit == eFarads || unit == eHenrys) {
      if (bareExponent == kBareAsk) return false;
      exponent = bareExponent;
    }
  } else if (*p != thousand && (*p == format.decimal || *p == '.')) {
    const char* const fractionStart = ++p;
    p = ReadDigits(p, end, mantissa);
    exponent = -static_cast<int>(p - fractionStart);
    count += p - fractionStart;
    if (p == end && (unit == eFarads || unit == eHenrys)) {
      if (bareExponent == kBareAsk) return false;
      exponent += bareExponent;
    }
  } else if (int power = 0, length = 0;
             count > 0 && *p != thousand &&
             ReadLetterForPoint(std::string_view(p, end - p), unit, power, length)) {
    const char* const fractionStart = p += length;
    p = ReadDigits(p, end, mantissa);
    if (p != end) return false;
    exponent = power - static_cast<int>(p - fractionStart);
    count += p - fractionStart;
  }
  if (p < end) {
    // Blanks before a suffix, not between digits (where they may group them).
    while (p < end && *p == ' ') ++p;
    if (p == end || IsDigitByte(*p) || IsBlankByte(*p) || *p == thousand) return false;
    const int power = ReadPlainSuffix(std::string_view(p, end - p), unit);
    if (power == kNoSuffix) return false;
    exponent += power;
  }
  if (count == 0 || count > 19 || mantissa > (std::uint64_t{1} << 53)) return false;
  return Accept(mantissa, exponent, negative, value);
}

}  // namespace

bool ReadCommonAny(std::string_view text, eUnitTypes unit, const Settings& format,
                   int bareExponent, double& value) noexcept {
  return text.size() <= kMaxLength && ReadPlainSI(text, unit, bareExponent, format, value);
}

AnyScan ScanAnyNotation(std::string_view text, eUnitTypes unit, const Settings& format,
                        int bareExponent) noexcept {
  AnyScan scan;
  if (text.empty()) {
    Refuse(scan, eErrEmpty, -1);
    return scan;
  }
  if (text.size() > kMaxLength) {
    Refuse(scan, eErrCharacterLimit, static_cast<int>(kMaxLength));
    return scan;
  }
  if (ReadPlainSI(text, unit, bareExponent, format, scan.value)) {
    scan.ok = true;
    return scan;
  }
  const NonBlank trimmed = TrimBlanks(text);
  if (trimmed.Blank()) {
    Refuse(scan, eErrBlank, BlankPosition(text) - 1);
    return scan;
  }
  const int first = trimmed.first;
  const int end = trimmed.end;
  if (unit != eOhms && unit != eFarads && unit != eHenrys && unit != eVolts && unit != eAmps &&
      unit != eWatts) {
    unit = eNoUnit;
  }
  const int lead = first + (text[static_cast<std::size_t>(first)] == '-' ||
                            text[static_cast<std::size_t>(first)] == '+');
  const int decimalAt = DecimalBySeparatorRule(text, lead, end, format, scan);
  if (decimalAt == kRefused) return scan;
  Pass pass{unit, bareExponent, Thousands::kGrouped, decimalAt};
  const int misplaced = ScanPass(text, first, end, pass, format, scan);
  if (misplaced < 0) return scan;

  // A thousands symbol out of its places: the symbol as someone's decimal
  // symbol, or ignored as the notations' reader ignores it.
  const char thousand = format.thousands;
  const char* byDecimal = thousand == ',' ? kByComma : thousand == '.' ? kByPoint : nullptr;
  AnyScan ignored;
  pass.thousands = Thousands::kIgnored;
  ScanPass(text, first, end, pass, format, ignored);
  AnyScan asDecimal;
  if (byDecimal != nullptr) {
    pass.thousands = Thousands::kAsDecimal;
    ScanPass(text, first, end, pass, format, asDecimal);
  }
  if (asDecimal.ok && ignored.ok && asDecimal.value != ignored.value) {
    scan.error = kErrAmbiguous;
    scan.cursor = misplaced + 1;
    scan.readings = 2;
    scan.reading[0] = {asDecimal.value, byDecimal};
    scan.reading[1] = {ignored.value, kBySI};
  } else if (asDecimal.ok == ignored.ok) {
    scan = ignored;  // the same value, or no reading at all
  } else {
    Refuse(scan, eErrInvalidCharacter, misplaced);
  }
  return scan;
}

}  // namespace tarvil::detail
