// NotationRead.cpp: the notation reader: numbers written in the notations
// back into doubles ('4.7k', '4k7', '4.7E3', '4.7MEG', '4.7e3'), and
// electrical values with their unit name ('4.7kW', '4W7').
//
// The reader scans the text once: it checks every character, collects the
// significant digits and counts the decimals, and takes the power of ten of
// a prefix or an "e" exponent. Only then is the number converted, once, to
// the double nearest to it (an exact product or quotient of small integers
// when possible, otherwise fast_float on the collected digits).
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "DigitCollectorInternal.h"
#include "EngineSettingsInternal.h"
#include "Mbc.h"
#include "NotationInternal.h"
#include "TarvilErrors.h"
#include "UnitListInternal.h"

namespace tarvil::detail {
namespace {

// The smallest N such that every number whose leading digit stands at
// 10^N is beyond the range of a double (1e309 is; at 10^308 some are,
// 1.8e308, and some are not, 1.7e308).
constexpr std::int64_t kFirstOverflowingPower = 309;


bool IsElectricalUnit(eUnitTypes unit) {
  return unit == eAmps || unit == eFarads || unit == eHenrys || unit == eOhms ||
         unit == eWatts || unit == eVolts;
}

// True when `n` bytes at `p` are exactly the display of a prefix that the
// reader knows for `unit` in `notation` (the unit's own list or the built-in
// table of the notation).
bool IsPrefixDisplayAt(const char* p, int n, eUnitTypes unit, eOrvantaNotations notation,
                       const COVUnitStorage& units) {
  for (eUnitTypes list : {unit, eNoUnit}) {
    int count = 0;
    const UnitEntry* entries = units.GetUnits(list, notation, count);
    for (int k = 0; entries != nullptr && k < count; ++k) {
      const char* display = entries[k].display;
      if (display == nullptr) continue;
      int same = 0;
      while (same < n && display[same] != '\0' && display[same] == p[same]) ++same;
      if (same == n && display[n] == '\0') return true;
    }
  }
  return false;
}

// True when the letters at `i` could only be read as a prefix where they
// stand: right after a digit or point and, in European notation, with no
// point or letter before them (the prefix is the point there); elsewhere at
// the end of the text (the prefix is the rest of the text).
bool StandsAsPrefix(const char* text, int length, int i, int n, eOrvantaNotations notation,
                    const Settings& format) {
  const char decimal = format.decimal;
  const char thousand = format.thousands;
  // As the reader sees them: the thousands symbol is never a point.
  const auto isPoint = [&](char c) { return c != thousand && (c == '.' || c == decimal); };
  const char before = i > 0 ? text[i - 1] : '\0';
  if (!((before >= '0' && before <= '9') || isPoint(before))) return false;
  if (notation != eEuropean) {
    int end = length;
    while (end > i + n && IsBlankByte(text[end - 1])) --end;
    return i + n == end;
  }
  for (int k = 0; k < i; ++k) {
    const unsigned char c = static_cast<unsigned char>(text[k]);
    if (isPoint(text[k]) || (text[k] != thousand && (c >= 0x80 || tarvil::platform::_ismbcalpha(c)))) {
      return false;
    }
  }
  return true;
}

// Last occurrence of the unit name `needle` in `text` ignoring ASCII letter
// case, starting on a character boundary; -1 when there is none. An
// occurrence written in another case than the name that can only be a prefix
// where it stands, and is a prefix of the notation, is that prefix and not
// the name: '4f7' (European) and '4.7f' (SI) are femtofarads, as the writer
// writes them, while '4F7', '4n7f', '100nf' and '4.7 f' name the farad.
int LastUnitNameIndex(const char* text, int length, std::string_view needle, eUnitTypes unit,
                      eOrvantaNotations notation, const EngineSettings& settings) {
  if (needle.empty() || static_cast<int>(needle.size()) > length) return -1;
  const int n = static_cast<int>(needle.size());
  const auto lower = [](unsigned char b) {
    return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 32) : b;
  };
  const auto* t = reinterpret_cast<const unsigned char*>(text);
  const auto* w = reinterpret_cast<const unsigned char*>(needle.data());
  int found = -1;
  for (int i = 0; i + n <= length;) {
    int k = 0;
    while (k < n && lower(t[i + k]) == lower(w[k])) ++k;
    if (k == n) {
      const bool ownCase = std::memcmp(text + i, needle.data(), static_cast<std::size_t>(n)) == 0;
      if (ownCase || !StandsAsPrefix(text, length, i, n, notation, settings.format) ||
          !IsPrefixDisplayAt(text + i, n, unit, notation, settings.units)) {
        found = i;
      }
    }
    i += t[i] < 0x80 ? 1 : tarvil::platform::MbcLength(t + i);
  }
  return found;
}

bool IsLetterAt(const char* text, int i, int* length) {
  const auto* p = reinterpret_cast<const unsigned char*>(text + i);
  *length = tarvil::platform::MbcLength(p);
  unsigned int code = p[0];
  if (code >= 0x80) return true;  // a multibyte character is a letter
  return tarvil::platform::_ismbcalpha(code) != 0;
}

// The 0-based index where the run of letters that ends at `end` starts,
// counting at most `limit` letters; `end` when the text ends in no letter.
int TrailingLetterRunStart(const char* text, int start, int end, int limit) {
  int runStart = end;
  int runLetters = 0;
  for (int i = start; i < end;) {
    int length = 1;
    if (IsLetterAt(text, i, &length)) {
      if (runLetters == 0) runStart = i;
      ++runLetters;
    } else {
      runLetters = 0;
      runStart = end;
    }
    i += length;
  }
  if (runLetters == 0) return end;
  // Keep only the last `limit` letters of the run.
  for (int skip = runLetters - limit; skip > 0; --skip) {
    int length = 1;
    IsLetterAt(text, runStart, &length);
    runStart += length;
  }
  return runStart;
}

// No prefix of a built-in table has this power of ten.
constexpr int kNoPrefix = -1000;

// The powers of ten of the one-byte prefixes of a built-in table, by byte;
// kNoPrefix for a byte that is none. A table rather than a switch: the
// prefixes of a column of values follow no pattern a branch predictor
// could learn.
struct PrefixPowers {
  signed char power[256];
  constexpr int operator[](char c) const noexcept {
    const int p = power[static_cast<unsigned char>(c)];
    return p == kNoPrefixByte ? kNoPrefix : p;
  }
  static constexpr signed char kNoPrefixByte = -128;
};

struct PrefixLetters {
  const char* letters;  // the prefix's letters, each a byte that stands for it
  int power;
};

template <std::size_t N>
constexpr PrefixPowers MakePrefixPowers(const PrefixLetters (&prefixes)[N]) {
  PrefixPowers table{};
  for (signed char& p : table.power) p = PrefixPowers::kNoPrefixByte;
  for (const PrefixLetters& prefix : prefixes) {
    for (const char* c = prefix.letters; *c != '\0'; ++c) {
      table.power[static_cast<unsigned char>(*c)] = static_cast<signed char>(prefix.power);
    }
  }
  return table;
}

// The built-in SI table as it finds a one-byte text: any letter case but
// for "p"/"P" and "m"/"M", which differ only in case.
constexpr PrefixLetters kMetricLetters[] = {
    {"aA", -18}, {"fF", -15}, {"p", -12}, {"nN", -9}, {"uU", -6}, {"m", -3},
    {"kK", 3},   {"M", 6},    {"gG", 9},  {"tT", 12}, {"P", 15},  {"eE", 18}};
constexpr PrefixPowers kMetricPowers = MakePrefixPowers(kMetricLetters);

// The built-in SPICE table's one-byte prefixes, every letter case alike:
// "M" is milli ("MEG" is mega).
constexpr PrefixLetters kSpiceLetters[] = {{"fF", -15}, {"pP", -12}, {"nN", -9}, {"uU", -6},
                                           {"mM", -3},  {"kK", 3},   {"gG", 9},  {"tT", 12}};
constexpr PrefixPowers kSpicePowers = MakePrefixPowers(kSpiceLetters);

// SpicePrefixPower: the power of ten of `suffix` in the built-in SPICE table.
constexpr int SpicePrefixPower(std::string_view suffix) noexcept {
  if (suffix.size() == 1) return kSpicePowers[suffix[0]];
  const auto lower = [](char c) { return static_cast<char>(c | 0x20); };
  const bool meg = suffix.size() == 3 && lower(suffix[0]) == 'm' && lower(suffix[1]) == 'e' &&
                   lower(suffix[2]) == 'g';
  return meg ? 6 : kNoPrefix;
}

// PlainExponentPower: the power of "e3", "E-6", "e+12" (at most three
// digits); kNoPrefix for any other text. The Engineering and Scientific
// tables' displays ("E3", "E-18") are of this form and stand for the
// power they show, as the exponent does.
constexpr int PlainExponentPower(std::string_view suffix) noexcept {
  if (suffix.size() < 2 || (suffix[0] | 0x20) != 'e') return kNoPrefix;
  std::size_t i = 1;
  const bool negative = suffix[i] == '-';
  if (suffix[i] == '-' || suffix[i] == '+') ++i;
  const std::size_t digits = suffix.size() - i;
  if (digits == 0 || digits > 3) return kNoPrefix;
  int power = 0;
  for (; i < suffix.size(); ++i) {
    if (!IsDigitByte(suffix[i])) return kNoPrefix;
    power = power * 10 + (suffix[i] - '0');
  }
  return negative ? -power : power;
}

// True when `unit`'s prefixes in `notation` are the built-in table's, so
// that the fixed matchers above find what the table lookup would.
bool UsesBuiltInPrefixes(const COVUnitStorage* units, eUnitTypes unit,
                         eOrvantaNotations notation) noexcept {
  if (unit == eNoUnit) return true;
  if (units == nullptr || !IsElectricalUnit(unit)) return false;
  int count = 0;
  int builtInCount = 0;
  return units->GetUnits(unit, notation, count) == BuiltInUnitTable(notation, builtInCount);
}

NumberScan Refuse(eCTarvilErr error, int cursor) {
  return NumberScan{0, error, cursor, -1, 0.0};
}

}  // namespace

