// LibrarySetup.cpp: the library's shared settings for one run of the tool.
#include "LibrarySetup.h"

#include <tarvil/CTarvil.h>
#include <tarvil/Registry.h>

namespace tarvil::tool {

namespace {

// The notation setter is reserved to the string class and its kin.
class NotationAccess : public CTarvil {
 public:
  static void Use(eOrvantaNotations notation) { SetNotation(notation); }
};

using PrecisionSetter = int (*)(int);

PrecisionSetter NotationPrecisionSetter(eOrvantaNotations notation) {
  switch (notation) {
    case eEngineering: return &CTarvil::SetEngPrecision;
    case eEuropean: return &CTarvil::SetEuroPrecision;
    case eScientific: return &CTarvil::SetSciPrecision;
    case eSI: return &CTarvil::SetSIPrecision;
    case eSPICE: return &CTarvil::SetSPICEPrecision;
    default: return &CTarvil::SetDigitsPrecision;
  }
}

}  // namespace

void LoadSettings() { CTarvil::SetLocale(); }

void UseNotation(eOrvantaNotations notation) { NotationAccess::Use(notation); }

eOrvantaNotations ActiveNotation() { return CTarvil::s_Locale.m_eActiveNotation; }

void KeepTrailingZeros() { CTarvil::s_Locale.m_nSuppressTrailingZeros = 0; }

bool SetPrecision(Kind kind, std::optional<eOrvantaNotations> notation,
                  std::optional<UnitChoice> unit, int precision, std::string& error) {
  PrecisionSetter setter = nullptr;
  const char* what = "";
  if (IsElectrical(kind) || (kind == Kind::kInteger && notation) ||
      (kind == Kind::kNumber && notation)) {
    const eOrvantaNotations used = notation.value_or(ActiveNotation());
    setter = NotationPrecisionSetter(used);
    what = NotationTitle(used);
  } else if (kind == Kind::kNumber || kind == Kind::kLength) {
    setter = &CTarvil::SetDigitsPrecision;
    what = "regional digits";
  } else if (kind == Kind::kTime) {
    setter = &CTarvil::SetTimePrecision;
    what = "time";
  } else if (kind == Kind::kAngle) {
    setter = &CTarvil::SetAnglePrecision;
    what = "angle";
  } else if (kind == Kind::kVelocity) {
    const bool percent = unit && unit->value == kVpPercentC;
    setter = percent ? &CTarvil::SetPercentPrecision : &CTarvil::SetSciPrecision;
    what = percent ? "percentage" : "Scientific";
  } else {
    error = "--precision does not apply to integers written without a notation";
    return false;
  }
  // The setters keep the old value when the new one is out of their range;
  // a second call tells which happened.
  setter(precision);
  if (setter(precision) != precision) {
    error = "--precision " + std::to_string(precision) + " is not accepted as the " + what +
            " precision";
    return false;
  }
  return true;
}

std::string InstalledCommonDir() {
  using namespace tarvil::platform;
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvanta", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::string();
  }
  std::string value;
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueEx(key, "CommonDir", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      size > 0) {
    std::string buffer(size + 1, '\0');
    DWORD capacity = size + 1;
    if (RegQueryValueEx(key, "CommonDir", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                        &capacity) == ERROR_SUCCESS) {
      value.assign(buffer.c_str());
    }
  }
  RegCloseKey(key);
  return value;
}

}  // namespace tarvil::tool
