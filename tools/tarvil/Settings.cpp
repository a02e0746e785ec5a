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
#include "Names.h"

namespace tarvil::tool {

namespace {

using namespace tarvil::platform;

// The settings are shown whatever is wrong with them; that is reported
// after them.
const CommandSpec kSettings = {"settings", {Flag("init")}, Operands::kNone, SettingsCheck::kShow};

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

// How a setting's value is given with --json.
enum class ValueForm { kNumber, kText };

struct Setting {
  const char* group;
  const char* name;
  std::string value;  // as shown
  ValueForm form;
  long long number;   // the value of a number
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

// ReadHives: the user hive's text with --settings registry (empty
// otherwise). A hive file that the library does not read is trouble: the
// values shown are then the ones that stand in for it.
std::string ReadHives(Session& session, SettingsSource source) {
  const auto readHive = [&](const char* which, const std::string& path) {
    std::string problem;
    std::string text = HiveText(path, problem);
    if (!problem.empty()) {
      session.Trouble(std::string("cannot read the ") + which + " registry '" + path + "': " +
                      problem);
    }
    return text;
  };
  const std::string userText = source == SettingsSource::kRegistry
                                   ? readHive("user", UserRegistryPath())
                                   : std::string();
  if (source != SettingsSource::kDefaults) readHive("machine", MachineRegistryPath());
  return userText;
}

// Where each shown value comes from.
class Origins {
 public:
  Origins(SettingsSource source, const std::string& userText)
      : m_source(source), m_regionalInHive(HiveHoldsKey(userText, kRegionalKey)) {}

  Source Regional(const char* name) const {
    if (m_source == SettingsSource::kLocale) {
      const std::string symbol = name;
      const bool localeGives = symbol == "sDecimal" || symbol == "sThousand" ||
                               symbol == "sGrouping";
      return localeGives ? Source::kLocale : Source::kDefault;
    }
    if (m_source != SettingsSource::kRegistry ||
        !ValuePresent(HKEY_CURRENT_USER, kRegionalKey, name)) {
      return Source::kDefault;
    }
    return m_regionalInHive ? Source::kUserHive : Source::kLocale;
  }

  Source Notation(const char* name) const {
    return m_source == SettingsSource::kRegistry &&
                   ValuePresent(HKEY_CURRENT_USER, kNotationKey, name)
               ? Source::kUserHive
               : Source::kDefault;
  }

 private:
  SettingsSource m_source;
  bool m_regionalInHive;
};

// SettingRows: every setting shown, in order, with where it comes from.
std::vector<Setting> SettingRows(const tarvil::Settings& s, const Origins& from,
                                 SettingsSource source) {
  const auto number = [](const char* group, const char* name, long long value, Source origin) {
    return Setting{group, name, std::to_string(value), ValueForm::kNumber, value, origin};
  };
  const auto regional = [&](const char* name, long long value) {
    return number("regional", name, value, from.Regional(name));
  };
  const auto symbol = [&](const char* name, char value) {
    return Setting{"regional", name, SymbolText(value), ValueForm::kText, 0, from.Regional(name)};
  };
  const auto notation = [&](const char* name, long long value) {
    return number("notation", name, value, from.Notation(name));
  };
  std::vector<Setting> rows = {
      symbol("sDecimal", s.decimal),
      regional("iDigits", s.digits),
      symbol("sThousand", s.thousands),
      regional("sGrouping", s.grouping),
      regional("iLZero", s.leading_zero ? 1 : 0),
      notation("Engineering", s.precision[0]),
      notation("European", s.precision[1]),
      notation("Scientific", s.precision[2]),
      notation("SI", s.precision[3]),
      notation("SPICE", s.precision[4]),
      notation("Angle", s.angle_precision),
      notation("Percentage", s.percentage_precision),
      notation("Time", s.time_precision),
      notation("SuppressTrailingZeros", s.suppress_trailing_zeros ? 1 : 0),
      notation("ActiveNotation", static_cast<int>(s.notation)),
  };
  // The active notation reads better by name.
  rows.back().value += std::string(" (") + NotationTitle(s.notation) + ")";
  const std::string commonDir =
      source == SettingsSource::kDefaults ? std::string() : tarvil::common_directory();
  rows.push_back(Setting{"units", "CommonDir", commonDir, ValueForm::kText, 0,
                         commonDir.empty() ? Source::kDefault : Source::kMachineHive});
  return rows;
}

// The places a source names: the hive files and the numeric locale.
struct Places {
  std::string userHive = UserRegistryPath();
  std::string machineHive = MachineRegistryPath();
  std::string localeName = [] {
    const char* name = std::setlocale(LC_NUMERIC, nullptr);
    return std::string(name != nullptr ? name : "C");
  }();

