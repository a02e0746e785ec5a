// SortBench.cpp: sorting designator names with the number-aware comparison,
// beside strcmp on the same names.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

#include "BenchInputs.h"
#include "BenchSuite.h"

namespace tarvil::bench {
namespace {

constexpr int kNames = 200000;

const std::vector<const char*>& Shuffled() {
  static const std::vector<std::string> names = MakeDesignators(kNames);
  static const std::vector<const char*> pointers = [] {
    std::vector<const char*> p;
    for (const std::string& n : names) p.push_back(n.c_str());
    return p;
  }();
  return pointers;
}

template <typename Less>
void SortNames(benchmark::State& state, Less less) {
  std::vector<const char*> work;
  for (auto _ : state) {
    state.PauseTiming();
    work = Shuffled();
    state.ResumeTiming();
    std::sort(work.begin(), work.end(), less);
    benchmark::DoNotOptimize(work.data());
  }
}

}  // namespace

void RegisterSortBenchmarks() {
  Register("sort/CTarvilCompareNum", [](benchmark::State& s) {
    SortNames(s, [](const char* a, const char* b) { return CTarvilCompareNum(a, b) < 0; });
  })->Unit(benchmark::kMillisecond);
  Register("sort/strcmp", [](benchmark::State& s) {
    SortNames(s, [](const char* a, const char* b) { return std::strcmp(a, b) < 0; });
  })->Unit(benchmark::kMillisecond);
}

}  // namespace tarvil::bench
