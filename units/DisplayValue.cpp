// DisplayValue.cpp: whether a DISPLAY text of the units definition file can
// be read back in a regional number format.
//
// A display made only of digits, or holding the regional decimal or
// grouping symbol, would be taken for part of the number. The symbols come
// from the caller: the string class's start-up reads the user's registry,
// UnitTable::load takes them from its settings.
#include "Registry.h"
#include "UnitsDefinitionsInternal.h"

using namespace tarvil::platform;

namespace tarvil::detail {

DisplaySymbols RegistryDisplaySymbols() {
  DisplaySymbols symbols;
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return symbols;  // no symbol: nothing conflicts
  }
  BYTE buffer[2] = {0, 0};
  DWORD size = sizeof buffer;
  DWORD type = REG_NONE;
  symbols.decimal = RegQueryValueEx(key, "sDecimal", nullptr, &type, buffer, &size) ==
                            ERROR_SUCCESS
                        ? static_cast<char>(buffer[0])
                        : '.';
  buffer[0] = buffer[1] = 0;
  size = sizeof buffer;
  type = REG_NONE;
  symbols.grouping = RegQueryValueEx(key, "sThousand", nullptr, &type, buffer, &size) ==
                                 ERROR_SUCCESS &&
                             type == REG_SZ
                         ? static_cast<char>(buffer[0])
                         : ',';
  symbols.known = true;
  RegCloseKey(key);
  return symbols;
}

int CheckDisplayValue(const char* display, const DisplaySymbols& symbols) {
  if (display == nullptr || display[0] == '\0') return kDisplayUsable;
  bool digitsOnly = true;
  for (const char* p = display; *p != '\0'; ++p) {
    if (symbols.known && *p == symbols.decimal) return kDisplayHasDecimal;
    if (symbols.known && *p == symbols.grouping) return kDisplayHasGrouping;
    if (*p < '0' || *p > '9') digitsOnly = false;
  }
  return digitsOnly ? kDisplayNumeric : kDisplayUsable;
}

}  // namespace tarvil::detail
