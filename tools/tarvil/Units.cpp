// Units.cpp: 'tarvil units': a units definition file loaded exactly as the
// library loads it, then the prefix table of every electrical unit in every
// notation, and the error log the load left.
//
// The file (the installed one, or the one named by --file) is copied into a
// private temporary directory, which a private machine hive names as the
// common directory. So the library reads the same bytes through its own
// path, its error log lands where the tool can read it, and nothing is
// written beside the original.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <tarvil/CTarvil.h>
#include <tarvil/Registry.h>

#include "Commands.h"
#include "Input.h"
#include "LibrarySetup.h"
#include "Names.h"
#include "Options.h"
#include "Session.h"

namespace tarvil::tool {

namespace {

using namespace tarvil::platform;

const std::vector<OptionSpec> kUnitsOptions = {
    {"json", false}, {"help", false}, {"file", true},
};

constexpr const char* kUnitsFileName = "OVUnits.hkp";
constexpr const char* kLogFileName = "OVUnits.txt";

struct Quantity {
  eUnitTypes unit;
  const char* name;
};

constexpr Quantity kQuantities[] = {
    {eOhms, "resistance"}, {eFarads, "capacitance"}, {eHenrys, "inductance"},
    {eVolts, "voltage"},   {eAmps, "current"},       {eWatts, "power"},
};

constexpr eOrvantaNotations kNotations[] = {eEngineering, eEuropean, eScientific, eSI, eSPICE};

// A text value of a registry export file.
std::string RegistryString(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

bool WriteFile(const std::filesystem::path& path, const std::string& contents) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
  return std::fclose(file) == 0 && written;
}

// A private directory that holds the copy of the units file and the machine
// hive naming it; removed with everything in it.
class Workspace {
 public:
  ~Workspace() {
    if (!m_directory.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(m_directory, ignored);
    }
  }
  bool Create(std::string& error) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = (tmp != nullptr && *tmp != '\0') ? tmp : "/tmp";
    pattern += "/tarvil-units-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
      error = "cannot create a temporary directory: " + std::string(std::strerror(errno));
      return false;
    }
    m_directory = pattern;
    return true;
  }
  const std::filesystem::path& Directory() const { return m_directory; }

 private:
  std::filesystem::path m_directory;
};

std::string EntriesJson(const UnitEntry* entries, int count) {
  std::string json = "[";
  for (int i = 0; i < count; ++i) {
    const UnitEntry& entry = entries[i];
    JsonObject object;
    object.AddInt("exponent", entry.exponent)
        .AddString("display", entry.display != nullptr ? entry.display : "")
        .AddString("name", entry.name != nullptr ? entry.name : "")
        .AddBool("case_sensitive", entry.caseSensitive == 1);
    if (i > 0) json += ',';
    json += object.Text();
  }
  return json + "]";
}

void PrintTables(Session& session) {
  const COVUnitStorage& storage = CTarvil::s_OVUnits;
  bool first = true;
  for (const Quantity& quantity : kQuantities) {
    for (eOrvantaNotations notation : kNotations) {
      int count = 0;
      const UnitEntry* entries = storage.GetUnits(quantity.unit, notation, count);
      if (entries == nullptr) count = 0;
      CString unitName;
      storage.GetBaseUnitString(quantity.unit, notation, unitName);
      const std::optional<Kind> kind = KindOfUnitType(quantity.unit);
      if (session.Json()) {
        JsonObject object;
        object.AddString("measure", quantity.name)
            .AddString("kind", kind ? KindName(*kind) : "")
            .AddString("notation", NotationName(notation))
            .AddString("unit_name", unitName.View())
            .AddRaw("entries", EntriesJson(entries, count));
        session.WriteLine(object.Text());
        continue;
      }
      if (!first) session.WriteLine("");
      first = false;
      std::string heading = std::string(quantity.name) + ", " + NotationTitle(notation) +
                            " notation: unit name \"" + std::string(unitName.View()) + "\"";
      session.WriteLine(heading);
      for (int i = 0; i < count; ++i) {
        const UnitEntry& entry = entries[i];
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "%5d", entry.exponent);
        std::string row = std::string("  ") + exponent + "  \"" +
                          (entry.display != nullptr ? entry.display : "") + "\"";
        if (row.size() < 20) row.append(20 - row.size(), ' ');
        row += ' ';
        row += entry.name != nullptr ? entry.name : "";
        if (entry.caseSensitive == 1) row += "  (case-sensitive)";
        session.WriteLine(row);
      }
    }
  }
}

}  // namespace

int RunUnits(const Arguments& args) {
  const std::string command = "units";
  CommandLine line;
  std::string error;
  if (!line.Parse(args, kUnitsOptions, error)) return UsageTrouble(command, error);
  if (line.Has("help")) return PrintHelp(command) ? 0 : 2;
  if (!line.Operands().empty()) {
    return UsageTrouble(command, "unexpected argument '" + line.Operands().front() + "'");
  }
  Session session(command, line.Has("json"));

  std::string source;
  if (auto path = line.Value("file")) {
    source = *path;
    if (source.empty()) return UsageTrouble(command, "--file needs a file name");
  } else {
    const std::string commonDir = InstalledCommonDir();
    if (!commonDir.empty()) source = (std::filesystem::path(commonDir) / kUnitsFileName).string();
  }

  Workspace workspace;
  if (!source.empty()) {
    std::string contents;
    int errorNumber = 0;
    if (!ReadWholeFile(source, contents, errorNumber)) {
      session.Trouble("cannot read '" + source + "': " + std::strerror(errorNumber));
      return session.Finish();
    }
    if (!workspace.Create(error)) {
      session.Trouble(error);
      return session.Finish();
    }
    const std::filesystem::path& directory = workspace.Directory();
    const std::string hive = "Windows Registry Editor Version 5.00\n\n"
                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta]\n"
                             "\"CommonDir\"=" + RegistryString(directory.string()) + "\n";
    if (!WriteFile(directory / kUnitsFileName, contents) ||
        !WriteFile(directory / "machine.reg", hive)) {
      session.Trouble("cannot write to '" + directory.string() + "': " + std::strerror(errno));
      return session.Finish();
    }
    // The library has not been used yet in this process: its one load of
    // the units file reads the copy.
    ::setenv("TARVIL_MACHINE_REGISTRY", (directory / "machine.reg").c_str(), 1);
  }

  LoadSettings();
  PrintTables(session);

  std::string log;
  bool haveLog = false;
  if (!source.empty()) {
    int errorNumber = 0;
    haveLog = ReadWholeFile((workspace.Directory() / kLogFileName).string(), log, errorNumber);
  }
  if (session.Json()) {
    JsonObject summary;
    if (source.empty()) {
      summary.AddNull("file");
    } else {
      summary.AddString("file", source);
    }
    summary.AddBool("ok", !haveLog);
    if (haveLog) {
      summary.AddString("log", log);
    } else {
      summary.AddNull("log");
    }
    session.WriteLine(summary.Text());
  } else if (source.empty()) {
    session.Note("no units definition file is configured (no CommonDir under SOFTWARE\\Orvanta in '" +
                 MachineRegistryPath() + "'): the built-in tables apply");
  } else if (haveLog) {
    session.WriteLine("");
    session.WriteLine("Error log of '" + source + "':");
    std::fwrite(log.data(), 1, log.size(), stdout);
    if (!log.empty() && log.back() != '\n') session.WriteLine("");
  }
  if (haveLog) session.Refused();
  return session.Finish();
}

}  // namespace tarvil::tool
