// MeasureText.cpp: the measure-text scanner and renderer shared by the
// length, time, velocity and angle members.
#include "MeasureTextInternal.h"

#include <cmath>

#include "CRuntime.h"
#include "DecimalSymbolInternal.h"
#include "Mbc.h"
#include "SigDigits.h"
#include "TextScanInternal.h"

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

}  // namespace

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
                         const CTarvilLocale& locale, std::string& out) {
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
    if (locale.m_nSuppressTrailingZeros == 1 && needed < precision) decimals = needed;
  }

  tarvil::platform::FormatFixed(v, decimals, out);
  if (out.size() >= 2 && out[0] == '-' && out[1] == '0') DropNegativeZeroSign(out);
  if (decimals >= 1) ToUserDecimal(out, locale);
  if (group) InsertDigitGrouping(out, v, locale);
}

}  // namespace tarvil::detail
