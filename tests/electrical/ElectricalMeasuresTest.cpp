// The electrical measures: a number with its unit name ('4.7kW'), the
// optional "R" of resistance in European notation, the domains, and the
// interpret members that rewrite a dialog field or show its fault.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <tarvil/MessageBox.h>
#include <tarvil/Resources.h>

#include "NotationSettingsFixture.h"

namespace {

struct MeasureCase {
  eOrvantaNotations notation;
  const char* text;
  int result;
  double value;
  eCTarvilErr error;
  int cursor;
};

constexpr eCTarvilErr kNone = eErrNone;
constexpr eCTarvilErr kBad = eErrInvalidCharacter;

class ElectricalMeasuresTest : public NotationSettingsTest {
 protected:
  template <typename Test>
  static void CheckAll(const std::vector<MeasureCase>& cases, Test test) {
    for (const MeasureCase& c : cases) {
      CTarvil text(c.text);
      double value = -1.0;
      EXPECT_EQ(test(text, c.notation, &value), c.result) << "'" << c.text << "'";
      EXPECT_EQ(text.GetCurrentError(), c.error) << "'" << c.text << "'";
      EXPECT_EQ(text.GetCursorPosition(), c.cursor) << "'" << c.text << "'";
      EXPECT_EQ(value, c.result ? c.value : 0.0) << "'" << c.text << "'";
      EXPECT_EQ(std::string(text.View()), c.text) << "a test must not edit the text";
    }
  }
};

// Captures what the library shows in its message box.
class MessageBoxCapture {
 public:
  MessageBoxCapture() {
    m_previous = tarvil::platform::SetMessageBoxHandler(
        [this](const char* text, unsigned int type, unsigned int) {
          m_shown.push_back(text);
          m_type = type;
          return 1;
        });
  }
  ~MessageBoxCapture() { tarvil::platform::SetMessageBoxHandler(m_previous); }
  const std::vector<std::string>& Shown() const { return m_shown; }
  unsigned int Type() const { return m_type; }

