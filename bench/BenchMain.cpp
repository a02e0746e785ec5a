// BenchMain.cpp: runs every benchmark, the allocation counts and the
// start-up measurement, then prints one table: each library operation beside
// its baseline on the same inputs, their ratio and the target it has to meet.
//
//   tarvil_bench [Google Benchmark options]
//   tarvil_bench --startup-child      (used by the start-up measurement)
#include <benchmark/benchmark.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include "BenchSuite.h"

namespace tarvil::bench {
namespace {

// Keeps the CPU time per iteration of every benchmark (the fastest
// repetition when the run has several) while the console reporter shows the
// details.
class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  CollectingReporter() : ConsoleReporter(OO_None) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.function_name;
      const double ns = run.GetAdjustedCPUTime() * 1e9 /
                        benchmark::GetTimeUnitMultiplier(run.time_unit);
      if (run.run_type == Run::RT_Aggregate) {
        if (run.aggregate_name == "min") {
          m_ns[name] = ns;
          m_fromAggregate[name] = true;
        }
      } else if (!m_fromAggregate[name]) {
        m_ns[name] = ns;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double Ns(const std::string& name) const {
    auto it = m_ns.find(name);
    return it == m_ns.end() ? -1.0 : it->second;
  }

 private:
  std::map<std::string, double> m_ns;
  std::map<std::string, bool> m_fromAggregate;
};

std::string Number(double ns) {
  char buf[64];
  if (ns < 0) return "n/a";
  if (ns < 100) {
    std::snprintf(buf, sizeof buf, "%.1f", ns);
  } else {
    std::snprintf(buf, sizeof buf, "%.0f", ns);
  }
  // Thousands separated by blanks for the long ones.
  const std::string digits = buf;
  const std::size_t dot = std::min(digits.find('.'), digits.size());
  std::string s;
  for (std::size_t i = 0; i < dot; ++i) {
    if (i > 0 && (dot - i) % 3 == 0) s.push_back(' ');
    s.push_back(digits[i]);
  }
  s.append(digits, dot, std::string::npos);
  return s;
}

struct Row {
  const char* operation;
  const char* library;
  const char* baseline;
  const char* target;
  double limit;  // ratio at most this (strictly below when `below`)
  bool below;
};

const Row kRows[] = {
    {"parse: IsDoubleForNotation vs strtod", "parse/IsDoubleForNotation", "parse/strtod",
     "< 1", 1.0, true},
    {"parse: IsDoubleForNotation vs std::from_chars", "parse/IsDoubleForNotation",
     "parse/from_chars", "<= 1.5", 1.5, false},
    {"format: SetDoubleForNotation vs snprintf %.4f", "format/SetDoubleForNotation",
     "format/snprintf", "< 1", 1.0, true},
    {"format: SetDoubleForNotation vs std::to_chars", "format/SetDoubleForNotation",
     "format/to_chars", "<= 2", 2.0, false},
    {"parse SI: engine on a view vs std::from_chars", "parse-si/engine", "parse-si/from_chars",
     "<= 1.5", 1.5, false},
    {"parse: IsDoubleForNotation vs the engine it calls", "parse/IsDoubleForNotation",
     "parse/engine", "<= 1.3", 1.3, false},
    {"format: engine into a buffer vs std::to_chars", "format/engine", "format/to_chars",
     "<= 1.5", 1.5, false},
    {"format: SetDoubleForNotation vs the engine it calls", "format/SetDoubleForNotation",
     "format/engine", "<= 1.3", 1.3, false},
    {"length: GetBaseUnits vs strtod on the number", "length/GetBaseUnits", "length/strtod",
     "<= 2", 2.0, false},
    {"time: GetSeconds vs strtod on the number", "time/GetSeconds", "time/strtod", "<= 2", 2.0,
     false},
    {"angle: GetDegrees vs strtod on the parts", "angle/GetDegrees", "angle/strtod", "<= 2", 2.0,
     false},
    {"modern read of SI values vs std::from_chars", "api-read/si", "api-read/from_chars",
     "<= 1.5", 1.5, false},
    {"modern read in any vs std::from_chars", "api-read/any", "api-read/from_chars", "<= 2",
     2.0, false},
    {"read_part on BOM value fields vs read of the value alone", "api-part/read_part",
     "api-part/read", "<= 3", 3.0, false},
    {"modern write into a buffer vs std::to_chars (4 decimals)", "api-write/buffer",
     "api-write/to_chars", "<= 1.5", 1.5, false},
    {"sort 200,000 designators: NaturalLess vs strcmp", "api-sort/NaturalLess",
     "api-sort/strcmp", "<= 1.2", 1.2, false},
    {"sort 200,000 designators: CTarvilCompareNum vs strcmp", "sort/CTarvilCompareNum",
     "sort/strcmp", "<= 1.3", 1.3, false},
};

std::string Machine() {
  std::string cpu = "unknown CPU";
  std::ifstream info("/proc/cpuinfo");
  for (std::string line; std::getline(info, line);) {
    if (line.rfind("model name", 0) == 0) {
      cpu = line.substr(line.find(':') + 2);
      break;
    }
  }
  utsname u{};
  uname(&u);
  char buf[512];
  std::snprintf(buf, sizeof buf, "%s, %ld logical CPUs, %s %s, compiler %s", cpu.c_str(),
                sysconf(_SC_NPROCESSORS_ONLN), u.sysname, u.release, __VERSION__);
  return buf;
}

int PrintTable(const CollectingReporter& r, const StartupResult& startup,
               const AllocationRow& notation, const AllocationRow& measures,
               const AllocationRow& api) {
  int missed = 0;
  std::printf("\nMachine: %s\n\n", Machine().c_str());
  std::printf("| operation | library ns/op | baseline ns/op | ratio | target | met |\n");
  std::printf("|---|---:|---:|---:|---|---|\n");
  for (const Row& row : kRows) {
    const double lib = r.Ns(row.library);
    const double base = r.Ns(row.baseline);
    const bool measured = lib > 0 && base > 0;
    const double ratio = measured ? lib / base : 0.0;
    const bool met = measured && (row.below ? ratio < row.limit : ratio <= row.limit);
    if (!met) ++missed;
    std::printf("| %s | %s | %s | %s | ratio %s | %s |\n", row.operation, Number(lib).c_str(),
                Number(base).c_str(), measured ? (std::to_string(ratio).substr(0, 4)).c_str() : "n/a",
                row.target, met ? "yes" : "NO");
  }
  {
    const bool met = startup.ok && startup.firstNs < 2e6;
    if (!met) ++missed;
    const double ratio = startup.ok && startup.secondNs > 0 ? startup.firstNs / startup.secondNs : 0;
    std::printf("| start-up: first operation (registry + 100-unit units file) vs second | %s | %s "
                "| %s | first < 2 ms | %s |\n",
                startup.ok ? Number(startup.firstNs).c_str() : "n/a",
                startup.ok ? Number(startup.secondNs).c_str() : "n/a",
                startup.ok ? std::to_string(static_cast<long long>(ratio + 0.5)).c_str() : "n/a",
                met ? "yes" : ("NO" + (startup.ok ? std::string() : " (" + startup.problem + ")"))
                              .c_str());
  }
  const auto allocRow = [&](const char* what, long long allocations, long long count) {
    const bool met = allocations == 0;
    if (!met) ++missed;
    std::printf("| heap allocations per %s (%lld values) | %.3f | | | 0 | %s |\n", what, count,
                count > 0 ? static_cast<double>(allocations) / static_cast<double>(count) : 0.0,
                met ? "yes" : "NO");
  };
  allocRow("parse (IsDoubleForNotation)", notation.parse, notation.count);
  allocRow("format (SetDoubleForNotation)", notation.format, notation.count);
  allocRow("measure read (GetBaseUnits, GetSeconds, GetDegrees)", measures.parse, measures.count);
  allocRow("modern read (any, SI and read_part)", api.parse, api.count);
  allocRow("modern write into a buffer", api.format, api.count);
  std::printf("\nBenchmarks: fastest of 10 interleaved repetitions, CPU time per operation. Start-up: "
              "median wall time over %d fresh processes.\n",
              startup.runs);
  std::printf("%d target(s) missed.\n", missed);
  return missed;
}

}  // namespace
}  // namespace tarvil::bench

int main(int argc, char** argv) {
  using namespace tarvil::bench;
  if (argc >= 2 && std::strcmp(argv[1], "--startup-child") == 0) return StartupChild();

  // The benchmarks run with the default settings: both hives point at files
  // that do not exist.
  setenv("TARVIL_USER_REGISTRY", "/nonexistent/tarvil-bench/user.reg", 1);
  setenv("TARVIL_MACHINE_REGISTRY", "/nonexistent/tarvil-bench/machine.reg", 1);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RegisterNotationBenchmarks();
  RegisterMeasureBenchmarks();
  RegisterSortBenchmarks();
  RegisterApiBenchmarks();

  // The start-up children run first, while the machine is as quiet as the
  // benchmarks will find it.
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  self[n > 0 ? n : 0] = '\0';
  const StartupResult startup = MeasureStartup(self, 21, 100);

  CollectingReporter reporter;
  reporter.SetOutputStream(&std::cerr);
  reporter.SetErrorStream(&std::cerr);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const AllocationRow notation = CountNotationAllocations();
  const AllocationRow measures = CountMeasureAllocations();
  const AllocationRow api = CountApiAllocations();
  PrintTable(reporter, startup, notation, measures, api);
  return 0;
}
