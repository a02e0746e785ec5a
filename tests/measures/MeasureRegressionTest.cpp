// Faults the fuzz targets found in the measure readers. Each case is an
// input a target stopped on; the same inputs are in the fuzz seed corpus.
//
// The tests of faults not mended yet are disabled (DISABLED_); the mend
// enables them and removes the matching exclusion from fuzz/MeasureFuzz.cpp.
#include <gtest/gtest.h>

#include "CTarvil.h"
#include "MeasureTestSupport.h"

using measure_test::MeasureTest;

namespace {

using MeasureRegression = MeasureTest;

// A bare number taken in the caller's unit passes the domain check as typed
// and may then underflow to 0 seconds; a positive or non-zero domain must
// not come back with 0.
TEST_F(MeasureRegression, DISABLED_TinyTimesDoNotUnderflowIntoTheDomain) {
  struct Row {
    const char* text;
    eSIUnits unit;
    eCTarvilDomain domain;
  };
  const Row rows[] = {
      {"1E-307", kSIAtto, eDomainPositive},
      {"1E-307", kSIFemto, eDomainNonZero},
      {"-1E-307", kSIAtto, eDomainNegative},
  };
  for (const Row& r : rows) {
    CTarvil text(r.text);
    double seconds = 0.0;
    const int accepted = text.InterpretAsTimeMeasure(seconds, r.unit, 0, 0, r.domain);
    if (accepted == 1) {
      EXPECT_EQ(CTarvilValueInDomain(seconds, r.domain, nullptr), 1)
          << r.text << " in unit " << r.unit << " gave " << seconds;
    } else {
      EXPECT_NE(text.GetCurrentError(), eErrNone) << r.text;
    }
  }
}

}  // namespace
