// MeasureFuzz.cpp: the measure readers on arbitrary text: lengths, times,
// velocities, angles, the electrical measures, plain numbers and the
// classification of measures and unit texts.
//
// Input: reader byte, argument byte, notation byte, domain byte, then the
// text. Beyond the common test invariants: a reader that accepts gives a
// finite value inside the domain it was asked for; Is and Get members leave
// the text alone; InterpretAs members change it only when they accept.
#include <cmath>
#include <cstdint>
#include <string>

#include "CTarvil.h"
#include "FuzzSupport.h"

using namespace tarvil::fuzz;

namespace {

std::string Show(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

struct Probe {
  const std::string& text;
  CTarvil& s;
  int length;

  void Unchanged(const char* what) const {
    FUZZ_CHECK(s.View() == text, std::string(what) + " changed " + Printable(text) + " into " +
                                     Printable(s.View()));
  }
  void UnchangedUnlessAccepted(int result, const char* what) const {
    if (result != 1) Unchanged(what);
  }
  void Finite(int accepted, double v, const char* what) const {
    FUZZ_CHECK(!accepted || std::isfinite(v),
               std::string(what) + " accepted " + Printable(text) + " as " + Show(v));
  }
  void InDomain(int accepted, double v, eCTarvilDomain domain, const char* what) const {
    FUZZ_CHECK(!accepted || CTarvilValueInDomain(v, domain, nullptr) == 1,
               std::string(what) + " accepted " + Printable(text) + " as " + Show(v) +
                   " outside domain " + std::to_string(static_cast<int>(domain)));
  }
};

void Linear(const Probe& p, int choice, eCTarvilDomain domain) {
  CTarvil& s = p.s;
  const auto base = static_cast<eBaseUnits>(choice & 1);
  switch ((choice >> 1) % 4) {
    case 0: {
      double v = 0.0;
      eDesignUnits units = kDesUnitNum;
      const int r = s.IsLinearMeasure(&v, &units, domain);
      CheckTest(s, r, p.length, "IsLinearMeasure");
      p.Finite(r, v, "IsLinearMeasure");
      p.InDomain(r, v, domain, "IsLinearMeasure");
      FUZZ_CHECK(!r || (units >= kDesInch && units < kDesUnitNum), "IsLinearMeasure units");
      p.Unchanged("IsLinearMeasure");
      break;
    }
    case 1: {
      int count = -1;
      const long st = s.GetBaseUnits(&count, base);
      CheckStatus(s, st, p.length, "GetBaseUnits");
      FUZZ_CHECK(st == S_OK || count == 0, "GetBaseUnits left a count after refusing");
      p.Unchanged("GetBaseUnits");
      break;
    }
    case 2: {
      int count = -1;
      const long st = s.GetNanometers(&count, base);
      CheckStatus(s, st, p.length, "GetNanometers");
      FUZZ_CHECK(st == S_OK || count == 0, "GetNanometers left a count after refusing");
      p.Unchanged("GetNanometers");
      break;
    }
    default: {
      int count = 0;
      const auto unit = static_cast<eDesignUnits>((choice >> 3) % 4);
      const int r = s.InterpretAsLinearMeasure(count, unit, base, 0, 1, domain);
      CheckTest(s, r, p.length, "InterpretAsLinearMeasure");
      p.UnchangedUnlessAccepted(r, "InterpretAsLinearMeasure");
      if (r == 1) p.InDomain(1, count, domain, "InterpretAsLinearMeasure");
      break;
    }
  }
}

void Time(const Probe& p, int choice, eCTarvilDomain domain) {
  CTarvil& s = p.s;
  switch (choice % 3) {
    case 0: {
      double v = 0.0;
      eSIUnits units = kSIUnitNum;
      const int r = s.IsTimeMeasure(&v, &units, domain);
      CheckTest(s, r, p.length, "IsTimeMeasure");
      p.Finite(r, v, "IsTimeMeasure");
      p.InDomain(r, v, domain, "IsTimeMeasure");
      FUZZ_CHECK(!r || (units >= kSIExa && units < kSIUnitNum), "IsTimeMeasure units");
      p.Unchanged("IsTimeMeasure");
      break;
    }
    case 1: {
      double v = -1.0;
      const long st = s.GetSeconds(&v);
      CheckStatus(s, st, p.length, "GetSeconds");
      p.Finite(st == S_OK, v, "GetSeconds");
      FUZZ_CHECK(st == S_OK || v == 0.0, "GetSeconds left a value after refusing");
      p.Unchanged("GetSeconds");
      break;
    }
    default: {
      double v = 0.0;
      const auto unit = static_cast<eSIUnits>((choice / 3) % kSIUnitNum);
      const int r = s.InterpretAsTimeMeasure(v, unit, 0, 1, domain);
      CheckTest(s, r, p.length, "InterpretAsTimeMeasure");
      p.Finite(r, v, "InterpretAsTimeMeasure");
      p.InDomain(r, v, domain, "InterpretAsTimeMeasure");
      p.UnchangedUnlessAccepted(r, "InterpretAsTimeMeasure");
      break;
    }
  }
}

void Velocity(const Probe& p, int choice, eCTarvilDomain domain) {
  CTarvil& s = p.s;
  switch (choice % 3) {
    case 0: {
      double v = 0.0;
      eVpUnits units = kVpUnitNum;
      const int r = s.IsVpMeasure(&v, &units, domain);
      CheckTest(s, r, p.length, "IsVpMeasure");
      p.Finite(r, v, "IsVpMeasure");
      p.InDomain(r, v, domain, "IsVpMeasure");
      FUZZ_CHECK(!r || units != kVpPercentC || (v >= 0.0 && v <= 100.0),
                 "IsVpMeasure accepted " + Printable(p.text) + " as " + Show(v) + " %c");
      p.Unchanged("IsVpMeasure");
      break;
    }
    case 1: {
      double v = -1.0;
      const long st = s.GetMps(&v);
      CheckStatus(s, st, p.length, "GetMps");
      p.Finite(st == S_OK, v, "GetMps");
      FUZZ_CHECK(st == S_OK || v == 0.0, "GetMps left a value after refusing");
      p.Unchanged("GetMps");
      break;
    }
    default: {
      double v = 0.0;
      const auto unit = static_cast<eVpUnits>((choice / 3) % kVpUnitNum);
      const int r = s.InterpretAsVpMeasure(v, unit, 0, 1, domain);
      CheckTest(s, r, p.length, "InterpretAsVpMeasure");
      p.Finite(r, v, "InterpretAsVpMeasure");
      p.InDomain(r, v, domain, "InterpretAsVpMeasure");
      p.UnchangedUnlessAccepted(r, "InterpretAsVpMeasure");
      break;
    }
  }
}

void Angle(const Probe& p, int choice) {
  CTarvil& s = p.s;
  const int positive = (choice >> 2) & 1;
  switch (choice % 3) {
    case 0: {
      double v = 0.0;
      eAngleUnits units = kAngleUnitNum;
      const int r = s.IsAngleMeasure(&v, &units);
      CheckTest(s, r, p.length, "IsAngleMeasure");
      p.Finite(r, v, "IsAngleMeasure");
      FUZZ_CHECK(!r || (units >= kAngleDegree && units < kAngleUnitNum), "IsAngleMeasure units");
      p.Unchanged("IsAngleMeasure");
      break;
    }
    case 1: {
      double v = -1.0;
      const long st = s.GetDegrees(&v, positive);
      CheckStatus(s, st, p.length, "GetDegrees");
      p.Finite(st == S_OK, v, "GetDegrees");
      FUZZ_CHECK(st != S_OK || (positive ? (v >= 0.0 && v < 360.0) : (v > -360.0 && v < 360.0)),
                 "GetDegrees(positive " + std::to_string(positive) + ") read " +
                     Printable(p.text) + " as " + Show(v));
      FUZZ_CHECK(st == S_OK || v == 0.0, "GetDegrees left a value after refusing");
      p.Unchanged("GetDegrees");
      break;
    }
    default: {
      double v = 0.0;
      const auto unit = static_cast<eAngleUnits>((choice / 3) % kAngleUnitNum);
      const int r = s.InterpretAsAngleMeasure(v, unit, 0, 1, positive);
      CheckTest(s, r, p.length, "InterpretAsAngleMeasure");
      p.Finite(r, v, "InterpretAsAngleMeasure");
      p.UnchangedUnlessAccepted(r, "InterpretAsAngleMeasure");
      break;
    }
  }
}

void Electrical(const Probe& p, int choice, eOrvantaNotations notation, eCTarvilDomain domain) {
  CTarvil& s = p.s;
  const int kind = choice % 6;
  const int form = (choice / 6) % 3;
  double v = -1.0;
  if (form == 0) {
    int r = 0;
    switch (kind) {
      case 0: r = s.IsOhmMeasure(notation, &v); break;
      case 1: r = s.IsCapacitanceMeasure(notation, &v); break;
      case 2: r = s.IsInductanceMeasure(notation, &v); break;
      case 3: r = s.IsPowerMeasure(notation, &v); break;
      case 4: r = s.IsVoltMeasure(notation, &v, domain); break;
      default: r = s.IsAmpMeasure(notation, &v, domain); break;
    }
    CheckTest(s, r, p.length, "electrical Is...Measure");
    p.Finite(r, v, "electrical Is...Measure");
    if (kind >= 4) p.InDomain(r, v, domain, "electrical Is...Measure");
    if (kind < 4) FUZZ_CHECK(!r || v >= 0.0, "negative value accepted from " + Printable(p.text));
  } else if (form == 1) {
    long st = S_OK;
    switch (kind) {
      case 0: st = s.GetOhms(notation, &v); break;
      case 1: st = s.GetFarads(notation, &v); break;
      case 2: st = s.GetHenrys(notation, &v); break;
      case 3: st = s.GetWatts(notation, &v); break;
      case 4: st = s.GetVolts(notation, &v); break;
      default: st = s.GetAmps(notation, &v); break;
    }
    CheckStatus(s, st, p.length, "electrical Get...");
    p.Finite(st == S_OK, v, "electrical Get...");
  } else {
    int r = 0;
    switch (kind) {
      case 0: r = s.InterpretAsOhmMeasure(notation, v, 0, 1); break;
      case 1: r = s.InterpretAsCapacitanceMeasure(notation, v, 0, 1); break;
      case 2: r = s.InterpretAsInductanceMeasure(notation, v, 0, 1); break;
      case 3: r = s.InterpretAsPowerMeasure(notation, v, 0, 1); break;
      case 4: r = s.InterpretAsVoltMeasure(notation, v, 0, 1, domain); break;
      default: r = s.InterpretAsAmpMeasure(notation, v, 0, 1, domain); break;
    }
    CheckTest(s, r, p.length, "electrical InterpretAs...Measure");
    p.Finite(r, v, "electrical InterpretAs...Measure");
    if (kind >= 4) p.InDomain(r, v, domain, "electrical InterpretAs...Measure");
  }
}

void PlainNumber(const Probe& p, int choice, eCTarvilDomain domain) {
  CTarvil& s = p.s;
  switch (choice % 6) {
    case 0: CheckTest(s, s.IsInteger(), p.length, "IsInteger"); break;
    case 1: CheckTest(s, s.IsDouble(), p.length, "IsDouble"); break;
    case 2: {
      int v = -1;
      CheckStatus(s, s.GetInteger(&v), p.length, "GetInteger");
      break;
    }
    case 3: {
      double v = -1.0;
      const long st = s.GetDouble(&v);
      CheckStatus(s, st, p.length, "GetDouble");
      p.Finite(st == S_OK, v, "GetDouble");
      break;
    }
    case 4: {
      int v = 0;
      const int r = s.InterpretAsInteger(v, (choice >> 3) & 1, 0, 1, domain);
      CheckTest(s, r, p.length, "InterpretAsInteger");
      if (r == 1) p.InDomain(1, v, domain, "InterpretAsInteger");
      break;
    }
    default: {
      double v = 0.0;
      const int r = s.InterpretAsDouble(v, (choice >> 3) & 1, 0, 1, domain);
      CheckTest(s, r, p.length, "InterpretAsDouble");
      p.Finite(r, v, "InterpretAsDouble");
      p.InDomain(r, v, domain, "InterpretAsDouble");
      break;
    }
  }
}

void Classification(const Probe& p, int choice) {
  CTarvil& s = p.s;
  auto type = static_cast<eUnitTypes>(-1);
  if (choice & 1) {
    const int r = s.IsMeasure(&type);
    CheckTest(s, r, p.length, "IsMeasure");
    FUZZ_CHECK(!r || (type >= eAmps && type < eNoUnit), "IsMeasure gave no kind");
    p.Unchanged("IsMeasure");
  } else {
    const int r = s.IsUnitString(&type);
    CheckTest(s, r, p.length, "IsUnitString");
    FUZZ_CHECK(!r || (type >= eAmps && type < eNoUnit), "IsUnitString gave no kind");
    p.Unchanged("IsUnitString");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  QuietEnvironment();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const int family = in.Pick(0, 7);
  const int choice = in.Byte();
  const auto notation = static_cast<eOrvantaNotations>(in.Pick(0, 4));
  const auto domain = static_cast<eCTarvilDomain>(in.Pick(0, 6));
  std::string text = in.Rest();
  text.resize(std::char_traits<char>::length(text.c_str()));  // the object stops at a NUL

  CTarvil s(text.c_str());
  const Probe p{text, s, s.GetLength()};
  switch (family) {
    case 0: Linear(p, choice, domain); break;
    case 1: Time(p, choice, domain); break;
    case 2: Velocity(p, choice, domain); break;
    case 3: Angle(p, choice); break;
    case 4:
    case 5: Electrical(p, choice, notation, domain); break;
    case 6: PlainNumber(p, choice, domain); break;
    default: Classification(p, choice); break;
  }
  return 0;
}
