// LibrarySetup.cpp: the settings and unit tables of one run of the tool.
#include "LibrarySetup.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include <tarvil/Registry.h>

namespace tarvil::tool {

namespace {

// One precision setting: where it is and the values the library accepts.
struct PrecisionField {
  int* field;
  int low;
  int high;
  const char* what;
};

PrecisionField NotationField(tarvil::Settings& settings, Notation notation) {
  auto& p = settings.precision;
  switch (notation) {
    case Notation::engineering: return {&p[0], 0, 9, "Engineering"};
    case Notation::european: return {&p[1], 0, 9, "European"};
    case Notation::scientific: return {&p[2], 0, 9, "Scientific"};
    case Notation::si: return {&p[3], 0, 9, "SI"};
    case Notation::spice: return {&p[4], 0, 9, "SPICE"};
    default: return {&settings.digits, 0, 9, "regional digits"};
  }
}

}  // namespace

const char* SettingsSourceWord(SettingsSource source) {
  switch (source) {
    case SettingsSource::kRegistry: return "registry";
    case SettingsSource::kDefaults: return "defaults";
    default: return "locale";
  }
}

bool ChooseSettings(const CommandLine& line, Setup& setup, std::string& error) {
  setup.source = SettingsSource::kLocale;
  if (auto word = line.Value("settings")) {
    if (*word == "registry") {
      setup.source = SettingsSource::kRegistry;
    } else if (*word == "defaults") {
      setup.source = SettingsSource::kDefaults;
    } else if (*word != "locale") {
      error = "unknown settings '" + *word + "' (registry, defaults or locale)";
      return false;
    }
  }
  switch (setup.source) {
    case SettingsSource::kRegistry: setup.settings = tarvil::Settings::from_registry(); break;
    case SettingsSource::kDefaults: setup.settings = tarvil::Settings{}; break;
    default: setup.settings = tarvil::Settings::from_locale(); break;
  }
  setup.units = tarvil::UnitTable{};
  if (setup.source != SettingsSource::kDefaults) {
    const std::string commonDir = InstalledCommonDir();
    if (!commonDir.empty()) {
      // A file that cannot be loaded leaves the built-in tables, as it does
      // for the library.
      auto loaded = tarvil::UnitTable::load(std::filesystem::path(commonDir) / kUnitsFileName);
      if (loaded.error != tarvil::Error::no_unit) setup.units = loaded.value;
    }
  }
  return true;
}

bool ChooseBareUnits(const CommandLine& line, tarvil::Settings& settings, std::string& error) {
  using tarvil::BareUnit;
  constexpr struct {
    const char* word;
    BareUnit unit;
    bool capacitance;
  } kUnits[] = {{"pF", BareUnit::pF, true},
                {"nF", BareUnit::nF, true},
                {"uF", BareUnit::uF, true},
                {"uH", BareUnit::uH, false},
                {"H", BareUnit::H, false}};
  for (const std::string& word : line.Values("bare-unit")) {
    const auto* found = std::find_if(std::begin(kUnits), std::end(kUnits),
                                     [&](const auto& u) { return word == u.word; });
    if (found == std::end(kUnits)) {
      error = "unknown unit '" + word + "' for --bare-unit (pF, nF, uF, uH or H)";
      return false;
    }
    BareUnit& target = found->capacitance ? settings.bare_capacitance : settings.bare_inductance;
    if (target != BareUnit::none && target != found->unit) {
      error = std::string("--bare-unit is given twice for ") +
              (found->capacitance ? "capacitances" : "inductances");
      return false;
    }
    target = found->unit;
  }
  return true;
}

bool SetPrecision(Kind kind, std::optional<Notation> notation, std::optional<UnitChoice> unit,
                  int precision, tarvil::Settings& settings, std::string& error) {
  PrecisionField target{};
  if (IsElectrical(kind) || (kind == Kind::kInteger && notation) ||
      (kind == Kind::kNumber && notation)) {
    Notation used = notation.value_or(settings.notation);
    if (used == Notation::any) used = Notation::si;
    target = NotationField(settings, used);
  } else if (kind == Kind::kNumber || kind == Kind::kLength) {
    target = {&settings.digits, 0, 9, "regional digits"};
  } else if (kind == Kind::kTime) {
    target = {&settings.time_precision, 0, 3, "time"};
  } else if (kind == Kind::kAngle) {
    target = {&settings.angle_precision, 0, 4, "angle"};
  } else if (kind == Kind::kVelocity) {
    const bool percent =
        unit && unit->value == static_cast<int>(tarvil::VelocityUnit::percent_c);
    target = percent ? PrecisionField{&settings.percentage_precision, 0, 3, "percentage"}
                     : NotationField(settings, Notation::scientific);
  } else {
    error = "--precision does not apply to integers written without a notation";
    return false;
  }
  if (precision < target.low || precision > target.high) {
    error = "--precision " + std::to_string(precision) + " is not accepted as the " +
            target.what + " precision";
    return false;
  }
  *target.field = precision;
  return true;
}

void UseFullPrecision(tarvil::Settings& settings) {
  // The writers cap the decimals at their own limit.
  constexpr int kAll = 17;
  settings.digits = kAll;
  settings.precision.fill(kAll);
  settings.angle_precision = kAll;
  settings.percentage_precision = kAll;
  settings.time_precision = kAll;
  settings.suppress_trailing_zeros = true;
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
