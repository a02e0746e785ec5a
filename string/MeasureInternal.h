// MeasureInternal.h: the steps that the length, time, velocity and angle
// members share: splitting a measure text into its number and its unit
// suffix, reading the number, checking the value domain, and rendering a
// value as fixed-point text in the user's regional form. Not installed.
//
// The routines work on a CTarvil's own text and report failures through its
// error code and cursor position (1-based) as the measure tests do.
#ifndef TARVIL_MEASUREINTERNAL_H
#define TARVIL_MEASUREINTERNAL_H

#include <string>
#include <string_view>

#include "CTarvil.h"
#include "MeasureTextInternal.h"
#include "TextScanInternal.h"

namespace tarvil::detail {

// MeasureSyntax: how a measure text is split and read: whether its unit
// suffix may hold '/' and '%', and whether its number is read under the
// Scientific notation rather than as GetDouble reads it.
struct MeasureSyntax {
  bool slashAndPercent;
  bool scientific;
};
// Lengths and times: a unit of letters after a number in the user's form.
inline constexpr MeasureSyntax kLetterUnitSyntax{false, false};
// Velocities: 'm/s' or '%c' after a number in Scientific notation
// ('1.5E8m/s').
inline constexpr MeasureSyntax kVelocitySyntax{true, true};

// ScanMeasureText: clears the error, then splits the object's text as
// FindMeasureSpan (MeasureTextInternal.h) does. Failures: empty text (error
// 1, cursor 0), blank text (error 2, cursor length + 1), no trailing letter
// (error 6, cursor length + 1). On success the cursor is length + 1 and the error 0.
bool ScanMeasureText(CTarvil& s, bool slashAndPercent, MeasureSpan& span);

// ReadMeasureNumber: reads the number part (from span.start to the suffix,
// trailing blanks dropped) with GetDouble, or under the Scientific notation
// when `scientific`. On failure the object takes the part's error, with the
// part's cursor moved into the whole text, and false is returned. The
// object's text is not changed.
bool ReadMeasureNumber(CTarvil& s, const MeasureSpan& span, bool scientific, double* value);

// CheckMeasureDomain: CTarvilValueInDomain; on failure the object takes its
// error with the cursor on `start` (0-based), and false is returned.
bool CheckMeasureDomain(CTarvil& s, double value, eCTarvilDomain domain, int start);

// ReadPlainNumber: the whole text read as GetDouble reads it, without
// cutting it; the object takes the reader's cursor and error. `*value` is 0
// unless the text is read. True on success.
bool ReadPlainNumber(CTarvil& s, double* value);

// RecognizeMeasure: the recognition that the length, time and velocity
// tests share: the text split into number and unit suffix (ScanMeasureText;
// split by `syntax`), the number read (ReadMeasureNumber, as `syntax`
// says) into `*value` and checked
// against `domain`, then the suffix given to `match`, which returns the
// unit's index or -1. Returns the index, or -1 with the object's error and
// cursor set (an unknown unit: error 4 on the suffix's first character).
template <typename Match>
int RecognizeMeasure(CTarvil& s, MeasureSyntax syntax, eCTarvilDomain domain, double* value,
                     Match match) {
  MeasureSpan span;
  if (!ScanMeasureText(s, syntax.slashAndPercent, span)) return -1;
  if (!ReadMeasureNumber(s, span, syntax.scientific, value)) return -1;
  if (!CheckMeasureDomain(s, *value, domain, span.start)) return -1;
  const int unit = match(s.View().substr(static_cast<std::size_t>(span.suffix),
                                         static_cast<std::size_t>(span.end - span.suffix)));
  if (unit < 0) {
    s.m_eCurrentError = eErrInvalidCharacter;
    s.m_nCursorPosition = span.suffix + 1;
  }
  return unit;
}

// RefuseNonFinite: a converted measure that overflowed the double range
// is refused with error 7 and the cursor on the first non-blank character.
// True when `value` is finite.
bool RefuseNonFinite(CTarvil& s, double value);

// RefuseUnderflow: a non-zero measure whose conversion to its carrier unit
// underflowed to 0 ('1E-307' attoseconds) is refused with error 8 and the
// cursor on the first non-blank character, so that a zero never passes for
// a value the caller's domain checked as non-zero. True otherwise.
bool RefuseUnderflow(CTarvil& s, double typed, double converted);

// DigitGrouping: whether FormatMeasureNumber groups the digits of the
// whole part (angles are never grouped).
enum class DigitGrouping { kNone, kRegional };

// FormatMeasureNumber: `v` as fixed-point text in user form, into `out`
// (replacing it). The decimals are `precision` when `usePrecision` is 1
// (fewer when trailing zeros are suppressed and the value needs fewer),
// otherwise as many as the value needs. A value that rounds to zero is
// never shown negative; the regional decimal symbol and leading-zero rule
// apply; DigitGrouping::kRegional inserts the regional digit grouping. NaN gives "NaN" and
// infinities "#INF". The text is never cut, however long it is.
void FormatMeasureNumber(double v, int precision, int usePrecision, DigitGrouping grouping,
                         std::string& out);

}  // namespace tarvil::detail

#endif
