// Many threads on the library at once: the first use raced by eight threads,
// then eight threads reading, writing, comparing and checking names on
// objects of their own, each result checked against the answer of a single
// thread. Built with ThreadSanitizer by `scripts/test tsan`.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "CTarvil.h"
#include "RegistryFiles.h"
#include "bom.h"
#include "tarvil.h"

namespace {

constexpr int kThreads = 8;

// One operation and what it gave: the text, error, cursor and value.
struct Outcome {
  std::string text;
  int error = 0;
  int cursor = 0;
  double value = 0.0;
  bool operator==(const Outcome&) const = default;
};
using Operation = std::function<Outcome()>;

Outcome Of(const CTarvil& s, double value) {
  return {std::string(s.View()), s.GetCurrentError(), s.GetCursorPosition(), value};
}

std::vector<Operation> Operations() {
  std::vector<Operation> ops;
  for (const char* text : {"4k7", "4R7", "1MEG", "4,7k", "2u2", "x"}) {
    ops.push_back([text] {
      CTarvil s(text);
      double v = 0.0;
      s.GetOhms(eEuropean, &v);
      return Of(s, v);
    });
  }
  for (const char* text : {"100nF", "4.7 uF", "10pf", "1e-3F", "1.2.3F"}) {
    ops.push_back([text] {
      CTarvil s(text);
      double v = 0.0;
      s.GetFarads(eSI, &v);
      return Of(s, v);
    });
  }
  for (double v : {4700.0, 1e-7, 0.0, -2.5e6, 123456.789}) {
    ops.push_back([v] {
      CTarvil s;
      s.SetCapacitanceMeasure(eSI, v, 1, 1);
      s.SetOhmMeasure(eEuropean, v, 1, 0);
      return Of(s, v);
    });
  }
  for (const char* text : {"25.4mm", "10 th", "1in", "0.000004 mm", "-3 um", "5 km"}) {
    ops.push_back([text] {
      CTarvil s(text);
      int count = 0;
      s.GetBaseUnits(&count, kBaseNanometer);
      CTarvil w;
      w.SetLinearMeasure(count, kDesMillimeter, kBaseNanometer, 1, 1);
      return Of(s, count + w.GetLength());
    });
  }
  for (const char* text : {"10ns", " 1.5 us ", "5MS", "3ks", "12"}) {
    ops.push_back([text] {
      CTarvil s(text);
      double v = 0.0;
      s.GetSeconds(&v);
      CTarvil w;
      w.SetTimeMeasure(v, kSIPico, 1, 1);
      return Of(w, v + s.GetCursorPosition());
    });
  }
  for (const char* text : {"45deg", "1.5rad", "90", "-30'", "400deg"}) {
    ops.push_back([text] {
      CTarvil s(text);
      double v = 0.0;
      s.GetDegrees(&v, 0);
      CTarvil w;
      w.SetAngleMeasure(v, kAngleDegree, 1, 1);
      return Of(w, v + static_cast<int>(s.GetCurrentError()));
    });
  }
  for (auto [a, b] : {std::pair{"R9", "R10"}, {"C10", "c9"}, {"U1A", "U1B"}, {"x2y10", "x2y9"}}) {
    ops.push_back([a = a, b = b] {
      const CTarvil s(a);
      return Outcome{"", s.CompareNum(b), s.CompareNumNoCase(b), 0.0};
    });
  }
  for (const char* text : {"NET_1", "bad\\name", "", "  "}) {
    ops.push_back([text] {
      CTarvil s(text);
      const int valid = s.IsEDAName(eEDAType1, 0);
      return Of(s, valid);
    });
  }
  return ops;
}

// Eight threads make their first call at the same moment; each must see
// the settings and the unit table whole.
TEST(Threads, FirstCallFromManyThreads) {
  std::atomic<int> ready{0};
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      ready.fetch_add(1);
      while (ready.load() < kThreads) std::this_thread::yield();
      CTarvil s(t % 2 == 0 ? "4k7" : "4.7kohms");
      double v = 0.0;
      if (s.GetOhms(t % 2 == 0 ? eEuropean : eSI, &v) != S_OK || v != 4700.0) wrong.fetch_add(1);
      CTarvil w;
      w.SetCapacitanceMeasure(eSI, 1e-7, 1, 1);
      if (std::string(w.View()) != "100nF") wrong.fetch_add(1);
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(CTarvil::s_OVUnits.IsInitialised(), 1);
}

// After the first use, every operation gives on any thread what it gives
// on one.
TEST(Threads, ConcurrentOperationsMatchOneThread) {
  const std::vector<Operation> ops = Operations();
  std::vector<Outcome> expected;
  for (const Operation& op : ops) expected.push_back(op());

  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  std::atomic<int> mismatches{0};
  std::atomic<long> runs{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      // Each thread walks the operations from its own starting point.
      for (std::size_t i = static_cast<std::size_t>(t); std::chrono::steady_clock::now() < until;
           ++i) {
        const std::size_t k = (i * 7) % ops.size();
        if (!(ops[k]() == expected[k])) mismatches.fetch_add(1);
        runs.fetch_add(1);
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(mismatches.load(), 0) << "of " << runs.load() << " operations";
  EXPECT_GT(runs.load(), kThreads);
}

// The modern interface, from its first call on: eight threads share one
// Settings and one UnitTable, and each call gives what it gives on one
// thread.
TEST(Threads, ModernInterfaceFromTheFirstCall) {
  tarvil::Settings settings;
  settings.decimal = ',';
  settings.thousands = '.';
  const tarvil::UnitTable& units = tarvil::UnitTable::built_in();
  const auto work = [&](int k) {
    std::string out;
    const char* const texts[] = {"4k7", "4,7k", "100nF", "2u2", "1MEG", "x", "-4k7"};
    const char* const text = texts[k % 7];
    const auto r = tarvil::read(text, tarvil::Quantity::resistance, tarvil::Notation::any,
                                settings, units);
    out += std::to_string(r.value) + "/" + std::to_string(static_cast<int>(r.error)) + "/" +
           std::to_string(r.position) + ";";
    out += tarvil::write(4700.0 * k, tarvil::Quantity::capacitance, tarvil::Notation::si,
                         settings, units);
    out += tarvil::write_length(tarvil::read_length("25,4mm", tarvil::LengthUnit::mil,
                                                    tarvil::Resolution::nm, settings)
                                    .value,
                                tarvil::LengthUnit::mil, tarvil::Resolution::nm, settings);
    out += tarvil::write_time(tarvil::read_time("10ns").value * k, tarvil::TimeUnit::ps, settings);
    out += tarvil::write_angle(tarvil::read_angle("10deg 30'").value, tarvil::AngleUnit::deg);
    out += std::to_string(tarvil::natural_compare("R9", k % 2 ? "R10" : "r9", k % 3 == 0));
    out += std::to_string(tarvil::check_name(text, tarvil::NameKind::type1).error ==
                          tarvil::Error::none);
    out += tarvil::describe(text, r);
    // A part's value field, the readings of an ambiguous one, and a bill
    // of materials read on this thread.
    const char* const fields[] = {"10k 1% 0603", "100n/16V/X7R", "10 50V", "DNP", "1,5k"};
    const char* const field = fields[k % 5];
    const auto part = tarvil::read_part(field, tarvil::Quantity::capacitance, settings, units);
    out += std::to_string(part.value.value) + std::string(part.value.rest) + "/" +
           std::to_string(static_cast<int>(part.error));
    out += std::to_string(tarvil::readings(field, tarvil::Quantity::capacitance, settings).count);
    tarvil::BomOptions bom;
    bom.settings = settings;
    tarvil::BomReader reader(bom, [&](const tarvil::BomRow& row) {
      out += std::string(tarvil::bom_status_name(row.status)) + row.message;
    });
    reader.feed(std::string("Ref;Value\nR1;4,7k\nC1;") + field + "\nL1;10\n");
    reader.finish();
    return out;
  };
  constexpr int kRounds = 64;
  std::vector<std::string> results[kThreads];
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      ready.fetch_add(1);
      while (ready.load() < kThreads) std::this_thread::yield();
      for (int k = 0; k < kRounds; ++k) results[t].push_back(work(k));
    });
  }
  for (std::thread& t : threads) t.join();
  for (int k = 0; k < kRounds; ++k) {
    const std::string expected = work(k);
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(results[t][static_cast<std::size_t>(k)], expected);
  }
}

}  // namespace

