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

// SharedSettings: LoadSharedSettings, then the plain settings of
// CTarvil::s_Locale as they stand now, with CTarvil::s_OVUnits: what a
// member passes to the engine. Lives for the member's call (or the
// full-expression that makes it); neither copied nor moved, since `engine`
// refers to `format`.
class SharedSettings {
 public:
  SharedSettings();
  SharedSettings(const SharedSettings&) = delete;
  SharedSettings& operator=(const SharedSettings&) = delete;

  const Settings& format() const noexcept { return m_format; }
  const EngineSettings& engine() const noexcept { return m_engine; }
  operator const EngineSettings&() const noexcept { return m_engine; }

 private:
  Settings m_format;
  EngineSettings m_engine;
};

}  // namespace tarvil::detail

#endif