 private:
  tarvil::platform::MessageBoxHandler m_previous;
  std::vector<std::string> m_shown;
  unsigned int m_type = 0;
};

TEST_F(ElectricalMeasuresTest, PowerWithItsUnitName) {
  CheckAll(
      {
          {eSI, "4.7kW", 1, 4700.0, kNone, 6},
          {eSI, "4.7kw", 1, 4700.0, kNone, 6},
          {eSI, "4.7k W", 1, 4700.0, kNone, 7},
          {eSI, "4.7k w", 1, 4700.0, kNone, 7},
          {eSI, "  100mW  ", 1, 0.1, kNone, 10},
          {eSI, "0W", 1, 0.0, kNone, 3},
          {eSI, "4.7 kW", 0, 0, kBad, 4},  // no blank before the prefix
          {eSI, "4.7k", 0, 0, eErrNoUnit, 4},
          {eSI, "4.7", 0, 0, eErrNoUnit, 4},  // no letters: one past the end
          {eSI, "  4.7k  ", 0, 0, eErrNoUnit, 6},
          {eSI, "4.7kWx", 0, 0, eErrNoUnit, 7},  // the name is not at the end
          {eSI, "4W7", 0, 0, eErrNoUnit, 4},  // inside the number only in European
          {eSI, "W4", 0, 0, kBad, 1},
          {eSI, "-W", 0, 0, kBad, 2},
          {eSI, "-1W", 0, 0, eErrNegativeNotAllowed, 1},
          {eSI, "  -1W", 0, 0, eErrNegativeNotAllowed, 3},
          {eSI, "4.7xW", 0, 0, kBad, 4},
          {eSI, "  4.7xW", 0, 0, kBad, 6},  // shifted by the leading blanks
          {eSI, "", 0, 0, eErrEmpty, 0},
          {eSI, "   ", 0, 0, eErrBlank, 4},
          {eEuropean, "4W7", 1, 4.7, kNone, 4},
          {eEuropean, "4k7W", 1, 4700.0, kNone, 5},
          {eEuropean, "4.7W7", 0, 0, eErrTooManyDecimalPlaces, 4},
          {eEngineering, "4.7E3W", 1, 4700.0, kNone, 7},
          {eSPICE, "4.7MEGW", 1, 4.7e6, kNone, 8},
      },
      [](CTarvil& t, eOrvantaNotations n, double* v) { return t.IsPowerMeasure(n, v); });
}

TEST_F(ElectricalMeasuresTest, EachQuantityHasItsUnitAndDomain) {
  struct Case {
    const char* text;
    int (*test)(CTarvil&, double*);
    int result;
    double value;
    eCTarvilErr error;
  } cases[] = {
      {"100nF", [](CTarvil& t, double* v) { return t.IsCapacitanceMeasure(eSI, v); }, 1, 1e-7, kNone},
      {"-100nF", [](CTarvil& t, double* v) { return t.IsCapacitanceMeasure(eSI, v); }, 0, 0, eErrNegativeNotAllowed},
      {"10uH", [](CTarvil& t, double* v) { return t.IsInductanceMeasure(eSI, v); }, 1, 10e-6, kNone},
      {"10uF", [](CTarvil& t, double* v) { return t.IsInductanceMeasure(eSI, v); }, 0, 0, eErrNoUnit},
      {"-5V", [](CTarvil& t, double* v) { return t.IsVoltMeasure(eSI, v); }, 1, -5.0, kNone},
      {"-5V", [](CTarvil& t, double* v) { return t.IsVoltMeasure(eSI, v, eDomainPositive); }, 0, 0, eErrNegativeNotAllowed},
      {"0V", [](CTarvil& t, double* v) { return t.IsVoltMeasure(eSI, v, eDomainPositive); }, 0, 0, eErrZeroNotAllowed},
      {"-2mA", [](CTarvil& t, double* v) { return t.IsAmpMeasure(eSI, v); }, 1, -2e-3, kNone},
      {"2mA", [](CTarvil& t, double* v) { return t.IsAmpMeasure(eSI, v, eDomainNegative); }, 0, 0, eErrPositiveNotAllowed},
      {"4.7kohms", [](CTarvil& t, double* v) { return t.IsOhmMeasure(eSI, v); }, 1, 4700.0, kNone},
      {"4.7k OHMS", [](CTarvil& t, double* v) { return t.IsOhmMeasure(eSI, v); }, 1, 4700.0, kNone},
      {"4.7k", [](CTarvil& t, double* v) { return t.IsOhmMeasure(eSI, v); }, 0, 0, eErrNoUnit},
      {"-1ohms", [](CTarvil& t, double* v) { return t.IsOhmMeasure(eSI, v); }, 0, 0, eErrNegativeNotAllowed},
  };
  for (const Case& c : cases) {
    CTarvil text(c.text);
    double value = -1;
    EXPECT_EQ(c.test(text, &value), c.result) << c.text;
    EXPECT_EQ(text.GetCurrentError(), c.error) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST_F(ElectricalMeasuresTest, ResistanceInEuropeanNeedsNoR) {
  CheckAll(
      {
          {eEuropean, "4k7", 1, 4700.0, kNone, 4},
          {eEuropean, "4R7", 1, 4.7, kNone, 4},
          {eEuropean, "47R", 1, 47.0, kNone, 4},
          {eEuropean, "47", 1, 47.0, kNone, 3},
          {eEuropean, "4k7R", 1, 4700.0, kNone, 5},
          {eEuropean, "  4k7  ", 1, 4700.0, kNone, 8},
          {eEuropean, "4x7", 0, 0, kBad, 2},
          {eEuropean, "-4k7", 0, 0, eErrNegativeNotAllowed, 1},
          {eEuropean, "4k7k", 0, 0, eErrTooManyDecimalPlaces, 4},
          {eSI, "4.7k", 0, 0, eErrNoUnit, 4},
          {eSI, "4.7kx", 0, 0, eErrNoUnit, 4},  // the run of letters, at most four
          {eSI, "4.7kohm", 0, 0, eErrNoUnit, 4},
          {eSI, "4ohms7", 0, 0, eErrNoUnit, 7},
      },
      [](CTarvil& t, eOrvantaNotations n, double* v) { return t.IsOhmMeasure(n, v); });
}

TEST_F(ElectricalMeasuresTest, GetReturnsAStatusAndZeroesTheValue) {
  CTarvil farads("100nF");
  double value = -1;
  EXPECT_EQ(farads.GetFarads(eSI, &value), S_OK);
  EXPECT_EQ(value, 1e-7);
  EXPECT_EQ(farads.GetFarads(eSI, nullptr), E_INVALIDARG);
  CTarvil empty("");
  value = -1;
  EXPECT_EQ(empty.GetFarads(eSI, &value), E_INVALIDARG);
  EXPECT_EQ(empty.GetCurrentError(), eErrEmpty);
  EXPECT_EQ(value, 0.0);
  CTarvil negative("-5V");
  EXPECT_EQ(negative.GetVolts(eSI, &value), S_OK);  // any value
  EXPECT_EQ(value, -5.0);
  CTarvil amps("-5A");
  EXPECT_EQ(amps.GetAmps(&value), S_OK);
  CTarvil ohms("4k7");
  EXPECT_EQ(ohms.GetOhms(eEuropean, nullptr), E_INVALIDARG);
  EXPECT_EQ(ohms.GetOhms(eEuropean, &value), S_OK);
  EXPECT_EQ(value, 4700.0);
  CTarvil henrys("1H"), watts("1W");
  EXPECT_EQ(henrys.GetHenrys(&value), S_OK);
  EXPECT_EQ(watts.GetWatts(&value), S_OK);
}

TEST_F(ElectricalMeasuresTest, ShortFormsUseTheActiveNotation) {
  CTarvil::s_Locale.m_eActiveNotation = eEuropean;
  CTarvil text("4k7");
  double value = 0;
  EXPECT_EQ(text.IsOhmMeasure(&value), 1);
  EXPECT_EQ(value, 4700.0);
  EXPECT_EQ(text.IsOhmMeasure(), 1);
  EXPECT_EQ(text.GetOhms(&value), S_OK);
  CTarvil::s_Locale.m_eActiveNotation = eSPICE;
  CTarvil cap("10PF");
  EXPECT_EQ(cap.IsCapacitanceMeasure(&value), 1);
  EXPECT_EQ(value, 10e-12);
  EXPECT_EQ(cap.IsCapacitanceMeasure(), 1);
  CTarvil volts("-1.5V");
  EXPECT_EQ(volts.IsVoltMeasure(), 1);
  EXPECT_EQ(volts.IsVoltMeasure(&value, eDomainZeroOrPositive), 0);
  CTarvil amps("3MA");  // SPICE "M" is milli
  EXPECT_EQ(amps.IsAmpMeasure(&value), 1);
  EXPECT_EQ(value, 3e-3);
  CTarvil henrys("1UH"), watts("1KW");
  EXPECT_EQ(henrys.IsInductanceMeasure(), 1);
  EXPECT_EQ(watts.IsPowerMeasure(), 1);
}

TEST_F(ElectricalMeasuresTest, WritingWithAndWithoutTheUnit) {
  struct Case {
    const char* expected;
    CTarvil& (*write)(CTarvil&);
  } cases[] = {
      {"4k7", [](CTarvil& t) -> CTarvil& { return t.SetOhmMeasure(eEuropean, 4700, 1, 1); }},
      {"4R7", [](CTarvil& t) -> CTarvil& { return t.SetOhmMeasure(eEuropean, 4.7, 1, 1); }},
      {"47R", [](CTarvil& t) -> CTarvil& { return t.SetOhmMeasure(eEuropean, 47, 0, 1); }},
      {"1E+030", [](CTarvil& t) -> CTarvil& { return t.SetOhmMeasure(eEuropean, 1e30, 1, 1); }},
      {"4.7kohms", [](CTarvil& t) -> CTarvil& { return t.SetOhmMeasure(eSI, 4700, 1, 1); }},
      {"4.7k", [](CTarvil& t) -> CTarvil& { return t.SetOhmMeasure(eSI, 4700, 0, 1); }},
      {"4F7", [](CTarvil& t) -> CTarvil& { return t.SetCapacitanceMeasure(eEuropean, 4.7, 1, 1); }},
      {"47F", [](CTarvil& t) -> CTarvil& { return t.SetCapacitanceMeasure(eEuropean, 47, 1, 1); }},
      {"4n7F", [](CTarvil& t) -> CTarvil& { return t.SetCapacitanceMeasure(eEuropean, 4.7e-9, 1, 1); }},
      {"4n7", [](CTarvil& t) -> CTarvil& { return t.SetCapacitanceMeasure(eEuropean, 4.7e-9, 0, 1); }},
      {"4.7E3A", [](CTarvil& t) -> CTarvil& { return t.SetAmpMeasure(eEngineering, 4700, 1, 1); }},
      {"4.7kW", [](CTarvil& t) -> CTarvil& { return t.SetPowerMeasure(eSI, 4700, 1, 1); }},
      {"4.7k", [](CTarvil& t) -> CTarvil& { return t.SetPowerMeasure(eSI, 4700, 0, 1); }},
      {"-5V", [](CTarvil& t) -> CTarvil& { return t.SetVoltMeasure(eSI, -5, 1, 1); }},
      {"10UH", [](CTarvil& t) -> CTarvil& { return t.SetInductanceMeasure(eSPICE, 10e-6, 1, 1); }},
      {"4.71234kW", [](CTarvil& t) -> CTarvil& { return t.SetPowerMeasure(eSI, 4712.34, 1, 0); }},
  };
  for (const Case& c : cases) {
    CTarvil text("old");
    EXPECT_EQ(std::string(c.write(text).View()), c.expected);
  }
}

TEST_F(ElectricalMeasuresTest, WritersWithTheActiveNotation) {
  CTarvil::s_Locale.m_eActiveNotation = eEuropean;
  CTarvil text;
  EXPECT_EQ(std::string(text.SetOhmMeasure(4700, 1, 1).View()), "4k7");
  EXPECT_EQ(std::string(text.SetCapacitanceMeasure(4.7e-9, 1, 1).View()), "4n7F");
  EXPECT_EQ(std::string(text.SetInductanceMeasure(4.7, 1, 1).View()), "4H7");
  EXPECT_EQ(std::string(text.SetPowerMeasure(47, 1, 1).View()), "47W");
  EXPECT_EQ(std::string(text.SetVoltMeasure(0.5, 1, 1).View()), "500mV");
  EXPECT_EQ(std::string(text.SetAmpMeasure(2, 1, 1).View()), "2A");
}

TEST_F(ElectricalMeasuresTest, TheTypicalDialogRequest) {
  MessageBoxCapture box;
  CTarvil field("4k7");
  double value = 0;
  EXPECT_EQ(field.InterpretAsOhmMeasure(eEuropean, value, 0, 1), 1);
  EXPECT_EQ(value, 4700.0);
  EXPECT_EQ(std::string(field.View()), "4k7");
  EXPECT_TRUE(box.Shown().empty());

  CTarvil typo("4x7");
  EXPECT_EQ(typo.InterpretAsOhmMeasure(eEuropean, value, 0, 1), 0);
  EXPECT_EQ(typo.GetCurrentError(), eErrInvalidCharacter);
  EXPECT_EQ(typo.GetCursorPosition(), 2);
  EXPECT_EQ(value, 0.0);
  EXPECT_EQ(std::string(typo.View()), "4x7");
  ASSERT_EQ(box.Shown().size(), 1u);
  EXPECT_EQ(box.Shown()[0], "4<x>7\nInvalid character(s) detected.");
  EXPECT_EQ(box.Type(), MB_OK | MB_ICONINFORMATION);
}

TEST_F(ElectricalMeasuresTest, TheFaultIsShownUnderTheCallersPrompt) {
  tarvil::platform::SetStringResource(31001, "Resistance of R12:");
  MessageBoxCapture box;
  CTarvil typo("4x7");
  double value = 0;
  EXPECT_EQ(typo.InterpretAsOhmMeasure(eEuropean, value, 31001, 1), 0);
  ASSERT_EQ(box.Shown().size(), 1u);
  EXPECT_EQ(box.Shown()[0], "Resistance of R12:\n4<x>7\nInvalid character(s) detected.");
  // Without showError 1 nothing is shown.
  EXPECT_EQ(typo.InterpretAsOhmMeasure(eEuropean, value, 31001, 2), 0);
  EXPECT_EQ(box.Shown().size(), 1u);
  tarvil::platform::SetStringResource(31001, nullptr);
}

TEST_F(ElectricalMeasuresTest, InterpretRewritesTheTextCanonically) {
  struct Case {
    const char* text;
    int (*interpret)(CTarvil&, double&);
    int result;
    double value;
    const char* after;
    eCTarvilErr error;
    int cursor;
  } cases[] = {
      {"4.7k W", [](CTarvil& t, double& v) { return t.InterpretAsPowerMeasure(eSI, v, 0, 0); }, 1, 4700, "4.7k", kNone, 7},
      {"4700W", [](CTarvil& t, double& v) { return t.InterpretAsPowerMeasure(eSI, v, 0, 0); }, 1, 4700, "4.7k", kNone, 6},
      {"4.7 kW", [](CTarvil& t, double& v) { return t.InterpretAsPowerMeasure(eSI, v, 0, 0); }, 0, 0, "4.7 kW", kBad, 4},
      {"100n", [](CTarvil& t, double& v) { return t.InterpretAsCapacitanceMeasure(eSI, v, 0, 0); }, 1, 1e-7, "100n", kNone, 4},
      {"100n  ", [](CTarvil& t, double& v) { return t.InterpretAsCapacitanceMeasure(eSI, v, 0, 0); }, 1, 1e-7, "100n", kNone, 6},
      {"0.1u", [](CTarvil& t, double& v) { return t.InterpretAsCapacitanceMeasure(eSI, v, 0, 0); }, 1, 1e-7, "100n", kNone, 4},
      {"-100n", [](CTarvil& t, double& v) { return t.InterpretAsCapacitanceMeasure(eSI, v, 0, 0); }, 0, 0, "-100n", eErrNegativeNotAllowed, 1},
      {" -100n", [](CTarvil& t, double& v) { return t.InterpretAsCapacitanceMeasure(eSI, v, 0, 0); }, 0, 0, " -100n", eErrNegativeNotAllowed, 2},
      {"-2A", [](CTarvil& t, double& v) { return t.InterpretAsAmpMeasure(eSI, v, 0, 0, eDomainZeroOrPositive); }, 0, 0, "-2A", eErrNegativeNotAllowed, 1},
      {"-2", [](CTarvil& t, double& v) { return t.InterpretAsAmpMeasure(eSI, v, 0, 0, eDomainZeroOrPositive); }, 0, 0, "-2", eErrNegativeNotAllowed, 1},
      {"-2", [](CTarvil& t, double& v) { return t.InterpretAsAmpMeasure(eSI, v, 0, 0); }, 1, -2, "-2", kNone, 2},
      {"1.5kV", [](CTarvil& t, double& v) { return t.InterpretAsVoltMeasure(eSI, v, 0, 0, eDomainPositive); }, 1, 1500, "1.5k", kNone, 6},
      {"10u", [](CTarvil& t, double& v) { return t.InterpretAsInductanceMeasure(eSPICE, v, 0, 0); }, 1, 10e-6, "10U", kNone, 3},
      {"4.7kohms", [](CTarvil& t, double& v) { return t.InterpretAsOhmMeasure(eSI, v, 0, 0); }, 1, 4700, "4.7k", kNone, 9},
      {"4.7k", [](CTarvil& t, double& v) { return t.InterpretAsOhmMeasure(eSI, v, 0, 0); }, 1, 4700, "4.7k", kNone, 4},
      {"4.7", [](CTarvil& t, double& v) { return t.InterpretAsOhmMeasure(eEuropean, v, 0, 0); }, 1, 4.7, "4R7", kNone, 4},
      {"4700", [](CTarvil& t, double& v) { return t.InterpretAsOhmMeasure(eEuropean, v, 0, 0); }, 1, 4700, "4k7", kNone, 5},
      {"4.7kx", [](CTarvil& t, double& v) { return t.InterpretAsOhmMeasure(eSI, v, 0, 0); }, 0, 0, "4.7kx", kBad, 4},
      {"1.23456789k", [](CTarvil& t, double& v) { return t.InterpretAsPowerMeasure(eSI, v, 0, 0); }, 1, 1234.56789, "1.2346k", kNone, 11},
  };
  for (const Case& c : cases) {
    CTarvil text(c.text);
    double value = -1;
    EXPECT_EQ(c.interpret(text, value), c.result) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
    EXPECT_EQ(std::string(text.View()), c.after) << c.text;
    EXPECT_EQ(text.GetCurrentError(), c.error) << c.text;
    EXPECT_EQ(text.GetCursorPosition(), c.cursor) << c.text;
  }
}

TEST_F(ElectricalMeasuresTest, InterpretWithTheActiveNotationShowsFaults) {
  CTarvil::s_Locale.m_eActiveNotation = eSI;
  MessageBoxCapture box;
  double value = 0;
  CTarvil cap("-100n");
  EXPECT_EQ(cap.InterpretAsCapacitanceMeasure(value, 0, 1), 0);
  ASSERT_EQ(box.Shown().size(), 1u);
  EXPECT_EQ(box.Shown()[0], "Negative values are not allowed.");
  CTarvil ohms("4.7k"), henrys("1m"), watts("2k"), volts("-3"), amps("4m");
  EXPECT_EQ(ohms.InterpretAsOhmMeasure(value, 0, 1), 1);
  EXPECT_EQ(henrys.InterpretAsInductanceMeasure(value, 0, 1), 1);
  EXPECT_EQ(watts.InterpretAsPowerMeasure(value, 0, 1), 1);
  EXPECT_EQ(volts.InterpretAsVoltMeasure(value, 0, 1, eDomainNegative), 1);
  EXPECT_EQ(value, -3.0);
  EXPECT_EQ(amps.InterpretAsAmpMeasure(value, 0, 1), 1);
  EXPECT_EQ(value, 4e-3);
  EXPECT_EQ(box.Shown().size(), 1u);
}

TEST_F(ElectricalMeasuresTest, RegionalSymbolsBothWays) {
  UseCommaDecimal();
  CTarvil power("4,7kW");
  double value = 0;
  EXPECT_EQ(power.IsPowerMeasure(eSI, &value), 1);
  EXPECT_EQ(value, 4700.0);
  CTarvil written;
  EXPECT_EQ(std::string(written.SetPowerMeasure(eSI, 4700, 1, 1).View()), "4,7kW");
  EXPECT_EQ(std::string(written.SetOhmMeasure(eEuropean, 4.7, 1, 1).View()), "4R7");
  EXPECT_EQ(std::string(written.SetVoltMeasure(eSI, 1.5e15, 1, 1).View()), "1,5PV");
  CTarvil field("1.500,25 W");
  EXPECT_EQ(field.InterpretAsPowerMeasure(eSI, value, 0, 0), 1);
  EXPECT_EQ(value, 1500.25);
  EXPECT_EQ(std::string(field.View()), "1,5003k");
  CTarvil point(".5W");  // the thousands symbol cannot begin a number
  EXPECT_EQ(point.IsPowerMeasure(eSI, &value), 0);
  EXPECT_EQ(point.GetCurrentError(), kBad);
  EXPECT_EQ(point.GetCursorPosition(), 1);
}

}  // namespace
