// NotationInternal.h: the notation writer and reader of the engine.
// DropNegativeZeroSign and InsertDigitGrouping are shared with the measure
// writers; the rest serves the electrical and number families. Not
// installed.
//
// Every routine takes the settings it reads as an argument (EngineSettings,
// or the part of it that it needs), reads its text through a view without
// writing into it, and touches no shared state: any number of threads may
// call them at once with settings that none of them changes.
#ifndef TARVIL_NOTATIONINTERNAL_H
#define TARVIL_NOTATIONINTERNAL_H

#include <string>
#include <string_view>

#include "COVUnitStorage.h"
#include "TarvilSettings.h"
#include "EngineSettingsInternal.h"
#include "OrvantaNotations.h"
#include "TarvilErrors.h"
#include "TextBufferInternal.h"
#include "TextScanInternal.h"
#include "UnitTypes.h"

namespace tarvil::detail {

// DropNegativeZeroSign: removes a leading "-" when every following character
// is "0" or "." ('-0.000' becomes '0.000'; '-0.001' stays).
void DropNegativeZeroSign(std::string& text);
void DropNegativeZeroSign(TextBuffer& text);

// InsertDigitGrouping: inserts the regional thousands symbol into the
// integer part of a user-form number text (split at its last regional
// decimal symbol, else at its first "E"); `value` gives the sign. Nothing
// when the grouping size is below 1.
void InsertDigitGrouping(std::string& text, double value, const Settings& format);
void InsertDigitGrouping(TextBuffer& text, double value, const Settings& format);

// AppendGroupedDigits: appends the digits `digits` to `out`, with the
// thousands symbol before every group of `grouping` digits counted from the
// right (no symbol when `grouping` is below 1 or the digits fit one group).
void AppendGroupedDigits(TextBuffer& out, std::string_view digits, int grouping, char thousands);

// ---- Writing ---------------------------------------------------------------

// The prefix chosen for a value, and the value scaled to it.
struct ChosenEntry {
  const UnitEntry* entry;  // null: the value is written without a prefix
  double mantissa;         // value / 10^(entry exponent), with the value's sign
};

// ChooseUnitEntry: the prefix of the list that governs `unit` in `notation`
// that suits `value`: the entry of the value's decimal exponent, else the
// lower neighbour when it is less than three decades below, else the upper
// one; the last entry for values up to three decades above it; none for 0
// without an exponent-0 entry, for values below the first entry or beyond
// the last + 3, for an empty list and for eFullPrecision. Leading digits
// within 1e-11 of 10 count as the next decade (999.9999999999 is 1 × 10^3).
ChosenEntry ChooseUnitEntry(eUnitTypes unit, eOrvantaNotations notation, double value,
                            const COVUnitStorage& units);

// FormatNotationNumber: writes `value` (through `mantissa` and `entry` from
// ChooseUnitEntry) into `out` in the form of `notation`, with the user's
// symbols. usePrecision 1: the notation's configured decimals; otherwise as
// many as the number needs. forceTrim 1 removes trailing decimal zeros of a
// prefixed number whatever the suppress setting says.
void FormatNotationNumber(TextBuffer& out, eOrvantaNotations notation, double value,
                          double mantissa, const UnitEntry* entry, bool forceTrim,
                          bool usePrecision, const Settings& format);

// ApplyNotationPrecision: re-rounds a C-form number text (optionally with an
// "E" exponent part) to `decimals` decimals, drops the sign of a negative
// zero and, when trailing zeros are suppressed, removes them (and a bare
// "."). The exponent part is kept as it is.
void ApplyNotationPrecision(TextBuffer& text, int decimals, const Settings& format);

// JoinEuropeanUnitName: puts the European unit name of `unit` in place of
// the last decimal symbol of a number written without prefix ('4.7' becomes
// '4R7'), or after it when it has none ('47R').
void JoinEuropeanUnitName(std::string& text, eUnitTypes unit, const EngineSettings& settings);

// WriteNotationValue: ChooseUnitEntry and FormatNotationNumber for a finite
// `value`, then blanks trimmed from both ends. Returns 1 when the chosen
// entry is the base entry (exponent 0), else 0.
int WriteNotationValue(TextBuffer& out, eOrvantaNotations notation, double value,
                       bool usePrecision, eUnitTypes unit, bool forceTrim,
                       const EngineSettings& settings);

// ---- Reading ---------------------------------------------------------------

// Outcome of reading a number text.
struct NumberScan {
  int ok;             // 1 accepted
  eCTarvilErr error;  // eErrNone when accepted
  int cursor;         // 1-based position of the fault; the text's length on success
  int cutLength;      // the length the text is to be cut to (trailing blanks and
                      // a trailing "%" removed); -1 when it stays as it is
  double value;       // the value read (0 unless accepted)
};

// ReadCommonForm: `value` from the common form of a number in any notation
// ('4.7k', '10MEG', '1e-9', '-2.2E3', '4k7', '4R7', '25.4'), the whole
// text, with the built-in prefixes; true when read, and then the
// value is exactly what ScanNotationNumber gives. False for every other
// text (blanks, symbols, long or extreme numbers, refusals), which
// ScanNotationNumber then reads the long way. `units` is the unit table,
// looked at only for a unit's own prefixes: null will do for a number
// without unit (eNoUnit), whose prefixes are always the built-in ones.
bool ReadCommonForm(std::string_view text, eOrvantaNotations notation, eUnitTypes unit,
                    const Settings& format, const COVUnitStorage* units,
                    double& value) noexcept;

// ScanNotationNumber: reads `text` as a number of `notation`: sign, digits,
// grouping symbols, one decimal point, then a prefix of the notation or an
// "e" exponent (in European notation the prefix, or the unit name of
// `unit`, stands in place of the point). The number ends at cutLength when
// that is set (trailing blanks and a trailing "%" are not read); a caller
// that keeps the text cuts it there. A NUL byte ends a prefix as the end of
// the text does. The value is the double nearest to the number written.
// Empty text: error 1, cursor 0. The common form ('4.7k', '100n') is read
// by a short pass first; `quick` false reads every text the long way (for
// the checks that compare the two).
NumberScan ScanNotationNumber(std::string_view text, eOrvantaNotations notation, eUnitTypes unit,
                              const EngineSettings& settings, bool quick = true);

// FindPrefixByDisplay: the entry of the list that governs `unit` in
// `notation` whose display equals `text` (ignoring ASCII case unless the
// entry is case-sensitive); in European notation only the text before its
// first digit is compared. A NUL byte ends the text. Null when none;
// otherwise `*displayLength` (when given) receives the display's length.
const UnitEntry* FindPrefixByDisplay(const COVUnitStorage& units, std::string_view text,
                                     eUnitTypes unit, eOrvantaNotations notation,
                                     int* displayLength = nullptr);

// A prefix recognised by MatchUnitPrefix.
struct PrefixMatch {
  int matched;   // 1 when the text is a prefix that may be used here
  int exponent;  // its power of ten
  int length;    // bytes of its display text
};

// MatchUnitPrefix: `text` (in European notation only the part before its
// first digit counts) as a prefix of `unit` in `notation`,
// else of the notation's built-in table. Outside European notation a prefix
// that would take a number with `integerDigits` integer digits and its last
// non-zero decimal at `lastNonZeroFraction` beyond 10^±308 is refused.
PrefixMatch MatchUnitPrefix(eUnitTypes unit, eOrvantaNotations notation, std::string_view text,
                            int integerDigits, int lastNonZeroFraction,
                            const COVUnitStorage& units);

// An exponent read by ParseExponentSuffix.
struct ExponentSuffix {
  int accepted;  // 1 when the text is an exponent within range
  int exponent;  // its value (sign included)
};

// ParseExponentSuffix: `length` bytes of `text` as "e"/"E", then a sign or
// a digit, then only digits and signs (any "-" makes it negative), with at
// least one digit; refused when the number would pass 10^±308 (same
// measures as MatchUnitPrefix).
ExponentSuffix ParseExponentSuffix(const char* text, int length, int integerDigits,
                                   int lastNonZeroFraction);

// PowerOfTen: 10^n (exact for |n| <= 22; n < 0 gives 1 / 10^|n|).
double PowerOfTen(int n);

// ScanElectricalText: reads "<number><unit name>" for the electrical `unit`
// in `notation` ('4.7kW', '4.7k W'; in European notation also '4W7'), then
// checks the value against `domain`. With `unitOptionalInEuropean` a
// European text without the unit name is read as a bare number ('4k7').
// Errors: 1 empty, 2 blank, 4 bad first character or number, 6 no unit
// name, 9 to 11 domain, and those of the number. The text is never cut.
NumberScan ScanElectricalText(std::string_view text, eUnitTypes unit,
                              eOrvantaNotations notation, eCTarvilDomain domain,
                              bool unitOptionalInEuropean, const EngineSettings& settings);

}  // namespace tarvil::detail

#endif
