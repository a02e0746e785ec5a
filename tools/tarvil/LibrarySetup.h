// LibrarySetup.h: bringing up the library's shared settings and changing
// them in memory for one run of the tool (--notation, --precision,
// --keep-zeros). Nothing here is written back to the registry.
#ifndef TARVIL_TOOL_LIBRARYSETUP_H
#define TARVIL_TOOL_LIBRARYSETUP_H

#include <optional>
#include <string>

#include "Names.h"

namespace tarvil::tool {

// LoadSettings: reads the regional and notation settings and initialises
// the unit table, as the library does on first use. Changes made in memory
// before this call would be overwritten by it.
void LoadSettings();

// UseNotation: makes `notation` the active notation of this process.
void UseNotation(eOrvantaNotations notation);

// ActiveNotation: the notation in force for calls without one.
eOrvantaNotations ActiveNotation();

// KeepTrailingZeros: writes every configured decimal, zeros included.
void KeepTrailingZeros();

// SetPrecision: sets the precision that governs writing a value of `kind`
// in `notation` (the active one when absent; for numbers without a
// notation, the regional digits) or in `unit`. False with a one-line
// `error` when the library refuses `precision` or the kind has none.
bool SetPrecision(Kind kind, std::optional<eOrvantaNotations> notation,
                  std::optional<UnitChoice> unit, int precision, std::string& error);

// InstalledCommonDir: the common directory that holds the installed units
// definition file (value "CommonDir" of "SOFTWARE\Orvanta" in the machine
// hive), or empty when none is configured.
std::string InstalledCommonDir();

}  // namespace tarvil::tool

#endif
