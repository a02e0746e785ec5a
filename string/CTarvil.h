// CTarvil.h: the string that turns text typed by a user into checked values
// and values back into text.
//
// CTarvil is a CString with two fields that every test reports through: the
// current error (eCTarvilErr, 0 = none) and the cursor position (1-based
// position of the offending character, 0 = none). Tests (Is..., InterpretAs...)
// return 1 or 0 and begin by clearing both fields; Get... members return a
// status (S_OK, E_INVALIDARG for a null output or a refused text, E_FAIL for
// an empty text) and zero their output first; Set... and editing members
// rewrite the text and return the object; searching and comparing members
// change nothing. Integer flag arguments act only when exactly 1. Positions
// passed as arguments are 0-based byte indexes.
//
// Two objects are shared by every string of the process: s_Locale (regional
// and notation settings) and s_OVUnits (electrical unit prefixes). They are
// filled on first use by SetLocale(). The library is used from one thread at
// a time.
//
// This is the umbrella header: it declares everything a caller of the class
// needs.
#ifndef TARVIL_CTARVIL_H
#define TARVIL_CTARVIL_H

#include "COVUnitStorage.h"
#include "CString.h"
#include "CTarvilLocale.h"
#include "CompareNum.h"
#include "EDAStringTypes.h"
#include "MeasureUnits.h"
#include "OrvantaNotations.h"
#include "SigDigits.h"
#include "TarvilErrors.h"
#include "TarvilExport.h"
#include "UnitTypes.h"
#include "WinTypes.h"

class TARVIL_API CTarvil : public CString {
 public:
  // ---- Construction, assignment, error and messages -----------------------
  // Every constructor but the copy constructor leaves cursor and error 0.
  // Null text pointers give an empty text.
  CTarvil();
  CTarvil(const CString& s);  // NOLINT(google-explicit-constructor)
  // Copies text, cursor position and error code.
  CTarvil(const CTarvil& other);
  CTarvil(char ch, int nRepeat);
  // At most `nLength` bytes of `s`, never past its terminator; a negative
  // length gives an empty text.
  CTarvil(const char* s, int nLength);
  CTarvil(const unsigned char* s);   // NOLINT(google-explicit-constructor)
  // A UTF-16 text, converted to UTF-8.
  CTarvil(const unsigned short* s);  // NOLINT(google-explicit-constructor)
  CTarvil(const char* s);            // NOLINT(google-explicit-constructor)
  ~CTarvil();

  // Copies text, cursor position and error code.
  CTarvil& operator=(const CTarvil& other);
  // Replace the text only; cursor and error are kept.
  CTarvil& operator=(const char* s);
  CTarvil& operator=(const CString& s);

  // The 1-based position at which the last test failed (0 = none).
  int GetCursorPosition() const;
  // The outcome of the last test.
  eCTarvilErr GetCurrentError() const;
  // A new object (cursor and error 0) describing the current error: empty
  // for no error; the message alone for an empty or blank text, a missing
  // position and the domain and integer errors; otherwise the text (with the
  // offending character marked '<x>' for codes 3 and 4), a line feed and the
  // message.
  CTarvil GetErrorMessage() const;
  // Shows GetErrorMessage (under the string resource `nIDPrompt` when not 0)
  // in a message box; nothing when there is no error.
  void DisplayError(unsigned int nIDPrompt);

  // ---- Shared state ------------------------------------------------------
  // Read on first use, exactly once even when many threads make their first
  // call at once; after that every member may run on any number of threads
  // at once, each on its own object. The refresh operations below, the
  // precision setters and SetNotation change the shared settings: they
  // require that no other thread uses the library while they run.
  static CTarvilLocale s_Locale;
  static COVUnitStorage s_OVUnits;
  // Reads the regional and notation settings again and initialises the unit
  // table (once per process).
  static void SetLocale();
  // SetLocale() for a null `name` or exactly "intl", returning 1; any other
  // name changes nothing and returns 0.
  static int SetLocale(const char* name);
  // Reads only the ten notation settings again.
  static void SetOVLocale();

