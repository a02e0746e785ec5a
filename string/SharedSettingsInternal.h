// SharedSettingsInternal.h: the string class's shared settings as the
// engine takes them, and the one lazy first use that reads them. Not
// installed.
#ifndef TARVIL_SHAREDSETTINGSINTERNAL_H
#define TARVIL_SHAREDSETTINGSINTERNAL_H

#include "EngineSettingsInternal.h"

namespace tarvil::detail {

// LoadSharedSettings: reads the shared settings and the unit table
// (CTarvil::SetLocale) unless that was done; when many threads make their
// first call at once, one reads and the others wait for it. Afterwards a
// call costs two atomic loads.
void LoadSharedSettings();

// SharedSettings: LoadSharedSettings, then CTarvil::s_Locale and
// CTarvil::s_OVUnits as the engine's settings.
EngineSettings SharedSettings();

}  // namespace tarvil::detail

#endif
