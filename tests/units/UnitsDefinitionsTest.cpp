// Loading the units definition file from a temporary common directory: what
// is stored, what is logged, and when the log stays.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "COVUnitStorage.h"
#include "ErrorLogInternal.h"
#include "RegistryFiles.h"
#include "RegularFile.h"
#include "UnitsDefinitions.h"
#include "UnitsDefinitionsInternal.h"

namespace {

using namespace std::string_literals;
using tarvil::test::ReadBytes;
using tarvil::test::ScopedEnv;
using tarvil::test::TempDir;
using tarvil::test::WriteBytes;

const std::string kExample =
    ".FILETYPE ELECTRICAL_UNITS\n"
    ".RESISTANCE_MEASURE\n"
    "..EUROPEAN\n"
    "...UNIT \"kilo\"\n"
    "....DISPLAY \"kR\"\n"
    "....CASE_SENSITIVE NO\n"
    "....EXPONENT_VALUE 3\n";

// The lines of one UNIT block.
std::string Unit(const char* name, const char* display, const char* caseSensitive,
                 const char* exponent) {
  return std::string("...UNIT \"") + name + "\"\n....DISPLAY \"" + display +
         "\"\n....CASE_SENSITIVE " + caseSensitive + "\n....EXPONENT_VALUE " + exponent + "\n";
}

class UnitsLoad : public testing::Test {
 protected:
  void SetUp() override {
    common_ = tmp_ / "common";
    ASSERT_EQ(mkdir(common_.c_str(), 0700), 0);
    SetCommonDir(common_);
    WriteBytes(tmp_ / "user.reg",
               "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\International]\n"
               "\"sDecimal\"=\".\"\n\"sThousand\"=\",\"\n");
    user_.emplace("TARVIL_USER_REGISTRY", tmp_ / "user.reg");
    Reset();
  }
  void TearDown() override { Reset(); }

  static void Reset() {
    tarvil::detail::ResetUnitsLogState();
  }
  void SetCommonDir(const std::string& dir) {
    WriteBytes(tmp_ / "machine.reg", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta]\n"
                                     "\"CommonDir\"=\"" + dir + "\"\n");
    machine_.emplace("TARVIL_MACHINE_REGISTRY", tmp_ / "machine.reg");
  }
  // Loads `units` into a fresh storage, as a fresh process would.
  int Load(const std::string& units) {
    Reset();
    std::remove((common_ + "/OVUnits.txt").c_str());
    WriteBytes(common_ + "/OVUnits.hkp", units);
    storage_ = std::make_unique<COVUnitStorage>();
    return LoadUnitsDefinitions(*storage_);
  }
  std::optional<std::string> Log() const { return ReadBytes(common_ + "/OVUnits.txt"); }
  // What the log holds after its header.
  std::string LogBody() const {
    std::string log = Log().value_or("");
    const std::string end = "Job Name: \n\n";
    std::size_t at = log.find(end);
    return at == std::string::npos ? "<no header> " + log : log.substr(at + end.size());
  }
  // The entries of one list, as "name/display/exponent/case" joined by " ".
  std::string Entries(eUnitTypes unit, eOrvantaNotations notation) const {
    int count = 0;
    const UnitEntry* e = storage_->GetUnits(unit, notation, count);
    std::string out;
    for (int i = 0; i < count; ++i) {
      if (!out.empty()) out += ' ';
      out += std::string(e[i].name) + "/" + e[i].display + "/" + std::to_string(e[i].exponent) +
             "/" + std::to_string(e[i].caseSensitive);
    }
    return out;
  }

  // The entries of a list left to the built-in table.
  static std::string BuiltIn(eUnitTypes unit, eOrvantaNotations notation) {
    COVUnitStorage fresh;
    int count = 0;
    const UnitEntry* e = fresh.GetUnits(unit, notation, count);
    std::string out;
    for (int i = 0; i < count; ++i) {
      if (!out.empty()) out += ' ';
      out += std::string(e[i].name) + "/" + e[i].display + "/" + std::to_string(e[i].exponent) +
             "/" + std::to_string(e[i].caseSensitive);
    }
    return out;
  }

  TempDir tmp_;
  std::string common_;
  std::optional<ScopedEnv> machine_;
  std::optional<ScopedEnv> user_;
  std::unique_ptr<COVUnitStorage> storage_;
};

