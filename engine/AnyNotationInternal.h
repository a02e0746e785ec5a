// AnyNotationInternal.h: placeholder of the any-notation reader (replaced
// by the reader itself).
#ifndef TARVIL_ANYNOTATIONINTERNAL_H
#define TARVIL_ANYNOTATIONINTERNAL_H

#include <string_view>

#include "CTarvilLocale.h"
#include "UnitTypes.h"

namespace tarvil::detail {

inline constexpr int kErrAmbiguous = 13;
struct AnyReading {
  double value;
  const char* picked_by;
};
struct AnyScan {
  bool ok = false;
  int error = 0;
  int cursor = 0;
  double value = 0.0;
  int readings = 0;
  AnyReading reading[2]{};
};
AnyScan ScanAnyNotation(std::string_view text, eUnitTypes unit, const CTarvilLocale& locale) noexcept;

}  // namespace tarvil::detail

#endif
