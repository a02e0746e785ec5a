// StartupBench.cpp: the cost of a process's first operation, which reads
// the registry and the units definition file, against its second.
//
// Each measurement is a fresh process: the benchmark program starts itself
// with "--startup-child" against a private registry whose machine hive
// names a common directory holding a units file of the requested size.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "BenchSuite.h"
#include "CTarvil.h"

extern char** environ;

namespace tarvil::bench {
namespace {

struct Prefix {
  const char* name;
  const char* display;
  int exponent;
  bool caseSensitive;
};

constexpr Prefix kSI[] = {{"atto", "a", -18, false}, {"femto", "f", -15, false},
                          {"pico", "p", -12, true},  {"nano", "n", -9, false},
                          {"micro", "u", -6, false}, {"milli", "m", -3, true},
                          {"none", "", 0, false},    {"kilo", "k", 3, false},
                          {"mega", "M", 6, true},    {"giga", "G", 9, false},
                          {"tera", "T", 12, false},  {"peta", "P", 15, true},
                          {"exa", "e", 18, false}};
constexpr Prefix kSPICE[] = {{"femto", "F", -15, false}, {"pico", "P", -12, false},
                             {"nano", "N", -9, false},   {"micro", "U", -6, false},
                             {"milli", "M", -3, false},  {"none", "", 0, false},
                             {"kilo", "K", 3, false},    {"mega", "MEG", 6, false},
                             {"giga", "G", 9, false},    {"tera", "T", 12, false}};
// The European list of resistance is the one that shows the file was read:
// two entries where the built-in table has thirteen.
constexpr Prefix kEuropean[] = {{"kilo", "K", 3, true}, {"mega", "Meg", 6, true}};

const char* const kMeasures[] = {"RESISTANCE_MEASURE", "CAPACITANCE_MEASURE",
                                 "INDUCTANCE_MEASURE", "VOLTAGE_MEASURE",
                                 "AMP_MEASURE",        "POWER_MEASURE"};

// A units file of `units` entries: SI prefixes for every measure, SPICE
// prefixes for resistance and capacitance, two European resistance
// prefixes, in that order, as far as `units` goes.
std::string UnitsFile(int units) {
  std::ostringstream out;
  out << "! units of the start-up benchmark\n.FILETYPE ELECTRICAL_UNITS\n.VERSION \"1.0\"\n";
  int left = units;
  auto block = [&](const char* notation, const Prefix* prefixes, int n) {
    if (left <= 0) return;
    out << ".." << notation << "\n";
    for (int i = 0; i < n && left > 0; ++i, --left) {
      const Prefix& p = prefixes[i];
      out << "...UNIT \"" << p.name << "\"\n"
          << "....DISPLAY \"" << p.display << "\"\n"
          << "....CASE_SENSITIVE " << (p.caseSensitive ? "YES" : "NO") << "\n"
          << "....EXPONENT_VALUE " << p.exponent << "\n";
    }
  };
  for (int m = 0; m < 6 && left > 0; ++m) {
    out << "." << kMeasures[m] << "\n";
    block("SI", kSI, 13);
    if (m < 2) block("SPICE", kSPICE, 10);
    if (m == 0) block("EUROPEAN", kEuropean, 2);
  }
  // Whatever is still asked for goes into further SI lists of power, whose
  // entries replace the earlier ones of the same exponent.
  while (left > 0) {
    out << ".POWER_MEASURE\n";
    block("SI", kSI, 13);
  }
  return out.str();
}

// Counts the UNIT keywords of a units file text.
int CountUnits(const std::string& text) {
  int n = 0;
  for (std::size_t at = text.find("UNIT \""); at != std::string::npos;
       at = text.find("UNIT \"", at + 1))
    ++n;
  return n;
}

bool Write(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

std::string RegString(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

const char kUserHive[] =
    "REGEDIT4\n\n"
    "[HKEY_CURRENT_USER\\Control Panel\\International]\n"
    "\"sDecimal\"=\".\"\n\"sThousand\"=\",\"\n\"iDigits\"=\"3\"\n"
    "\"sGrouping\"=\"3;0\"\n\"iLZero\"=\"1\"\n\n"
    "[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta Notation]\n"
    "\"Engineering\"=dword:00000004\n\"European\"=dword:00000004\n"
    "\"Scientific\"=dword:00000004\n\"SI\"=dword:00000004\n\"SPICE\"=dword:00000004\n"
    "\"Angle\"=dword:00000003\n\"Percentage\"=dword:00000002\n\"Time\"=dword:00000002\n"
    "\"SuppressTrailingZeros\"=dword:00000001\n\"ActiveNotation\"=dword:00000003\n";

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0.0 : v[v.size() / 2];
}

}  // namespace

int StartupChild() {
  using Clock = std::chrono::steady_clock;
  CTarvil first("4.7k");
  CTarvil second("10k");
  double v = 0.0;
  const auto t0 = Clock::now();
  const int r1 = first.IsDoubleForNotation(eSI, &v, eOhms);
  const auto t1 = Clock::now();
  const int r2 = second.IsDoubleForNotation(eSI, &v, eOhms);
  const auto t2 = Clock::now();
  int european = 0;
  CTarvil::s_OVUnits.GetUnits(eOhms, eEuropean, european);
  const auto ns = [](auto d) {
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(d).count());
  };
  std::printf("%lld %lld %d %d %d\n", ns(t1 - t0), ns(t2 - t1), r1, r2, european);
  return 0;
}

StartupResult MeasureStartup(const char* program, int runs, int units) {
  StartupResult result;
  char pattern[] = "/tmp/tarvil-startup-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    result.problem = "no temporary directory";
    return result;
  }
  const std::string dir = pattern;
  const std::string common = dir + "/common";
  mkdir(common.c_str(), 0700);
  const std::string unitsText = UnitsFile(units);
  const std::string userHive = dir + "/user.reg";
  const std::string machineHive = dir + "/machine.reg";
  const bool written =
      Write(common + "/OVUnits.hkp", unitsText) && Write(userHive, kUserHive) &&
      Write(machineHive, "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta]\n\"CommonDir\"=\"" +
                             RegString(common) + "\"\n");

