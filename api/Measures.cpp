// Measures.cpp: lengths, times, velocities and angles of the modern
// interface, read and written as the string class's InterpretAs... and
// Set...Measure members do, with the caller's settings.
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>

#include "ApiInternal.h"
#include "MeasureTextInternal.h"
#include "NotationInternal.h"
#include "TextScanInternal.h"
#include "UnitConversionInternal.h"

namespace tarvil {
namespace {

using detail::EngineSettings;
using detail::MeasureSpan;
using detail::NumberScan;

// How a measure text is split and read: whether its unit suffix may hold
// '/' and '%', and whether its number is read under the Scientific
// notation.
struct MeasureSyntax {
  bool slashAndPercent;
  bool scientific;
};
// Lengths and times: a unit of letters after a number in the user's form.
constexpr MeasureSyntax kLetterUnitSyntax{false, false};
// Velocities: 'm/s' or '%c' after a number in Scientific notation.
constexpr MeasureSyntax kVelocitySyntax{true, true};

// Whether a converted measure that became 0 from a non-zero value is
// refused (the time and velocity readers) or let through (the angle reader).
enum class Underflow { kRefused, kAllowed };

// Whether a written measure groups the digits of its whole part.
enum class DigitGrouping { kNone, kRegional };

// A speed in percent of that of light lies between standing still and the
// speed of light itself.
constexpr double kMaxPercentOfC = 100.0;

// 2^63, the first double beyond the range of std::int64_t (whose lowest
// value is -2^63, exact as a double).
constexpr double kInt64Bound = -static_cast<double>(std::numeric_limits<std::int64_t>::min());

// What the recognition of a measure text found.
struct Recognised {
  bool ok = false;    // a number and a known unit
  int error = 0;      // otherwise why; eErrNoUnit: a bare number may follow
  int cursor = 0;
  double value = 0.0;  // in `unit`
  int unit = -1;
};

// The shared recognition: split into number and unit suffix and read the
// number as `syntax` says, then give the suffix to `match`.
// Cursors as the string class's tests set them.
template <typename Match>
Recognised Recognise(std::string_view text, MeasureSyntax syntax, const EngineSettings& settings,
                     Match match) {
  Recognised r;
  if (text.empty()) {
    r.error = eErrEmpty;
    return r;
  }
  r.cursor = static_cast<int>(text.size()) + 1;
  MeasureSpan span;
  if (!detail::FindMeasureSpan(text, syntax.slashAndPercent, span)) {
    r.error = detail::FirstNonBlankIndex(text) == static_cast<int>(text.size()) ? eErrBlank
                                                                                 : eErrNoUnit;
    return r;
  }
  const NumberScan number = detail::ReadMeasurePart(text, span, syntax.scientific, settings);
  if (!number.ok) {
    r.error = number.error;
    r.cursor = number.cursor;
    return r;
  }
  r.unit = match(text.substr(static_cast<std::size_t>(span.suffix),
                             static_cast<std::size_t>(span.end - span.suffix)));
  if (r.unit < 0) {
    r.error = eErrInvalidCharacter;
    r.cursor = span.suffix + 1;
    return r;
  }
  r.ok = true;
  r.value = number.value;
  return r;
}

// The whole text as a plain number (a bare measure in the caller's unit).
NumberScan ReadBare(std::string_view text, const EngineSettings& settings) {
  if (text.empty()) return NumberScan{0, eErrEmpty, 0, -1, 0.0};
  return detail::ScanNotationNumber(text, eDecimal, eNoUnit, settings);
}

int FirstPosition(std::string_view text) { return detail::FirstNonBlankIndex(text) + 1; }

// A converted measure: too large when it left the double range, too small
// when a non-zero value became 0 (`typed` the value as written).
template <class T>
bool Refuse(Result<T>& out, std::string_view text, double typed, double converted,
            Underflow underflow) {
  if (!std::isfinite(converted)) {
    out = api::Refused<T>(eErrTooLarge, FirstPosition(text));
    return true;
  }
  if (underflow == Underflow::kRefused && converted == 0.0 && typed != 0.0) {
    out = api::Refused<T>(eErrTooSmall, FirstPosition(text));
    return true;
  }
  return false;
}

// A design unit of a length's suffix: in, mm, um, th, and mil or mils for
// th, in any case.
int MatchLengthUnit(std::string_view suffix) {
  const int unit = detail::MatchUnitText(suffix, detail::kDesignUnitTexts, kDesUnitNum);
  if (unit >= 0) return unit;
  static constexpr const char* kMil[] = {"mil", "mils"};
  const int mil = detail::MatchUnitText(suffix, kMil, static_cast<int>(std::size(kMil)));
  return mil >= 0 ? kDesMil : -1;
}

// `v` base units rounded to a count, halves away from zero; false beyond
// the 64-bit range or for a non-zero value below half a unit.
bool RoundToCount(double v, std::int64_t& count) {
  if (!std::isfinite(v) || v >= kInt64Bound || v < -kInt64Bound) return false;
  if (v == 0.0) {
    count = 0;
    return true;
  }
  if (v > -0.5 && v < 0.5) return false;
  const double rounded = v > 0.0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5);
  if (rounded >= kInt64Bound || rounded < -kInt64Bound) return false;
  count = static_cast<std::int64_t>(rounded);
  return true;
}

// `value` as fixed-point text with `precision` decimals and the unit text.
std::string MeasureText(double value, int precision, DigitGrouping grouping,
                        const Settings& settings, std::string_view unitText) {
  constexpr bool kUsePrecision = true;  // `precision` decimals, not as many as needed
  std::string out;
  detail::FormatMeasureNumber(value, precision, kUsePrecision,
                              grouping == DigitGrouping::kRegional, settings, out);
  // The engine writes either infinity as the string class does; this
  // interface keeps the sign of a negative one.
  if (std::isinf(value) && value < 0) out.insert(0, 1, '-');
  out += unitText;
  return out;
}

}  // namespace

