// MeasureText.cpp: the measure-text scanner and renderer shared by the
// length, time, velocity and angle members.
#include "MeasureTextInternal.h"

#include <cmath>

#include "CRuntime.h"
#include "DecimalSymbolInternal.h"
#include "Mbc.h"
#include "SigDigits.h"
#include "TextScanInternal.h"
#include "UnitConversionInternal.h"

namespace tarvil::detail {
namespace {

// Configured precisions come from the registry unchecked; beyond this many
// decimals a double has nothing left to show.
constexpr int kMaxConfiguredDecimals = 64;

// A byte of a multibyte character counts as a letter, as the character does
// for _ismbcalpha.
inline bool IsLetter(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b >= 0x80;
}

bool IsSuffixChar(char c, bool slashAndPercent) {
  return IsLetter(c) || (slashAndPercent && (c == '/' || c == '%'));
}

// The single-byte classes of the multibyte runtime (_ismbcspace,
// _ismbcdigit, and _ismbcalpha or _ismbcpunct together), spelled out because
// every character of an angle text is tested with them.
// A letter (a byte of a multibyte character counts as one) or an ASCII
// punctuation character: every byte above the blank but digits and DEL.
inline bool IsLetterOrPunct(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b > 0x20 && b != 0x7F && !IsDigitByte(c);
}

// Characters of a part's number: digits, blanks, decimal points, exponent
// letters and signs.
bool IsNumberChar(char c, char decimal) {
  return IsDigitByte(c) || IsBlankByte(c) || c == '.' || c == decimal || c == 'e' || c == 'E' ||
         c == '+' || c == '-';
}

// Characters of a part's unit: letters, punctuation and blanks. A sign ends
// the unit: it begins the next part's number ('10deg -30'').
bool IsUnitChar(char c) {
  if (c == '+' || c == '-') return false;
  return IsLetterOrPunct(c) || IsBlankByte(c);
}

}  // namespace

// Brings `degrees` into (-360, 360), or [0, 360) when `positive` is 1.
double NormaliseDegrees(double degrees, bool positive) {
  if (degrees <= -360.0 || degrees >= 360.0) degrees = std::fmod(degrees, 360.0);
  if (positive && degrees < 0.0) {
    degrees += 360.0;
    // A tiny negative angle rounds to a full turn, which is 0.
    if (degrees >= 360.0) degrees = 0.0;
  }
  if (degrees == 0.0) degrees = 0.0;  // no negative zero
  return degrees;
}


bool FindMeasureSpan(std::string_view text, bool slashAndPercent, MeasureSpan& span) {
  const int start = FirstNonBlankIndex(text);
  const int end = EndOfNonBlank(text, start);
  if (start >= end || !IsLetter(text[end - 1])) return false;

  int suffix = end;
  while (suffix > start && IsSuffixChar(text[suffix - 1], slashAndPercent)) --suffix;
  if (suffix == start) {
    // The first character belongs to the number even when it is a letter.
    suffix = start + tarvil::platform::MbcLength(
                         reinterpret_cast<const unsigned char*>(text.data()) + start);
    if (suffix > end) suffix = end;
  }
  span.start = start;
  span.end = end;
  span.suffix = suffix;
  return true;
}

NumberScan ReadMeasurePart(std::string_view text, const MeasureSpan& span, bool scientific,
                           const EngineSettings& settings) {
  const std::string_view head = text.substr(0, static_cast<std::size_t>(span.suffix));
  const int numberEnd = EndOfNonBlank(head, span.start);
  const std::string_view part =
      head.substr(static_cast<std::size_t>(span.start),
                  static_cast<std::size_t>(numberEnd - span.start));
  NumberScan scan =
      ScanNotationNumber(part, scientific ? eScientific : eDecimal, eNoUnit, settings);
  if (!scan.ok) scan.cursor += span.start;
  return scan;
}

// The time unit of a suffix: its last "s" (either case) is taken as "s",
// every other letter keeps its case, so the prefix decides by its case
// ('ms' milli, 'Ms' mega). -1 when nothing matches.
int MatchTimeUnit(std::string_view suffix) {
  // The longest unit text is a prefix and "s".
  if (suffix.empty() || suffix.size() > 2) return -1;
  char text[2] = {suffix[0], suffix.size() > 1 ? suffix[1] : '\0'};
  const size_t last = suffix.size() - 1;
  size_t s = last + 1;
  for (size_t i = 0; i <= last; ++i) {
    if (suffix[i] == 's' || suffix[i] == 'S') s = i;
  }
  if (s > last) return -1;
  text[s] = 's';
  // Each unit text is compared up to its terminator (the suffix holds
  // letters only, never a NUL).
  for (int i = 0; i < kSIUnitNum; ++i) {
    const char* candidate = kSIUnitTexts[i];
    std::size_t k = 0;
    while (k < suffix.size() && candidate[k] == text[k]) ++k;
    if (k == suffix.size() && candidate[k] == '\0') return i;
  }
  return -1;
}

int MatchUnitText(std::string_view unit, const char* const* texts, int count) {
  for (int i = 0; i < count; ++i) {
    const std::string_view candidate = texts[i];
    if (candidate.size() != unit.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < unit.size() && same; ++k) {
      char c = unit[k];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      same = c == candidate[k];
    }
    if (same) return i;
  }
  return -1;
}

void FormatMeasureNumber(double v, int precision, bool usePrecision, bool group,
                         const Settings& format, std::string& out) {
  out.clear();
  if (!std::isfinite(v)) {
    out = std::isnan(v) ? "NaN" : "#INF";
    return;
  }
  if (precision < 0) precision = 0;
  if (precision > kMaxConfiguredDecimals) precision = kMaxConfiguredDecimals;

  const int needed = CTarvilGetNumOfSigDigits(v);
  int decimals = needed;
  if (usePrecision) {
    decimals = precision;
    if (format.suppress_trailing_zeros && needed < precision) decimals = needed;
  }

  tarvil::platform::FormatFixed(v, decimals, out);
  if (out.size() >= 2 && out[0] == '-' && out[1] == '0') DropNegativeZeroSign(out);
  if (decimals >= 1) ToUserDecimal(out, format);
  if (group) InsertDigitGrouping(out, v, format);
}

namespace {

// The index of a second decimal point (either '.' or the regional symbol)
// in [start, end), or -1 when there is at most one.
int SecondDecimalPoint(std::string_view text, int start, int end, char decimal) {
  bool pointSeen = false;
  for (int i = start; i < end; ++i) {
    if (text[i] != '.' && text[i] != decimal) continue;
    if (pointSeen) return i;
    pointSeen = true;
  }
  return -1;
}

// A bare number of `digits` digits after the last unit: fraction digits of
// one `first` unit, e.g. "5" after "10deg 30'" is 0.5 deg.
double AngleFraction(double number, int digits, eAngleUnits first) {
  double power = 1.0;
  for (int i = digits; i > 0 && std::isfinite(power); --i) power *= 10.0;
  return ConvertAngleUnits(number * (1.0 / power), kAngleUnitNum, first);
}

// The angle unit whose letters start at `from`, blanks around it ignored:
// its index (-1: none), and in `unitEnd` the index after its letters.
int MatchAngleUnitAt(std::string_view text, int from, int end, int& unitEnd) {
  unitEnd = from;
  while (unitEnd < end && IsUnitChar(text[unitEnd])) ++unitEnd;
  int unitFirst = from;
  int unitLast = unitEnd;
  while (unitFirst < unitLast && IsBlankByte(text[unitFirst])) ++unitFirst;
  while (unitLast > unitFirst && IsBlankByte(text[unitLast - 1])) --unitLast;
  return MatchUnitText(text.substr(unitFirst, unitLast - unitFirst), kAngleUnitTexts,
                       kAngleUnitNum);
}

}  // namespace

AngleScan ScanAngleText(std::string_view text, const EngineSettings& settings) {
  AngleScan scan;
  if (text.empty()) return scan.Refuse(eErrEmpty, 0);
  scan.cursor = static_cast<int>(text.size()) + 1;
  const NonBlank trimmed = TrimBlanks(text);
  if (trimmed.Blank()) return scan.Refuse(eErrBlank, BlankPosition(text));
  const int start = trimmed.first;
  const int end = trimmed.end;
  const bool negative = text[start] == '-';
  const char decimal = settings.format.decimal;

  const int second = SecondDecimalPoint(text, start, end, decimal);
  if (second >= 0) return scan.Refuse(eErrTooManyDecimalPlaces, second + 1);

  eAngleUnits first = kAngleUnitNum;
  double total = 0.0;
  // Every later part takes the first part's sign.
  const auto add = [&](double part) { total = negative ? total - part : total + part; };
  int pos = start;
  while (pos < end) {
    int numberEnd = pos;
    while (numberEnd < end && IsNumberChar(text[numberEnd], decimal)) ++numberEnd;
    if (first == kAngleUnitNum && (numberEnd == pos || numberEnd == end)) {
      return scan.Refuse(eErrNoUnit, end + 1);
    }
    // A later part that does not start with a number.
    if (numberEnd == pos) return scan.Refuse(eErrInvalidCharacter, pos + 1);

    const NumberScan run = ScanNotationNumber(
        text.substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(numberEnd - pos)),
        eDecimal, eNoUnit, settings);
    if (!run.ok) return scan.Refuse(run.error, run.cursor + pos);
    if (numberEnd == end) {
      add(AngleFraction(run.value, numberEnd - pos, first));
      break;
    }

    int unitEnd = numberEnd;
    const int unit = MatchAngleUnitAt(text, numberEnd, end, unitEnd);
    // An unknown unit, or the first part's unit again (which would leave
    // it unclear what the text means).
    if (unit < 0 || unit == first) return scan.Refuse(eErrInvalidCharacter, numberEnd + 1);

    if (first == kAngleUnitNum) {
      first = static_cast<eAngleUnits>(unit);
      scan.unit = first;
      total = run.value;
    } else {
      add(ConvertAngleUnits(run.value, static_cast<eAngleUnits>(unit), first));
    }
    pos = unitEnd;
  }

  // A total beyond the double range: error 7 on the first non-blank.
  if (!std::isfinite(total)) return scan.Refuse(eErrTooLarge, start + 1);
  scan.ok = true;
  scan.value = total;
  return scan;
}

}  // namespace tarvil::detail
