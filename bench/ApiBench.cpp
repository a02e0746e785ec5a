// ApiBench.cpp: the modern interface's reader, buffer writer and natural
// ordering, beside the standard library on the same numbers and names.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "BenchInputs.h"
#include "BenchSuite.h"
#include "tarvil.h"

namespace tarvil::bench {
namespace {

constexpr int kCorpusSize = 10000;
constexpr int kNames = 200000;

// The SI texts of the notation corpus ('4.7k', '100n').
const std::vector<NotationText>& SITexts() {
  static const std::vector<NotationText> texts = [] {
    std::vector<NotationText> si;
    for (const NotationText& t : MakeNotationTexts(kCorpusSize))
      if (t.notation == eSI) si.push_back(t);
    return si;
  }();
  return texts;
}

template <Notation kNotation>
void Read(benchmark::State& state) {
  const auto& texts = SITexts();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tarvil::read(texts[i].text, Quantity::number, kNotation));
    if (++i == texts.size()) i = 0;
  }
}

void WriteBuffer(benchmark::State& state) {
  const auto& texts = SITexts();
  char buf[400];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        tarvil::write(buf, buf + sizeof buf, texts[i].value, Quantity::number, Notation::si));
    benchmark::ClobberMemory();
    if (++i == texts.size()) i = 0;
  }
}

void ToCharsFixed4(benchmark::State& state) {
  const auto& texts = SITexts();
  char buf[400];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        std::to_chars(buf, buf + sizeof buf, texts[i].value, std::chars_format::fixed, 4));
    benchmark::ClobberMemory();
    if (++i == texts.size()) i = 0;
  }
}

void FromChars(benchmark::State& state) {
  const auto& texts = SITexts();
  std::size_t i = 0;
  double v = 0.0;
  for (auto _ : state) {
    const std::string& s = texts[i].plain;
    benchmark::DoNotOptimize(std::from_chars(s.data(), s.data() + s.size(), v));
    benchmark::DoNotOptimize(v);
    if (++i == texts.size()) i = 0;
  }
}

// Designators as views of terminated texts, shuffled; each run sorts a copy.
template <typename Less>
void SortViews(benchmark::State& state, Less less) {
  static const std::vector<std::string> names = MakeDesignators(kNames);
  static const std::vector<std::string_view> shuffled(names.begin(), names.end());
  std::vector<std::string_view> work;
  for (auto _ : state) {
    state.PauseTiming();
    work = shuffled;
    state.ResumeTiming();
    std::sort(work.begin(), work.end(), less);
    benchmark::DoNotOptimize(work.data());
  }
}

}  // namespace

void RegisterApiBenchmarks() {
  Register("api-read/si", Read<Notation::si>);
  Register("api-read/any", Read<Notation::any>);
  Register("api-read/from_chars", FromChars);
  Register("api-write/buffer", WriteBuffer);
  Register("api-write/to_chars", ToCharsFixed4);
  Register("api-sort/NaturalLess", [](benchmark::State& s) { SortViews(s, NaturalLess{}); })
      ->Unit(benchmark::kMillisecond);
  Register("api-sort/strcmp", [](benchmark::State& s) {
    SortViews(s, [](std::string_view a, std::string_view b) {
      return std::strcmp(a.data(), b.data()) < 0;
    });
  })->Unit(benchmark::kMillisecond);
}

AllocationRow CountApiAllocations() {
  AllocationRow row;
  char buf[400];
  for (const NotationText& t : SITexts()) {
    long long before = AllocationCount();
    benchmark::DoNotOptimize(tarvil::read(t.text, Quantity::resistance, Notation::any));
    benchmark::DoNotOptimize(tarvil::read(t.text, Quantity::number, Notation::si));
    row.parse += AllocationCount() - before;
    before = AllocationCount();
    benchmark::DoNotOptimize(
        tarvil::write(buf, buf + sizeof buf, t.value, Quantity::resistance, Notation::si));
    row.format += AllocationCount() - before;
    ++row.count;
  }
  return row;
}

}  // namespace tarvil::bench
