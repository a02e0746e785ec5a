// NotationFuzz.cpp: the notation reader on arbitrary text, in every notation
// and for every unit, under several regional formats.
//
// Input: notation byte, unit byte, regional-format byte, precision byte,
// reader byte, then the text. Beyond the common test invariants, a value the
// reader accepts must be finite, and writing it in the same notation and
// reading that text back must give the same value within the precision the
// writer was asked for.
//
// Every input also goes through the reader of no declared notation, with
// the same unit and regional format: error 0 exactly when accepted, the
// cursor within 0 .. length + 1, two differing readings exactly when
// ambiguous, and the same outcome (the cursor one further) for the text
// between blanks, which takes the reader's general path.
//
// The reader of a part's value field takes every input too, with the same
// unit and regional format and a unit for bare numbers from the precision
// byte: error 0 exactly when accepted, the cursor within 0 .. length + 1,
// every view inside the text, finite values; and for a text that is one
// token (no package code) that the reader of no declared notation accepts,
// the same value.
//
// The notation reader's short pass is checked against its long way on every
// input: the same outcome to the bit.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "AnyNotationInternal.h"
#include "NotationInternal.h"
#include "PartReadInternal.h"
#include "LocaleSettingsInternal.h"
#include "SharedSettingsInternal.h"
#include "CTarvil.h"
#include "FuzzSupport.h"
#include "TextScanInternal.h"

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
// may lie from the value it was given. With a prefix the writer prints a
// mantissa of 1 or more with `precision` decimals. Without one (a value
// outside the prefixes, a unit without prefixes, plain decimals) it prints
// six significant digits and rounds them to `precision` decimals, in
// exponent form for the very small and very large. Full precision prints as
// many decimals as the value needs. Near the ends of a prefix list both
// ways are allowed for.
double Tolerance(eOrvantaNotations notation, eUnitTypes unit, double v, int precision) {
  const double a = std::fabs(v);
  const double step = 0.5000001 * std::pow(10.0, -precision);
  if (notation == eFullPrecision) {
    const int d = CTarvilGetNumOfSigDigits(v);
    return 0.5000001 * std::pow(10.0, -d) + a * 1e-12;
  }
  bool prefixed = false;
  bool plain = true;
  int count = 0;
  const UnitEntry* list = CTarvil::s_OVUnits.GetUnits(unit, notation, count);
  if (list != nullptr && count > 0 && a > 0.0) {
    const int e = static_cast<int>(std::floor(std::log10(a)));
    const int lo = list[0].exponent;
    const int hi = list[count - 1].exponent + 3;
    prefixed = e >= lo - 1 && e <= hi + 1;
    plain = e <= lo || e >= hi;
  }
  double tolerance = a * 1e-14;
  if (prefixed) tolerance = std::max(tolerance, a * step + a * 1e-14);
  if (plain) tolerance = std::max(tolerance, a * (step + 5.000001e-6) + (a < 1e6 ? step : 0.0));
  return tolerance;
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

void CheckAnyNotation(const std::string& text, eUnitTypes unit, const tarvil::Settings& format) {
  using tarvil::detail::AnyScan;
  using tarvil::detail::kErrAmbiguous;
  const AnyScan s = tarvil::detail::ScanAnyNotation(text, unit, format);
  const int length = static_cast<int>(text.size());
  const std::string what = "any notation read " + Printable(text) + " (unit " +
                           std::to_string(unit) + "): error " + std::to_string(s.error) +
                           " at " + std::to_string(s.cursor) + ", value " + Show(s.value);
  FUZZ_CHECK(s.ok == (s.error == 0) && s.error >= 0 && s.error <= kErrAmbiguous, what);
  FUZZ_CHECK(s.cursor >= 0 && s.cursor <= length + 1 && (s.cursor == 0) == (s.ok || length == 0),
             what);
  FUZZ_CHECK(s.ok ? std::isfinite(s.value) : s.value == 0.0, what);
  if (s.error == kErrAmbiguous) {
    FUZZ_CHECK(s.readings == 2 && s.reading[0].value != s.reading[1].value &&
                   std::isfinite(s.reading[0].value) && std::isfinite(s.reading[1].value) &&
                   s.reading[0].picked_by != nullptr && s.reading[1].picked_by != nullptr,
               what + ": readings " + std::to_string(s.readings));
  } else {
    FUZZ_CHECK(s.readings == 0, what + ": readings " + std::to_string(s.readings));
  }
  if (std::all_of(text.begin(), text.end(), tarvil::detail::IsBlankByte)) return;
  const AnyScan padded = tarvil::detail::ScanAnyNotation(" " + text + " ", unit, format);
  FUZZ_CHECK(padded.ok == s.ok && padded.error == s.error &&
                 padded.cursor == (s.ok ? 0 : s.cursor + 1) &&
                 std::signbit(padded.value) == std::signbit(s.value) && padded.value == s.value &&
                 padded.reading[0].value == s.reading[0].value &&
                 padded.reading[1].value == s.reading[1].value,
             what + "; between blanks: error " + std::to_string(padded.error) + " at " +
                 std::to_string(padded.cursor) + ", value " + Show(padded.value));
}

bool Inside(std::string_view view, const std::string& text) {
  return view.empty() || (view.data() >= text.data() &&
                          view.data() + view.size() <= text.data() + text.size());
}

bool FiniteOrAbsent(const std::optional<double>& v) { return !v || std::isfinite(*v); }

void CheckPart(const std::string& text, eUnitTypes unit, const tarvil::Settings& format,
               int bareExponent) {
  using tarvil::detail::PartScan;
  const PartScan p = tarvil::detail::ScanPart(text, unit, format, bareExponent);
  const int length = static_cast<int>(text.size());
  const std::string what = "part read " + Printable(text) + " (unit " + std::to_string(unit) +
                           "): error " + std::to_string(p.error) + " at " +
                           std::to_string(p.cursor) + ", value " + Show(p.value);
  FUZZ_CHECK(p.ok == (p.error == 0) && p.error >= 0 && p.error <= tarvil::detail::kErrNotAValue,
             what);
  FUZZ_CHECK(p.cursor >= 0 && p.cursor <= length + 1 && (p.cursor == 0) == (p.ok || length == 0),
             what);
  FUZZ_CHECK(Inside(p.dielectric, text) && Inside(p.package, text) && Inside(p.rest, text), what);
  FUZZ_CHECK(std::isfinite(p.value) && (p.hasValue || p.value == 0.0) &&
                 (p.ok || (!p.hasValue && p.rest.empty())),
             what);
  FUZZ_CHECK(FiniteOrAbsent(p.voltage) && FiniteOrAbsent(p.current) && FiniteOrAbsent(p.power) &&
                 FiniteOrAbsent(p.temperatureCoefficient) &&
                 (!p.tolerance || (std::isfinite(p.tolerance->minus) &&
                                   std::isfinite(p.tolerance->plus))),
             what);
  // One token, as the whole non-blank text.
  const int first = tarvil::detail::FirstNonBlankIndex(text);
  const tarvil::detail::PartToken token = tarvil::detail::NextPartToken(text, 0);
  if (token.begin != first || token.end != tarvil::detail::EndOfNonBlank(text, first) ||
      token.begin == token.end) {
    return;
  }
  const std::string_view tokenText(text.data() + token.begin,
                                   static_cast<std::size_t>(token.end - token.begin));
  if (!tarvil::detail::PackageDigits(tokenText).empty()) return;
  const tarvil::detail::AnyScan alone =
      tarvil::detail::ScanAnyNotation(text, unit, format, bareExponent);
  if (!alone.ok) return;
  FUZZ_CHECK(p.ok && p.hasValue && p.value == alone.value && p.valueAt == token.begin,
             what + "; read alone: " + Show(alone.value));
}

void CheckShortPass(const std::string& text, eOrvantaNotations notation, eUnitTypes unit) {
  using tarvil::detail::NumberScan;
  const tarvil::detail::SharedSettings settings;
  const NumberScan quick = tarvil::detail::ScanNotationNumber(text, notation, unit, settings, true);
  const NumberScan slow = tarvil::detail::ScanNotationNumber(text, notation, unit, settings, false);
  FUZZ_CHECK(quick.ok == slow.ok && quick.error == slow.error && quick.cursor == slow.cursor &&
                 quick.cutLength == slow.cutLength && quick.value == slow.value &&
                 std::signbit(quick.value) == std::signbit(slow.value),
             "notation " + std::to_string(notation) + " reads " + Printable(text) +
                 " as " + Show(quick.value) + " (error " + std::to_string(quick.error) +
                 ") in its short pass and as " + Show(slow.value) + " (error " +
                 std::to_string(slow.error) + ") the long way");
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
  const tarvil::Settings settings = tarvil::detail::SettingsOf(CTarvil::s_Locale);
  CheckAnyNotation(text, unit, settings);
  constexpr int kBareExponents[] = {tarvil::detail::kBareAsk, -12, -6};
  CheckPart(text, unit, settings, kBareExponents[precision % 3]);
  CheckShortPass(text, notation, unit);
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
      // The integer is the value the text holds, as the nearest whole
      // number (the text may carry digits beyond the fifteenth).
      if (accepted) {
        CTarvil again(text.c_str(), static_cast<int>(text.size()));
        double d = 0.0;
        const int read = again.IsDoubleForNotation(notation, &d, unit);
        const double nearest = std::nearbyint(d);
        FUZZ_CHECK(read == 1 && static_cast<double>(whole) == nearest,
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
  const double tolerance = Tolerance(notation, unit, value, precision);
  FUZZ_CHECK(std::fabs(back - value) <= tolerance,
             "read " + Printable(text) + " as " + Show(value) + ", wrote " + Printable(shown) +
                 " with precision " + std::to_string(precision) + ", read back " + Show(back) +
                 " (tolerance " + Show(tolerance) + ")");
  return 0;
}
