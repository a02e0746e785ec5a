// AnyNotationInternal.h: the reader of values written in no declared
// notation: every form with one meaning in bills of materials and in the
// habits of people unaware of any setting ('4k7', '4.7k', '4,700', '1MEG',
// '100nF', '2u2', 'R47'). It reads only; the notations' own reader is in
// NotationInternal.h and the shared digit-to-double stage in
// DigitCollectorInternal.h. Not installed.
//
// Takes its text as a view and the regional symbols as an argument, touches
// no shared state and allocates nothing: any number of threads may call it.
#ifndef TARVIL_ANYNOTATIONINTERNAL_H
#define TARVIL_ANYNOTATIONINTERNAL_H

#include <climits>
#include <string_view>

#include "TarvilSettings.h"
#include "UnitTypes.h"

namespace tarvil::detail {

// Error code of a text with two common readings that differ; the codes
// 0..12 are eCTarvilErr's.
inline constexpr int kErrAmbiguous = 13;

// The unit of a number written with neither prefix, exponent nor unit name
// on a capacitance or an inductance is given as its power of ten (-12 pF,
// -9 nF, -6 µF or µH, 0 H); kBareAsk leaves it open: such a number is then
// ambiguous.
inline constexpr int kBareAsk = INT_MIN;

// One reading of an ambiguous text and what picks it ("Notation::si",
// "Notation::spice", "a decimal comma (Settings::decimal = ',')", "a
// decimal point (Settings::decimal = '.')", "the unit name",
// "Settings::bare_capacitance = BareUnit::pF" or "... = BareUnit::uF",
// "Settings::bare_inductance = BareUnit::uH" or "... = BareUnit::H"). The
// text is a string literal.
struct AnyReading {
  double value;
  const char* picked_by;
};

struct AnyScan {
  bool ok = false;
  int error = 0;       // eCTarvilErr value 0..12, or kErrAmbiguous; 0 exactly when ok
  int cursor = 0;      // 1-based byte position of the fault, 0 for an empty text; 0 when ok
  double value = 0.0;  // in the base unit (ohms, farads, ...); 0 unless ok
  int readings = 0;    // 2 for kErrAmbiguous, else 0
  AnyReading reading[2]{};
};

// ScanAnyNotation: `text` as a value of `unit` (eOhms, eFarads, eHenrys,
// eVolts, eAmps, eWatts; eNoUnit and every other unit: a plain number, with
// no unit name). Of `format` only decimal, thousands and grouping
// are read. No domain check: a sign is read for every quantity. A number
// with neither prefix, exponent nor unit name on eFarads or eHenrys is in
// the unit of power `bareExponent` (kBareAsk: ambiguous, see below).
//
// Grammar: blanks, [+|-], a number, then either an exponent or one prefix,
// then blanks, then the unit name; blanks may stand before and after the
// prefix ('1.2 MV', '4.7 k ohm'), not inside the number or after the sign.
//   number    digits with at most one decimal marker and thousands symbols
//             in the integer part at their places: a first group of
//             1..grouping digits, then groups of exactly `grouping` (3 when
//             grouping is 0 or less: '4,700', '1,234,567'); a blank
//             thousands symbol is one only with a digit after it.
//             The decimal marker: by the separator rule, a ',' or '.'
//             followed by other than three digits (up to the next
//             non-digit) or right after a lone leading '0', whatever the
//             settings ('4,7k', '3,3', '0,100'; '4.7u' with a decimal
//             comma); then a ',' or '.' before it is a thousands symbol at
//             the places of groups of three ('1.234,5', '1,234.5'). Without
//             one, the settings' decimal symbol, '.' unless '.' is the
//             thousands symbol, or a prefix or one-letter unit name
//             followed by a digit ('4K7', '2u2', '4R7', '3V3', 'R47',
//             'n47').
//   exponent  'e' or 'E', [+|-], digits, right after the number ('4.7e3').
//             There is no exa prefix.
//   prefix    a 1e-18, f 1e-15, p 1e-12, n N 1e-9, u U µ μ 1e-6, m 1e-3,
//             k K 1e3, M and MEG in any case 1e6, G 1e9, T 1e12.
//   unit      any case: ohm ohms Ω R (resistance), F, H, V, A, W. After a
//             unit letter that stood for the decimal symbol nothing follows.
// The value is the double nearest to the decimal number written.
//
// Readings (R resistance, C capacitance, L inductance, V voltage, A
// current, N number; default settings unless told):
//   R '4k7' '4.7k' ' +4K7 ' '4,700' '4,7k' '4.7 kohm' '4k7 Ohms' '4.7 K Ω'
//     '4.7E3 ohm' 4700; '3,3' 3.3; '47r' 47; 'R47' 0.47; '4R7' '4Ω7' 4.7;
//     '1MEG' '1meg ohm' '1M' 1e6; '1m' 1e-3; '1f' 1e-15
//   C '100nF' '100 nf' '0.1µF' 1e-7; '2μ2' '2u2' 2.2e-6; 'n47' 4.7e-10;
//     '10pf' 1e-11; '10fF' 1e-14; '4f7F' 4.7e-15; '1F' 1; '4F7' 4.7 (a
//     capital F at the end or in place of the decimal symbol is the farad);
//     '1e-7' 1e-7; '10' with bareExponent -6: 1e-5
//   V '3V3' 3.3, '-1.2 MV'; A '10mA', '2A2' 2.2, '2aA' 2e-18; N '2a' 2e-18,
//     '1,234,567.5' '1.234.567,5' 1234567.5 and '1,234.5' '1.234,5' 1234.5
//     (in any settings);
//     '0,100' 0.1; '1,5' 1.5; '4,700' 4700 with grouping 0;
//     '-4k7' -4700 for every quantity (the caller checks the domain); '0P'
//     and C '0' 0 (both readings are 0); '1e-320' (a subnormal);
//   decimal ',' and thousands '.': '4.7uF' 4.7e-6, '4.700' 4700, '4,700' 4.7.
// Refusals (error at the 1-based cursor):
//   ''                                     1 empty at 0
//   ' \t'                                  2 blank at length + 1
//   '4.7.1' '4k7.1' '4k7k' '4k7e3' '4.7e3k' 3 at the second decimal marker,
//   '1.5,5' '4,7.5' '1,5.000'               or the prefix or exponent after a
//                                          prefix in place of the decimal
//                                          symbol or after an exponent, or a
//                                          ',' or '.' after the decimal marker
//   '4x7' 2; '4.7kV' (R) at the V; '3V3' (R) 2; 'R47' (N) 1; '4.7kk' 5;
//   '-' 2; '- 4' 2; 'kohm' 1 (no digit: at the first byte after the sign);
//   '4 7' 3; '4R7 ohm' 5 (nothing after a unit letter in the number);
//   '4.7kohm s' 9; '1e+x' 4, '4.7E' 5 (a broken exponent: after the 'e'
//   and its sign; no exa); '1234.567,5' 5 (a thousands symbol before the
//   separator rule's decimal symbol, out of its places); any other byte,
//   NUL included:                          4 at the first byte no reading
//                                          allows
//   '1e999' '1e-999': beyond the range of a double, or a non-zero number
//   that rounds to 0                       4 at the end of the non-blank
//                                          text + 1
//   a text over INT_MAX / 2 bytes          5 at INT_MAX / 2 + 1
// Ambiguous (kErrAmbiguous), at the deciding character, when the two
// readings differ (reading[0], reading[1]):
//   a thousands symbol ',' or '.' followed by three digits out of its places
//     that both readings accept: '1234,567' 5 (1234.567 "a decimal comma
//     ...", 1234567 "Notation::si"); with ',' as the decimal symbol,
//     '1234.567' 5 (1234.567 "a decimal point ..."). Read by one of them
//     only ('4k7,000' 4), or any other symbol (a blank, an apostrophe):
//     error 4 at it;
//   'P' where a prefix stands: peta "Notation::si", pico "Notation::spice"
//     ('1P', '4P7', '1 P ohm');
//   'F' where a prefix stands, but for the farad of a capacitance above:
//     femto "Notation::spice", the farad "the unit name" ('1F' as R or N,
//     '4F7' as R, '10FF' as C);
//   'f' on a capacitance, 'a' on a current, at the end with only blanks
//     after the number, or in place of the decimal symbol with nothing after
//     the number: the prefix "Notation::si", the unit "the unit name" ('10f',
//     '10 f', '4f7', '2a', '2a2'). With a unit after it ('10fF', '4f7F',
//     '2aA') the letter is the prefix;
//   a number with neither prefix, exponent nor unit name on a capacitance
//     (pF, µF) or an inductance (µH, H) with bareExponent kBareAsk, at the
//     end of the non-blank text + 1: '10' C 3 (1e-11 "Settings::
//     bare_capacitance = BareUnit::pF", 1e-5 "... BareUnit::uF").
AnyScan ScanAnyNotation(std::string_view text, eUnitTypes unit, const Settings& format,
                        int bareExponent = kBareAsk) noexcept;

// ReadCommonAny: `value` from the commonest forms of a value in any
// notation ('4.7k', '4k7', '4R7', '10 kohm', '16V'), the whole text; true
// when read, and then the value is exactly what ScanAnyNotation gives.
// False for every other text, which ScanAnyNotation then reads in full.
bool ReadCommonAny(std::string_view text, eUnitTypes unit, const Settings& format,
                   int bareExponent, double& value) noexcept;

}  // namespace tarvil::detail

#endif