// ---- Reading --------------------------------------------------------------------

Result<std::int64_t> read_length(std::string_view text, LengthUnit unit_when_none,
                                 Resolution resolution, const Settings& settings) noexcept {
  if (const auto refused = api::RefusedAtNul<std::int64_t>(text, [&](std::string_view head) {
        return read_length(head, unit_when_none, resolution, settings);
      }))
    return *refused;
  const EngineSettings engine{settings, api::StorageOf(UnitTable::built_in())};
  const auto base = static_cast<eBaseUnits>(resolution);
  const auto count = [&](double v, int position) {
    std::int64_t n = 0;
    if (!RoundToCount(v, n)) return api::Refused<std::int64_t>(eErrNotAnInteger, position);
    return api::Accepted(n);
  };

  const Recognised design = Recognise(text, kLetterUnitSyntax, engine, MatchLengthUnit);
  if (design.ok) {
    const double factor = detail::BasePerDesignUnit(static_cast<eDesignUnits>(design.unit), base);
    return count(design.value * factor, design.cursor);
  }
  // A count of base units ('100nm', '5tnm').
  const Recognised counted = Recognise(text, kLetterUnitSyntax, engine, [](std::string_view u) {
    return detail::MatchUnitText(u, detail::kBaseUnitTexts, kBaseUnitNum);
  });
  if (counted.ok) {
    const double v = counted.unit == static_cast<int>(base)
                         ? counted.value
                         : detail::ConvertBaseUnits(counted.value,
                                                    static_cast<eBaseUnits>(counted.unit), base);
    return count(v, counted.cursor);
  }
  if (counted.error != eErrNoUnit) return api::Refused<std::int64_t>(counted.error, counted.cursor);
  const NumberScan bare = ReadBare(text, engine);
  if (!bare.ok) return api::Refused<std::int64_t>(bare.error, bare.cursor);
  const double factor =
      detail::BasePerDesignUnit(static_cast<eDesignUnits>(unit_when_none), base);
  return count(bare.value * factor, bare.cursor);
}

namespace {

// The time and velocity readers: the measure as the recognition finds it,
// or a bare number in `bareUnit`, converted by `convert` (value, unit) to
// the carrier unit; `check` may refuse a recognised value first.
template <typename Match, typename Convert, typename Check>
Result<double> ReadCarried(std::string_view text, MeasureSyntax syntax, int bareUnit,
                           const Settings& settings, Match match, Convert convert, Check check) {
  const EngineSettings engine{settings, api::StorageOf(UnitTable::built_in())};
  const Recognised r = Recognise(text, syntax, engine, match);
  double typed = r.value;
  double carried = 0.0;
  if (r.ok) {
    Result<double> refused;
    if (check(r, refused)) return refused;
    carried = convert(r.value, r.unit);
  } else if (r.error != eErrNoUnit) {
    return api::Refused<double>(r.error, r.cursor);
  } else {
    const NumberScan bare = ReadBare(text, engine);
    if (!bare.ok) return api::Refused<double>(bare.error, bare.cursor);
    typed = bare.value;
    carried = convert(bare.value, bareUnit);
  }
  Result<double> out;
  if (Refuse(out, text, typed, carried, Underflow::kRefused)) return out;
  return api::Accepted(carried);
}

}  // namespace

Result<double> read_time(std::string_view text, TimeUnit unit_when_none,
                         const Settings& settings) noexcept {
  if (const auto refused = api::RefusedAtNul<double>(
          text, [&](std::string_view head) { return read_time(head, unit_when_none, settings); }))
    return *refused;
  return ReadCarried(
      text, kLetterUnitSyntax, static_cast<int>(unit_when_none), settings, detail::MatchTimeUnit,
      [](double v, int unit) {
        return detail::ConvertSIUnits(v, static_cast<eSIUnits>(unit), kSINoPrefix);
      },
      [](const Recognised&, Result<double>&) { return false; });
}

