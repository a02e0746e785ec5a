// EngineSettingsInternal.h: the settings every routine of the engine reads,
// passed to it as an argument: the plain settings (regional symbols,
// precisions) and the table of electrical prefixes and unit names. The
// engine only reads them; whoever owns them (a caller of the modern
// interface, or the string class's copy of its shared settings) keeps them
// unchanged while a routine runs. Not installed.
#ifndef TARVIL_ENGINESETTINGSINTERNAL_H
#define TARVIL_ENGINESETTINGSINTERNAL_H

#include "COVUnitStorage.h"
#include "OrvantaNotations.h"
#include "TarvilSettings.h"

namespace tarvil::detail {

// Refers to its two parts and is never copied: a copy made from a
// temporary that owns them (the string class's SharedSettings) would
// outlive them.
struct EngineSettings {
  EngineSettings(const Settings& f, const COVUnitStorage& u) noexcept : format(f), units(u) {}
  EngineSettings(const EngineSettings&) = delete;
  EngineSettings& operator=(const EngineSettings&) = delete;

  const Settings& format;
  const COVUnitStorage& units;
};

// PrecisionOf: the configured decimals of `notation`: engineering,
// european, scientific, SI and SPICE have their own; every other notation
// writes the regional digits count.
inline int PrecisionOf(const Settings& format, eOrvantaNotations notation) noexcept {
  const auto index = static_cast<unsigned>(notation);
  return index < format.precision.size() ? format.precision[index] : format.digits;
}

}  // namespace tarvil::detail

#endif
