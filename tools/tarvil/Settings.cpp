// Settings.cpp: 'tarvil settings': the regional and notation settings a
// run works with (--settings), each with the place it came from.
//
// By default those are the built-in settings with the regional symbols of
// the process's numeric locale. With --settings registry the library reads
// the regional values from the user's hive, or, when the hive has no
// "Control Panel\International" key, from a key made from the process's
// numeric locale; whatever is missing takes its default. The notation
// values come from the user's hive. Nothing is written, unless --init asks
// for the notation key.
#include <cctype>
#include <cerrno>
#include <clocale>
#include <cstring>

#include <tarvil/CTarvil.h>
#include <tarvil/Registry.h>
#include <tarvil/RegularFile.h>

#include "Commands.h"
#include "Input.h"
#include "LibrarySetup.h"
#include "Names.h"
#include "Options.h"
#include "Session.h"

namespace tarvil::tool {

namespace {

using namespace tarvil::platform;

const std::vector<OptionSpec> kSettingsOptions = {
    {"json", false}, {"help", false}, {"init", false}, kSettingsOption};

constexpr const char* kRegionalKey = "Control Panel\\International";
constexpr const char* kNotationKey = "Software\\Orvanta\\Orvanta Notation";

enum class Source { kUserHive, kLocale, kMachineHive, kDefault };

const char* SourceWord(Source source) {
  switch (source) {
    case Source::kUserHive: return "user-registry";
    case Source::kLocale: return "process-locale";
    case Source::kMachineHive: return "machine-registry";
    default: return "default";
  }
}

// The hive file's text as UTF-8 (a hive may be stored as UTF-16LE), read as
// the library reads it: a file the library ignores (not a regular file,
// larger than its limit, unreadable) gives "" here too, and a reason in
// `problem`. A missing file is an empty hive, no problem.
std::string HiveText(const std::string& path, std::string& problem) {
  std::string bytes;
  if (ReadWholeFile(path, kMaxSettingsFileBytes, bytes, problem) == FileRead::kMissing) {
    problem.clear();
  }
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::vector<unsigned short> wide;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      wide.push_back(static_cast<unsigned short>(static_cast<unsigned char>(bytes[i]) |
                                                 (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    wide.push_back(0);
    return std::string(CString(wide.data()).View());
  }
  return bytes;
}

// True when the hive text holds the key HKEY_CURRENT_USER\`key`.
bool HiveHoldsKey(const std::string& text, const std::string& key) {
  std::string wanted = "[HKEY_CURRENT_USER\\" + key + "]";
  for (char& c : wanted) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    const std::size_t first = line.find_first_not_of(" \t\r\xEF\xBB\xBF");
    if (first == std::string::npos) continue;
    const std::size_t last = line.find_last_not_of(" \t\r");
    line = line.substr(first, last - first + 1);
    for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (line == wanted) return true;
  }
  return false;
}

// The names of the values present under HKEY_CURRENT_USER\`key`.
bool ValuePresent(HKEY root, const char* key, const char* name) {
  HKEY handle = nullptr;
  if (RegOpenKeyEx(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  const bool present = RegQueryValueEx(handle, name, nullptr, nullptr, nullptr, &size) ==
                       ERROR_SUCCESS;
  RegCloseKey(handle);
  return present;
}

struct Setting {
  const char* group;
  const char* name;
  std::string value;  // as shown
  bool isText;        // JSON: a string rather than a number
  long long number;
  Source source;
};

std::string SymbolText(char symbol) { return std::string(1, symbol); }

// Why the registry could not write the hive, from the errno it leaves.
std::string WriteProblem(int error) {
  if (error == EBADMSG) return "it holds lines the registry cannot read, so it is left as it is";
  return std::strerror(error != 0 ? error : EIO);
}

// AddNotationKey: --init. When the user's hive has no notation key, adds it
// with the values a new key receives from the string class's first use (the
// defaults of tarvil::Settings), in the same order. False after a message
// naming the file and the reason when the hive cannot be written; the step
// that failed leaves the file as it was (the registry replaces it whole or
// not at all).
bool AddNotationKey(Session& session) {
  const std::string path = UserRegistryPath();
  const auto fail = [&](const std::string& reason) {
    session.Trouble("cannot write the user registry '" + path + "': " + reason);
    return false;
  };
  // A file the registry cannot read is never rewritten.
  const std::string unreadable = UnreadableRegistry(path);
  if (!unreadable.empty()) return fail(unreadable);
  HKEY key = nullptr;
  DWORD disposition = 0;
  errno = 0;
  if (RegCreateKeyEx(HKEY_CURRENT_USER, kNotationKey, 0, "", REG_OPTION_NON_VOLATILE,
                     KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS) {
    return fail(WriteProblem(errno));
  }
  bool written = true;
  if (disposition == REG_CREATED_NEW_KEY) {
    const tarvil::Settings defaults;
    const std::pair<const char*, int> values[] = {
        {"Engineering", defaults.precision[0]},
        {"European", defaults.precision[1]},
        {"Scientific", defaults.precision[2]},
        {"SI", defaults.precision[3]},
        {"SPICE", defaults.precision[4]},
        {"Angle", defaults.angle_precision},
        {"Percentage", defaults.percentage_precision},
        {"Time", defaults.time_precision},
        {"SuppressTrailingZeros", defaults.suppress_trailing_zeros ? 1 : 0},
        {"ActiveNotation", static_cast<int>(defaults.notation)},
    };
    for (const auto& [name, value] : values) {
      const DWORD data = static_cast<DWORD>(value);
      errno = 0;
      if (RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof data) != ERROR_SUCCESS) {
        written = fail(WriteProblem(errno));
        break;
      }
    }
  }
  RegCloseKey(key);
  return written;
}

}  // namespace

int RunSettings(const Arguments& args) {
  const std::string command = "settings";
  CommandLine line;
  if (const auto done = OpenCommand(command, args, kSettingsOptions, line)) return *done;
  if (!line.Operands().empty()) {
    return UsageTrouble(command, "unexpected argument '" + line.Operands().front() + "'");
  }
  Setup setup;
  // The settings are shown whatever is wrong with them; that is reported
  // after them.
  if (!ChooseSettings(command, line, setup, SettingsCheck::kShow)) return kStatusTrouble;
  Session session(command, line.Has("json"));
  if (line.Has("init") && !AddNotationKey(session)) return session.Finish();
  if (setup.source == SettingsSource::kRegistry) setup.settings = tarvil::Settings::from_registry();
  const tarvil::Settings& shownSettings = setup.settings;
  const bool fromRegistry = setup.source == SettingsSource::kRegistry;
  const bool fromLocale = setup.source == SettingsSource::kLocale;
  const std::string userHive = UserRegistryPath();
  const std::string machineHive = MachineRegistryPath();

  // A registry file that the library does not read is trouble: the values
  // shown are then the ones that stand in for it.
  const auto readHive = [&](const char* which, const std::string& path) {
    std::string problem;
    std::string text = HiveText(path, problem);
    if (!problem.empty()) {
      session.Trouble(std::string("cannot read the ") + which + " registry '" + path + "': " +
                      problem);
    }
    return text;
  };
  const std::string userText = fromRegistry ? readHive("user", userHive) : std::string();
  if (setup.source != SettingsSource::kDefaults) readHive("machine", machineHive);

  const bool regionalInHive = HiveHoldsKey(userText, kRegionalKey);
  const auto regional = [&](const char* name) {
    if (fromLocale) {
      const std::string symbol = name;
      const bool localeGives = symbol == "sDecimal" || symbol == "sThousand" ||
                               symbol == "sGrouping";
      return localeGives ? Source::kLocale : Source::kDefault;
    }
    if (!fromRegistry || !ValuePresent(HKEY_CURRENT_USER, kRegionalKey, name)) {
      return Source::kDefault;
    }
    return regionalInHive ? Source::kUserHive : Source::kLocale;
  };
  const auto notation = [&](const char* name) {
    return fromRegistry && ValuePresent(HKEY_CURRENT_USER, kNotationKey, name)
               ? Source::kUserHive
               : Source::kDefault;
  };
  const tarvil::Settings& s = shownSettings;
  const auto active = static_cast<int>(s.notation);
  const auto number = [](const char* group, const char* name, long long value, Source source) {
    return Setting{group, name, std::to_string(value), false, value, source};
  };

  std::vector<Setting> settings = {
      Setting{"regional", "sDecimal", SymbolText(s.decimal), true, 0, regional("sDecimal")},
      number("regional", "iDigits", s.digits, regional("iDigits")),
      Setting{"regional", "sThousand", SymbolText(s.thousands), true, 0, regional("sThousand")},
      number("regional", "sGrouping", s.grouping, regional("sGrouping")),
      number("regional", "iLZero", s.leading_zero ? 1 : 0, regional("iLZero")),
      number("notation", "Engineering", s.precision[0], notation("Engineering")),
      number("notation", "European", s.precision[1], notation("European")),
      number("notation", "Scientific", s.precision[2], notation("Scientific")),
      number("notation", "SI", s.precision[3], notation("SI")),
      number("notation", "SPICE", s.precision[4], notation("SPICE")),
      number("notation", "Angle", s.angle_precision, notation("Angle")),
      number("notation", "Percentage", s.percentage_precision, notation("Percentage")),
      number("notation", "Time", s.time_precision, notation("Time")),
      number("notation", "SuppressTrailingZeros", s.suppress_trailing_zeros ? 1 : 0,
             notation("SuppressTrailingZeros")),
      number("notation", "ActiveNotation", active, notation("ActiveNotation")),
  };
  // The active notation reads better by name.
  settings.back().value += std::string(" (") + NotationTitle(s.notation) + ")";
  const std::string commonDir =
      setup.source == SettingsSource::kDefaults ? std::string() : InstalledCommonDir();
  settings.push_back(Setting{"units", "CommonDir", commonDir, true, 0,
                             commonDir.empty() ? Source::kDefault : Source::kMachineHive});

  const std::string localeName = [] {
    const char* name = std::setlocale(LC_NUMERIC, nullptr);
    return std::string(name != nullptr ? name : "C");
  }();
  const auto fileOf = [&](Source source) -> std::string {
    switch (source) {
      case Source::kUserHive: return userHive;
      case Source::kMachineHive: return machineHive;
      default: return std::string();
    }
  };

  // Settings that are not valid are shown, then refused.
  const auto finish = [&] {
    const std::string invalid = InvalidSettingsText(s);
    if (!invalid.empty()) session.Trouble("these settings are not valid: " + invalid);
    return session.Finish();
  };

  if (session.Json()) {
    for (const Setting& setting : settings) {
      JsonObject object;
      object.AddString("group", setting.group).AddString("name", setting.name);
      if (setting.isText) {
        object.AddString("value", setting.value);
      } else {
        object.AddInt("value", setting.number);
      }
      object.AddString("source", SourceWord(setting.source));
      const std::string file = fileOf(setting.source);
      if (file.empty()) {
        object.AddNull("file");
      } else {
        object.AddString("file", file);
      }
      if (setting.source == Source::kLocale) object.AddString("locale", localeName);
      session.WriteLine(object.Text());
    }
    return finish();
  }

  session.WriteLine(std::string("settings:         ") + SettingsSourceWord(setup.source));
  session.WriteLine("user registry:    " + userHive);
  session.WriteLine("machine registry: " + machineHive);
  const char* group = "";
  for (const Setting& setting : settings) {
    if (std::string(group) != setting.group) {
      group = setting.group;
      session.WriteLine("");
      const std::string name = group;
      if (name == "regional") {
        session.WriteLine(std::string("Regional settings (") + kRegionalKey + ")");
      } else if (name == "notation") {
        session.WriteLine(std::string("Notation settings (") + kNotationKey + ")");
      } else {
        session.WriteLine("Units definition file (SOFTWARE\\Orvanta, machine)");
      }
    }
    std::string shown = setting.isText ? "\"" + setting.value + "\"" : setting.value;
    if (setting.isText && setting.value.empty()) shown = "(none)";
    std::string row = std::string("  ") + setting.name;
    if (row.size() < 26) row.append(26 - row.size(), ' ');
    row += ' ';
    row += shown;
    if (row.size() < 40) row.append(40 - row.size(), ' ');
    row += ' ';
    switch (setting.source) {
      case Source::kUserHive: row += userHive; break;
      case Source::kLocale: row += "process locale (LC_NUMERIC " + localeName + ")"; break;
      case Source::kMachineHive: row += machineHive; break;
      case Source::kDefault: row += "default"; break;
    }
    session.WriteLine(row);
  }
  return finish();
}

}  // namespace tarvil::tool