// The built-in name of `unit` in European notation, one capital letter; 0
// for a number without unit.
constexpr char EuropeanUnitLetter(eUnitTypes unit) noexcept {
  switch (unit) {
    case eAmps: return 'A';
    case eFarads: return 'F';
    case eHenrys: return 'H';
    case eOhms: return 'R';
    case eWatts: return 'W';
    case eVolts: return 'V';
    default: return '\0';
  }
}

// ReadEuropeanLetter: the power of ten of the letter `c` between the
// digits of a European number with the built-in prefixes, as the long way
// reads it: the unit's name in its own case is the point (power 0), and in
// the other case too unless that is a prefix's display ('4f7' is femto,
// '4F7' farads, '4r7' ohms); any other letter is the prefix it shows.
// False when it is none.
bool ReadEuropeanLetter(char c, eUnitTypes unit, int& power) noexcept {
  constexpr std::string_view kDisplays = "afpnumkMGTPe";
  const char name = EuropeanUnitLetter(unit);
  if (name != '\0' && AsciiUpper(c) == name &&
      (c == name || kDisplays.find(c) == std::string_view::npos)) {
    power = 0;
    return true;
  }
  power = kMetricPowers[c];
  return power != kNoPrefix;
}

// ReadCommonForm: the common form of `text` with the built-in prefixes,
// the whole text: a sign, digits with at most one point, then nothing, a
// prefix or an exponent ('4.7k', '10MEG', '1e-9'; the decimal notations
// have no prefix), or in European notation
// digits with a prefix or the unit's letter in the point's place ('4k7',
// '4R7'); at most 19 digits and a power of ten within 10^±22 of them, so
// that one exact product or quotient gives the nearest double, as the long
// way would. False for anything else (blanks, a thousands symbol, a second
// point, a unit list of its own, a refusal): the long way then reads the
// text.
bool ReadCommonForm(std::string_view text, eOrvantaNotations notation, eUnitTypes unit,
                    const Settings& format, const COVUnitStorage* units,
                    double& value) noexcept {
  const bool european = notation == eEuropean;
  if (notation < eEngineering || notation > eDecimal) return false;
  // In European notation the unit's name counts even without a prefix.
  if (european && !UsesBuiltInPrefixes(units, unit, notation)) return false;
  const char decimal = format.decimal;
  const char thousand = format.thousands;
  const char* p = text.data();
  const char* const end = p + text.size();
  bool negative = false;
  if (p != end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  // Every digit goes into the mantissa, leading zeros too: 19 digits fit
  // 64 bits, and longer numbers are rare enough for the long way.
  std::uint64_t mantissa = 0;
  const auto readDigits = [&] {
    const char* const first = p;
    for (; p != end && IsDigitByte(*p); ++p) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    return static_cast<int>(p - first);
  };
  const int integerDigits = readDigits();
  int fractionDigits = 0;
  int exponent = 0;
  if (p != end && *p != thousand && (*p == '.' || *p == decimal)) {
    ++p;
    fractionDigits = readDigits();
  } else if (european && integerDigits > 0 && p != end && *p != thousand) {
    // '4k7', '47k', '4R7': one letter in the point's place.
    if (!ReadEuropeanLetter(*p, unit, exponent)) return false;
    ++p;
    fractionDigits = readDigits();
  }
  const int digits = integerDigits + fractionDigits;
  if (digits == 0 || digits > 19) return false;
  if (p != end) {
    if (european) return false;
    // A unit list of its own may give any display any power.
    if (!UsesBuiltInPrefixes(units, unit, notation)) return false;
    const std::string_view suffix(p, static_cast<std::size_t>(end - p));
    if (notation == eSI && suffix.size() == 1) {
      exponent = kMetricPowers[suffix[0]];
    } else if (notation == eSPICE && suffix.size() != 2 && suffix.size() <= 3 &&
               (suffix[0] | 0x20) != 'e') {
      exponent = SpicePrefixPower(suffix);
    } else {
      exponent = PlainExponentPower(suffix);
    }
    if (exponent == kNoPrefix) return false;
  }
  exponent -= fractionDigits;
  if (mantissa > (std::uint64_t{1} << 53) || exponent < -22 || exponent > 22) return false;
  const double m = static_cast<double>(mantissa);
  value = exponent >= 0 ? m * kPowersOfTen[exponent] : m / kPowersOfTen[-exponent];
  if (negative) value = -value;
  return true;
}

double PowerOfTen(int n) {
  unsigned int magnitude = n < 0 ? 0u - static_cast<unsigned int>(n) : static_cast<unsigned int>(n);
  double result = 1.0;
  if (magnitude <= 22) {
    result = kPowersOfTen[magnitude];
  } else {
    double power = 10.0;
    for (unsigned int bits = magnitude; bits != 0; bits >>= 1) {
      if (bits & 1u) result *= power;
      power *= power;
    }
  }
  return n < 0 ? 1.0 / result : result;
}

const UnitEntry* FindPrefixByDisplay(const COVUnitStorage& units, std::string_view text,
                                     eUnitTypes unit, eOrvantaNotations notation,
                                     int* displayLength) {
  // Bytes past the view read as 0, which no display holds; a NUL byte
  // inside the view is a character like any other, so a display followed by
  // one is not used up ('4.7k\0junk' has no prefix).
  const auto at = [&](std::size_t k) -> unsigned char {
    return k < text.size() ? static_cast<unsigned char>(text[k]) : 0;
  };
  if (at(0) == 0) return nullptr;

  // In European notation the prefix stands between digits ('4k7'): only
  // the text before the first digit is compared. A display matches when it
  // equals that text (or the whole text) byte by byte, or but for ASCII
  // letter case when the entry allows it, as _mbsnbcmp and _mbsnbicmp
  // compare texts of the same length. Called for every prefix a reader
  // meets, so the comparison is done here rather than through the
  // multibyte runtime, and without measuring the text first.
  const bool european = notation == eEuropean;
  const auto isDigit = [](unsigned char b) { return b >= '0' && b <= '9'; };
  const auto asciiLower = [](unsigned char b) {
    return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + 32) : b;
  };
  // The compared text is empty when a European text starts with a digit.
  if (european && isDigit(at(0))) return nullptr;
  const unsigned char first = at(0);
  const unsigned char firstLower = asciiLower(first);
  int count = 0;
  const UnitEntry* entries = units.GetUnits(unit, notation, count);
  for (int i = 0; i < count; ++i) {
    const auto* shown = reinterpret_cast<const unsigned char*>(entries[i].display);
    if (shown == nullptr) continue;
    const bool anyCase = entries[i].caseSensitive == 0;
    // Most entries differ in their first byte already (an empty display
    // never matches: the text is not empty).
    if (shown[0] != first && (!anyCase || asciiLower(shown[0]) != firstLower)) continue;
    std::size_t k = 1;
    for (; shown[k] != '\0'; ++k) {
      const unsigned char c = at(k);
      if (k >= text.size() || (european && isDigit(c))) break;
      if (c != shown[k] && (!anyCase || asciiLower(c) != asciiLower(shown[k]))) break;
    }
    if (shown[k] != '\0') continue;
    // The display is used up; so must the compared text be.
    if (k >= text.size() || (european && isDigit(at(k)))) {
      if (displayLength != nullptr) *displayLength = static_cast<int>(k);
      return &entries[i];
    }
  }
  return nullptr;
}

