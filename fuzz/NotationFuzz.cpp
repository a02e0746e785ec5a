// NotationFuzz.cpp: the notation reader on arbitrary text, in every notation
// and for every unit, under several regional formats.
//
// Input: notation byte, unit byte, regional-format byte, precision byte,
// reader byte, then the text. Beyond the common test invariants, a value the
// reader accepts must be finite, and writing it in the same notation and
// reading that text back must give the same value within the precision the
// writer was asked for.
#include <cmath>
#include <cstdint>
#include <string>

#include "CTarvil.h"
#include "FuzzSupport.h"

using namespace tarvil::fuzz;

namespace {

struct RegionalFormat {
  char decimal;
  char thousand;
  int grouping;
  int leadingZero;
  int suppressTrailingZeros;
};

// The defaults, a continental format, one grouping with blanks and one
// without grouping.
constexpr RegionalFormat kFormats[] = {
    {'.', ',', 3, 1, 1},
    {',', '.', 3, 0, 0},
    {',', ' ', 3, 1, 1},
    {'.', '\'', 0, 0, 1},
};

void ApplyFormat(const RegionalFormat& f, int precision) {
  CTarvilLocale& l = CTarvil::s_Locale;
  l.m_cDecimal = f.decimal;
  l.m_cThousand = f.thousand;
  l.m_nGrouping = f.grouping;
  l.m_nLeadingZero = f.leadingZero;
  l.m_nSuppressTrailingZeros = f.suppressTrailingZeros;
  l.m_nDigits = precision;
  l.m_nEngPrecision = precision;
  l.m_nEuroPrecision = precision;
  l.m_nSciPrecision = precision;
  l.m_nSIPrecision = precision;
  l.m_nSPICEPrecision = precision;
}

std::string Show(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// How far a value written by the notation writer with `precision` decimals
// may lie from the value it was given. The writer prints a mantissa of 1 or
// more with `precision` decimals; values outside the prefix range (and plain
// decimals) pass through six significant digits first. Full precision
// prints as many decimals as the value needs.
double Tolerance(eOrvantaNotations notation, double v, int precision) {
  const double a = std::fabs(v);
  if (notation == eFullPrecision) {
    const int d = CTarvilGetNumOfSigDigits(v);
    return 0.5000001 * std::pow(10.0, -d) + a * 1e-12;
  }
  return a * (0.5000001 * std::pow(10.0, -precision) + 5.000001e-6 + 1e-14);
}

// Whether the writer is expected to give back a text the reader takes: the
// writer's working texts are limited, and the reader refuses numbers whose
// digits reach beyond 1e±308.
bool RoundTripInRange(eOrvantaNotations notation, double v) {
  const double a = std::fabs(v);
  if (a == 0.0) return true;
  if (notation == eFullPrecision) return a >= 1e-40 && a <= 1e40;
  return a >= 1e-300 && a <= 1e300;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  QuietEnvironment();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const auto notation = static_cast<eOrvantaNotations>(in.Pick(0, 6));
  const auto unit = static_cast<eUnitTypes>(in.Pick(0, 10));
  const RegionalFormat& format = kFormats[in.Pick(0, 3)];
  const int precision = in.Pick(0, 9);
  const int reader = in.Pick(0, 3);
  const std::string text = in.Rest();

  ApplyFormat(format, precision);
  CTarvil s(text.c_str(), static_cast<int>(text.size()));
  const int length = s.GetLength();

  double value = 0.0;
  int accepted = 0;
  switch (reader) {
    case 0:
      accepted = s.IsDoubleForNotation(notation, &value, unit);
      CheckTest(s, accepted, length, "IsDoubleForNotation");
      break;
    case 1: {
      const long status = s.GetDoubleForNotation(notation, &value, unit);
      CheckStatus(s, status, length, "GetDoubleForNotation");
      accepted = status == S_OK ? 1 : 0;
      FUZZ_CHECK(accepted || value == 0.0, "GetDoubleForNotation left " + Show(value) +
                                               " after refusing " + Printable(text));
      break;
    }
    case 2: {
      int whole = -1;
      accepted = s.IsIntegerForNotation(notation, &whole, unit);
      CheckTest(s, accepted, length, "IsIntegerForNotation");
      FUZZ_CHECK(accepted || whole == 0, "IsIntegerForNotation left " + std::to_string(whole) +
                                             " after refusing " + Printable(text));
      // A whole number read as a double gives the same value.
      if (accepted) {
        CTarvil again(text.c_str(), static_cast<int>(text.size()));
        double d = 0.0;
        FUZZ_CHECK(again.IsDoubleForNotation(notation, &d, unit) == 1 &&
                       d == static_cast<double>(whole),
                   "IsIntegerForNotation read " + std::to_string(whole) + " from " +
                       Printable(text) + " but IsDoubleForNotation read " + Show(d));
      }
      return 0;
    }
    default: {
      int whole = -1;
      const long status = s.GetIntegerForNotation(notation, &whole, unit);
      CheckStatus(s, status, length, "GetIntegerForNotation");
      FUZZ_CHECK(status == S_OK || whole == 0, "GetIntegerForNotation left " +
                                                   std::to_string(whole) + " after refusing " +
                                                   Printable(text));
      return 0;
    }
  }
  if (!accepted) return 0;

  FUZZ_CHECK(std::isfinite(value),
             "accepted " + Printable(text) + " as the non-finite value " + Show(value));
  if (!RoundTripInRange(notation, value)) return 0;

  CTarvil written;
  written.SetDoubleForNotation(notation, value, 1, unit);
  const std::string shown(written.View());
  double back = 0.0;
  const int reread = written.IsDoubleForNotation(notation, &back, unit);
  FUZZ_CHECK(reread == 1, "read " + Printable(text) + " as " + Show(value) + ", wrote " +
                              Printable(shown) + ", which was refused with error " +
                              std::to_string(static_cast<int>(written.GetCurrentError())) +
                              " at " + std::to_string(written.GetCursorPosition()));
  const double tolerance = Tolerance(notation, value, precision);
  FUZZ_CHECK(std::fabs(back - value) <= tolerance,
             "read " + Printable(text) + " as " + Show(value) + ", wrote " + Printable(shown) +
                 " with precision " + std::to_string(precision) + ", read back " + Show(back) +
                 " (tolerance " + Show(tolerance) + ")");
  return 0;
}