  // ---- Search, edit and fields -------------------------------------------
  // Inserts `s` before `index`, padding with blanks when `index` lies beyond
  // the end; nothing for a negative index or an empty `s`.
  CTarvil& Insert(int index, const char* s);
  CTarvil& Insert(int index, char ch);
  // Removes `count` bytes at `index` (to the end at most); nothing for a
  // negative index, count < 1 or index at or past the end.
  CTarvil& Delete(int index, int count);
  // Delete(index, count) then Insert(index, s).
  CTarvil& Replace(int index, int count, const char* s);
  // First occurrence at or after `start`, or -1 (also for start < 0).
  int Find(char ch, int start = 0) const;
  int Find(const char* s, int start = 0) const;
  int FindNoCase(char ch, int start = 0) const;
  int FindNoCase(const char* s, int start = 0) const;
  // Last occurrence beginning at or before `start` (-1 or past the end: the
  // last character), or -1.
  int ReverseFind(const char* s, int start) const;
  int ReverseFind(char ch, int start) const;
  int ReverseFindNoCase(const char* s, int start) const;
  int ReverseFindNoCase(char ch, int start) const;
  // Replaces the first (all = 0) or every (any other `all`) occurrence of
  // `find` by `repl`, searching on after each inserted `repl`; returns the
  // number of replacements. An empty `find` replaces nothing.
  int FindReplace(const char* find, const char* repl, int all);
  int FindReplaceNoCase(const char* find, const char* repl, int all);
  // Field `index` (from 0) of the text split at `delim`; empty for a negative
  // index or one beyond the last field.
  CTarvil GetField(const char* delim, int index);
  CTarvil GetField(char delim, int index);
  // 1 plus the number of non-overlapping occurrences of `delim`.
  int GetFieldCount(const char* delim);
  int GetFieldCount(char delim);
  // The text between the `index`-th `open` and the following `close`.
  CTarvil GetDelimitedField(const char* open, const char* close, int index);

  // ---- Number-aware comparison (see CompareNum.h) -------------------------
  // The free function with the object's text as the first text; -1, 0 or 1.
  int CompareNum(const char* s) const;
  int CompareNum(const char* s, int n) const;
  int CompareNumNoCase(const char* s) const;
  int CompareNumNoCase(const char* s, int n) const;
  int CompareNumNoCaseCase(const char* s) const;
  int CompareNumNoCaseCase(const char* s, int n) const;

  // ---- Name validation (see EDAStringTypes.h) ----------------------------
  // Each clears cursor and error, gives eErrEmpty for an empty text and
  // otherwise reports as CTarvilIsEDAName does, into the object's fields:
  // the default rule, the default rule within `limit` bytes, or the rule of
  // `type` (a reserved name passes only when allowSpecial is 1). On success
  // the cursor holds the length.
  int IsEDAName();
  int IsEDAName(int& limit);
  int IsEDAName(eEDAStringTypes type, int allowSpecial);
  // A file name: at most 255 bytes (else eErrCharacterLimit, cursor at the
  // length), printable, none of \ / : * ? " > < | (else eErrInvalidCharacter
  // at the first offending byte). Cursor 0 on success.
  int IsFileName();
  // A path name of at most 260 bytes: an optional drive ("C:" then "\" or
  // the end) or network share ("\\server\share"), then components of
  // printable bytes without : / * ? " > < |. eErrInvalidCharacter at the byte
  // where the scan stopped (one past the end for a missing server or share
  // name); the cursor holds the length on success.
  int IsPathName();
  // Only bytes below 128; else eErrInvalidCharacter at the first other one.
  int IsASCII();

  // ---- Regional number text ---------------------------------------------
  // The user's decimal symbol becomes "." (last occurrence only).
  CTarvil& ConvertDecimalUserLocaleToCLocale();
  // A C-locale number becomes user form: trailing zeros (when suppressed),
  // leading zero and decimal symbol.
  CTarvil& ConvertDecimalCLocaleToUserLocale();