PrefixMatch MatchUnitPrefix(eUnitTypes unit, eOrvantaNotations notation, std::string_view text,
                            int integerDigits, int lastNonZeroFraction,
                            const COVUnitStorage& units) {
  PrefixMatch match{0, 0, 0};
  const UnitEntry* entry = FindPrefixByDisplay(units, text, unit, notation, &match.length);
  if (entry == nullptr && unit != eNoUnit) {
    entry = FindPrefixByDisplay(units, text, eNoUnit, notation, &match.length);
  }
  if (entry == nullptr) return match;
  match.exponent = entry->exponent;
  if (notation != eEuropean) {
    const std::int64_t magnitude = entry->exponent < 0 ? -static_cast<std::int64_t>(entry->exponent)
                                                       : entry->exponent;
    if (entry->exponent >= 0) {
      if (magnitude + integerDigits > 308) return match;
    } else if (magnitude - integerDigits + lastNonZeroFraction > 308) {
      return match;
    }
  }
  match.matched = 1;
  return match;
}

ExponentSuffix ParseExponentSuffix(const char* text, int length, int integerDigits,
                                   int lastNonZeroFraction) {
  ExponentSuffix suffix{0, 0};
  if (length < 2 || (text[0] != 'e' && text[0] != 'E')) return suffix;
  if (!IsDigitByte(text[1]) && text[1] != '+' && text[1] != '-') return suffix;
  bool negative = false;
  bool digit = false;
  std::int64_t magnitude = 0;
  for (int i = 1; i < length; ++i) {
    char c = text[i];
    if (IsDigitByte(c)) {
      digit = true;
      magnitude = magnitude * 10 + (c - '0');
      if (magnitude > kExponentCap) magnitude = kExponentCap;
    } else if (c == '-') {
      negative = true;
    } else if (c != '+') {
      return suffix;
    }
  }
  if (!digit) return suffix;
  if (!negative) {
    if (magnitude + integerDigits - 1 >= kFirstOverflowingPower) return suffix;
  } else {
    // Trailing zeros of a whole number move into the exponent ('5000e-310'
    // is 5e-307); the measure below is the same either way.
    if (magnitude - integerDigits + lastNonZeroFraction >= 308) return suffix;
  }
  suffix.accepted = 1;
  suffix.exponent = static_cast<int>(negative ? -magnitude : magnitude);
  return suffix;
}

