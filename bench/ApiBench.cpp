// ApiBench.cpp: the modern interface's reader, buffer writer and natural
// ordering, beside the standard library on the same numbers and names; the
// reader of part value fields beside the reader of their values alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "BenchInputs.h"
#include "BenchSuite.h"
#include "tarvil.h"

namespace tarvil::bench {
namespace {

constexpr int kNames = 200000;

constexpr int kCorpusSize = 4096;

const std::vector<NotationText>& SpiceTexts() {
  static const std::vector<NotationText> texts = MakeSpiceTexts(kCorpusSize);
  return texts;
}

const std::vector<NotationText>& BomResistances() {
  static const std::vector<NotationText> texts = MakeBomResistances(kCorpusSize);
  return texts;
}

template <Notation kNotation, Quantity kQuantity = Quantity::number>
void ReadOn(benchmark::State& state, const std::vector<NotationText>& texts) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tarvil::read(texts[i].text, kQuantity, kNotation));
    if (++i == texts.size()) i = 0;
  }
}

template <Notation kNotation>
void Read(benchmark::State& state) {
  ReadOn<kNotation>(state, SITexts());
}

// A capacitor's value field as bills of materials hold it ('100nF_16V_X7R',
// '4.7uF, 20%, 0603, 50V') and its value alone ('100nF'), made from the SI
// corpus's magnitudes.
struct PartField {
  std::string field;
  std::string value;
};

const std::vector<PartField>& PartFields() {
  static const std::vector<PartField> fields = [] {
    constexpr const char* kAttributes[] = {" 10%", "/0402", "_16V_X7R", ", 20%, 0603, 50V",
                                           " 1/8W Carbon film"};
    std::vector<PartField> out;
    std::size_t i = 0;
    for (const NotationText& t : SITexts()) {
      const std::string value =
          tarvil::write(std::fabs(t.value) * 1e-9, Quantity::capacitance, Notation::si);
      out.push_back({value + kAttributes[i++ % std::size(kAttributes)], value});
    }
    return out;
  }();
  return fields;
}

template <bool kWholeField>
void ReadPartField(benchmark::State& state) {
  const auto& fields = PartFields();
  std::size_t i = 0;
  for (auto _ : state) {
    if constexpr (kWholeField) {
      benchmark::DoNotOptimize(tarvil::read_part(fields[i].field, Quantity::capacitance));
    } else {
      benchmark::DoNotOptimize(tarvil::read(fields[i].value, Quantity::capacitance));
    }
    if (++i == fields.size()) i = 0;
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
  Register("api-read/from_chars",
           [](benchmark::State& state) { ParseFromCharsOn(state, SITexts()); });
  Register("api-read-spice/spice",
           [](benchmark::State& state) { ReadOn<Notation::spice>(state, SpiceTexts()); });
  Register("api-read-spice/from_chars",
           [](benchmark::State& state) { ParseFromCharsOn(state, SpiceTexts()); });
  Register("api-read-bom/any", [](benchmark::State& state) {
    ReadOn<Notation::any, Quantity::resistance>(state, BomResistances());
  });
  Register("api-read-bom/from_chars",
           [](benchmark::State& state) { ParseFromCharsOn(state, BomResistances()); });
  Register("api-part/read_part", ReadPartField<true>);
  Register("api-part/read", ReadPartField<false>);
  Register("api-write/buffer", WriteBuffer);
  Register("api-write/to_chars",
           [](benchmark::State& state) { FormatToCharsOn(state, SITexts()); });
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
    benchmark::DoNotOptimize(tarvil::read_part(t.text, Quantity::resistance));
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