  // ---- Precision settings (in memory; each returns the previous value and
  // stores the new one only when it lies in range) ------------------------
  static int SetEngPrecision(int precision);      // 0..9
  static int SetEuroPrecision(int precision);     // 0..9
  static int SetSciPrecision(int precision);      // 0..9
  static int SetSPICEPrecision(int precision);    // 0..9
  static int SetSIPrecision(int precision);       // 0..9
  static int SetAnglePrecision(int precision);    // 0..4
  static int SetTimePrecision(int precision);     // 0..3
  static int SetPercentPrecision(int precision);  // 0..3
  static int SetDigitsPrecision(int precision);   // 0..9, the regional digits

  // ---- Integer and decimal text ------------------------------------------
  // IsInteger: a whole number: blanks, an optional sign, then digits and
  // grouping symbols (not right after the sign). Errors: 1 empty, 2 blank,
  // 4 at the first other character (one past a lone sign). No range test;
  // on success the cursor holds the text's length.
  int IsInteger();
  // GetInteger: IsInteger, then the value, clamped to the 32-bit range.
  // E_INVALIDARG for a null pValue (nothing written) or a refused text,
  // E_FAIL for an empty one; *pValue is 0 unless S_OK.
  long GetInteger(int* pValue);
  // SetInteger: `value` with the regional grouping ('-2,147,483,648').
  CTarvil& SetInteger(int value);
  // IsDouble / GetDouble: a plain decimal with the regional symbols
  // (IsDoubleForNotation / GetDoubleForNotation with eDecimal and eNoUnit).
  int IsDouble();
  long GetDouble(double* pValue);
  // SetDouble: SetDoubleForNotation(eDecimal, value, usePrecision, eNoUnit).
  CTarvil& SetDouble(double value, int usePrecision);
  // InterpretAsInteger / InterpretAsDouble: test the text (useNotation 1:
  // in the active notation), show a refusal when showError is 1 (under
  // string resource nIDPrompt when not 0), check `domain` (error 9 to 11,
  // cursor on the first non-blank), then rewrite the text from `value`.
  // Returns the test's result. A refused text that is not shown still goes
  // on: the text is rewritten from the value the test left (the caller's
  // own, or 0 after the notation integer test) when it lies in the domain.
  int InterpretAsInteger(int& value, int useNotation, unsigned int nIDPrompt, int showError,
                         eCTarvilDomain domain);
  int InterpretAsDouble(double& value, int useNotation, unsigned int nIDPrompt, int showError,
                        eCTarvilDomain domain);
  // AppendNum: appends `number`, cutting the text so that the result fits
  // `maxLength` bytes (0 = no limit; a multibyte character is never split);
  // a cut clears cursor and error. 0 and no change for a number of more
  // than 8 characters or longer than maxLength.
  int AppendNum(int number, int maxLength);
  // SetTimeStamp: the moment `time` (seconds since 1970, UTC) in local time:
  // '3/7/02 4:05 PM'.
  CTarvil& SetTimeStamp(int time);

  // ---- Electrical notation: writing --------------------------------------
  // SetDoubleForNotation: `value` in `notation` (the active one when
  // omitted) with the prefix of `unit` that suits it ('4.7E3', '4k7',
  // '4.7k', '4.7K'), the regional symbols and the trailing-zero setting.
  // usePrecision 1: the notation's configured decimals; otherwise as many
  // as the value needs. NaN gives "NaN" and infinities "#INF" (and clear
  // cursor and error); otherwise cursor and error are kept.
  CTarvil& SetDoubleForNotation(double value, int usePrecision, eUnitTypes unit);
  CTarvil& SetDoubleForNotation(eOrvantaNotations notation, double value, int usePrecision,
                                eUnitTypes unit);
  // SetIntegerForNotation: `value` with the configured precision and no
  // trailing decimal zeros ('1.5k').
  CTarvil& SetIntegerForNotation(int value, eUnitTypes unit);
  CTarvil& SetIntegerForNotation(eOrvantaNotations notation, int value, eUnitTypes unit);
  // SetSIUnit: the SI prefix of `unit` followed by `text` ('Ks' for kSIKilo
  // and "s"); unchanged for a unit outside 0..12.
  CTarvil& SetSIUnit(eSIUnits unit, const char* text);