namespace {

// What the long way has read of a number so far.
struct NumberReading {
  DigitCollector digits;
  int integerDigits = 0;
  int fractionDigits = 0;
  int lastNonZeroFraction = 0;
  bool digitSeen = false;
  bool pointSeen = false;
  bool prefixSeen = false;
  int exponent = 0;  // power of ten of the prefix and the exponent

  void AddDigit(char c) {
    digitSeen = true;
    if (!pointSeen) {
      ++integerDigits;
    } else {
      ++fractionDigits;
      if (c != '0') lastNonZeroFraction = fractionDigits;
    }
    digits.Add(c);
  }
};

// Where a European number's unit name stands, which may be in the point's
// place ('4R7'); `at` -1 when nowhere.
struct NameAsPoint {
  int at = -1;
  int length = 0;
};

NameAsPoint FindNameAsPoint(std::string_view view, eOrvantaNotations notation, eUnitTypes unit,
                            const EngineSettings& settings) {
  NameAsPoint name;
  if (notation != eEuropean || !IsElectricalUnit(unit)) return name;
  const std::string_view display = BaseUnitName(settings.units, unit, eEuropean);
  name.length = static_cast<int>(display.size());
  if (name.length > 0) {
    name.at = LastUnitNameIndex(view.data(), static_cast<int>(view.size()), display, unit,
                                eEuropean, settings);
  }
  return name;
}

// ReadNumber's answers beside the index to go on from.
constexpr int kNumberEnds = -1;
constexpr int kNumberRefused = -2;

// The cursor of an invalid character at `i`: after the whole of a refused
// exponent ('4e5x'), else the character itself.
int InvalidCharacterCursor(const char* text, int i, int end, bool digitSeen) {
  if ((text[i] != 'e' && text[i] != 'E') || !digitSeen) return i + 1;
  int j = i + 1;
  if (j < end && (text[j] == '+' || text[j] == '-')) ++j;
  while (j < end && IsDigitByte(text[j])) ++j;
  return j + 1;
}

// ReadPrefixOrExponent: the prefix or exponent at `i` into `r`. Returns the
// index to go on from (a European prefix stands in the point's place),
// kNumberEnds when the number ends with it, or kNumberRefused after a
// refusal into `scan`.
int ReadPrefixOrExponent(std::string_view view, int i, int end, eOrvantaNotations notation,
                         eUnitTypes unit, const EngineSettings& settings, NumberReading& r,
                         NumberScan& scan) {
  const PrefixMatch prefix = MatchUnitPrefix(unit, notation, view.substr(i, end - i),
                                             r.integerDigits, r.lastNonZeroFraction,
                                             settings.units);
  if (prefix.matched && notation != eEuropean) {
    r.exponent = prefix.exponent;
    return kNumberEnds;
  }
  if (prefix.matched) {
    const int length = prefix.length > 0 ? prefix.length : 1;
    if (r.prefixSeen || r.pointSeen) {
      scan.error = eErrTooManyDecimalPlaces;
      scan.cursor = r.prefixSeen ? i + 1 : i + length;
      return kNumberRefused;
    }
    r.exponent = prefix.exponent;
    r.prefixSeen = true;
    r.pointSeen = true;
    return i + length;
  }
  const ExponentSuffix suffix = ParseExponentSuffix(view.data() + i, end - i, r.integerDigits,
                                                    r.lastNonZeroFraction);
  if (suffix.accepted) {
    // After a European prefix ('4k7e3') both powers apply.
    r.exponent += suffix.exponent;
    return kNumberEnds;
  }
  scan.error = eErrInvalidCharacter;
  scan.cursor = InvalidCharacterCursor(view.data(), i, end, r.digitSeen);
  return kNumberRefused;
}

// ReadNumber: the number in [start, end) into `r`: digits, thousands
// symbols after a digit, one point (or the unit's name in its place), then
// a prefix or an exponent. False after a refusal into `scan`.
bool ReadNumber(std::string_view view, int start, int end, eOrvantaNotations notation,
                eUnitTypes unit, const EngineSettings& settings, NameAsPoint name,
                NumberReading& r, NumberScan& scan) {
  // The symbols, read once: the loop's stores into the digit buffer could
  // otherwise be taken to change them.
  const char thousand = settings.format.thousands;
  const char decimal = settings.format.decimal;
  for (int i = start; i < end;) {
    const char c = view[static_cast<std::size_t>(i)];
    if (IsDigitByte(c)) {
      r.AddDigit(c);
      ++i;
    } else if (c == thousand) {
      if (!r.digitSeen) {
        scan.error = eErrInvalidCharacter;
        scan.cursor = i + 1;
        return false;
      }
      ++i;
    } else if (c == '.' || c == decimal || i == name.at) {
      if (r.pointSeen) {
        scan.error = eErrTooManyDecimalPlaces;
        scan.cursor = i + 1;
        return false;
      }
      r.pointSeen = true;
      i += (i == name.at && name.length > 1) ? name.length : 1;
    } else {
      i = ReadPrefixOrExponent(view, i, end, notation, unit, settings, r, scan);
      if (i == kNumberRefused) return false;
      if (i == kNumberEnds) break;
    }
  }
  if (!r.digitSeen) {
    scan.error = eErrInvalidCharacter;
    scan.cursor = 1;
    return false;
  }
  return true;
}

}  // namespace

