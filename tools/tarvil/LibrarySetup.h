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

// What ChooseSettings checks before a command reads any input.
enum class SettingsCheck {
  kRefuse,  // a fault below is a message and a false return
  kShow,    // none is checked: the caller shows the settings and reports
};

// ChooseSettings: reads --settings of `line` ("registry", "defaults"; the
// locale when absent) and loads those settings and the unit tables into
// `setup`. False after a one-line message on standard error, "tarvil:
// COMMAND: ...", for which the command exits with status 2 before reading
// any input: an unknown word (always); with kRefuse, under --settings
// registry a registry file the library cannot read and would pass over for
// the defaults (not a regular file, larger than 16 MiB, unreadable; a
// missing file is an empty registry), and settings that are not valid
// (tarvil::valid: regional symbols that cannot be told apart from the
// numbers; no option of the command changes those symbols).
bool ChooseSettings(const std::string& command, const CommandLine& line, Setup& setup,
                    SettingsCheck check = SettingsCheck::kRefuse);

// UnreadableRegistry: why the library passes over the registry file at
// `path` (not a regular file, larger than 16 MiB, unreadable), or empty
// when it reads it (a missing file is an empty registry).
std::string UnreadableRegistry(const std::string& path);

// InvalidSettingsText: what makes `settings` not valid (tarvil::valid), for
// a message; empty when they are valid.
std::string InvalidSettingsText(const tarvil::Settings& settings);

// --bare-unit UNIT (pF, nF, uF, uH or H; repeatable): the unit of
// capacitances and inductances written as bare numbers in any notation.
inline constexpr OptionSpec kBareUnitOption = Valued("bare-unit");

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

// What the options of the written form ask for: --precision N, --full,
// --keep-zeros.
struct PrecisionOptions {
  std::optional<int> precision;
  bool full = false;
  bool keepZeros = false;
  // Given: true when any of them is given.
  bool Given() const { return precision || full || keepZeros; }
};

// ReadPrecisionOptions: the options of the written form of `line` into
// `options`; false with `error` set for a --precision that is no whole
// number, or beside --full.
bool ReadPrecisionOptions(const CommandLine& line, PrecisionOptions& options,
                          std::string& error);

// ApplyPrecisionOptions: `options` applied to `settings`: --keep-zeros,
// --full (UseFullPrecision), then --precision as SetPrecision sets it for a
// value of `kind` in `notation` or `unit`. False with a one-line `error` as
// for SetPrecision.
bool ApplyPrecisionOptions(const PrecisionOptions& options, Kind kind,
                           std::optional<Notation> notation, std::optional<UnitChoice> unit,
                           tarvil::Settings& settings, std::string& error);

// UseFullPrecision: the largest precision for every kind, trailing zeros
// dropped: values written with as many decimals as they need, up to the
// library's limit.
void UseFullPrecision(tarvil::Settings& settings);

// InstalledUnitsFile: the installed units definition file, in the common
// directory the machine registry names (tarvil::common_directory); empty
// when none is named, and with --settings defaults, which read no registry.
std::string InstalledUnitsFile(SettingsSource source);

}  // namespace tarvil::tool

#endif