  // ---- Electrical notation: reading --------------------------------------
  // IsDoubleForNotation: the text as a number of `notation` (the active one
  // when omitted): sign, digits, grouping symbols, one decimal point, then
  // a prefix of `unit` or the notation ('4.7k', '4.7MEG', '4.7E3') or an
  // exponent ('4.7e3'); in European notation the prefix or the unit name
  // stands in place of the point ('4k7', '4R7'). Trailing blanks and a
  // trailing "%" are cut from the text. Errors: 1 empty, 2 blank, 3 second
  // point or prefix, 4 invalid character (also a value beyond 10^±308).
  // *pValue (may be null) is the double nearest to the number written, and
  // is written only on success, when the cursor holds the text's length.
  int IsDoubleForNotation(eOrvantaNotations notation, double* pValue, eUnitTypes unit);
  int IsDoubleForNotation(double* pValue, eUnitTypes unit);
  int IsDoubleForNotation();
  // GetDoubleForNotation: IsDoubleForNotation with a status: S_OK,
  // E_INVALIDARG (null pValue, nothing written; or refused), E_FAIL (empty
  // text). *pValue is 0 unless S_OK.
  long GetDoubleForNotation(eOrvantaNotations notation, double* pValue, eUnitTypes unit);
  long GetDoubleForNotation(double* pValue, eUnitTypes unit);
  // IsIntegerForNotation: as IsDoubleForNotation, and the value must be a
  // whole number in the 32-bit range ('4.7k'); error 12 otherwise, with
  // the cursor one past the cut text. *pValue (may be null) is 0 unless 1.
  int IsIntegerForNotation(eOrvantaNotations notation, int* pValue, eUnitTypes unit);
  int IsIntegerForNotation(int* pValue, eUnitTypes unit);
  int IsIntegerForNotation();
  // GetIntegerForNotation: IsIntegerForNotation with a status, as
  // GetDoubleForNotation.
  long GetIntegerForNotation(eOrvantaNotations notation, int* pValue, eUnitTypes unit);
  long GetIntegerForNotation(int* pValue, eUnitTypes unit);

