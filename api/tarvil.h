// tarvil.h: reading text typed by a user into checked values and writing
// values back as text, for programs written in C++20 or later: electrical
// values in five notations and in the common forms of bills of materials
// ('4.7E3', '4k7', '4.7k', '4.7K', '1MEG', '4R7', '2u2'), lengths as integer
// counts of 1 nm or 10 nm, times, propagation velocities, angles, plain
// numbers in a regional format, number-aware ordering of names (R9 < R10)
// and name checks.
//
// Every function takes its settings as arguments (a Settings and a
// UnitTable, both read only), keeps no state, and may be called from any
// number of threads at once, from the first call on. Nothing reads or
// writes a file unless its name says so (Settings::from_registry,
// UnitTable::load). Readers and the buffer writer allocate nothing, throw
// nothing and report failures as values: a Result with an Error and the
// 1-based byte position of the fault. Texts are whole views: a NUL byte is
// a character no reader accepts (invalid_character at the first one, unless
// a fault of the text before it comes first), never the end of the text.
//
// The older string class (<tarvil/CTarvil.h>) gives the same answers to the
// same questions with its shared settings; this interface neither needs nor
// touches them.
#ifndef TARVIL_TARVIL_H
#define TARVIL_TARVIL_H

#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <tarvil/NaturalOrder.h>
#include <tarvil/TarvilSettings.h>

namespace [[gnu::visibility("default")]] tarvil {

// ---- Kinds ------------------------------------------------------------------

// Quantity: what a value measures; `number` has no unit.
enum class Quantity { number, resistance, capacitance, inductance, voltage, current, power };

// Error: why a text was refused. 0..12 are the string class's codes; 13,
// `ambiguous`, means that two common readings of the text differ; 14,
// `not_a_value`, that a part's value field names a package or attributes
// but no value (read_part).
enum class Error : int {
  none,
  empty,
  blank,
  too_many_decimal_places,
  invalid_character,
  character_limit,
  no_unit,
  too_large,
  too_small,
  zero_not_allowed,
  negative_not_allowed,
  positive_not_allowed,
  not_an_integer,
  ambiguous,
  not_a_value
};

// message: the library's text for `error` ("Invalid character(s)
// detected.", ...); empty for Error::none.
[[nodiscard]] std::string_view message(Error error) noexcept;

// Result: a value read, or why it was not. True when `error` is none (then
// `position` is 0); on failure `value` is T{} and `position` the 1-based
// byte position of the fault (0 where the fault has no place, as for an
// empty text).
template <class T>
struct Result {
  T value{};
  Error error = Error::none;
  int position = 0;
  explicit operator bool() const noexcept { return error == Error::none; }
};

// describe: the text and its fault for a person: for invalid_character and
// too_many_decimal_places the text with the faulty character marked
// '4<x>7', a line feed and the message; for ambiguous the marked text, a
// line feed, the message, then one line per reading: its value and what
// picks it; for not_a_value the text, a line feed and the message; for
// every other error its message alone. Empty for Error::none.
[[nodiscard]] std::string describe(std::string_view text, Error error, int position);
template <class T>
[[nodiscard]] std::string describe(std::string_view text, const Result<T>& result) {
  return describe(text, result.error, result.position);
}

// ---- Settings ---------------------------------------------------------------
// Notation, BareUnit and Settings are in TarvilSettings.h, included above.

// bare_unit_named: the BareUnit a word names, as the members are spelled
// ("pF", "nF", "uF", "uH", "H"); none for any other word.
[[nodiscard]] BareUnit bare_unit_named(std::string_view word) noexcept;
// is_capacitance_unit: true for pF, nF and uF, the units of
// Settings::bare_capacitance (uH and H are bare_inductance's).
[[nodiscard]] constexpr bool is_capacitance_unit(BareUnit unit) noexcept {
  return unit == BareUnit::pF || unit == BareUnit::nF || unit == BareUnit::uF;
}

// valid: true when the regional symbols of `settings` can be told apart
// from the text they stand in: the decimal symbol is not blank, neither
// symbol is a digit or a sign ('+', '-'), and the two are not the same. A
// blank thousands symbol ('1 000') is valid. Readers and writers given
// settings that are not valid may read back other values than they wrote
// ('457kohms' for 4700 with decimal '5').
[[nodiscard]] bool valid(const Settings& settings) noexcept;

// UnitTable: the electrical prefixes and unit names of each notation.
// Immutable; copies share their table.
class UnitTable {
 public:
  // The built-in tables.
  UnitTable() noexcept = default;
  [[nodiscard]] static const UnitTable& built_in() noexcept;

