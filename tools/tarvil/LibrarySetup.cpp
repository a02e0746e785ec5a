// LibrarySetup.cpp: the settings and unit tables of one run of the tool.
#include "LibrarySetup.h"

#include <filesystem>
#include <iterator>

#include <tarvil/Registry.h>
#include <tarvil/RegularFile.h>

#include "Input.h"
#include "Session.h"

namespace tarvil::tool {

namespace {

// The file name of the installed units definition file in the common
// directory.
constexpr const char* kUnitsFileName = "OVUnits.hkp";

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

std::string UnreadableRegistry(const std::string& path) {
  std::string bytes;
  std::string problem;
  const platform::FileRead read =
      ReadWholeFile(path, platform::kMaxSettingsFileBytes, bytes, problem);
  return read == platform::FileRead::kMissing ? std::string() : problem;
}

std::string InvalidSettingsText(const tarvil::Settings& settings) {
  if (tarvil::valid(settings)) return std::string();
  const auto shown = [](char symbol) {
    const auto byte = static_cast<unsigned char>(symbol);
    if (byte >= 0x20 && byte < 0x7F) return std::string{'\'', symbol, '\''};
    constexpr char kHex[] = "0123456789abcdef";
    return std::string("'\\x") + kHex[byte >> 4] + kHex[byte & 0xF] + "'";
  };
  return "decimal symbol " + shown(settings.decimal) + " and thousands symbol " +
         shown(settings.thousands) +
         " cannot be told apart from the numbers (the decimal symbol may not be blank, "
         "neither may be a digit or a sign, and the two must differ)";
}

namespace {

// The registry files --settings registry reads, with their names for a
// message: the user's for the settings, the machine's for the units file.
bool RegistriesReadable(const std::string& command) {
  const std::pair<const char*, std::string> registries[] = {
      {"user", platform::UserRegistryPath()}, {"machine", platform::MachineRegistryPath()}};
  for (const auto& [which, path] : registries) {
    const std::string problem = UnreadableRegistry(path);
    if (!problem.empty()) {
      CommandTrouble(command, std::string("cannot read the ") + which + " registry '" + path +
                                  "': " + problem);
      return false;
    }
  }
  return true;
}

const char* SettingsOrigin(SettingsSource source) {
  switch (source) {
    case SettingsSource::kRegistry: return "the settings of the user registry";
    case SettingsSource::kDefaults: return "the built-in settings";
    default: return "the settings of the locale";
  }
}

}  // namespace

bool ChooseSettings(const std::string& command, const CommandLine& line, Setup& setup,
                    SettingsCheck check) {
  setup.source = SettingsSource::kLocale;
  if (auto word = line.Value("settings")) {
    if (*word == "registry") {
      setup.source = SettingsSource::kRegistry;
    } else if (*word == "defaults") {
      setup.source = SettingsSource::kDefaults;
    } else if (*word != "locale") {
      UsageTrouble(command, "unknown settings '" + *word + "' (registry, defaults or locale)");
      return false;
    }
  }
  const bool refuse = check == SettingsCheck::kRefuse;
  // The library would read a registry it cannot read as an empty one, and
  // the values would silently be the defaults.
  if (refuse && setup.source == SettingsSource::kRegistry && !RegistriesReadable(command)) {
    return false;
  }
  switch (setup.source) {
    case SettingsSource::kRegistry: setup.settings = tarvil::Settings::from_registry(); break;
    case SettingsSource::kDefaults: setup.settings = tarvil::Settings{}; break;
    default: setup.settings = tarvil::Settings::from_locale(); break;
  }
  if (refuse && !tarvil::valid(setup.settings)) {
    CommandTrouble(command, std::string(SettingsOrigin(setup.source)) + " are not valid: " +
                                InvalidSettingsText(setup.settings));
    return false;
  }
  setup.units = tarvil::UnitTable{};
  const std::string unitsFile = InstalledUnitsFile(setup.source);
  if (!unitsFile.empty()) {
    // A file that cannot be loaded leaves the built-in tables, as it does
    // for the library; its displays are checked against the symbols the
    // command reads with.
    auto loaded = tarvil::UnitTable::load(unitsFile, setup.settings);
    if (loaded.error != tarvil::Error::no_unit) setup.units = loaded.value;
  }
  return true;
}

bool ReadPrecisionOptions(const CommandLine& line, PrecisionOptions& options,
                          std::string& error) {
  if (auto word = line.Value("precision")) {
    int value = 0;
    if (!ParseWholeNumber(*word, value)) {
      error = "--precision needs a whole number, not '" + *word + "'";
      return false;
    }
    options.precision = value;
  }
  options.full = line.Has("full");
  options.keepZeros = line.Has("keep-zeros");
  if (options.precision && options.full) {
    error = "--precision and --full exclude each other";
    return false;
  }
  return true;
}

bool ApplyPrecisionOptions(const PrecisionOptions& options, Kind kind,
                           std::optional<Notation> notation, std::optional<UnitChoice> unit,
                           tarvil::Settings& settings, std::string& error) {
  if (options.keepZeros) settings.suppress_trailing_zeros = false;
  if (options.full) UseFullPrecision(settings);
  return !options.precision ||
         SetPrecision(kind, notation, unit, *options.precision, settings, error);
}

bool ChooseBareUnits(const CommandLine& line, tarvil::Settings& settings, std::string& error) {
  using tarvil::BareUnit;
  for (const std::string& word : line.Values("bare-unit")) {
    const BareUnit unit = tarvil::bare_unit_named(word);
    if (unit == BareUnit::none) {
      error = "unknown unit '" + word + "' for --bare-unit (pF, nF, uF, uH or H)";
      return false;
    }
    const bool capacitance = tarvil::is_capacitance_unit(unit);
    BareUnit& target = capacitance ? settings.bare_capacitance : settings.bare_inductance;
    if (target != BareUnit::none && target != unit) {
      error = std::string("--bare-unit is given twice for ") +
              (capacitance ? "capacitances" : "inductances");
      return false;
    }
    target = unit;
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

std::string InstalledUnitsFile(SettingsSource source) {
  if (source == SettingsSource::kDefaults) return std::string();
  const std::string commonDir = tarvil::common_directory();
  if (commonDir.empty()) return std::string();
  return (std::filesystem::path(commonDir) / kUnitsFileName).string();
}

}  // namespace tarvil::tool