Result<double> read_velocity(std::string_view text, VelocityUnit unit_when_none,
                             const Settings& settings) noexcept {
  if (const auto refused = api::RefusedAtNul<double>(text, [&](std::string_view head) {
        return read_velocity(head, unit_when_none, settings);
      }))
    return *refused;
  return ReadCarried(
      text, kVelocitySyntax, static_cast<int>(unit_when_none), settings,
      [](std::string_view u) { return detail::MatchUnitText(u, detail::kVpUnitTexts, kVpUnitNum); },
      [](double v, int unit) {
        return detail::ConvertVpUnits(v, static_cast<eVpUnits>(unit), kVpMeterPerSec);
      },
      [&text](const Recognised& r, Result<double>& refused) {
        if (r.unit != kVpPercentC || (r.value <= kMaxPercentOfC && r.value >= 0.0)) return false;
        refused = api::Refused<double>(r.value > kMaxPercentOfC ? eErrTooLarge : eErrTooSmall,
                                       FirstPosition(text));
        return true;
      });
}

Result<double> read_angle(std::string_view text, AngleUnit unit_when_none,
                          const Settings& settings) noexcept {
  if (const auto refused = api::RefusedAtNul<double>(
          text, [&](std::string_view head) { return read_angle(head, unit_when_none, settings); }))
    return *refused;
  const EngineSettings engine{settings, api::StorageOf(UnitTable::built_in())};
  const detail::AngleScan scan = detail::ScanAngleText(text, engine);
  double degrees = 0.0;
  if (scan.ok) {
    degrees = detail::ConvertAngleUnits(scan.value, scan.unit, kAngleDegree);
  } else if (scan.error != eErrNoUnit) {
    return api::Refused<double>(scan.error, scan.cursor);
  } else {
    const NumberScan bare = ReadBare(text, engine);
    if (!bare.ok) return api::Refused<double>(bare.error, bare.cursor);
    degrees = detail::ConvertAngleUnits(bare.value, static_cast<eAngleUnits>(unit_when_none),
                                        kAngleDegree);
  }
  Result<double> out;
  if (Refuse(out, text, degrees, degrees, Underflow::kAllowed)) return out;
  constexpr bool kKeepSign = false;  // into (-360, 360), not [0, 360)
  return api::Accepted(detail::NormaliseDegrees(degrees, kKeepSign));
}

// ---- Writing --------------------------------------------------------------------

std::string write_length(std::int64_t count, LengthUnit unit, Resolution resolution,
                         const Settings& settings) {
  const auto design = static_cast<eDesignUnits>(unit);
  if (design < 0 || design >= kDesUnitNum) return {};
  const double factor = detail::BasePerDesignUnit(design, static_cast<eBaseUnits>(resolution));
  const double value = count == 0 || factor == 0.0 ? 0.0 : static_cast<double>(count) / factor;
  return MeasureText(value, settings.digits, DigitGrouping::kRegional, settings,
                     detail::kDesignUnitTexts[design]);
}

std::string write_time(double seconds, TimeUnit unit, const Settings& settings) {
  const auto si = static_cast<eSIUnits>(unit);
  if (!detail::IsSIUnit(si)) return {};
  const double value = detail::ConvertSIUnits(seconds, kSINoPrefix, si);
  return MeasureText(value, settings.time_precision, DigitGrouping::kRegional, settings,
                     detail::kSIUnitTexts[si]);
}

std::string write_velocity(double metres_per_second, VelocityUnit unit, const Settings& settings) {
  const auto vp = static_cast<eVpUnits>(unit);
  if (vp < 0 || vp >= kVpUnitNum) return {};
  const double value = detail::ConvertVpUnits(metres_per_second, kVpMeterPerSec, vp);
  if (vp == kVpPercentC) {
    return MeasureText(value, settings.percentage_precision, DigitGrouping::kRegional, settings,
                       detail::kVpUnitTexts[vp]);
  }
  // Inches per nanosecond and metres per second: the Scientific notation.
  std::string out = write(value, Quantity::number, Notation::scientific, settings);
  out += detail::kVpUnitTexts[vp];
  return out;
}

std::string write_angle(double degrees, AngleUnit unit, const Settings& settings) {
  const auto angle = static_cast<eAngleUnits>(unit);
  if (angle < 0 || angle >= kAngleUnitNum) return {};
  const double value = detail::ConvertAngleUnits(degrees, kAngleDegree, angle);
  std::string out =
      MeasureText(value, settings.angle_precision, DigitGrouping::kNone, settings, " ");
  out += detail::kAngleUnitTexts[angle];
  return out;
}

}  // namespace tarvil