  // ---- Electrical measures -----------------------------------------------
  // For each quantity, with `notation` or the active one:
  // Is...Measure: the text is a number followed by the unit name ('4.7kW',
  //   '4.7k W'; in European notation also '4W7'); prefixes from the
  //   notation's built-in table. Errors: those of IsDoubleForNotation
  //   (cursor counted in the whole text), 4 when the text does not begin
  //   with a digit or the decimal symbol, 6 no unit name (cursor on the run
  //   of letters at the end), 9 to 11 outside the domain (cursor on the
  //   first non-blank). *pValue (may be null) is 0 unless 1.
  // Get...: the same with a status: S_OK, or E_INVALIDARG for a null
  //   pValue (nothing written) or a refused text (an empty one too).
  // Set...Measure: the value written by SetDoubleForNotation, with the unit
  //   name appended when appendUnit is 1 ('4.7kW'); in European notation a
  //   value without prefix carries the name in place of its decimal symbol
  //   ('4F7', '47F') whatever appendUnit says.
  // InterpretAs...Measure: reads the text with its unit name, or as a bare
  //   number of the unit; on success rewrites it in the notation's
  //   canonical form without unit name ('4.7k') and returns 1; otherwise
  //   shows the fault when showError is 1 (under string resource messageId
  //   when not 0) and returns 0 with the text as it was.
  // Resistance (zero and above; in European notation the "R" is optional
  // and never written after a prefix: '4k7', '4R7', '47R').
  int IsOhmMeasure();
  int IsOhmMeasure(double* pValue);
  int IsOhmMeasure(eOrvantaNotations notation, double* pValue);
  long GetOhms(double* pValue);
  long GetOhms(eOrvantaNotations notation, double* pValue);
  CTarvil& SetOhmMeasure(double value, int appendUnit, int usePrecision);
  CTarvil& SetOhmMeasure(eOrvantaNotations notation, double value, int appendUnit,
                         int usePrecision);
  int InterpretAsOhmMeasure(double& value, unsigned int messageId, int showError);
  int InterpretAsOhmMeasure(eOrvantaNotations notation, double& value, unsigned int messageId,
                            int showError);
  // Capacitance (non-negative).
  int IsCapacitanceMeasure();
  int IsCapacitanceMeasure(double* pValue);
  int IsCapacitanceMeasure(eOrvantaNotations notation, double* pValue);
  long GetFarads(double* pValue);
  long GetFarads(eOrvantaNotations notation, double* pValue);
  CTarvil& SetCapacitanceMeasure(double value, int appendUnit, int usePrecision);
  CTarvil& SetCapacitanceMeasure(eOrvantaNotations notation, double value, int appendUnit,
                                 int usePrecision);
  int InterpretAsCapacitanceMeasure(double& value, unsigned int messageId, int showError);
  int InterpretAsCapacitanceMeasure(eOrvantaNotations notation, double& value,
                                    unsigned int messageId, int showError);
  // Inductance (non-negative).
  int IsInductanceMeasure();
  int IsInductanceMeasure(double* pValue);
  int IsInductanceMeasure(eOrvantaNotations notation, double* pValue);
  long GetHenrys(double* pValue);
  long GetHenrys(eOrvantaNotations notation, double* pValue);
  CTarvil& SetInductanceMeasure(double value, int appendUnit, int usePrecision);
  CTarvil& SetInductanceMeasure(eOrvantaNotations notation, double value, int appendUnit,
                                int usePrecision);
  int InterpretAsInductanceMeasure(double& value, unsigned int messageId, int showError);
  int InterpretAsInductanceMeasure(eOrvantaNotations notation, double& value,
                                   unsigned int messageId, int showError);
  // Power (non-negative).
  int IsPowerMeasure();
  int IsPowerMeasure(double* pValue);
  int IsPowerMeasure(eOrvantaNotations notation, double* pValue);
  long GetWatts(double* pValue);
  long GetWatts(eOrvantaNotations notation, double* pValue);
  CTarvil& SetPowerMeasure(double value, int appendUnit, int usePrecision);
  CTarvil& SetPowerMeasure(eOrvantaNotations notation, double value, int appendUnit,
                           int usePrecision);
  int InterpretAsPowerMeasure(double& value, unsigned int messageId, int showError);
  int InterpretAsPowerMeasure(eOrvantaNotations notation, double& value, unsigned int messageId,
                              int showError);
  // Voltage (the caller's domain).
  int IsVoltMeasure();
  int IsVoltMeasure(double* pValue, eCTarvilDomain domain = eDomainAny);
  int IsVoltMeasure(eOrvantaNotations notation, double* pValue, eCTarvilDomain domain = eDomainAny);
  long GetVolts(double* pValue);
  long GetVolts(eOrvantaNotations notation, double* pValue);
  CTarvil& SetVoltMeasure(double value, int appendUnit, int usePrecision);
  CTarvil& SetVoltMeasure(eOrvantaNotations notation, double value, int appendUnit,
                          int usePrecision);
  int InterpretAsVoltMeasure(double& value, unsigned int messageId, int showError,
                             eCTarvilDomain domain = eDomainAny);
  int InterpretAsVoltMeasure(eOrvantaNotations notation, double& value, unsigned int messageId,
                             int showError, eCTarvilDomain domain = eDomainAny);
  // Current (the caller's domain).
  int IsAmpMeasure();
  int IsAmpMeasure(double* pValue, eCTarvilDomain domain = eDomainAny);
  int IsAmpMeasure(eOrvantaNotations notation, double* pValue, eCTarvilDomain domain = eDomainAny);
  long GetAmps(double* pValue);
  long GetAmps(eOrvantaNotations notation, double* pValue);
  CTarvil& SetAmpMeasure(double value, int appendUnit, int usePrecision);
  CTarvil& SetAmpMeasure(eOrvantaNotations notation, double value, int appendUnit,
                         int usePrecision);
  int InterpretAsAmpMeasure(double& value, unsigned int messageId, int showError,
                            eCTarvilDomain domain = eDomainAny);
  int InterpretAsAmpMeasure(eOrvantaNotations notation, double& value, unsigned int messageId,
                            int showError, eCTarvilDomain domain = eDomainAny);