  // load: the units definition file `path` over the built-in tables (a
  // unit's list in a notation from the file replaces the built-in one; an
  // Engineering or Scientific list of one entry is completed with the
  // built-in prefixes around it), read with the regional symbols of
  // `settings`: a DISPLAY text holding its decimal or thousands symbol is
  // refused. No registry is read, so the same file
  // and settings give the same table on every account.
  // Error none when the loader succeeds (refused entries only warn);
  // no_unit for a file that is missing, unreadable or not a regular file of
  // at most 16 MiB; invalid_character when the file has syntax errors or a
  // keyword at the wrong level (the value then holds the built-in tables).
  // `*log`, when given, receives what the loader's error log would hold
  // (empty after a clean load). No file is written.
  [[nodiscard]] static Result<UnitTable> load(const std::filesystem::path& path,
                                              const Settings& settings,
                                              std::string* log = nullptr);
  // load: the same with the built-in settings' symbols ('.' and ',').
  [[nodiscard]] static Result<UnitTable> load(const std::filesystem::path& path,
                                              std::string* log = nullptr);

  struct Storage;  // the table itself, private to the library
  // The loaded table, or null for the built-in tables.
  [[nodiscard]] const Storage* storage() const noexcept { return storage_.get(); }

 private:
  std::shared_ptr<const Storage> storage_;
};

// common_directory: the folder the installed suite names as its common
// directory, where its units definition file "OVUnits.hkp" stands: value
// CommonDir under SOFTWARE\Orvanta in the machine registry file. Empty when
// none is set or the value is not text (REG_SZ); the string class's start-up
// then keeps the built-in tables. Reads the registry file, writes nothing.
[[nodiscard]] std::string common_directory();

// ---- Electrical values and numbers -------------------------------------------

// read: `text` as a value of `quantity` in `notation`, in its base unit
// (ohms, farads, henrys, volts, amperes, watts).
//
// A declared notation reads blanks, a sign, digits with the regional
// decimal and thousands symbols, then one prefix of the notation's table
// or an 'e' exponent: '4.7k' (si), '4.7K', '1MEG', '1e-9' (spice), '4.7E3'
// (engineering, scientific), '4k7' (european: the prefix stands in the
// decimal symbol's place); trailing blanks and a '%' that is no regional
// symbol are ignored. decimal and full_precision take no prefix. A
// quantity is that number followed by its unit name (in european the
// unit's letter may stand in the decimal symbol's place: '4R7'), or the
// number alone, its prefixes looked up in the unit's own list first; not
// negative except for voltage and current. In every notation a text of
// blanks alone is refused as blank at its length + 1.
//
// Notation::any reads the forms of bills of materials and of people unaware
// of any setting. Blanks, a sign, a number, then an exponent or one prefix,
// then the quantity's unit; blanks may stand before and after the prefix
// ('1.2 MV', '4.7 k ohm'). `number` reads plain numbers by the same rules,
// a prefix included ('4k7' is 4700).
//   number    digits with at most one decimal symbol, and thousands symbols
//             only at their places in the integer part, groups of three
//             when the settings have no grouping ('4,700', '1.234.567').
//             Separator rule: a ',' or '.' followed by other than three
//             digits, or right after a lone leading '0', is the decimal
//             symbol whatever the settings ('4,7k' 4700, '3,3' 3.3, '0,100'
//             0.1, '4.7uF' with a decimal comma); a ',' or '.' before it is
//             then a thousands symbol ('1.234,5' and '1,234.5' 1234.5). With
//             exactly three digits the settings decide: their decimal
//             symbol, else their thousands symbol at its places ('4,700'
//             4700 with ',' for thousands). '.' is a decimal symbol unless
//             it is the thousands symbol; a prefix or a one-letter unit may
//             stand in its place ('4K7', '2u2', 'n47', 'R47', '4R7', '3V3';
//             nothing follows such a unit).
//   exponent  'e' or 'E', sign, digits ('4.7e3'); no exa prefix.
//   prefix    a, f, p, n N, u U µ μ, m, k K, M or MEG in any case (mega), G, T.
//   unit      any case: ohm, ohms, Ω, R; F; H; V; A; W; none for `number`.
// A capacitance or inductance with neither prefix, exponent nor unit ('10',
// '0.1') is in Settings::bare_capacitance or bare_inductance.
// The value is the double nearest to the decimal number written.
// Ambiguous, at the deciding character, when the two readings differ:
//   a thousands symbol ',' or '.' followed by three digits out of its places
//     that both readings accept ('1234,567': 1234.567 by "a decimal comma",
//     1234567 by Notation::si);
//   'P' where a prefix stands (peta or pico: '1P', '4P7');
//   'F' where a prefix stands (femto or the farad: '1F' as resistance or
//     number, '10FF'), except the farad of a capacitance at the end or in
//     place of the decimal symbol ('1F', '4F7');
//   'f' on a capacitance, 'a' on a current, at the end after the number
//     (blanks allowed) or in place of the decimal symbol with nothing after
//     ('10f', '10 f', '4f7', '2a2'); with a unit after it, the prefix;
//   a bare capacitance or inductance while its BareUnit is none, at the end
//     + 1 ('10' as capacitance: 1e-11 by BareUnit::pF, 1e-5 by
//     BareUnit::uF; as inductance 1e-5 by BareUnit::uH, 10 by BareUnit::H).
// Refusals: empty (0); blank (length + 1); too_many_decimal_places at a
// second decimal symbol ('1.5,5': 4; '4.7.1': 4), or a prefix or exponent
// after a prefix in place of the decimal symbol or after an exponent
// ('4k7k': 4, '4.7e3k': 6); invalid_character at the first character no
// reading allows ('4x7': 2, '4.7kk': 5; another quantity's unit: '4.7kV' as
// resistance, 5; a number without digits: the character after the sign; a
// thousands symbol out of its places that is no decimal symbol or that only
// one reading accepts: '1234.567,5', 5), and at the end + 1 for a number
// beyond the range of a double or non-zero and rounding to 0 ('1e999');
// then the domain ('-4k7' as resistance: negative_not_allowed at 1).
[[nodiscard]] Result<double> read(std::string_view text, Quantity quantity,
                                  Notation notation = Notation::any,
                                  const Settings& settings = {},
                                  const UnitTable& units = UnitTable::built_in()) noexcept;

// write: `value` scaled to the prefix of the notation's table that suits it
// ('4.7k' si, '4.7K' and '1MEG' spice, '4.7E3' engineering, '4k7'
// european), with the notation's configured precision, the regional
// symbols and the grouping, leading-zero and trailing-zero settings; decimal
// without prefix. When `with_unit`, the unit name follows (a european
// resistance after a prefix has none, '4k7'; without a prefix its letter
// takes the decimal symbol's place, '4R7'). A NaN is written "NaN", infinities "#INF" and "-#INF" (the
// unit name after them). full_precision writes the shortest fixed-point digits that
// read back to `value` (regional symbols, grouping and the leading-zero
// rule applied) for any finite value of magnitude 1e-300 to 1e300.
[[nodiscard]] std::string write(double value, Quantity quantity, Notation notation,
                                const Settings& settings = {},
                                const UnitTable& units = UnitTable::built_in(),
                                bool with_unit = true);
// write: the same text into [first, last), allocating nothing (precisions
// beyond a few hundred decimals aside); {last, std::errc::value_too_large}
// when it does not fit.
[[nodiscard]] std::to_chars_result write(char* first, char* last, double value,
                                         Quantity quantity, Notation notation,
                                         const Settings& settings = {},
                                         const UnitTable& units = UnitTable::built_in(),
                                         bool with_unit = true) noexcept;

// ---- A part's value field ----------------------------------------------------

// Tolerance: how far a part's value may lie from its nominal value. Relative
// ('1%': minus 0.01, plus 0.01, relative true) or absolute in the base unit
// of the value ('+/- 0.1 pF': 1e-13 both ways, relative false); both
// numbers are magnitudes, not signed.
struct Tolerance {
  double minus = 0;
  double plus = 0;
  bool relative = true;
};

// Part: what read_part finds in a part's value field. The views point into
// the text given to read_part and live as long as it does.
struct Part {
  double value = 0;            // base unit; 0 when !has_value
  bool has_value = false;
  bool fitted = true;
  std::optional<Tolerance> tolerance;
  std::optional<double> voltage, current, power;   // ratings: V, A, W
  std::optional<double> temperature_coefficient;   // ppm per kelvin
  std::string_view dielectric, package;            // as written; empty when absent
  std::string_view rest;   // from the first token recognised as none of these to the end
};

// read_part: a part's value field as bills of materials hold it, the value
// of `quantity` with its attributes ('10k 1%', '22uF/6.3V/20%/X5R/C0603',
// '0805, 1uF, 10V, X5R, 20%', '1k ¼W Carbon film resistor', 'NA(10k/R0402)').
// Allocates nothing.
//
// Tokens are separated by blanks, '/', '_', ',', ';', '(' and ')'; a '/'
// between digits with a W after is a fraction ('1/8W'), '+/-' a sign, a ','
// between digits a decimal or thousands symbol ('4,7k') unless four or more
// digits stand before it ('0805,10k' is two tokens). A value may take
// blank-separated tokens after it ('4.7 k ohm', '10 uF'); a number followed
// by a blank and three digits ('1 000') is refused as a whole unless the
// thousands symbol of `settings` is a blank. Recognised, in
// any case where letters are written:
//   value        the first token that reads as `quantity` in Notation::any
//                with `settings` (bare capacitances and inductances in its
//                BareUnit); a rating of `quantity` itself is its value
//                ('1/8W' as power);
//   not fitted   DNP DNF DNI NP NF NC NA, 'not fitted', 'do not populate',
//                alone, in parentheses or wrapping the rest: fitted false;
//   tolerance    relative '1%' '±5%' '+/-20%' '5 %' '+80/-20%' (a fraction:
//                0.8 up, 0.2 down), or absolute after '±', '+/-' or '+-' as
//                a value of `quantity` ('+/- 0.1 pF', '±0.25pF');
//   ratings      `voltage` '16V' '2kV' '250 V', `current` '3.2A' '500mA',
//                `power` '0.25W' '62.5mW' '1/8W' '¼W' ('½' '¾' '⅛' too);
//   dielectric   X5R X7R X6S X7S X8R Y5V Z5U C0G COG NP0 NPO (the first);
//   temperature_coefficient  '50ppm', '±100ppm/K', '100 ppm/°C' (ppm/K);
//   package      the chip sizes 01005 0201 0402 0603 0805 1206 1210 1812
//                2010 2220 2512, alone or after R, C or L ('R0402'): the
//                view holds the digits; such a token is never the value.
// Any other token starts `rest`, which runs to the end of the text (blanks
// after it dropped); tokens after it are still recognised, but for the
// value after one that begins as a number ('4x7 10k' has no value: a value
// after a number that does not read would be a guess).
//
// Refusals, at 1-based byte positions of `text`: empty and blank as read;
// no value while fitted: the error read gives for the first token that is
// none of the above (positions in `text`: '4x7 1%' invalid_character at 2;
// '10 16V' as capacitance ambiguous at 3 unless a BareUnit is set), else
// not_a_value at the first token (a package alone, '0402'; attributes only,
// '16V X7R'); a value outside the quantity's domain as read refuses it
// ('-10k'). A text with no value that is not fitted ('DNP') is accepted:
// has_value false, fitted false.
[[nodiscard]] Result<Part> read_part(std::string_view text, Quantity quantity,
                                     const Settings& settings = {},
                                     const UnitTable& units = UnitTable::built_in()) noexcept;

// Reading: one reading of an ambiguous text: its value in the base unit and
// what picks it, as the library names it ("Notation::si", "a decimal comma
// (Settings::decimal = ',')", "Settings::bare_capacitance = BareUnit::pF",
// ...; the view is of a text that lives as long as the program).
struct Reading {
  double value = 0;
  std::string_view picked_by;
};

// Readings: the readings of an ambiguous text, `count` of them (0 when the
// text is not ambiguous).
struct Readings {
  std::array<Reading, 2> reading{};
  int count = 0;
};

// readings: why `text` is ambiguous as `quantity` in Notation::any with
// `settings` (read_part's value field too: the readings of its ambiguous
// value): each reading's value and what picks it; count 0 when read and
// read_part find no ambiguity. Allocates nothing.
[[nodiscard]] Readings readings(std::string_view text, Quantity quantity,
                                const Settings& settings = {},
                                const UnitTable& units = UnitTable::built_in()) noexcept;

// describe: as describe(text, error, position), with the readings of an
// ambiguous text those of `quantity` with `settings` (readings above), one
// line each: its value and what picks it.
[[nodiscard]] std::string describe(std::string_view text, Error error, int position,
                                   Quantity quantity, const Settings& settings,
                                   const UnitTable& units = UnitTable::built_in());

// ---- Physical measures -------------------------------------------------------

enum class LengthUnit { inch, millimeter, micron, mil };
enum class Resolution { nm, ten_nm };
enum class TimeUnit { es, Ps, Ts, Gs, Ms, Ks, s, ms, us, ns, ps, fs, as };
enum class VelocityUnit { in_per_ns, m_per_s, percent_c };
enum class AngleUnit { deg, arcsec, arcmin, rad };

// read_length: a length as a count of base units of `resolution`: a number
// and a length unit, blanks allowed between ('25.4mm', '1 in', '10 th';
// 'mil' and 'mils' in any case stand for 'th'); a bare number is in
// `unit_when_none`. not_an_integer when the count passes the 64-bit range
// or a non-zero length is below half a base unit.
[[nodiscard]] Result<std::int64_t> read_length(std::string_view text, LengthUnit unit_when_none,
                                               Resolution resolution = Resolution::nm,
                                               const Settings& settings = {}) noexcept;
// read_time: a time in seconds: a number and 's' with an SI prefix ('10ns',
// '1.5 us'), of any sign; a bare number is in `unit_when_none`.
[[nodiscard]] Result<double> read_time(std::string_view text,
                                       TimeUnit unit_when_none = TimeUnit::s,
                                       const Settings& settings = {}) noexcept;
// read_velocity: a velocity in metres per second: a number and in/ns, m/s
// or %c ('6in/ns', '50%c'), of any sign.
[[nodiscard]] Result<double> read_velocity(std::string_view text,
                                           VelocityUnit unit_when_none = VelocityUnit::m_per_s,
                                           const Settings& settings = {}) noexcept;
// read_angle: an angle in degrees within (-360, 360): degrees, minutes and
// seconds ('45deg', '10deg 30'', '45deg 15' 30"'), or one number in
// `unit_when_none` or with its unit.
[[nodiscard]] Result<double> read_angle(std::string_view text,
                                        AngleUnit unit_when_none = AngleUnit::deg,
                                        const Settings& settings = {}) noexcept;

// The writers: the value in `unit` with the unit shown, the configured
// precision and the regional symbols: '25.4mm', '10th', '12.5ns', '50%c',
// '45 deg'; infinities as "#INF" and "-#INF".
[[nodiscard]] std::string write_length(std::int64_t count, LengthUnit unit,
                                       Resolution resolution = Resolution::nm,
                                       const Settings& settings = {});
[[nodiscard]] std::string write_time(double seconds, TimeUnit unit, const Settings& settings = {});
[[nodiscard]] std::string write_velocity(double metres_per_second, VelocityUnit unit,
                                         const Settings& settings = {});
[[nodiscard]] std::string write_angle(double degrees, AngleUnit unit,
                                      const Settings& settings = {});

// ---- Names --------------------------------------------------------------------

// natural_compare: -1, 0 or 1 as `a` sorts before, with or after `b`, digit
// runs compared by value ('R9' < 'R10'): from the first byte where the
// texts differ, the longer run of digits sorts after; when both runs end
// together the differing byte decides (unsigned, ASCII letters folded to
// upper case when `ignore_case`); the end of a text sorts first. Every byte
// of the views takes part.
[[nodiscard]] int natural_compare(std::string_view a, std::string_view b,
                                  bool ignore_case = false) noexcept;
// natural_key: a sort key for `text`: comparing two keys byte by byte
// (as unsigned bytes: std::string's operator<, memcmp) orders them as
// natural_compare orders their texts with the same `ignore_case`, and two
// keys are equal exactly when natural_compare gives 0. The key is at most
// four times as long as the text.
[[nodiscard]] std::string natural_key(std::string_view text, bool ignore_case = false);
// NaturalLess: natural_compare as an ordering for sorts and ordered
// containers; transparent, so a std::set<std::string, NaturalLess> finds a
// std::string_view. It compiles the comparison into the caller
// (NaturalOrder.h), with the same result as natural_compare.
struct NaturalLess {
  using is_transparent = void;
  [[nodiscard]] bool operator()(std::string_view a, std::string_view b) const noexcept {
    return detail::NaturalCompareViews<false>(a, b) < 0;
  }
};

// NameKind: the kinds of name check_name knows: the suite's design-object
// names (type0..type18), its desktop file and path rules, and POSIX file
// and path names.
enum class NameKind {
  type0, type1, type2, type3, type4, type5, type6, type7, type8, type9,
  type10, type11, type12, type13, type14, type15, type16, type17, type18,
  file, path, posix_file, posix_path
};

// check_name: true when `text` is a valid name of `kind`. typeN as
// IsEDAName with its kind (a reserved name passes when `allow_reserved`);
// file and path as IsFileName and IsPathName. posix_file: over 255 bytes
// character_limit at the length, then a '/' or NUL is invalid_character
// there. posix_path: over 4095 bytes character_limit at the length, then a
// NUL is invalid_character there and a component's 256th byte
// character_limit there. An empty text is Error::empty.
[[nodiscard]] Result<bool> check_name(std::string_view text, NameKind kind,
                                      bool allow_reserved = false) noexcept;

}  // namespace tarvil

#endif
