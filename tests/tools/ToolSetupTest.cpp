// End-to-end tests of the tool's view of the library's setup: the units
// definition file and the registry settings; and of the installed tree.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "ToolFixture.h"

namespace tarvil::tooltest {
namespace {

using ToolSetup = ToolTest;

// The table object of `measure` in `notation` among the units --json lines.
const JsonValue* FindTable(const std::vector<JsonValue>& lines, const std::string& measure,
                           const std::string& notation) {
  for (const JsonValue& line : lines) {
    const JsonValue* name = line.Find("measure");
    const JsonValue* written = line.Find("notation");
    if (name != nullptr && written != nullptr && name->text == measure &&
        written->text == notation) {
      return &line;
    }
  }
  return nullptr;
}

// Every path under `folder` with the bytes of each regular file: equal
// before and after a run that wrote nothing there.
std::string Snapshot(const std::string& folder) {
  std::string state;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    state += entry.path().string() + "\n";
    if (entry.is_regular_file()) {
      std::ifstream file(entry.path(), std::ios::binary);
      state.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
  }
  return state;
}

std::string Displays(const JsonValue& table) {
  std::string displays;
  for (const JsonValue& entry : table.Find("entries")->items) {
    displays += std::to_string(static_cast<int>(entry.Find("exponent")->number)) + ":" +
                entry.Find("display")->text + " ";
  }
  return displays;
}

TEST_F(ToolSetup, UnitsWithoutAFileShowsTheBuiltInTables) {
  const ToolResult result = Run({"units", "--json"});
  EXPECT_EQ(result.status, 0);
  const std::vector<JsonValue> lines = JsonLines(result.out);
  ASSERT_EQ(lines.size(), 6u * 5u + 1u);
  const JsonValue* spice = FindTable(lines, "resistance", "spice");
  ASSERT_NE(spice, nullptr);
  EXPECT_EQ(Displays(*spice), "-15:F -12:P -9:N -6:U -3:M 0: 3:K 6:MEG 9:G 12:T ");
  EXPECT_EQ(spice->Find("unit_name")->text, "ohms");
  EXPECT_EQ(FindTable(lines, "resistance", "euro")->Find("unit_name")->text, "R");
  EXPECT_EQ(FindTable(lines, "capacitance", "sci")->Find("entries")->items.size(), 37u);
  const JsonValue* si = FindTable(lines, "voltage", "si");
  ASSERT_NE(si, nullptr);
  EXPECT_TRUE(si->Find("entries")->items[2].Find("case_sensitive")->boolean);  // pico
  EXPECT_TRUE(lines.back().Find("file")->IsNull());
  EXPECT_TRUE(lines.back().Find("ok")->boolean);

  const ToolResult plain = Run({"units"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_NE(plain.out.find("resistance, SPICE notation: unit name \"ohms\"\n"), std::string::npos);
  EXPECT_NE(plain.out.find("      6  \"MEG\"       mega\n"), std::string::npos) << plain.out;
  EXPECT_NE(plain.err.find("no units definition file is configured"), std::string::npos);
}

TEST_F(ToolSetup, UnitsLoadsAGivenFileAndShowsItsLog) {
  const std::string renamed = m_home.Write("renamed.hkp",
                                           ".FILETYPE ELECTRICAL_UNITS\n"
                                           ".RESISTANCE_MEASURE\n"
                                           "..ENGINEERING\n"
                                           "...UNIT \"ohm\"\n"
                                           "....DISPLAY \"Ohm\"\n"
                                           "....CASE_SENSITIVE NO\n"
                                           "....EXPONENT_VALUE 0\n");
  const ToolResult clean = Run({"units", "--json", "--file", renamed});
  EXPECT_EQ(clean.status, 0) << clean.err;
  const std::vector<JsonValue> lines = JsonLines(clean.out);
  const JsonValue* engineering = FindTable(lines, "resistance", "eng");
  ASSERT_NE(engineering, nullptr);
  EXPECT_EQ(engineering->Find("unit_name")->text, "Ohm");
  EXPECT_EQ(engineering->Find("entries")->items.size(), 13u);
  EXPECT_TRUE(lines.back().Find("log")->IsNull());
  // Nothing is written beside the given file.
  EXPECT_FALSE(std::filesystem::exists(m_home.Path() + "/OVUnits.txt"));

  const std::string numeric = m_home.Write("numeric.hkp",
                                           ".RESISTANCE_MEASURE\n"
                                           "..SI\n"
                                           "...UNIT \"kilo\"\n"
                                           "....DISPLAY \"12\"\n"
                                           "....CASE_SENSITIVE NO\n"
                                           "....EXPONENT_VALUE 3\n");
  const ToolResult warned = Run({"units", "--file", numeric});
  EXPECT_EQ(warned.status, 1);
  EXPECT_NE(warned.out.find("Invalid unit DISPLAY value \"12\" detected at line 4:"),
            std::string::npos)
      << warned.out;
  EXPECT_NE(warned.out.find("\tPure numeric values not allowed."), std::string::npos);
  EXPECT_NE(warned.out.find("resistance, SI notation"), std::string::npos);

  const ToolResult missing = Run({"units", "--file", m_home.Path() + "/none.hkp"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(Lines(missing.err).size(), 1u);
}

// A file that is no regular file of at most 16 MiB is refused with a
// message and status 2, at once (a pipe without a writer included).
TEST_F(ToolSetup, UnitsRefusesWhatIsNoRegularFile) {
  const std::string pipe = m_home.Path() + "/pipe.hkp";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string zero = m_home.Path() + "/zero.hkp";
  ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
  const std::string huge = m_home.Write("huge.hkp", ".FILETYPE ELECTRICAL_UNITS\n");
  ASSERT_EQ(::truncate(huge.c_str(), (16 << 20) + 1), 0);
  ExpectRuns({
      {{"units", "--file", pipe}, "", "", 2, "cannot read '" + pipe + "': not a regular file"},
      {{"units", "--file", zero}, "", "", 2, "cannot read '" + zero + "': not a regular file"},
      {{"units", "--file", huge}, "", "", 2, "cannot read '" + huge + "': larger than 16 MiB"},
  });
}

// "tarvil units --file F | head -1": the reader goes early and the command
// dies of SIGPIPE; it must leave nothing behind in the temporary folder.
TEST_F(ToolSetup, UnitsLeavesNothingWhenItsReaderGoes) {
  const std::string units = m_home.Write("site.hkp", ".FILETYPE ELECTRICAL_UNITS\n");
  const std::string tmp = m_home.Path() + "/tmp";
  ASSERT_TRUE(std::filesystem::create_directory(tmp));
  const int status = RunToolIntoClosedPipe({"units", "--file", units}, m_home, {{"TMPDIR", tmp}});
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) << status;
  EXPECT_TRUE(std::filesystem::is_empty(tmp));
}

TEST_F(ToolSetup, UnitsReadsTheInstalledFileThroughTheMachineRegistry) {
  const std::string units =
      ".CAPACITANCE_MEASURE\n"
      "..SCIENTIFIC\n"
      "...UNIT \"farad\"\n"
      "....DISPLAY \"Fd\"\n"
      "....CASE_SENSITIVE NO\n"
      "....EXPONENT_VALUE 0\n";
  std::filesystem::create_directory(m_home.Path() + "/common");
  m_home.Write("common/OVUnits.hkp", units);
  const auto machineHive = [&](const std::string& commonDir) {
    m_home.Write("machine.reg",
                 "Windows Registry Editor Version 5.00\n\n"
                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta]\n"
                 "\"CommonDir\"=" + commonDir + "\n");
  };
  machineHive("\"" + m_home.Path() + "/common\"");
  const ToolResult result = Run({"units", "--json"});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::vector<JsonValue> lines = JsonLines(result.out);
  const JsonValue* scientific = FindTable(lines, "capacitance", "sci");
  ASSERT_NE(scientific, nullptr);
  EXPECT_EQ(scientific->Find("unit_name")->text, "Fd");
  EXPECT_EQ(lines.back().Find("file")->text, m_home.Path() + "/common/OVUnits.hkp");
  EXPECT_FALSE(std::filesystem::exists(m_home.Path() + "/common/OVUnits.txt"));

  // The other commands use the same file.
  ExpectRuns({{{"format", "--as", "farads", "--notation", "sci", "2"}, "", "2Fd\n", 0, ""}});

  // A CommonDir that is not text names no folder, as for the library: read
  // as text, each of these would name the current one, which holds the file.
  m_home.Write("OVUnits.hkp", units);
  for (const char* notText : {"dword:0000002e", "hex(2):2e,00"}) {
    SCOPED_TRACE(notText);
    machineHive(notText);
    ExpectRuns({
        {{"format", "--as", "farads", "--notation", "sci", "2"}, "", "2F\n", 0, ""},
        {{"units", "--json", "--settings", "defaults"}, "", Run({"units", "--json"}).out, 0, ""},
    });
  }
}

TEST_F(ToolSetup, SettingsNameTheirSource) {
  const ToolResult result = Run({"settings", "--json", "--settings", "registry", "--init"});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::vector<JsonValue> lines = JsonLines(result.out);
  const auto find = [&](const std::string& name) -> const JsonValue* {
    for (const JsonValue& line : lines) {
      if (line.Find("name") != nullptr && line.Find("name")->text == name) return &line;
    }
    return nullptr;
  };
  const std::string userHive = m_home.Path() + "/user.reg";
  ASSERT_NE(find("sDecimal"), nullptr);
  EXPECT_EQ(find("sDecimal")->Find("value")->text, ".");
  EXPECT_EQ(find("sDecimal")->Find("source")->text, "user-registry");
  EXPECT_EQ(find("sDecimal")->Find("file")->text, userHive);
  EXPECT_EQ(find("sGrouping")->Find("value")->number, 3.0);
  // --init wrote the missing notation settings into the user hive.
  ASSERT_NE(find("ActiveNotation"), nullptr);
  EXPECT_EQ(find("ActiveNotation")->Find("value")->number, 3.0);
  EXPECT_EQ(find("ActiveNotation")->Find("source")->text, "user-registry");
  EXPECT_EQ(find("Engineering")->Find("value")->number, 4.0);
  EXPECT_EQ(find("CommonDir")->Find("source")->text, "default");

  const ToolResult plain = Run({"settings"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_NE(plain.out.find("settings:         locale\n"), std::string::npos);
  EXPECT_NE(plain.out.find("user registry:    " + userHive + "\n"), std::string::npos);
  EXPECT_NE(plain.out.find("ActiveNotation"), std::string::npos);

  // By default the symbols come from the locale and the rest are built in.
  for (const JsonValue& line : JsonLines(Run({"settings", "--json"}).out)) {
    const std::string name = line.Find("name")->text;
    const bool symbol = name == "sDecimal" || name == "sThousand" || name == "sGrouping";
    EXPECT_EQ(line.Find("source")->text, symbol ? "process-locale" : "default") << name;
  }
}

// No command writes a file unless an option names it: the private home,
// which holds both registries, is left byte for byte as it was.
TEST_F(ToolSetup, NothingIsWrittenUnlessAsked) {
  const std::string bom = m_home.Write("bom.csv", "Ref,Value\nR1,4k7\nC1,4x7\n");
  const auto snapshot = [&] { return Snapshot(m_home.Path()); };
  const std::string before = snapshot();
  const std::vector<std::vector<std::string>> runs = {
      {"parse", "4.7kohms"},         {"format", "--as", "ohms", "1"}, {"convert", "1mm", "--to", "in"},
      {"sort", "-"},                 {"check", "name", "x"},          {"units"},
      {"settings"},                  {"bom", bom},
  };
  for (const std::vector<std::string>& args : runs) {
    for (const char* source : {"locale", "registry", "defaults"}) {
      std::vector<std::string> withSettings = args;
      withSettings.insert(withSettings.begin() + 1, {"--settings", source});
      SCOPED_TRACE(args.front() + " " + source);
      EXPECT_LT(Run(withSettings, "x\n").status, 2);
      EXPECT_EQ(snapshot(), before);
    }
  }
  EXPECT_EQ(Run({"settings", "--init"}).status, 0);
  EXPECT_NE(snapshot(), before);
}

// --init that cannot write the user registry says which file and why, with
// status 2, and leaves every file as it was: a device, a pipe or a folder
// in its place, a file where its folder should be, a read-only folder (not
// for root, who may write there), and a write that fails as on a full disk.
TEST_F(ToolSetup, SettingsInitReportsWhatItCannotWrite) {
  const std::string fifo = m_home.Path() + "/fifo.reg";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = m_home.Path() + "/folder.reg";
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  const std::string readOnly = m_home.Path() + "/read-only";
  ASSERT_EQ(::mkdir(readOnly.c_str(), 0500), 0);
  struct Row {
    std::string path;
    RunLimits limits;
    std::string reason;
  };
  std::vector<Row> rows = {
      {"/dev/full", {}, "not a regular file"},
      {fifo, {}, "not a regular file"},
      {folder, {}, "not a regular file"},
      {m_home.Write("plain.txt", "") + "/user.reg", {}, std::strerror(ENOTDIR)},
      // Larger than the limit, so that no new version of it can be written.
      {m_home.Write("user.reg",
                    kDefaultUserHive + ("\"sNote\"=\"" + std::string(600, 'x') + "\"\n")),
       RunLimits{0, 512}, std::strerror(EFBIG)},
  };
  if (::geteuid() != 0) rows.push_back({readOnly + "/user.reg", {}, std::strerror(EACCES)});
  const std::string before = Snapshot(m_home.Path());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    const ToolResult result = RunTool({"settings", "--init"}, "", m_home,
                                      {{"TARVIL_USER_REGISTRY", row.path}}, "", row.limits);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "tarvil: settings: cannot write the user registry '" + row.path +
                              "': " + row.reason + "\n");
    EXPECT_EQ(Snapshot(m_home.Path()), before);
  }
}

// With --settings registry, every command refuses registry settings it
// cannot use before reading any input, instead of reading with the defaults
// ('1,5' as 15): a registry file the library cannot read, and regional
// symbols that cannot be told apart from the numbers.
TEST_F(ToolSetup, EveryCommandRefusesRegistrySettingsItCannotUse) {
  const std::string huge = m_home.Write("huge.reg", kDefaultUserHive);
  ASSERT_EQ(::truncate(huge.c_str(), (16 << 20) + 1), 0);
  const std::string fifo = m_home.Path() + "/fifo.reg";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string zero = m_home.Path() + "/zero.reg";
  ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
  const auto hive = [&](const std::string& name, const std::string& values) {
    return m_home.Write(name, "Windows Registry Editor Version 5.00\n\n"
                              "[HKEY_CURRENT_USER\\Control Panel\\International]\n" + values);
  };
  const std::string invalid = "the settings of the user registry are not valid: ";
  const struct {
    const char* variable;
    std::string path;
    std::string message;
  } rows[] = {
      {"TARVIL_USER_REGISTRY", huge,
       "cannot read the user registry '" + huge + "': larger than 16 MiB"},
      {"TARVIL_USER_REGISTRY", fifo,
       "cannot read the user registry '" + fifo + "': not a regular file"},
      {"TARVIL_MACHINE_REGISTRY", zero,
       "cannot read the machine registry '" + zero + "': not a regular file"},
      {"TARVIL_USER_REGISTRY", hive("digit.reg", "\"sDecimal\"=\"5\"\n"),
       invalid + "decimal symbol '5' and thousands symbol ','"},
      {"TARVIL_USER_REGISTRY", hive("blank.reg", "\"sDecimal\"=\" \"\n"),
       invalid + "decimal symbol ' '"},
      {"TARVIL_USER_REGISTRY", hive("sign.reg", "\"sThousand\"=\"-\"\n"),
       invalid + "decimal symbol '.' and thousands symbol '-'"},
  };
  const std::vector<std::vector<std::string>> commands = {
      {"parse", "-"}, {"format", "-"}, {"convert", "--to", "mm", "-"}, {"sort"},
      {"check", "name"}, {"units"}, {"bom", "-"}};
  for (const auto& row : rows) {
    for (std::vector<std::string> args : commands) {
      SCOPED_TRACE(args.front() + " " + row.path);
      args.insert(args.begin() + 1, {"--settings", "registry"});
      const ToolResult result = Run(args, "Ref,Value\n1,5\n", {{row.variable, row.path}});
      EXPECT_EQ(result.status, 2);
      EXPECT_EQ(result.out, "");
      EXPECT_EQ(result.err.rfind("tarvil: " + args.front() + ": " + row.message, 0), 0u)
          << result.err;
    }
  }
  // 'settings' shows such settings, then refuses them.
  const ToolResult shown = Run({"settings", "--settings", "registry"}, "",
                               {{"TARVIL_USER_REGISTRY", m_home.Path() + "/digit.reg"}});
  EXPECT_EQ(shown.status, 2);
  EXPECT_NE(shown.out.find("sDecimal"), std::string::npos);
  EXPECT_NE(shown.err.find("these settings are not valid: decimal symbol '5'"), std::string::npos)
      << shown.err;
}

TEST_F(ToolSetup, SettingsAndReadingFollowTheUserRegistry) {
  m_home.Write("user.reg",
               "Windows Registry Editor Version 5.00\n\n"
               "[HKEY_CURRENT_USER\\Control Panel\\International]\n"
               "\"sDecimal\"=\",\"\n"
               "\"sThousand\"=\".\"\n"
               "[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta Notation]\n"
               "\"ActiveNotation\"=dword:00000004\n");
  const ToolResult result = Run({"settings", "--json", "--settings", "registry"});
  const std::vector<JsonValue> lines = JsonLines(result.out);
  bool sawDecimal = false;
  for (const JsonValue& line : lines) {
    if (line.Find("name")->text == "sDecimal") {
      sawDecimal = true;
      EXPECT_EQ(line.Find("value")->text, ",");
    }
    if (line.Find("name")->text == "iDigits") {
      EXPECT_EQ(line.Find("source")->text, "default");
    }
    if (line.Find("name")->text == "Engineering") {
      EXPECT_EQ(line.Find("source")->text, "default");  // the key exists: nothing is added
    }
  }
  EXPECT_TRUE(sawDecimal);
  ExpectRuns({
      {{"parse", "--settings", "registry", "--as", "number", "1.234,5"}, "", "1234.5\n", 0, ""},
      {{"format", "--settings", "registry", "--as", "integer", "1234567"}, "", "1.234.567\n", 0, ""},
      {{"format", "--settings", "registry", "--as", "ohms", "--no-unit", "1e6"}, "", "1MEG\n", 0,
       ""},  // SPICE active
      // The decimal comma of the registry picks one reading of '4,7k'.
      {{"parse", "--settings", "registry", "--as", "ohms", "4,7k"}, "", "4700 ohms\n", 0, ""},
      // Without --settings registry the registry is not read.
      {{"format", "--as", "ohms", "--no-unit", "1e6"}, "", "1M\n", 0, ""},
  });

  // Without a user hive that can be read or written, the numeric locale
  // stands in for the regional settings and the notation settings keep
  // their defaults.
  const ToolResult bare = Run({"settings", "--json", "--settings", "registry"}, "",
                              {{"TARVIL_USER_REGISTRY", m_home.Path() + "/user.reg/user.reg"}});
  EXPECT_EQ(bare.status, 0);
  for (const JsonValue& line : JsonLines(bare.out)) {
    const std::string source = line.Find("source")->text;
    EXPECT_NE(source, "user-registry") << line.Find("name")->text;
  }
}

// A registry file that the library does not read (no regular file, or over
// its 16 MiB limit) is reported with status 2, and the values and sources
// shown are the ones the library uses in its place.
TEST_F(ToolSetup, SettingsReportRegistryFilesTheLibraryIgnores) {
  const std::string huge = m_home.Write("huge.reg", kDefaultUserHive);
  ASSERT_EQ(::truncate(huge.c_str(), (16 << 20) + 1), 0);
  const std::string zero = m_home.Path() + "/zero.reg";
  ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
  const struct {
    const char* variable;
    std::string path;
    std::string message;
    std::string ignored;  // the source no setting may name
  } rows[] = {
      {"TARVIL_USER_REGISTRY", huge, "the user registry '" + huge + "': larger than 16 MiB",
       "user-registry"},
      {"TARVIL_MACHINE_REGISTRY", zero, "the machine registry '" + zero + "': not a regular file",
       "machine-registry"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    const ToolResult result =
        Run({"settings", "--json", "--settings", "registry"}, "", {{row.variable, row.path}});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("cannot read " + row.message), std::string::npos) << result.err;
    const std::vector<JsonValue> lines = JsonLines(result.out);
    EXPECT_EQ(lines.size(), 16u);
    for (const JsonValue& line : lines) {
      EXPECT_NE(line.Find("source")->text, row.ignored) << line.Find("name")->text;
    }
  }
}

TEST_F(ToolSetup, InstalledTreeHoldsTheProgramAndItsManual) {
  const char* prefix = std::getenv("TARVIL_TOOL_PREFIX");
  if (prefix == nullptr || *prefix == '\0') GTEST_SKIP() << "runs against an installed tree";
  EXPECT_TRUE(std::filesystem::exists(std::string(prefix) + "/bin/tarvil"));
  EXPECT_TRUE(std::filesystem::exists(std::string(prefix) + "/share/man/man1/tarvil.1"));
  EXPECT_EQ(ToolPath(), std::string(prefix) + "/bin/tarvil");
  // The installed program finds the installed library by itself.
  const ToolResult result = Run({"parse", "--as", "ohms", "4.7k"}, "", {{"LD_LIBRARY_PATH", ""}});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "4700 ohms\n");
}

}  // namespace
}  // namespace tarvil::tooltest