  // ---- Linear measures (counts of 1 nm or 10 nm) --------------------------
  // A number and a design unit ('25.4 mm', '1IN', '10th'; "in", "mm", "um",
  // "th" in any case, blanks allowed between). 1, or 0 with error 1 (empty),
  // 2 (blank), 6 (no trailing unit), the number's own error, 9/10/11
  // (domain, cursor on the first non-blank) or 4 (unknown unit, cursor on
  // its first letter). The value is kept once the number has parsed.
  int IsLinearMeasure();
  int IsLinearMeasure(eDesignUnits* pUnits);
  int IsLinearMeasure(double* pValue, eDesignUnits* pUnits, eCTarvilDomain domain);
  // A design-unit or base-unit ("nm", "tnm") length as a count of `base`
  // (GetNanometers: in nanometres, quantised to `base`). S_OK; E_INVALIDARG
  // for a null count, a bad base (nothing touched) or a text that is no
  // length; E_FAIL for an empty text (error 1) or a count out of the 32-bit
  // range or nonzero below half a unit (error 12).
  long GetBaseUnits(int* pCount, eBaseUnits base);
  long GetNanometers(int* pCount, eBaseUnits base);
  // The count written in `unit` with the regional digits and grouping
  // ('25.400mm' with showUnit 1); a unit outside the design units changes
  // nothing. Cursor and error are kept.
  CTarvil& SetLinearMeasure(int count, eDesignUnits unit, eBaseUnits base, int showUnit,
                            int usePrecision);
  // A plain number in `fromUnit` snapped to the base-unit grid and rewritten
  // in `toUnit`. S_OK; E_INVALIDARG for a bad base or a text that is not a
  // plain number; E_FAIL for an empty text or a conversion failure (error
  // 12, text unchanged).
  long FormatAsLinearMeasure(eDesignUnits unit, eBaseUnits base);
  long FormatAsLinearMeasure(eDesignUnits fromUnit, eDesignUnits toUnit, eBaseUnits base);
  // Accepts a design-unit length, a base-unit length or a bare number (taken
  // in `unit`), checks the domain, stores the count and rewrites the text as
  // the number alone in `unit`. 0 on failure (message shown when showError
  // is 1; text unchanged).
  int InterpretAsLinearMeasure(int& count, eDesignUnits unit, eBaseUnits base,
                               unsigned int titleId, int showError, eCTarvilDomain domain);
  // Appends the name of the base unit of `type` (optionally after a blank,
  // optionally in parentheses); nothing for eNoUnit.
  CTarvil& AppendBaseUnit(const eUnitTypes& type, int addSpace, int inParentheses);
  CTarvil& AppendBaseUnit(const eUnitTypes& type, const eOrvantaNotations& notation, int addSpace,
                          int inParentheses);

  // ---- Time measures (seconds) -------------------------------------------
  // A number and an SI-prefixed "s" ('10ns', '5 Ms'); the prefix is
  // case-sensitive, the "s" is not. Errors as IsLinearMeasure.
  int IsTimeMeasure();
  int IsTimeMeasure(eSIUnits* pUnits);
  int IsTimeMeasure(double* pValue, eSIUnits* pUnits, eCTarvilDomain domain);
  // The time in seconds. S_OK; E_INVALIDARG (null, not a time); E_FAIL
  // (empty; error 7 when the seconds overflow a double).
  long GetSeconds(double* pSeconds);
  // `seconds` written in `unit` with the time precision ('12.5ns').
  CTarvil& SetTimeMeasure(double seconds, eSIUnits unit, int showUnit, int usePrecision);
  // A plain number in `fromUnit` rewritten in `toUnit`; statuses as
  // FormatAsLinearMeasure.
  long FormatAsTimeMeasure(eSIUnits unit);
  long FormatAsTimeMeasure(eSIUnits fromUnit, eSIUnits toUnit);
  // As InterpretAsLinearMeasure, for times.
  int InterpretAsTimeMeasure(double& seconds, eSIUnits unit, unsigned int titleId, int showError,
                             eCTarvilDomain domain);

