// NotationBench.cpp: reading and writing values in the notations, beside
// the standard library's readers and writers on the same numbers.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "BenchInputs.h"
#include "BenchSuite.h"
#include "NotationInternal.h"
#include "SharedSettingsInternal.h"

namespace tarvil::bench {
namespace {

constexpr int kCorpusSize = 10000;

const std::vector<NotationText>& Texts() {
  static const std::vector<NotationText> texts = MakeNotationTexts(kCorpusSize);
  return texts;
}

std::vector<CTarvil> Objects() {
  std::vector<CTarvil> objects;
  objects.reserve(Texts().size());
  for (const NotationText& t : Texts()) objects.emplace_back(t.text.c_str());
  return objects;
}

void ParseLibrary(benchmark::State& state) {
  const auto& texts = Texts();
  std::vector<CTarvil> objects = Objects();
  std::size_t i = 0;
  double v = 0.0;
  for (auto _ : state) {
    const NotationText& t = texts[i];
    benchmark::DoNotOptimize(objects[i].IsDoubleForNotation(t.notation, &v, t.unit));
    benchmark::DoNotOptimize(v);
    if (++i == texts.size()) i = 0;
  }
}

void ParseFromChars(benchmark::State& state) { ParseFromCharsOn(state, Texts()); }

void ParseStrtod(benchmark::State& state) {
  const auto& texts = Texts();
  std::size_t i = 0;
  char* end = nullptr;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtod(texts[i].plain.c_str(), &end));
    benchmark::DoNotOptimize(end);
    if (++i == texts.size()) i = 0;
  }
}

void FormatLibrary(benchmark::State& state) {
  const auto& texts = Texts();
  CTarvil s;
  std::size_t i = 0;
  for (auto _ : state) {
    const NotationText& t = texts[i];
    s.SetDoubleForNotation(t.notation, t.value, 1, t.unit);
    benchmark::DoNotOptimize(s.GetString());
    if (++i == texts.size()) i = 0;
  }
}

void FormatSnprintf(benchmark::State& state) {
  const auto& texts = Texts();
  char buf[400];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::snprintf(buf, sizeof buf, "%.4f", texts[i].value));
    benchmark::ClobberMemory();
    if (++i == texts.size()) i = 0;
  }
}

// The engine's reader on `texts`, called directly on a view.
void ParseEngineOn(benchmark::State& state, const std::vector<NotationText>& texts) {
  const detail::SharedSettings settings;
  std::size_t i = 0;
  for (auto _ : state) {
    const NotationText& t = texts[i];
    benchmark::DoNotOptimize(detail::ScanNotationNumber(t.text, t.notation, t.unit, settings));
    if (++i == texts.size()) i = 0;
  }
}

void FormatEngine(benchmark::State& state) {
  const auto& texts = Texts();
  const detail::SharedSettings settings;
  std::size_t i = 0;
  for (auto _ : state) {
    const NotationText& t = texts[i];
    detail::TextBuffer out;
    detail::WriteNotationValue(out, t.notation, t.value, true, t.unit, false, settings);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
    if (++i == texts.size()) i = 0;
  }
}

}  // namespace

// The SI values of the corpus alone, for the engine against the standard
// reader on exactly the same digits.
const std::vector<NotationText>& SITexts() {
  static const std::vector<NotationText> texts = [] {
    std::vector<NotationText> si;
    for (const NotationText& t : MakeNotationTexts(kCorpusSize))
      if (t.notation == eSI) si.push_back(t);
    return si;
  }();
  return texts;
}

// std::from_chars on the plain digits of `texts`.
void ParseFromCharsOn(benchmark::State& state, const std::vector<NotationText>& texts) {
  std::size_t i = 0;
  double v = 0.0;
  for (auto _ : state) {
    const std::string& s = texts[i].plain;
    benchmark::DoNotOptimize(std::from_chars(s.data(), s.data() + s.size(), v));
    benchmark::DoNotOptimize(v);
    if (++i == texts.size()) i = 0;
  }
}

// std::to_chars with four fixed decimals on the values of `texts`.
void FormatToCharsOn(benchmark::State& state, const std::vector<NotationText>& texts) {
  char buf[400];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        std::to_chars(buf, buf + sizeof buf, texts[i].value, std::chars_format::fixed, 4));
    benchmark::ClobberMemory();
    if (++i == texts.size()) i = 0;
  }
}

void RegisterNotationBenchmarks() {
  Register("parse/engine", [](benchmark::State& state) { ParseEngineOn(state, Texts()); });
  Register("parse-si/engine", [](benchmark::State& state) { ParseEngineOn(state, SITexts()); });
  Register("parse-si/from_chars",
           [](benchmark::State& state) { ParseFromCharsOn(state, SITexts()); });
  Register("format/engine", FormatEngine);
  Register("parse/IsDoubleForNotation", ParseLibrary);
  Register("parse/from_chars", ParseFromChars);
  Register("parse/strtod", ParseStrtod);
  Register("format/SetDoubleForNotation", FormatLibrary);
  Register("format/snprintf", FormatSnprintf);
  Register("format/to_chars", [](benchmark::State& state) { FormatToCharsOn(state, Texts()); });
}

AllocationRow CountNotationAllocations() {
  AllocationRow row;
  std::vector<CTarvil> objects = Objects();
  const auto& texts = Texts();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    double v = 0.0;
    const long long before = AllocationCount();
    objects[i].IsDoubleForNotation(texts[i].notation, &v, texts[i].unit);
    row.parse += AllocationCount() - before;
  }
  for (const NotationText& t : texts) {
    CTarvil s;
    const long long before = AllocationCount();
    s.SetDoubleForNotation(t.notation, t.value, 1, t.unit);
    row.format += AllocationCount() - before;
  }
  row.count = static_cast<long long>(texts.size());
  return row;
}

}  // namespace tarvil::bench