TEST_F(UnitsLoad, CleanFileIsStoredAndLeavesNoLog) {
  struct Check {
    eUnitTypes unit;
    eOrvantaNotations notation;
    std::string entries;
  };
  struct Row {
    const char* name;
    std::string units;
    std::vector<Check> checks;
  } rows[] = {
      {"the example", kExample, {{eOhms, eEuropean, "kilo/kR/3/0"}}},
      {"CRLF line ends, no final newline",
       std::regex_replace(kExample, std::regex("\n"), "\r\n").substr(0, kExample.size() + 5),
       {{eOhms, eEuropean, "kilo/kR/3/0"}}},
      {"without FILETYPE, in lower case, with comments",
       "! site units\n.voltage_measure ! volts\n..spice\n" + Unit("mega", "Meg", "yes", "6") +
           Unit("milli", "mil", "no", "-3"),
       {{eVolts, eSPICE, "milli/mil/-3/0 mega/Meg/6/1"}}},
      {"every measure keyword, and the other top-level keywords",
       ".AMP_MEASURE\n..SI\n" + Unit("a", "xa", "NO", "1") + ".CAPACITANCE_MEASURE\n..SI\n" +
           Unit("c", "xc", "NO", "2") + ".INDUCTANCE_MEASURE\n..SI\n" +
           Unit("i", "xi", "NO", "3") + ".POWER_MEASURE\n..SI\n" + Unit("p", "xp", "NO", "4") +
           ".VERSION \"1.0\"\n.DATE \"today\"\n.CREATOR anyone \"at all\n",
       {{eAmps, eSI, "a/xa/1/0"},
        {eFarads, eSI, "c/xc/2/0"},
        {eHenrys, eSI, "i/xi/3/0"},
        {eWatts, eSI, "p/xp/4/0"}}},
      {"an alias of a measure",
       ".ALIAS \".OHMS\" \".RESISTANCE_MEASURE\"\n.OHMS\n..SI\n" + Unit("kilo", "kOhm", "NO", "3"),
       {{eOhms, eSI, "kilo/kOhm/3/0"}}},
      {"a NUL byte and bytes that are no UTF-8 in strings",
       ".RESISTANCE_MEASURE\n..SI\n" + Unit("\xff\xfe", "k\xc3", "NO", "3") +
           "...UNIT \"m\"\n....DISPLAY \"m\0junk\"\n"s +
           "....CASE_SENSITIVE YES\n....EXPONENT_VALUE -3\n",
       {{eOhms, eSI, "m/m/-3/1 \xff\xfe/k\xc3/3/0"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Load(row.units), 0);
    EXPECT_FALSE(Log().has_value());
    for (const Check& check : row.checks) {
      EXPECT_EQ(Entries(check.unit, check.notation), check.entries);
    }
  }
}

TEST_F(UnitsLoad, DisplayWarningLeavesExactlyItsLog) {
  std::string units = kExample;
  units.replace(units.find("\"kR\""), 4, "\"12\"");
  EXPECT_EQ(Load(units), 0);
  const std::string log = Log().value_or("");
  // Line 5 is the date; the rest is fixed.
  std::smatch date;
  ASSERT_TRUE(std::regex_search(log, date, std::regex("-\n\n( +)([^\n]+)\n")));
  EXPECT_EQ(date[1].length(), (80 - date[2].length() + 1) / 2);
  EXPECT_EQ(log, "\n" + std::string(27, ' ') + "Units Definitions Error Log\n" +
                     std::string(27, ' ') + std::string(27, '-') + "\n\n" + date[1].str() +
                     date[2].str() + "\n" + std::string(35, ' ') + "Job Name: \n\n\n" +
                     "Invalid unit DISPLAY value \"12\" detected at line 5:\n" +
                     "\tPure numeric values not allowed.\n" +
                     "\tThe system default will be used instead.\n");
  EXPECT_EQ(Entries(eOhms, eEuropean), BuiltIn(eOhms, eEuropean));
}

TEST_F(UnitsLoad, RefusedEntriesAreLoggedAndSkipped) {
  const char* kSeeSettings = "\tSee Control Panel->Regional Settings <Number Tab>\n";
  struct Row {
    const char* name;
    std::string units;
    std::string body;  // the log after its header
    eUnitTypes unit;
    eOrvantaNotations notation;
    std::string entries;  // empty: the built-in table
  } rows[] = {
      {"Engineering exponent 3, before its DISPLAY",
       ".FILETYPE ELECTRICAL_UNITS\n.RESISTANCE_MEASURE\n..ENGINEERING\n"
       "...UNIT \"kilo\"\n....EXPONENT_VALUE 3\n....DISPLAY \"kOhm\"\n....CASE_SENSITIVE NO\n" +
           Unit("base", "Ohm", "NO", "0"),
       "\nInvalid EXPONENT_VALUE \"3\" detected at line 5:"
       "\n\tEngineering subunit values are fixed."
       "\n\tOnly the base unit is user configurable."
       "\n\tInvalid entry ignored.\n",
       eOhms, eEngineering, "base/Ohm/0/0"},
      {"Scientific exponent -3",
       ".CAPACITANCE_MEASURE\n..SCIENTIFIC\n" + Unit("milli", "mF", "YES", "-3"),
       "\nInvalid EXPONENT_VALUE \"-3\" detected at line 6:"
       "\n\tScientific subunit values are fixed."
       "\n\tOnly the base unit is user configurable."
       "\n\tInvalid entry ignored.\n",
       eFarads, eScientific, ""},
      {"regional symbols in displays, the first one deciding",
       ".RESISTANCE_MEASURE\n..SI\n" + Unit("a", "k,7", "NO", "1") + Unit("b", "1.5", "NO", "2") +
           Unit("c", "a.b,c", "NO", "4") + Unit("d", "x,y.z", "NO", "5") +
           Unit("e", "k", "NO", "3"),
       "\nInvalid unit DISPLAY value \"k,7\" detected at line 4:"
       "\n\tValue conflicts with current regional setting for digit grouping symbol.\n" +
           std::string(kSeeSettings) + "\tThe system default will be used instead.\n" +
           "\nInvalid unit DISPLAY value \"1.5\" detected at line 8:"
           "\n\tValue conflicts with current regional setting for decimal symbol.\n" +
           kSeeSettings + "\tThe system default will be used instead.\n" +
           "\nInvalid unit DISPLAY value \"a.b,c\" detected at line 12:"
           "\n\tValue conflicts with current regional setting for decimal symbol.\n" +
           kSeeSettings + "\tThe system default will be used instead.\n" +
           "\nInvalid unit DISPLAY value \"x,y.z\" detected at line 16:"
           "\n\tValue conflicts with current regional setting for digit grouping symbol.\n" +
           kSeeSettings + "\tThe system default will be used instead.\n",
       eOhms, eSI, "e/k/3/0"},
      {"a percent sign in a refused display is written as it is",
       ".RESISTANCE_MEASURE\n..SI\n" + Unit("p", "%s%d", "NO", "1") +
           Unit("q", "99", "NO", "2"),
       "\nInvalid unit DISPLAY value \"99\" detected at line 8:"
       "\n\tPure numeric values not allowed."
       "\n\tThe system default will be used instead.\n",
       eOhms, eSI, "p/%s%d/1/0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Load(row.units), 0);
    EXPECT_EQ(LogBody(), row.body);
    EXPECT_EQ(Entries(row.unit, row.notation),
              row.entries.empty() ? BuiltIn(row.unit, row.notation) : row.entries);
  }
  // A base-unit entry of Engineering notation gets the built-in prefixes
  // around it when the storage completes its defaults.
  Load(rows[0].units);
  storage_->CompleteDefaults();
  int count = 0;
  storage_->GetUnits(eOhms, eEngineering, count);
  EXPECT_EQ(count, 13);
  CString base;
  storage_->GetBaseUnitString(eOhms, eEngineering, base);
  EXPECT_EQ(base, "Ohm");
}

TEST_F(UnitsLoad, FaultyFilesStoreNothingOrStopEarly) {
  struct Row {
    const char* name;
    std::string units;
    std::string body;
    eUnitTypes unit;
    eOrvantaNotations notation;
    std::string entries;  // empty: the built-in table
  } rows[] = {
      {"a UNIT without DISPLAY spoils the whole file",
       ".FILETYPE ELECTRICAL_UNITS\n.RESISTANCE_MEASURE\n..SI\n" + Unit("kilo", "k", "NO", "3") +
           "...UNIT \"mega\"\n....CASE_SENSITIVE NO\n....EXPONENT_VALUE 6\n",
       "Error: Required keyword <DISPLAY> does not exist\n"
       "   in keyword <...UNIT> above line # 11\n"
       "   The following keyword construct skipped due to errors\n"
       "    ...UNIT \"mega\" \n"
       "      ....CASE_SENSITIVE NO \n"
       "      ....EXPONENT_VALUE 6 \n"
       "\n",
       eOhms, eSI, ""},
      {"a FILETYPE that is not ELECTRICAL_UNITS",
       ".FILETYPE YES\n" + kExample.substr(kExample.find('\n') + 1),
       "Error: Constant <YES> not allowed\n"
       "   in keyword <.FILETYPE> at line # 1\n"
       "Error: Expected <1> arguments\n"
       "   in keyword <.FILETYPE> above line # 1\n"
       "\nIncorrect .FILE_TYPE encountered (not a ELECTRICAL_UNITS file).",
       eOhms, eEuropean, ""},
      {"a lower keyword at the top stops the load after what came before",
       kExample + ".UNIT \"x\"\n..DISPLAY \"x\"\n..CASE_SENSITIVE NO\n..EXPONENT_VALUE 1\n" +
           ".VOLTAGE_MEASURE\n..SI\n" + Unit("kilo", "kV", "NO", "3"),
       "", eOhms, eEuropean, "kilo/kR/3/0"},
      {"an alias used before it is defined",
       ".OHMS\n.ALIAS \".OHMS\" \".RESISTANCE_MEASURE\"\n",
       "Error: Unknown keyword <.OHMS> at line # 1\n", eOhms, eSI, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Load(row.units), 1);
    EXPECT_EQ(LogBody(), row.body);
    EXPECT_EQ(Entries(row.unit, row.notation),
              row.entries.empty() ? BuiltIn(row.unit, row.notation) : row.entries);
  }
  EXPECT_EQ(Entries(eVolts, eSI), BuiltIn(eVolts, eSI));
}

TEST_F(UnitsLoad, MissingRegistryDirectoryOrFile) {
  const std::string warning =
      "\nWARNING: this is a possible indication that your\n"
      "products are not installed properly.\n";
  // The units file is missing: the log in the common directory says so.
  WriteBytes(tmp_ / "machine.reg", "REGEDIT4\n");
  std::remove((common_ + "/OVUnits.hkp").c_str());
  SetCommonDir(common_);
  storage_ = std::make_unique<COVUnitStorage>();
  EXPECT_EQ(LoadUnitsDefinitions(*storage_), -1);
  EXPECT_EQ(LogBody(),
            "\nUnable to locate units definition file OVUnits.hkp,\n"
            "the standard system defaults will be used instead.\n" +
                warning);

  // The common directory is missing: the log goes to the current directory.
  Reset();
  const std::string cwd = tmp_ / "cwd";
  ASSERT_EQ(mkdir(cwd.c_str(), 0700), 0);
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(cwd.c_str()), 0);
  SetCommonDir(tmp_ / "no-such-dir");
  EXPECT_EQ(LoadUnitsDefinitions(*storage_), -1);
  ASSERT_EQ(chdir(previous), 0);
  std::string log = ReadBytes(cwd + "/OVUnits.txt").value_or("");
  EXPECT_EQ(log.substr(log.find("Job Name: \n\n") + 12),
            "\nUnable to locate path to units definition file OVUnits.hkp,\n"
            "the standard system defaults will be used instead.\n" +
                warning);

  // No key, no value, an empty value: nothing is read and nothing logged.
  for (const std::string& hive :
       {std::string("REGEDIT4\n"), std::string("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta]\n"),
        std::string("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta]\n\"CommonDir\"=\"\"\n")}) {
    SCOPED_TRACE(hive);
    Reset();
    WriteBytes(tmp_ / "machine.reg", hive);
    std::remove((common_ + "/OVUnits.txt").c_str());
    EXPECT_EQ(LoadUnitsDefinitions(*storage_), 1);
    EXPECT_FALSE(Log().has_value());
  }
  machine_.emplace("TARVIL_MACHINE_REGISTRY", tmp_ / "absent.reg");
  EXPECT_EQ(LoadUnitsDefinitions(*storage_), 1);
}

// The log is always a file of its own: whatever stands at its path is
// removed first, never written through (a hard link would otherwise
// overwrite the file it shares, a symbolic link its target).
TEST_F(UnitsLoad, LogIsAlwaysANewFile) {
  const std::string logPath = common_ + "/OVUnits.txt";
  const std::string precious = tmp_ / "precious";
  std::string warned = kExample;
  warned.replace(warned.find("\"kR\""), 4, "\"12\"");
  const struct {
    const char* name;
    int (*plant)(const char* precious, const char* log);
  } plants[] = {
      {"hard link", [](const char* p, const char* l) { return link(p, l); }},
      {"symbolic link", [](const char* p, const char* l) { return symlink(p, l); }},
      {"pipe", [](const char*, const char* l) { return mkfifo(l, 0600); }},
  };
  for (const auto& plant : plants) {
    for (const std::string& units : {kExample, warned}) {
      SCOPED_TRACE(std::string(plant.name) + (units == warned ? ", warned" : ", clean"));
      Reset();
      WriteBytes(precious, "keep me");
      std::remove(logPath.c_str());
      ASSERT_EQ(plant.plant(precious.c_str(), logPath.c_str()), 0);
      WriteBytes(common_ + "/OVUnits.hkp", units);
      storage_ = std::make_unique<COVUnitStorage>();
      EXPECT_EQ(LoadUnitsDefinitions(*storage_), 0);
      EXPECT_EQ(ReadBytes(precious).value_or(""), "keep me");
      struct stat info;
      if (units == kExample) {
        EXPECT_NE(lstat(logPath.c_str(), &info), 0);  // a clean load removes its log
        EXPECT_EQ(Entries(eOhms, eEuropean), "kilo/kR/3/0");
      } else {
        ASSERT_EQ(lstat(logPath.c_str(), &info), 0);
        EXPECT_TRUE(S_ISREG(info.st_mode));
        EXPECT_EQ(info.st_nlink, 1u);
        EXPECT_NE(LogBody().find("Invalid unit DISPLAY value \"12\""), std::string::npos);
      }
    }
  }
}

// A units file that is no regular file of at most the limit is a file that
// cannot be opened: the first use goes on at once with the built-in tables,
// and the log keeps only its header.
TEST_F(UnitsLoad, UnitsFileThatIsNoRegularFileCannotBeOpened) {
  const std::string units = common_ + "/OVUnits.hkp";
  const struct {
    const char* name;
    std::function<int()> plant;
  } plants[] = {
      {"pipe", [&] { return mkfifo(units.c_str(), 0600); }},
      {"link to /dev/urandom", [&] { return symlink("/dev/urandom", units.c_str()); }},
      {"file over the limit",
       [&] {
         WriteBytes(units, kExample);
         return truncate(units.c_str(), tarvil::platform::kMaxSettingsFileBytes + 1);
       }},
  };
  for (const auto& plant : plants) {
    SCOPED_TRACE(plant.name);
    Reset();
    std::remove(units.c_str());
    ASSERT_EQ(plant.plant(), 0);
    storage_ = std::make_unique<COVUnitStorage>();
    EXPECT_EQ(LoadUnitsDefinitions(*storage_), 1);
    EXPECT_EQ(LogBody(), "");
    EXPECT_EQ(Entries(eOhms, eEuropean), BuiltIn(eOhms, eEuropean));
  }
}

TEST(UnitsDisplayValue, ChecksAgainstTheRegionalSymbols) {
  TempDir tmp;
  struct Row {
    const char* hive;  // the user's International key, or null for none
    const char* display;
    int result;
  } rows[] = {
      {"\"sDecimal\"=\",\"\n\"sThousand\"=\".\"\n", "1,5", 2},
      {"\"sDecimal\"=\",\"\n\"sThousand\"=\".\"\n", "1.5", 3},
      {"\"sDecimal\"=\",\"\n\"sThousand\"=\".\"\n", "007", 1},
      {"\"sDecimal\"=\",\"\n\"sThousand\"=\".\"\n", "k", 0},
      {"\"sDecimal\"=\",\"\n\"sThousand\"=\".\"\n", "", 0},
      {"\"sDecimal\"=\",\"\n\"sThousand\"=\".\"\n", nullptr, 0},
      // A value longer than one character falls back to "." and ",".
      {"\"sDecimal\"=\"ab\"\n\"sThousand\"=\"cd\"\n", "1.5", 2},
      {"\"sDecimal\"=\"ab\"\n\"sThousand\"=\"cd\"\n", "a", 0},
      {"\"sDecimal\"=\"ab\"\n\"sThousand\"=\"cd\"\n", "1,5", 3},
      // A grouping symbol that is not text falls back to ",".
      {"\"sDecimal\"=\"'\"\n\"sThousand\"=dword:00000020\n", "1'5", 2},
      {"\"sDecimal\"=\"'\"\n\"sThousand\"=dword:00000020\n", "1,5", 3},
      {"\"sDecimal\"=\"'\"\n\"sThousand\"=dword:00000020\n", "1.5", 0},
      {"\"sDecimal\"=\"'\"\n\"sThousand\"=dword:00000020\n", "\xc3\xa9", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.hive) + " / " + (row.display ? row.display : "(null)"));
    WriteBytes(tmp / "user.reg",
               std::string("REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\International]\n") +
                   row.hive);
    ScopedEnv user("TARVIL_USER_REGISTRY", tmp / "user.reg");
    EXPECT_EQ(tarvil::detail::CheckDisplayValue(row.display,
                                                tarvil::detail::RegistryDisplaySymbols()),
              row.result);
  }
}

}  // namespace
