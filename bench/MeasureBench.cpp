// MeasureBench.cpp: reading lengths, times and angles, beside strtod on
// their number parts.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "BenchInputs.h"
#include "BenchSuite.h"

namespace tarvil::bench {
namespace {

constexpr int kCorpusSize = 4096;

const std::vector<MeasureText>& Lengths() {
  static const auto texts = MakeLengthTexts(kCorpusSize);
  return texts;
}
const std::vector<MeasureText>& Times() {
  static const auto texts = MakeTimeTexts(kCorpusSize);
  return texts;
}
const std::vector<MeasureText>& Angles() {
  static const auto texts = MakeAngleTexts(kCorpusSize);
  return texts;
}

std::vector<CTarvil> Objects(const std::vector<MeasureText>& texts) {
  std::vector<CTarvil> objects;
  objects.reserve(texts.size());
  for (const MeasureText& t : texts) objects.emplace_back(t.text.c_str());
  return objects;
}

// strtod on every number part of each text in turn.
void NumberParts(benchmark::State& state, const std::vector<MeasureText>& texts) {
  std::size_t i = 0;
  char* end = nullptr;
  for (auto _ : state) {
    double sum = 0.0;
    for (const std::string& n : texts[i].numbers) sum += std::strtod(n.c_str(), &end);
    benchmark::DoNotOptimize(sum);
    if (++i == texts.size()) i = 0;
  }
}

void LengthLibrary(benchmark::State& state) {
  std::vector<CTarvil> objects = Objects(Lengths());
  std::size_t i = 0;
  int count = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(objects[i].GetBaseUnits(&count, kBaseNanometer));
    benchmark::DoNotOptimize(count);
    if (++i == objects.size()) i = 0;
  }
}

void TimeLibrary(benchmark::State& state) {
  std::vector<CTarvil> objects = Objects(Times());
  std::size_t i = 0;
  double seconds = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(objects[i].GetSeconds(&seconds));
    benchmark::DoNotOptimize(seconds);
    if (++i == objects.size()) i = 0;
  }
}

void AngleLibrary(benchmark::State& state) {
  std::vector<CTarvil> objects = Objects(Angles());
  std::size_t i = 0;
  double degrees = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(objects[i].GetDegrees(&degrees, 0));
    benchmark::DoNotOptimize(degrees);
    if (++i == objects.size()) i = 0;
  }
}

}  // namespace

void RegisterMeasureBenchmarks() {
  Register("length/GetBaseUnits", LengthLibrary);
  Register("length/strtod", [](benchmark::State& s) { NumberParts(s, Lengths()); });
  Register("time/GetSeconds", TimeLibrary);
  Register("time/strtod", [](benchmark::State& s) { NumberParts(s, Times()); });
  Register("angle/GetDegrees", AngleLibrary);
  Register("angle/strtod", [](benchmark::State& s) { NumberParts(s, Angles()); });
}

AllocationRow CountMeasureAllocations() {
  AllocationRow row;
  for (const auto* texts : {&Lengths(), &Times(), &Angles()}) {
    std::vector<CTarvil> objects = Objects(*texts);
    for (std::size_t i = 0; i < objects.size(); ++i) {
      const long long before = AllocationCount();
      int count = 0;
      double v = 0.0;
      if (texts == &Lengths()) objects[i].GetBaseUnits(&count, kBaseNanometer);
      if (texts == &Times()) objects[i].GetSeconds(&v);
      if (texts == &Angles()) objects[i].GetDegrees(&v, 0);
      row.parse += AllocationCount() - before;
      ++row.count;
    }
  }
  return row;
}

}  // namespace tarvil::bench
