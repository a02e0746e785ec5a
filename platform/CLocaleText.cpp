// CLocaleText.cpp: number text read with the C locale's rules, whatever
// the process's locale (strtod and strtol in the C locale), and the scope
// that switches a thread to the C locale.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <locale.h>

#include "CRuntime.h"

namespace tarvil::platform {
namespace {

locale_t CLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}

}  // namespace

CLocaleScope::CLocaleScope() : m_previous(uselocale(CLocale())) {}

CLocaleScope::~CLocaleScope() { uselocale(static_cast<locale_t>(m_previous)); }

double StrtodC(const char* text, const char** end) {
  if (text == nullptr) {
    if (end) *end = text;
    return 0.0;
  }
  char* stop = nullptr;
  double v = strtod_l(text, &stop, CLocale());
  if (end) *end = stop;
  return v;
}

double AtofC(const char* text) { return StrtodC(text, nullptr); }

long StrtolC(const char* text, const char** end, int base) {
  if (text == nullptr) {
    if (end) *end = text;
    return 0;
  }
  char* stop = nullptr;
  errno = 0;
  long long v = strtoll_l(text, &stop, base, CLocale());
  if (end) *end = stop;
  if (v > INT_MAX) v = INT_MAX;
  if (v < INT_MIN) v = INT_MIN;
  return static_cast<long>(v);
}

}  // namespace tarvil::platform