NumberScan ScanNotationNumber(std::string_view view, eOrvantaNotations notation, eUnitTypes unit,
                              const EngineSettings& settings, bool quick) {
  const Settings& format = settings.format;
  const char* const text = view.data();
  const int length = static_cast<int>(view.size());
  if (length <= 0) return Refuse(eErrEmpty, 0);
  double common = 0.0;
  if (quick && ReadCommonForm(view, notation, unit, format, &settings.units, common)) {
    return NumberScan{1, eErrNone, length, -1, common};
  }
  // In European notation the unit name may stand in place of the point.
  const NameAsPoint name = FindNameAsPoint(view, notation, unit, settings);
  const NonBlank trimmed = TrimBlanks(view);
  // The class's number tests leave the text's length for a blank text.
  if (trimmed.Blank()) return Refuse(eErrBlank, length);
  int start = trimmed.first;
  int end = trimmed.end;
  const bool negative = text[start] == '-';
  if (text[start] == '-' || text[start] == '+') ++start;
  if (start >= end) return Refuse(eErrInvalidCharacter, start + 1);

  // From here on the text ends after its last non-blank character, and a
  // trailing "%" goes too unless it is one of the regional symbols; the
  // caller learns where through cutLength.
  if (text[end - 1] == '%' && format.thousands != '%' && format.decimal != '%') --end;
  NumberScan scan{0, eErrNone, length, end < length ? end : -1, 0.0};
  if (start >= end) {
    scan.error = eErrInvalidCharacter;
    scan.cursor = 1;
    return scan;
  }
  NumberReading r;
  if (!ReadNumber(view, start, end, notation, unit, settings, name, r, scan)) return scan;
  double value = 0.0;
  if (!r.digits.Convert(static_cast<std::int64_t>(r.exponent) - r.fractionDigits, value)) {
    // A number beyond the largest double has no value to give.
    scan.error = eErrInvalidCharacter;
    scan.cursor = end + 1;
    return scan;
  }
  scan.ok = 1;
  scan.value = negative ? -value : value;
  return scan;
}

