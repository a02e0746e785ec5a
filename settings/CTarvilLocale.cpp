// CTarvilLocale.cpp: reading the regional and notation settings from the
// current user's registry.
#include "CTarvilLocale.h"
#include "LocaleSettingsInternal.h"

#include <atomic>

#include <cstring>

#include "CRuntime.h"
#include "Registry.h"

using namespace tarvil::platform;

namespace {

constexpr const char* kInternationalKey = "Control Panel\\International";
constexpr const char* kNotationKey = "Software\\Orvanta\\Orvanta Notation";

// Reads value `name` into `text` (`size` bytes are offered to the registry;
// `text` has room for one more, and is always terminated). False when the
// value is missing or does not fit.
bool QueryText(HKEY key, const char* name, DWORD size, char* text, DWORD& type) {
  std::memset(text, 0, size + 1);
  DWORD cb = size;
  type = REG_NONE;
  return RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &cb) ==
         ERROR_SUCCESS;
}

// The notation values in the index order in which a new key receives them.
struct NotationValue {
  const char* name;
  int defaultValue;
};
constexpr NotationValue kNotationValues[] = {
    {"Engineering", 4}, {"European", 4}, {"Scientific", 4}, {"SI", 4},
    {"SPICE", 4},       {"Angle", 3},    {"Percentage", 2}, {"Time", 2},
    {"SuppressTrailingZeros", 1},        {"ActiveNotation", eSI},
};

int DefaultOf(const char* name) {
  for (const NotationValue& v : kNotationValues)
    if (std::strcmp(v.name, name) == 0) return v.defaultValue;
  return 0;
}

// Whether reading the notation settings creates their key (with every
// default) when it is absent, or only reads what is there.
enum class MissingKey { kCreate, kLeave };

// Reads one notation value; with MissingKey::kCreate, the key is first
// created with every default when it is absent. A value that is missing, or is not a
// 4-byte REG_DWORD, gives the default; so does a key that cannot be opened
// (or created).
int ReadNotationValue(const char* name, MissingKey missing) {
  const int fallback = DefaultOf(name);
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (missing == MissingKey::kLeave) {
    if (RegOpenKeyEx(HKEY_CURRENT_USER, kNotationKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return fallback;
    }
  } else if (RegCreateKeyEx(HKEY_CURRENT_USER, kNotationKey, 0, "", REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS) {
    return fallback;
  }
  if (disposition == REG_CREATED_NEW_KEY) {
    for (const NotationValue& v : kNotationValues) {
      const DWORD data = static_cast<DWORD>(v.defaultValue);
      RegSetValueEx(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    }
  }
  DWORD data = 0, type = REG_NONE, size = sizeof data;
  const LONG status =
      RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) return fallback;
  return static_cast<int>(data);
}

void ReadNotationInto(CTarvilLocale& l, MissingKey missing) {
  l.m_nAnglePrecision = ReadNotationValue("Angle", missing);
  l.m_nEngPrecision = ReadNotationValue("Engineering", missing);
  l.m_nEuroPrecision = ReadNotationValue("European", missing);
  l.m_nSciPrecision = ReadNotationValue("Scientific", missing);
  l.m_nSPICEPrecision = ReadNotationValue("SPICE", missing);
  l.m_nSIPrecision = ReadNotationValue("SI", missing);
  l.m_nTimePrecision = ReadNotationValue("Time", missing);
  l.m_nPercentPrecision = ReadNotationValue("Percentage", missing);
  l.m_nSuppressTrailingZeros = ReadNotationValue("SuppressTrailingZeros", missing) == 1 ? 1 : 0;
  l.m_eActiveNotation =
      static_cast<eOrvantaNotations>(ReadNotationValue("ActiveNotation", missing));
}

}  // namespace

void CTarvilLocale::ReadRegional() {
  ReadRegionalSymbols();
  ReadNotation();
  // Published last: a thread that sees the flag sees every value above.
  std::atomic_ref<int>(m_nLoaded).store(1, std::memory_order_release);
}

void CTarvilLocale::ReadRegionalSymbols() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, kInternationalKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    m_cDecimal = '.';
    m_nDigits = 3;
    m_nLeadingZero = 1;
    m_cThousand = ',';
    m_nGrouping = 3;
  } else {
    char text[5];
    DWORD type = REG_NONE;

    // The decimal symbol's type is not checked. An empty text is no symbol:
    // a NUL in its place would cut every number text short.
    m_cDecimal = QueryText(key, "sDecimal", 2, text, type) && text[0] != '\0' ? text[0] : '.';

    m_nDigits = QueryText(key, "iDigits", 2, text, type) && type == REG_SZ ? AtoiC(text) : 3;

    m_cThousand = QueryText(key, "sThousand", 2, text, type) && type == REG_SZ && text[0] != '\0'
                      ? text[0]
                      : ',';

    // Room for three characters: '3;0' fits, '3;2;0' does not.
    m_nGrouping = QueryText(key, "sGrouping", 4, text, type) && type == REG_SZ ? AtoiC(text) : 3;

    if (m_cThousand == m_cDecimal) {
      m_nGrouping = 0;
      m_cThousand = m_cThousand == '.' ? ',' : '.';
    }

    if (QueryText(key, "iLZero", 2, text, type) && type == REG_SZ)
      m_nLeadingZero = text[0] == '1' ? 1 : 0;
    else
      m_nLeadingZero = 1;
    RegCloseKey(key);
  }
}

void CTarvilLocale::ReadNotation() { ReadNotationInto(*this, MissingKey::kCreate); }

void CTarvilLocale::ReadWithoutWriting() {
  ReadRegionalSymbols();
  ReadNotationInto(*this, MissingKey::kLeave);
}

int CTarvilLocale::GetPrecision(eOrvantaNotations notation) const {
  switch (notation) {
    case eEngineering: return m_nEngPrecision;
    case eEuropean: return m_nEuroPrecision;
    case eScientific: return m_nSciPrecision;
    case eSI: return m_nSIPrecision;
    case eSPICE: return m_nSPICEPrecision;
    default: return m_nDigits;
  }
}

namespace tarvil::detail {

Settings SettingsOf(const CTarvilLocale& l) noexcept {
  Settings s;
  s.decimal = l.m_cDecimal;
  s.thousands = l.m_cThousand;
  s.grouping = l.m_nGrouping;
  s.digits = l.m_nDigits;
  s.leading_zero = l.m_nLeadingZero != 0;
  s.precision = {l.m_nEngPrecision, l.m_nEuroPrecision, l.m_nSciPrecision, l.m_nSIPrecision,
                 l.m_nSPICEPrecision};
  s.angle_precision = l.m_nAnglePrecision;
  s.percentage_precision = l.m_nPercentPrecision;
  s.time_precision = l.m_nTimePrecision;
  s.suppress_trailing_zeros = l.m_nSuppressTrailingZeros == 1;
  s.notation = static_cast<unsigned>(l.m_eActiveNotation) <= static_cast<unsigned>(eDecimal)
                   ? static_cast<Notation>(l.m_eActiveNotation)
                   : Notation::si;
  return s;
}

}  // namespace tarvil::detail