  // ---- Propagation-velocity measures (metres per second) -----------------
  // A number (Scientific notation) and "in/ns", "m/s" or "%c"; a percentage
  // of c must lie in 0..100 (error 7 above, 8 below).
  int IsVpMeasure();
  int IsVpMeasure(eVpUnits* pUnits);
  int IsVpMeasure(double* pValue, eVpUnits* pUnits, eCTarvilDomain domain);
  // The velocity in metres per second; statuses as GetSeconds.
  long GetMps(double* pMps);
  // `mps` written in `unit`; an unknown unit changes nothing.
  CTarvil& SetVpMeasure(double mps, eVpUnits unit, int showUnit, int usePrecision);
  // As InterpretAsLinearMeasure, for velocities (no limit on a bare number).
  int InterpretAsVpMeasure(double& mps, eVpUnits unit, unsigned int titleId, int showError,
                           eCTarvilDomain domain);

  // ---- Angle measures (degrees) ------------------------------------------
  // One or more parts, each a number and "deg", "rad", "'" or '"', summed
  // in the first part's unit ('10deg 30' 15"'); trailing digits are
  // fractions of a degree. Error 3 for a second decimal point, 6 when the
  // first part has no unit, 4 for an unknown or repeated first unit.
  int IsAngleMeasure();
  int IsAngleMeasure(eAngleUnits* pUnits);
  int IsAngleMeasure(double* pValue, eAngleUnits* pUnits);
  // The angle in degrees within (-360, 360), or [0, 360) when positive is
  // 1; statuses as GetSeconds.
  long GetDegrees(double* pDegrees, int positive);
  // `degrees` written in `unit` with the angle precision ('45.000 deg').
  CTarvil& SetAngleMeasure(double degrees, eAngleUnits unit, int showUnit, int usePrecision);
  // As InterpretAsLinearMeasure, for angles (no domain).
  int InterpretAsAngleMeasure(double& degrees, eAngleUnits unit, unsigned int titleId,
                              int showError, int positive);

  // ---- Classification ----------------------------------------------------
  // 1 with the kind (eUnitTypes) of any physical or electrical measure;
  // 0 with error 6 when there is no known unit. A unit letter right after
  // the number reads as the electrical readers read it: '2a' and '1f' are
  // 2 atto and 1 femto without a unit (0, error 6), '2 a' and '1 f' are
  // current and capacitance.
  int IsMeasure(eUnitTypes* pType);
  int IsMeasure();
  // 1 with the kind of a unit text alone ('MM', 'rad', 'ns', 'V'); the kind
  // is written only on success. A unit name is its unit even where it is
  // also a prefix: 'A' and 'a' are current, 'F' and 'f' capacitance.
  int IsUnitString(eUnitTypes* pType);
  int IsUnitString();

  // Fields, in their fixed order after the text.
  int m_nCursorPosition;
  eCTarvilErr m_eCurrentError;

 protected:
  // In-place conversions of a number text between user form and C form.
  void GetDecimal(char* text);
  void SetDecimal(char* text);
  // Returns the active notation and stores `notation` unless it is
  // eCurrentNotation.
  static eOrvantaNotations SetNotation(eOrvantaNotations notation);
  CTarvil& SetDoubleForNotation(int& isBase, eOrvantaNotations notation, double value,
                                int usePrecision, eUnitTypes unit);

  // Makes sure the shared settings were read (the lazy first use). Safe
  // from any number of threads at once: the settings are read exactly once.
  static void EnsureSettings();

 private:
  CTarvil& SetElectricalNotationString(eUnitTypes unit, eOrvantaNotations notation, double value,
                                       int appendUnit, int usePrecision);
  int TestElectricalNotationString(eUnitTypes unit, eOrvantaNotations notation,
                                   eCTarvilDomain domain, double* pValue);
  int IsBaseLinearMeasure(double* pValue, eBaseUnits* pUnits);
  // Resistance reading engine shared by IsOhmMeasure and GetOhms.
  int TestOhmString(eOrvantaNotations notation, double* pValue);
};

#endif