NumberScan ScanElectricalText(std::string_view view, eUnitTypes unit,
                              eOrvantaNotations notation, eCTarvilDomain domain,
                              bool unitOptionalInEuropean, const EngineSettings& settings) {
  const Settings& format = settings.format;
  const std::string_view name = BaseUnitName(settings.units, unit, notation);
  const char* const text = view.data();
  const int length = static_cast<int>(view.size());
  if (length <= 0) return Refuse(eErrEmpty, 0);
  const NonBlank trimmed = TrimBlanks(view);
  if (trimmed.Blank()) return Refuse(eErrBlank, BlankPosition(view));
  const int first = trimmed.first;
  const int end = trimmed.end;
  // The number must begin with a digit or the decimal symbol, after an
  // optional sign.
  int lead = first;
  if (text[lead] == '-' || text[lead] == '+') ++lead;
  if (lead >= end || !(IsDigitByte(text[lead]) || text[lead] == format.decimal)) {
    return Refuse(eErrInvalidCharacter, lead + 1);
  }
  const int nameLength = static_cast<int>(name.size());
  int nameAt = LastUnitNameIndex(text + first, end - first, name, unit, notation, settings);
  if (nameAt >= 0) nameAt += first;
  // The number part: a part of the text, or a copy where the unit name
  // stands for the point.
  std::string_view number = view.substr(static_cast<std::size_t>(first));
  TextBuffer joined;
  if (nameAt < 0) {
    if (!(unitOptionalInEuropean && notation == eEuropean)) {
      // The name's view ends in a terminator.
      const int letters = static_cast<int>(
          tarvil::platform::_mbslen(reinterpret_cast<const unsigned char*>(name.data())));
      return Refuse(eErrNoUnit, TrailingLetterRunStart(text, first, end, letters) + 1);
    }
    number = number.substr(0, static_cast<std::size_t>(end - first));
  } else if (nameAt + nameLength == end) {
    number = number.substr(0, static_cast<std::size_t>(nameAt - first));
  } else if (notation == eEuropean) {
    // '4W7': the unit name is the decimal point.
    joined.append(text + first, static_cast<std::size_t>(nameAt - first));
    joined.push_back(format.decimal);
    joined.append(text + nameAt + nameLength, static_cast<std::size_t>(end - nameAt - nameLength));
    number = joined.view();
  } else {
    return Refuse(eErrNoUnit, length + 1);
  }
  if (number.empty()) return Refuse(eErrInvalidCharacter, first + 1);
  NumberScan scan = ScanNotationNumber(number, notation, eNoUnit, settings);
  if (!scan.ok) {
    return Refuse(scan.error, scan.cursor + first);
  }
  eCTarvilErr domainError = eErrNone;
  if (!CTarvilValueInDomain(scan.value, domain, &domainError)) {
    return Refuse(domainError, first + 1);
  }
  return NumberScan{1, eErrNone, length + 1, -1, scan.value};
}

}  // namespace tarvil::detail
