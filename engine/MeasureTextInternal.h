// MeasureTextInternal.h: the measure-text scanner and renderer of the
// engine, shared by lengths, times, velocities and angles: splitting a text
// into its number and unit suffix, reading the number part, matching a unit
// text, and writing a value as fixed-point text in the user's regional form.
// Settings are arguments; nothing here touches shared state. Not installed.
#ifndef TARVIL_MEASURETEXTINTERNAL_H
#define TARVIL_MEASURETEXTINTERNAL_H

#include <string>
#include <string_view>

#include "EngineSettingsInternal.h"
#include "MeasureUnits.h"
#include "NotationInternal.h"

namespace tarvil::detail {

// Byte offsets (0-based) of a measure text's parts.
struct MeasureSpan {
  int start = 0;   // first non-blank character
  int end = 0;     // one past the last non-blank character
  int suffix = 0;  // first character of the unit suffix (start < suffix < end)
};

// FindMeasureSpan: splits `text` into number and unit suffix. The suffix is
// the longest run of letters (and, when `slashAndPercent`, of "/" and "%")
// ending at the last non-blank character; the first non-blank character
// always belongs to the number. Returns false when the text is blank or its
// last non-blank character is not a letter.
bool FindMeasureSpan(std::string_view text, bool slashAndPercent, MeasureSpan& span);

// ReadMeasurePart: reads the number part of `text` (from span.start to the
// suffix, trailing blanks dropped) as a plain decimal, or under the
// Scientific notation when `scientific`. The cursor of a refusal is one in
// the whole text.
NumberScan ReadMeasurePart(std::string_view text, const MeasureSpan& span, bool scientific,
                           const EngineSettings& settings);

// MatchUnitText: the index of the entry of `texts` (lower-case ASCII) that
// equals `unit` when its ASCII letters are lowered, or -1.
int MatchUnitText(std::string_view unit, const char* const* texts, int count);

// MatchTimeUnit: the time unit (eSIUnits) of a suffix: its last "s" (either
// case) is taken as "s", every other letter keeps its case, so the prefix
// decides by its case ('ms' milli, 'Ms' mega, 'mS' milli). -1 when nothing
// matches.
int MatchTimeUnit(std::string_view suffix);

// FormatMeasureNumber: `v` as fixed-point text in user form, into `out`
// (replacing it). The decimals are `precision` when `usePrecision` (fewer
// when trailing zeros are suppressed and the value needs fewer), otherwise
// as many as the value needs. A value that rounds to zero is never shown
// negative; the regional decimal symbol and leading-zero rule apply;
// `group` inserts the regional digit grouping. NaN gives "NaN" and
// infinities "#INF". The text is never cut, however long it is.
void FormatMeasureNumber(double v, int precision, bool usePrecision, bool group,
                         const Settings& format, std::string& out);

// An angle read by ScanAngleText.
struct AngleScan {
  bool ok = false;
  eCTarvilErr error = eErrNone;
  int cursor = 0;                    // 1-based; length + 1 when read
  double value = 0.0;                // in `unit` (0 unless read)
  eAngleUnits unit = kAngleUnitNum;  // the first part's unit, once known
  AngleScan Refuse(eCTarvilErr e, int at) {
    ok = false;
    error = e;
    cursor = at;
    value = 0.0;
    return *this;
  }
};

// ScanAngleText: an angle in one or more parts, each a number and a unit
// ("deg", "rad", "'" or the double quote, any case), later parts in other
// units than the first ('10deg 30' 15"'), a bare number after the last unit
// as fraction digits of the first; the total in the first part's unit,
// every part taking the sign of the first. Errors: 1 empty, 2 blank, 3 a
// second decimal point, 6 no unit on the first part, 4 an unknown or
// repeated unit or a part without a number, 7 a total beyond the double
// range, and those of a part's number.
AngleScan ScanAngleText(std::string_view text, const EngineSettings& settings);

// NormaliseDegrees: `degrees` into (-360, 360), or [0, 360) when `positive`;
// never a negative zero.
double NormaliseDegrees(double degrees, bool positive);

}  // namespace tarvil::detail

#endif