  // The child's environment: ours, with the two hives replaced.
  std::vector<std::string> envText;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "TARVIL_USER_REGISTRY=", 21) == 0) continue;
    if (std::strncmp(*e, "TARVIL_MACHINE_REGISTRY=", 24) == 0) continue;
    envText.emplace_back(*e);
  }
  envText.push_back("TARVIL_USER_REGISTRY=" + userHive);
  envText.push_back("TARVIL_MACHINE_REGISTRY=" + machineHive);
  std::vector<char*> env;
  for (std::string& s : envText) env.push_back(s.data());
  env.push_back(nullptr);

  std::vector<double> firsts;
  std::vector<double> seconds;
  for (int run = 0; written && run < runs; ++run) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) break;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    char childFlag[] = "--startup-child";
    char* argv[] = {const_cast<char*>(program), childFlag, nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    std::string out;
    char buf[256];
    ssize_t n = 0;
    while ((n = read(pipeFds[0], buf, sizeof buf)) > 0) out.append(buf, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    if (spawned == 0) waitpid(pid, &status, 0);
    long long first = 0, second = 0;
    int r1 = 0, r2 = 0, european = 0;
    if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(out.c_str(), "%lld %lld %d %d %d", &first, &second, &r1, &r2, &european) != 5) {
      result.problem = "the child process failed";
      break;
    }
    if (r1 != 1 || r2 != 1) {
      result.problem = "the child could not read its values";
      break;
    }
    if (units >= 100 && european != 2) {
      result.problem = "the units file was not applied (European resistance list has " +
                       std::to_string(european) + " entries)";
      break;
    }
    firsts.push_back(static_cast<double>(first));
    seconds.push_back(static_cast<double>(second));
  }
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  if (!written) result.problem = "could not write the registry or units file";
  result.runs = static_cast<int>(firsts.size());
  result.ok = result.problem.empty() && result.runs == runs && CountUnits(unitsText) == units;
  result.firstNs = Median(firsts);
  result.secondNs = Median(seconds);
  return result;
}

}  // namespace tarvil::bench
