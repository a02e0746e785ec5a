// RegistryLocale.cpp: the regional settings key presented when the user's
// hive has none, made from the numeric locale of the environment.
#include <clocale>
#include <langinfo.h>
#include <locale.h>

#include "Registry.h"
#include "RegistryFileInternal.h"

namespace tarvil::platform::registry {

namespace {

bool IsValidUtf8(const char* s) {
  for (const auto* p = reinterpret_cast<const unsigned char*>(s); *p != 0;) {
    int len = 1;
    if (*p >= 0x80) {
      if (*p >= 0xC2 && *p < 0xE0) len = 2;
      else if (*p >= 0xE0 && *p < 0xF0) len = 3;
      else if (*p >= 0xF0 && *p < 0xF5) len = 4;
      else return false;
      for (int i = 1; i < len; ++i)
        if ((p[i] & 0xC0) != 0x80) return false;
    }
    p += len;
  }
  return true;
}

void AddText(std::vector<Value>& values, const char* name, const char* text) {
  if (text == nullptr || text[0] == '\0' || !IsValidUtf8(text)) return;
  values.push_back({name, REG_SZ, text});
}

}  // namespace

std::vector<Value> SynthesiseInternational() {
  std::vector<Value> values;
  // A locale object of its own: the process's locale stays as it is.
  locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr))
    loc = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr)) {
    values.push_back({"sDecimal", REG_SZ, "."});
    return values;
  }
  AddText(values, "sDecimal", nl_langinfo_l(RADIXCHAR, loc));
  if (values.empty()) values.push_back({"sDecimal", REG_SZ, "."});
  AddText(values, "sThousand", nl_langinfo_l(THOUSEP, loc));
  const std::string grouping = GroupingPattern(nl_langinfo_l(GROUPING, loc));
  AddText(values, "sGrouping", grouping.c_str());
  freelocale(loc);
  return values;
}

}  // namespace tarvil::platform::registry
