// LibrarySetup.h: the settings and unit tables one run of the tool works
// with (--settings), and the changes the options make to them in memory
// (--notation, --precision, --keep-zeros). Nothing here writes a file.
#ifndef TARVIL_TOOL_LIBRARYSETUP_H
#define TARVIL_TOOL_LIBRARYSETUP_H

#include <optional>
#include <string>

#include <tarvil/tarvil.h>

#include "Names.h"
#include "Options.h"

namespace tarvil::tool {

// Where the settings come from (--settings).
enum class SettingsSource {
  kLocale,    // default: built-in settings, regional symbols of the POSIX locale
  kRegistry,  // the user's registry file, read only
  kDefaults,  // the built-in settings
};

// The settings of a run.
struct Setup {
  SettingsSource source = SettingsSource::kLocale;
  tarvil::Settings settings;
  // The built-in tables, or those of the installed units definition file
  // (not with --settings defaults).
  tarvil::UnitTable units;
};

// The option every subcommand takes.
inline constexpr OptionSpec kSettingsOption = {"settings", true};

// ChooseSettings: reads --settings of `line` ("registry", "defaults"; the
// locale when absent) and loads those settings and the unit tables into
// `setup`. False with a one-line `error` for an unknown word.
bool ChooseSettings(const CommandLine& line, Setup& setup, std::string& error);

// --bare-unit UNIT (pF, nF, uF, uH or H; repeatable): the unit of
// capacitances and inductances written as bare numbers in any notation.
inline constexpr OptionSpec kBareUnitOption = {"bare-unit", true};

// ChooseBareUnits: applies each --bare-unit of `line` to
// `settings.bare_capacitance` or `bare_inductance`, as its unit's quantity
// says. False with a one-line `error` for an unknown unit or two units for
// one quantity.
bool ChooseBareUnits(const CommandLine& line, tarvil::Settings& settings, std::string& error);

// SettingsSourceWord: "locale", "registry" or "defaults".
const char* SettingsSourceWord(SettingsSource source);

// SetPrecision: sets, in `settings`, the precision that governs writing a
// value of `kind` in `notation` (the settings' notation when absent; for
// numbers without a notation, the regional digits) or in `unit`. False with
// a one-line `error` when `precision` is out of the setting's range or the
// kind has none.
bool SetPrecision(Kind kind, std::optional<Notation> notation, std::optional<UnitChoice> unit,
                  int precision, tarvil::Settings& settings, std::string& error);

// UseFullPrecision: the largest precision for every kind, trailing zeros
// dropped: values written with as many decimals as they need, up to the
// library's limit.
void UseFullPrecision(tarvil::Settings& settings);

// InstalledCommonDir: the common directory that holds the installed units
// definition file (value "CommonDir" of "SOFTWARE\Orvanta" in the machine
// hive), or empty when none is configured.
std::string InstalledCommonDir();

// The file name of the installed units definition file in that directory.
inline constexpr const char* kUnitsFileName = "OVUnits.hkp";

}  // namespace tarvil::tool

#endif
