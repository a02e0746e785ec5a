// Units.cpp: 'tarvil units': a units definition file loaded exactly as the
// library loads it, then the prefix table of every electrical unit in every
// notation, and the error log the load left.
//
// The file (the installed one, or the one named by --file) is read once,
// with the library's limits, and loaded by the library's own loader into a
// table of this command, with the error log kept in memory. Nothing is
// written, beside the original or anywhere else, so nothing is left behind
// however the command ends (a closed pipe or a signal included).
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <tarvil/CTarvil.h>
#include <tarvil/Registry.h>
#include <tarvil/RegularFile.h>
#include <tarvil/UnitsDefinitions.h>

#include "Commands.h"
#include "Input.h"
#include "Names.h"

namespace tarvil::tool {

namespace {

using namespace tarvil::platform;

const CommandSpec kUnits = {"units", {Valued("file")}, Operands::kNone};

struct Measure {
  eUnitTypes unit;
  const char* name;
  Kind kind;
};

constexpr Measure kMeasures[] = {
    {eOhms, "resistance", Kind::kOhms},   {eFarads, "capacitance", Kind::kFarads},
    {eHenrys, "inductance", Kind::kHenrys}, {eVolts, "voltage", Kind::kVolts},
    {eAmps, "current", Kind::kAmps},      {eWatts, "power", Kind::kWatts},
};

// The interface's notation of a table's notation (the first five agree).
Notation NotationOf(eOrvantaNotations notation) { return static_cast<Notation>(notation); }

constexpr eOrvantaNotations kNotations[] = {eEngineering, eEuropean, eScientific, eSI, eSPICE};

// The error log of a load, kept in memory.
class MemoryLog {
 public:
  MemoryLog() : m_stream(::open_memstream(&m_buffer, &m_size)) {}
  ~MemoryLog() {
    Close();
    std::free(m_buffer);
  }
  MemoryLog(const MemoryLog&) = delete;
  MemoryLog& operator=(const MemoryLog&) = delete;
  std::FILE* Stream() const { return m_stream; }
  // Text: what was written; the log takes no more after this.
  std::string Text() {
    Close();
    return m_buffer != nullptr ? std::string(m_buffer, m_size) : std::string();
  }

 private:
  void Close() {
    if (m_stream != nullptr) std::fclose(m_stream);
    m_stream = nullptr;
  }
  char* m_buffer = nullptr;
  std::size_t m_size = 0;
  std::FILE* m_stream;
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

void PrintTables(Session& session, const COVUnitStorage& storage) {
  bool first = true;
  for (const Measure& quantity : kMeasures) {
    for (eOrvantaNotations notation : kNotations) {
      int count = 0;
      const UnitEntry* entries = storage.GetUnits(quantity.unit, notation, count);
      if (entries == nullptr) count = 0;
      CString unitName;
      storage.GetBaseUnitString(quantity.unit, notation, unitName);
      if (session.Json()) {
        JsonObject object;
        object.AddString("measure", quantity.name)
            .AddString("kind", KindName(quantity.kind))
            .AddString("notation", NotationName(NotationOf(notation)))
            .AddString("unit_name", unitName.View())
            .AddRaw("entries", EntriesJson(entries, count));
        session.WriteLine(object.Text());
        continue;
      }
      if (!first) session.WriteLine("");
      first = false;
      std::string heading = std::string(quantity.name) + ", " + NotationTitle(NotationOf(notation)) +
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

// The tables a run shows, and the error log of the load that made them.
struct LoadedTables {
  COVUnitStorage storage;
  std::string log;
  bool haveLog = false;  // the library keeps the log of this load
};

// LoadUnitsFile: the file `source`, read once with the library's limits,
// loaded into `tables` by the library's loader with the log kept in memory.
// False after a message when it cannot be read or the log cannot be kept.
bool LoadUnitsFile(const std::string& source, LoadedTables& tables, Session& session) {
  std::string contents;
  std::string problem;
  if (ReadWholeFile(source, kMaxSettingsFileBytes, contents, problem) != FileRead::kRead) {
    session.Trouble("cannot read '" + source + "': " + problem);
    return false;
  }
  MemoryLog memory;
  if (memory.Stream() == nullptr) {
    session.Trouble(std::string("cannot keep the error log: ") + std::strerror(errno));
    return false;
  }
  // The library's shared table is left alone: its first use would load
  // the installed file, and write that file's log beside it.
  bool warned = false;
  const int result = LoadUnitsDefinitionsText(tables.storage, contents, memory.Stream(), &warned);
  tables.storage.CompleteDefaults();
  // The library keeps the log of a load that failed or warned.
  tables.haveLog = result != 0 || warned;
  tables.log = memory.Text();
  return true;
}

// WriteLoadSummary: after the tables, the file they come from and its log:
// with --json one object; otherwise the log, or a note when there is no
// file.
void WriteLoadSummary(Session& session, const std::string& source, const LoadedTables& tables) {
  if (session.Json()) {
    JsonObject summary;
    if (source.empty()) {
      summary.AddNull("file");
    } else {
      summary.AddString("file", source);
    }
    summary.AddBool("ok", !tables.haveLog);
    if (tables.haveLog) {
      summary.AddString("log", tables.log);
    } else {
      summary.AddNull("log");
    }
    session.WriteLine(summary.Text());
  } else if (source.empty()) {
    session.Note("no units definition file is configured (no CommonDir under SOFTWARE\\Orvanta in '" +
                 MachineRegistryPath() + "'): the built-in tables apply");
  } else if (tables.haveLog) {
    const std::string& log = tables.log;
    session.WriteLine("");
    session.WriteLine("Error log of '" + source + "':");
    std::fwrite(log.data(), 1, log.size(), stdout);
    if (!log.empty() && log.back() != '\n') session.WriteLine("");
  }
}

}  // namespace

int RunUnits(const Arguments& args) {
  OpenedCommand opened;
  if (const auto done = OpenCommand(kUnits, args, {}, opened)) return *done;
  Session& session = *opened.session;
  std::string source;
  if (auto path = opened.line.Value("file")) {
    source = *path;
    if (source.empty()) return UsageTrouble(kUnits.name, "--file needs a file name");
  } else {
    source = InstalledUnitsFile(opened.setup.source);
  }
  // Without a file the built-in tables are shown.
  LoadedTables tables;
  if (source.empty()) {
    tables.storage.CompleteDefaults();
  } else if (!LoadUnitsFile(source, tables, session)) {
    return session.Finish();
  }
  PrintTables(session, tables.storage);
  WriteLoadSummary(session, source, tables);
  if (tables.haveLog) session.Refused();
  return session.Finish();
}

}  // namespace tarvil::tool
