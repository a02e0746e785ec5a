// DisplayValue.cpp: whether a DISPLAY text of the units definition file can
// be read back in the user's regional number format.
//
// A display made only of digits, or holding the regional decimal or
// grouping symbol, would be taken for part of the number. The check keeps
// its own copy of the two symbols, read once per process under a lock (the
// string class's first use and UnitTable::load may check displays at once).
#include <mutex>

#include "Registry.h"
#include "UnitsDefinitionsInternal.h"

using namespace tarvil::platform;

namespace tarvil::detail {
namespace {

std::mutex g_symbolsLock;
bool s_bSymbolsRead = false;
bool s_bSymbolsSet = false;
char s_cDecimal = 0;
char s_cGrouping = 0;

void ReadSymbols() {
  s_bSymbolsRead = true;
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return;  // no symbol: nothing conflicts
  }
  BYTE buffer[2] = {0, 0};
  DWORD size = sizeof buffer;
  DWORD type = REG_NONE;
  s_cDecimal = RegQueryValueEx(key, "sDecimal", nullptr, &type, buffer, &size) == ERROR_SUCCESS
                   ? static_cast<char>(buffer[0])
                   : '.';
  buffer[0] = buffer[1] = 0;
  size = sizeof buffer;
  type = REG_NONE;
  s_cGrouping = RegQueryValueEx(key, "sThousand", nullptr, &type, buffer, &size) ==
                            ERROR_SUCCESS &&
                        type == REG_SZ
                    ? static_cast<char>(buffer[0])
                    : ',';
  s_bSymbolsSet = true;
  RegCloseKey(key);
}

}  // namespace

int CheckDisplayValue(const char* display) {
  if (display == nullptr || display[0] == '\0') return 0;
  std::lock_guard<std::mutex> guard(g_symbolsLock);
  if (!s_bSymbolsRead) ReadSymbols();
  bool digitsOnly = true;
  for (const char* p = display; *p != '\0'; ++p) {
    if (s_bSymbolsSet && *p == s_cDecimal) return 2;
    if (s_bSymbolsSet && *p == s_cGrouping) return 3;
    if (*p < '0' || *p > '9') digitsOnly = false;
  }
  return digitsOnly ? 1 : 0;
}

void ResetDisplaySymbols() {
  std::lock_guard<std::mutex> guard(g_symbolsLock);
  s_bSymbolsRead = false;
  s_bSymbolsSet = false;
  s_cDecimal = s_cGrouping = 0;
}

}  // namespace tarvil::detail
