// BenchSuite.h: the parts of the benchmark program: the families of
// benchmarks it registers, the allocation counts and the start-up
// measurement it reports beside them.
#ifndef TARVIL_BENCHSUITE_H
#define TARVIL_BENCHSUITE_H

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AllocationCounter.h"

namespace tarvil::bench {

// Register: adds a benchmark that also reports the fastest of its
// repetitions, the figure least disturbed by whatever else the machine runs.
template <typename Fn>
benchmark::internal::Benchmark* Register(const char* name, Fn fn) {
  return benchmark::RegisterBenchmark(name, fn)->ComputeStatistics(
      "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

// Registration of each family with Google Benchmark. Names are
// "<operation>/<implementation>"; the table pairs them up.
void RegisterNotationBenchmarks();
void RegisterMeasureBenchmarks();
void RegisterSortBenchmarks();
void RegisterApiBenchmarks();

// The SI texts of the notation corpus ('4.7k', '100n'), and the standard
// library's reader and writer on them: the baselines of several rows.
struct NotationText;
const std::vector<NotationText>& SITexts();
void ParseFromCharsOn(benchmark::State& state, const std::vector<NotationText>& texts);
void FormatToCharsOn(benchmark::State& state, const std::vector<NotationText>& texts);

// Heap allocations made by `count` reads and writes of values.
struct AllocationRow {
  long long count = 0;
  long long parse = 0;
  long long format = 0;
};
AllocationRow CountNotationAllocations();
// The same for the length, time and angle readers (format unused).
AllocationRow CountMeasureAllocations();
// The modern interface's read (any and SI) and buffer write.
AllocationRow CountApiAllocations();

// Start-up of a fresh process, in nanoseconds (medians over the runs).
struct StartupResult {
  bool ok = false;
  std::string problem;  // why it could not be measured, when !ok
  int runs = 0;
  double firstNs = 0.0;
  double secondNs = 0.0;
};

// MeasureStartup: runs `program` with "--startup-child" `runs` times against
// a registry and a units file of `units` entries written into a temporary
// directory.
StartupResult MeasureStartup(const char* program, int runs, int units);

// StartupChild: the child's side: times the first and the second operation
// of the process and prints both on standard output. Returns the exit code.
int StartupChild();

}  // namespace tarvil::bench

#endif
