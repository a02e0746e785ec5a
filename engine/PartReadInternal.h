// PartReadInternal.h: the reader of a part's value field as bills of
// materials hold it: the value in no declared notation (AnyNotationInternal.h)
// among attributes ('10k 1%', '22uF/6.3V/20%/X5R/C0603', 'NA(10k/R0402)'):
// the tokenizer and the recognisers of each attribute. Not installed.
//
// Takes its text as a view and the regional symbols as an argument, touches
// no shared state and allocates nothing; the views it returns point into the
// text.
#ifndef TARVIL_PARTREADINTERNAL_H
#define TARVIL_PARTREADINTERNAL_H

#include <optional>
#include <string_view>

#include "AnyNotationInternal.h"
#include "TarvilSettings.h"
#include "UnitTypes.h"

namespace tarvil::detail {

// Error code of a field that names a package or attributes but no value;
// the codes 0..12 are eCTarvilErr's, 13 kErrAmbiguous.
inline constexpr int kErrNotAValue = 14;

// A token of a value field: its bytes [begin, end), 0-based.
struct PartToken {
  int begin = 0;
  int end = 0;
};

// NextPartToken: the first token of `text` that begins at or after `from`;
// {length, length} when there is none. Tokens are separated by blanks, '/',
// '_', ',', ';', '(' and ')', except:
//   a '/' between digits with only digits and blanks, then 'W' or 'w', after
//     it ('1/8W', '1/16 W': a fraction), and the '/' of '+/-';
//   a ',' with a digit after it and, before it, a digit run that is no
//     package code (IsPackageCode) or the token's start ('4,7k', '1,234',
//     ',5'; '0805,10k' is two tokens).
// `text` is at most INT_MAX / 2 bytes long.
PartToken NextPartToken(std::string_view text, int from) noexcept;

// PackageDigits: the chip size that `token` names (01005 0201 0402 0603
// 0805 1206 1210 1812 2010 2220 2512, alone or after one of R C L in any
// case) as a view of its digits; empty when it names none.
std::string_view PackageDigits(std::string_view token) noexcept;

// What ScanPart found. The optional attributes are absent when the field
// does not hold them; the views point into the text.
struct PartScan {
  bool ok = false;
  int error = 0;   // eCTarvilErr 1..12, kErrAmbiguous or kErrNotAValue; 0 exactly when ok
  int cursor = 0;  // 1-based byte position of the fault in the text; 0 when ok
  double value = 0.0;  // in the base unit; 0 unless hasValue
  bool hasValue = false;
  int valueAt = 0;  // 0-based index of the value's first byte
  bool fitted = true;
  struct Tolerance {
    double minus;
    double plus;
    bool relative;
  };
  std::optional<Tolerance> tolerance;
  std::optional<double> voltage, current, power, temperatureCoefficient;
  std::string_view dielectric, package, rest;
};

// ScanPart: the value of `unit` (as ScanAnyNotation takes it, with
// `bareExponent`) and the attributes of the value field `text`, token by
// token (NextPartToken). In each token, in this order: a mark of a part not
// fitted (DNP DNF DNI NP NF NC NA, 'not fitted', 'do not populate'; any
// case), a package (PackageDigits), a tolerance ('1%', '5 %', '±5%',
// '+/-20%', '+80/-20%', or '±', '+/-', '+-' then a value of `unit`:
// '+/- 0.1 pF'), the value while there is none (the token, or with up to
// two blank-separated tokens after it that begin with no digit, sign or '%',
// the longest that reads: '4.7 k ohm'; a number followed by a blank and
// three digits is refused as a whole unless the thousands symbol is a
// blank: '1 000'), a rating ('16V', '250 V', '500mA',
// '62.5mW', '1/8W', '¼W'; one of `unit` itself while there is no value is
// the value), a dielectric (X5R X7R X6S X7S X8R Y5V Z5U C0G COG NP0 NPO;
// the first is kept), a temperature coefficient ('50ppm', '±100ppm/K',
// '100 ppm/°C'). Ratings and numbers of attributes take no sign; their
// numbers are digits with one '.' or ','. The first token that is none of
// these begins `rest`, which ends at the last non-blank byte (and before
// trailing ')' when `rest` holds no '('). Such a token that begins as a
// number does (a digit, or a sign, '.' or ',' before one) while there is
// no value closes the search for it: '4x7 10k' has no value.
//
// Refusals: an empty or blank text and one over INT_MAX / 2 bytes as
// ScanAnyNotation; no value while fitted: the refusal of ScanAnyNotation for
// the first token that is none of the above, at its position in `text`,
// else kErrNotAValue at the first token. No domain check.
PartScan ScanPart(std::string_view text, eUnitTypes unit, const Settings& format,
                  int bareExponent = kBareAsk) noexcept;

}  // namespace tarvil::detail

#endif
