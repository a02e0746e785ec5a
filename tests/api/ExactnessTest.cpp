// Every notation reads each decimal number to the nearest double: the same
// bits as std::from_chars on the plain scientific text, for random texts of
// up to 19 digits with the regional decimal symbol, prefixes and exponents.
// bench/exactness runs the same check a hundred times longer.
#include <gtest/gtest.h>

#include "ExactTexts.h"

namespace {

// A million texts a notation; a tenth of that under the sanitizers, which
// check memory rather than values and run many times slower.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr long kTexts = 100'000;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr long kTexts = 100'000;
#else
constexpr long kTexts = 1'000'000;
#endif
#else
constexpr long kTexts = 1'000'000;
#endif

TEST(Exactness, EveryNotationReadsTheNearestDouble) {
  using tarvil::Notation;
  for (Notation n : {Notation::engineering, Notation::european, Notation::scientific,
                     Notation::si, Notation::spice, Notation::any}) {
    for (char decimal : {'.', ','}) {
      tarvil::test::ExactCase first;
      const long inexact = tarvil::test::CountInexact(n, decimal, kTexts / 2,
                                                      0x7a51 + static_cast<int>(n), &first);
      EXPECT_EQ(inexact, 0) << "notation " << static_cast<int>(n) << ", first: '" << first.text
                            << "' for " << first.plain;
    }
  }
}

}  // namespace