  // FileOf: the hive file of `source`; empty for a source that is none.
  std::string FileOf(Source source) const {
    switch (source) {
      case Source::kUserHive: return userHive;
      case Source::kMachineHive: return machineHive;
      default: return std::string();
    }
  }
};

// WriteSettingsJson: one object a setting.
void WriteSettingsJson(Session& session, const std::vector<Setting>& rows, const Places& places) {
  for (const Setting& setting : rows) {
    JsonObject object;
    object.AddString("group", setting.group).AddString("name", setting.name);
    if (setting.form == ValueForm::kText) {
      object.AddString("value", setting.value);
    } else {
      object.AddInt("value", setting.number);
    }
    object.AddString("source", SourceWord(setting.source));
    const std::string file = places.FileOf(setting.source);
    if (file.empty()) {
      object.AddNull("file");
    } else {
      object.AddString("file", file);
    }
    if (setting.source == Source::kLocale) object.AddString("locale", places.localeName);
    session.WriteLine(object.Text());
  }
}

// The heading of a group of the table.
std::string GroupHeading(const std::string& group) {
  if (group == "regional") return std::string("Regional settings (") + kRegionalKey + ")";
  if (group == "notation") return std::string("Notation settings (") + kNotationKey + ")";
  return "Units definition file (SOFTWARE\\Orvanta, machine)";
}

// TableRow: a setting in columns: name, value, where it comes from.
std::string TableRow(const Setting& setting, const Places& places) {
  // The columns where the value and its origin begin.
  constexpr std::size_t kValueColumn = 26;
  constexpr std::size_t kOriginColumn = 40;
  const bool text = setting.form == ValueForm::kText;
  std::string shown = text ? "\"" + setting.value + "\"" : setting.value;
  if (text && setting.value.empty()) shown = "(none)";
  std::string row = std::string("  ") + setting.name;
  if (row.size() < kValueColumn) row.append(kValueColumn - row.size(), ' ');
  row += ' ';
  row += shown;
  if (row.size() < kOriginColumn) row.append(kOriginColumn - row.size(), ' ');
  row += ' ';
  switch (setting.source) {
    case Source::kUserHive: row += places.userHive; break;
    case Source::kLocale: row += "process locale (LC_NUMERIC " + places.localeName + ")"; break;
    case Source::kMachineHive: row += places.machineHive; break;
    case Source::kDefault: row += "default"; break;
  }
  return row;
}

// WriteSettingsTable: where the settings come from, then the settings by
// group.
void WriteSettingsTable(Session& session, SettingsSource source, const std::vector<Setting>& rows,
                        const Places& places) {
  session.WriteLine(std::string("settings:         ") + SettingsSourceWord(source));
  session.WriteLine("user registry:    " + places.userHive);
  session.WriteLine("machine registry: " + places.machineHive);
  std::string group;
  for (const Setting& setting : rows) {
    if (group != setting.group) {
      group = setting.group;
      session.WriteLine("");
      session.WriteLine(GroupHeading(group));
    }
    session.WriteLine(TableRow(setting, places));
  }
}

}  // namespace

int RunSettings(const Arguments& args) {
  OpenedCommand opened;
  if (const auto done = OpenCommand(kSettings, args, {}, opened)) return *done;
  Session& session = *opened.session;
  Setup& setup = opened.setup;
  if (opened.line.Has("init") && !AddNotationKey(session)) return session.Finish();
  // What --init wrote is shown.
  if (setup.source == SettingsSource::kRegistry) setup.settings = tarvil::Settings::from_registry();
  const std::string userText = ReadHives(session, setup.source);
  const std::vector<Setting> rows =
      SettingRows(setup.settings, Origins(setup.source, userText), setup.source);
  const Places places;
  if (session.Json()) {
    WriteSettingsJson(session, rows, places);
  } else {
    WriteSettingsTable(session, setup.source, rows, places);
  }
  // Settings that are not valid are shown, then refused.
  const std::string invalid = InvalidSettingsText(setup.settings);
  if (!invalid.empty()) session.Trouble("these settings are not valid: " + invalid);
  return session.Finish();
}

}  // namespace tarvil::tool
