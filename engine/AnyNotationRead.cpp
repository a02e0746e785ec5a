// Placeholder: replaced by the any-notation reader.
#include "AnyNotationInternal.h"
#include "NotationInternal.h"
namespace tarvil::detail {
AnyScan ScanAnyNotation(std::string_view, eUnitTypes, const CTarvilLocale&) noexcept {
  AnyScan scan;
  scan.error = 4;
  scan.cursor = 1;
  return scan;
}
}  // namespace tarvil::detail
