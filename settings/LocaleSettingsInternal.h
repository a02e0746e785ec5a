// LocaleSettingsInternal.h: the plain settings a CTarvilLocale holds, as the
// engine and the modern interface take them. Not installed.
#ifndef TARVIL_LOCALESETTINGSINTERNAL_H
#define TARVIL_LOCALESETTINGSINTERNAL_H

#include "CTarvilLocale.h"
#include "TarvilSettings.h"

namespace tarvil::detail {

// SettingsOf: the values of `locale`'s fields: the leading zero shown
// unless its flag is 0, trailing zeros suppressed only when their flag is
// exactly 1, and an active notation outside 0..6 read as SI. The units of
// bare values are none: the class reads no bare values. A host may write
// the shared record's public fields at any time, so the class makes this
// copy each time a member runs instead of keeping one.
Settings SettingsOf(const CTarvilLocale& locale) noexcept;

}  // namespace tarvil::detail

#endif
