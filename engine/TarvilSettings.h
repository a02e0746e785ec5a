// TarvilSettings.h: the settings every reader and writer takes: the
// regional symbols, the precisions, the active notation and the units of
// bare capacitances and inductances, as one plain struct of values. The
// modern interface (tarvil.h, which includes this header) takes them as
// they are; the string class makes one from its shared settings.
#ifndef TARVIL_TARVILSETTINGS_H
#define TARVIL_TARVILSETTINGS_H

#include <array>

namespace [[gnu::visibility("default")]] tarvil {

// Notation: how an electrical value or number is written. The first seven
// are numbered 0..6 as eOrvantaNotations numbers them. `full_precision` writes the shortest
// fixed-point digits that read back exactly. `any` reads every form with
// one meaning in common use (see read); writers given `any` use
// Settings::notation (SI when that is `any` too).
enum class Notation { engineering, european, scientific, si, spice, full_precision, decimal, any };

// BareUnit: the unit of a capacitance or an inductance written as a bare
// number, with neither prefix, exponent nor unit name ('10', '0.1'), in
// Notation::any. `none` leaves it open: such a text is then ambiguous.
enum class BareUnit { none, pF, nF, uF, uH, H };

// Settings: the regional symbols, precisions and active notation. The
// defaults are a user's who never changed them: '.', ',' and groups of 3,
// 3 decimals for plain numbers, 4 for each notation, SI. `precision` holds
// the decimals of engineering, european, scientific, si and spice, in that
// order (the order of Notation). Readers use the symbols and group size
// only; writers use the rest too.
struct Settings {
  char decimal = '.';
  char thousands = ',';
  int grouping = 3;  // digits per group; 0 or less: no grouping
  int digits = 3;    // decimals of plain numbers and lengths
  bool leading_zero = true;
  std::array<int, 5> precision{4, 4, 4, 4, 4};
  int angle_precision = 3;
  int percentage_precision = 2;
  int time_precision = 2;
  bool suppress_trailing_zeros = true;
  Notation notation = Notation::si;
  // The unit of bare capacitances (pF, nF or uF) and bare inductances (uH
  // or H) read in Notation::any; none, or a unit of the other quantity:
  // such a text is ambiguous, with the readings pF and uF, or uH and H.
  // No drawing means farads, and no old habit holds in every file.
  BareUnit bare_capacitance = BareUnit::none;
  BareUnit bare_inductance = BareUnit::none;

  // from_registry: the current user's settings, read from the user's
  // registry file: the regional values of "Control Panel\International"
  // and the notation values (the defaults for what is missing or
  // unreadable). Writes nothing, not even a notation key that is absent.
  [[nodiscard]] static Settings from_registry();
  // from_locale: the defaults with the decimal symbol, thousands symbol and
  // first group size of the POSIX locale `name` (null: the environment's,
  // LC_ALL then LC_NUMERIC then LANG). A locale without a one-byte thousands
  // symbol (as "C") gives grouping 0 and keeps ','; an unknown name gives
  // the defaults. The process's locale is not touched.
  [[nodiscard]] static Settings from_locale(const char* name = nullptr);
};

}  // namespace tarvil

#endif
