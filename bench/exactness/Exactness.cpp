// tarvil_exactness: the suite's exactness check run long: COUNT random texts
// (default 100,000,000) in each notation, half with '.' and half with ','
// as the decimal symbol, each read and compared bit for bit with
// std::from_chars on the plain text. One thread per notation. Prints one
// line per notation and exits 1 when any text was read inexactly.
//
//   tarvil_exactness [COUNT [SEED]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "ExactTexts.h"

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100'000'000L;
  const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  using tarvil::Notation;
  const Notation notations[] = {Notation::engineering, Notation::european, Notation::scientific,
                                Notation::si, Notation::spice, Notation::any};
  struct Outcome {
    long inexact = 0;
    tarvil::test::ExactCase first;
  };
  std::vector<Outcome> outcomes(std::size(notations));
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < std::size(notations); ++i) {
    threads.emplace_back([&, i] {
      for (char decimal : {'.', ','}) {
        tarvil::test::ExactCase first;
        const long inexact = tarvil::test::CountInexact(notations[i], decimal, count / 2,
                                                        seed * 131 + i * 2 + (decimal == ','),
                                                        &first);
        if (inexact != 0 && outcomes[i].inexact == 0) outcomes[i].first = first;
        outcomes[i].inexact += inexact;
      }
    });
  }
  for (std::thread& t : threads) t.join();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const char* const names[] = {"engineering", "european", "scientific", "si", "spice", "any"};
  bool exact = true;
  for (std::size_t i = 0; i < std::size(notations); ++i) {
    std::printf("%-12s %ld texts, %ld inexact", names[i], count, outcomes[i].inexact);
    if (outcomes[i].inexact != 0) {
      exact = false;
      std::printf(" (first: '%s' for %s)", outcomes[i].first.text.c_str(),
                  outcomes[i].first.plain.c_str());
    }
    std::printf("\n");
  }
  std::printf("%.1f s\n", seconds);
  return exact ? 0 : 1;
}