// The string class's first use while other threads read the same registry
// and load unit tables through the modern interface: the registry's open
// handles, the units log and the display check are shared by all of them.
// It needs a process whose string class is unused (ctest runs each test in
// its own).
TEST(Threads, FirstUseBesideModernFileReaders) {
  if (CTarvil::s_OVUnits.IsInitialised() != 0) GTEST_SKIP() << "the string class is in use";
  tarvil::test::TempDir dir;
  tarvil::test::WriteBytes(dir / "user.reg",
                           "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\International]\n"
                           "\"sDecimal\"=\",\"\n\"sThousand\"=\".\"\n");
  tarvil::test::WriteBytes(dir / "units.hkp",
                           ".FILETYPE ELECTRICAL_UNITS\n.RESISTANCE_MEASURE\n..EUROPEAN\n"
                           "...UNIT \"kilo\"\n....DISPLAY \"kR\"\n....CASE_SENSITIVE NO\n"
                           "....EXPONENT_VALUE 3\n");
  tarvil::test::ScopedEnv user("TARVIL_USER_REGISTRY", dir / "user.reg");
  tarvil::test::ScopedEnv machine("TARVIL_MACHINE_REGISTRY", dir / "machine.reg");
  constexpr int kMany = 16;
  std::atomic<int> ready{0};
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kMany; ++t) {
    threads.emplace_back([&, t] {
      ready.fetch_add(1);
      while (ready.load() < kMany) std::this_thread::yield();
      if (t % 2 == 0) {
        CTarvil s("4,7kohms");
        double v = 0.0;
        if (s.GetOhms(eSI, &v) != S_OK || v != 4700.0) wrong.fetch_add(1);
        return;
      }
      for (int k = 0; k < 4; ++k) {
        if (tarvil::Settings::from_registry().decimal != ',') wrong.fetch_add(1);
        if (!tarvil::UnitTable::load(dir / "units.hkp")) wrong.fetch_add(1);
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(CTarvil::s_Locale.m_cDecimal, ',');
}
