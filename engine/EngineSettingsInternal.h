// EngineSettingsInternal.h: the settings every routine of the engine reads, passed
// to it as an argument: the regional and notation settings and the table of
// electrical prefixes and unit names. The engine only reads them; whoever
// owns them (the string class's shared objects, or a caller's own) keeps
// them unchanged while a routine runs. Not installed.
#ifndef TARVIL_ENGINESETTINGSINTERNAL_H
#define TARVIL_ENGINESETTINGSINTERNAL_H

#include "COVUnitStorage.h"
#include "CTarvilLocale.h"

namespace tarvil::detail {

struct EngineSettings {
  const CTarvilLocale& locale;
  const COVUnitStorage& units;
};

}  // namespace tarvil::detail

#endif
