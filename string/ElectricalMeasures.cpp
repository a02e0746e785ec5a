// ElectricalMeasures.cpp: resistance, capacitance, inductance, power,
// voltage and current as text: test, read, write and interpret.
//
// Each quantity binds its unit type and value domain to the notation
// engines. Resistance, capacitance, inductance and power take only values
// of zero and above; voltage and current take the caller's domain.
// Resistance has an engine of its own: in European notation its "R" may be
// left out ('4k7') and is never written after a prefix.
#include "CTarvil.h"
#include "NotationInternal.h"
#include "SharedSettingsInternal.h"

namespace {

// A resistance in European notation may leave its unit name out ('4k7').
constexpr bool kUnitOptionalInEuropean = true;

// The domain of the quantities that cannot be negative.
constexpr eCTarvilDomain kNonNegative = eDomainZeroOrPositive;

// What a measure member needs to know about its quantity.
struct Quantity {
  eUnitTypes unit;
  eCTarvilDomain domain;  // the fixed domain, or the one used when none is passed
};

constexpr Quantity kResistance{eOhms, kNonNegative};
constexpr Quantity kCapacitance{eFarads, kNonNegative};
constexpr Quantity kInductance{eHenrys, kNonNegative};
constexpr Quantity kPower{eWatts, kNonNegative};
constexpr Quantity kVoltage{eVolts, eDomainAny};
constexpr Quantity kCurrent{eAmps, eDomainAny};

// 1-based position of the first non-blank character (length + 1 when none).
int FirstNonBlankPosition(const CString& text) {
  return tarvil::detail::FirstNonBlankIndex(text.GetString(), text.GetLength()) + 1;
}

// The shared steps of the interpret members: read the text with its unit
// name, else as a bare number of the unit (its own prefixes first), check the
// domain, then rewrite the text in canonical form or report the fault.
template <typename Read, typename Write>
int InterpretMeasure(CTarvil& text, eOrvantaNotations notation, double& value,
                     unsigned int messageId, int showError, eUnitTypes unit,
                     eCTarvilDomain domain, Read read, Write write) {
  double withUnit = 0.0;
  int accepted = read(&withUnit);
  value = withUnit;
  if (!accepted && text.m_eCurrentError == eErrNoUnit) {
    double bare = 0.0;
    if (text.GetDoubleForNotation(notation, &bare, unit) == S_OK) {
      eCTarvilErr domainError = eErrNone;
      if (CTarvilValueInDomain(bare, domain, &domainError)) {
        value = bare;
        accepted = 1;
      } else {
        text.m_eCurrentError = domainError;
        text.m_nCursorPosition = FirstNonBlankPosition(text);
      }
    }
  }
  if (!accepted) {
    if (showError == 1) text.DisplayError(messageId);
    return 0;
  }
  write(value);
  return 1;
}

}  // namespace

// ---- Resistance --------------------------------------------------------------

int CTarvil::TestOhmString(eOrvantaNotations notation, double* pValue) {
  const tarvil::detail::SharedSettings settings;
  if (pValue != nullptr) *pValue = 0.0;
  tarvil::detail::NumberScan scan = tarvil::detail::ScanElectricalText(
      m_text, kResistance.unit, notation, kResistance.domain, kUnitOptionalInEuropean, settings);
  m_eCurrentError = scan.error;
  m_nCursorPosition = scan.cursor;
  if (!scan.ok) return 0;
  if (pValue != nullptr) *pValue = scan.value;
  return 1;
}

int CTarvil::IsOhmMeasure() {
  EnsureSettings();
  return TestOhmString(s_Locale.m_eActiveNotation, nullptr);
}

int CTarvil::IsOhmMeasure(double* pValue) {
  EnsureSettings();
  return TestOhmString(s_Locale.m_eActiveNotation, pValue);
}

int CTarvil::IsOhmMeasure(eOrvantaNotations notation, double* pValue) {
  return TestOhmString(notation, pValue);
}

long CTarvil::GetOhms(eOrvantaNotations notation, double* pValue) {
  if (pValue == nullptr) return E_INVALIDARG;
  *pValue = 0.0;
  return TestOhmString(notation, pValue) == 1 ? S_OK : E_INVALIDARG;
}

long CTarvil::GetOhms(double* pValue) {
  EnsureSettings();
  return GetOhms(s_Locale.m_eActiveNotation, pValue);
}

CTarvil& CTarvil::SetOhmMeasure(eOrvantaNotations notation, double value, int appendUnit,
                                int usePrecision) {
  if (notation != eEuropean) {
    return SetElectricalNotationString(kResistance.unit, notation, value, appendUnit,
                                       usePrecision);
  }
  // European: without a prefix the "R" takes the decimal symbol's place
  // ('4R7', '47R'); after a prefix ('4k7') nothing is appended.
  int isBase = 0;
  SetDoubleForNotation(isBase, notation, value, usePrecision, kResistance.unit);
  if (isBase == 1) {
    tarvil::detail::JoinEuropeanUnitName(m_text, kResistance.unit, tarvil::detail::SharedSettings());
  }
  return *this;
}

CTarvil& CTarvil::SetOhmMeasure(double value, int appendUnit, int usePrecision) {
  EnsureSettings();
  return SetOhmMeasure(s_Locale.m_eActiveNotation, value, appendUnit, usePrecision);
}

int CTarvil::InterpretAsOhmMeasure(eOrvantaNotations notation, double& value,
                                   unsigned int messageId, int showError) {
  EnsureSettings();
  return InterpretMeasure(
      *this, notation, value, messageId, showError, kResistance.unit, kResistance.domain,
      [&](double* p) { return GetOhms(notation, p) == S_OK ? 1 : 0; },
      [&](double v) { SetOhmMeasure(notation, v, 0, 1); });
}

int CTarvil::InterpretAsOhmMeasure(double& value, unsigned int messageId, int showError) {
  EnsureSettings();
  return InterpretAsOhmMeasure(s_Locale.m_eActiveNotation, value, messageId, showError);
}

// ---- The other quantities --------------------------------------------------

// Capacitance.
int CTarvil::IsCapacitanceMeasure(eOrvantaNotations notation, double* pValue) {
  return TestElectricalNotationString(kCapacitance.unit, notation, kCapacitance.domain, pValue);
}
int CTarvil::IsCapacitanceMeasure(double* pValue) {
  EnsureSettings();
  return IsCapacitanceMeasure(s_Locale.m_eActiveNotation, pValue);
}
int CTarvil::IsCapacitanceMeasure() { return IsCapacitanceMeasure(nullptr); }
long CTarvil::GetFarads(eOrvantaNotations notation, double* pValue) {
  if (pValue == nullptr) return E_INVALIDARG;
  *pValue = 0.0;
  return IsCapacitanceMeasure(notation, pValue) == 1 ? S_OK : E_INVALIDARG;
}
long CTarvil::GetFarads(double* pValue) {
  EnsureSettings();
  return GetFarads(s_Locale.m_eActiveNotation, pValue);
}
CTarvil& CTarvil::SetCapacitanceMeasure(eOrvantaNotations notation, double value,
                                        int appendUnit, int usePrecision) {
  return SetElectricalNotationString(kCapacitance.unit, notation, value, appendUnit,
                                     usePrecision);
}
CTarvil& CTarvil::SetCapacitanceMeasure(double value, int appendUnit, int usePrecision) {
  EnsureSettings();
  return SetCapacitanceMeasure(s_Locale.m_eActiveNotation, value, appendUnit, usePrecision);
}
int CTarvil::InterpretAsCapacitanceMeasure(eOrvantaNotations notation, double& value,
                                           unsigned int messageId, int showError) {
  EnsureSettings();
  return InterpretMeasure(
      *this, notation, value, messageId, showError, kCapacitance.unit, kCapacitance.domain,
      [&](double* p) { return IsCapacitanceMeasure(notation, p); },
      [&](double v) { SetCapacitanceMeasure(notation, v, 0, 1); });
}
int CTarvil::InterpretAsCapacitanceMeasure(double& value, unsigned int messageId,
                                           int showError) {
  EnsureSettings();
  return InterpretAsCapacitanceMeasure(s_Locale.m_eActiveNotation, value, messageId, showError);
}

// Inductance.
int CTarvil::IsInductanceMeasure(eOrvantaNotations notation, double* pValue) {
  return TestElectricalNotationString(kInductance.unit, notation, kInductance.domain, pValue);
}
int CTarvil::IsInductanceMeasure(double* pValue) {
  EnsureSettings();
  return IsInductanceMeasure(s_Locale.m_eActiveNotation, pValue);
}
int CTarvil::IsInductanceMeasure() { return IsInductanceMeasure(nullptr); }
long CTarvil::GetHenrys(eOrvantaNotations notation, double* pValue) {
  if (pValue == nullptr) return E_INVALIDARG;
  *pValue = 0.0;
  return IsInductanceMeasure(notation, pValue) == 1 ? S_OK : E_INVALIDARG;
}
long CTarvil::GetHenrys(double* pValue) {
  EnsureSettings();
  return GetHenrys(s_Locale.m_eActiveNotation, pValue);
}
CTarvil& CTarvil::SetInductanceMeasure(eOrvantaNotations notation, double value, int appendUnit,
                                       int usePrecision) {
  return SetElectricalNotationString(kInductance.unit, notation, value, appendUnit, usePrecision);
}
CTarvil& CTarvil::SetInductanceMeasure(double value, int appendUnit, int usePrecision) {
  EnsureSettings();
  return SetInductanceMeasure(s_Locale.m_eActiveNotation, value, appendUnit, usePrecision);
}
int CTarvil::InterpretAsInductanceMeasure(eOrvantaNotations notation, double& value,
                                          unsigned int messageId, int showError) {
  EnsureSettings();
  return InterpretMeasure(
      *this, notation, value, messageId, showError, kInductance.unit, kInductance.domain,
      [&](double* p) { return IsInductanceMeasure(notation, p); },
      [&](double v) { SetInductanceMeasure(notation, v, 0, 1); });
}
int CTarvil::InterpretAsInductanceMeasure(double& value, unsigned int messageId, int showError) {
  EnsureSettings();
  return InterpretAsInductanceMeasure(s_Locale.m_eActiveNotation, value, messageId, showError);
}

// Power.
int CTarvil::IsPowerMeasure(eOrvantaNotations notation, double* pValue) {
  return TestElectricalNotationString(kPower.unit, notation, kPower.domain, pValue);
}
int CTarvil::IsPowerMeasure(double* pValue) {
  EnsureSettings();
  return IsPowerMeasure(s_Locale.m_eActiveNotation, pValue);
}
int CTarvil::IsPowerMeasure() { return IsPowerMeasure(nullptr); }
long CTarvil::GetWatts(eOrvantaNotations notation, double* pValue) {
  if (pValue == nullptr) return E_INVALIDARG;
  *pValue = 0.0;
  return IsPowerMeasure(notation, pValue) == 1 ? S_OK : E_INVALIDARG;
}
long CTarvil::GetWatts(double* pValue) {
  EnsureSettings();
  return GetWatts(s_Locale.m_eActiveNotation, pValue);
}
CTarvil& CTarvil::SetPowerMeasure(eOrvantaNotations notation, double value, int appendUnit,
                                  int usePrecision) {
  return SetElectricalNotationString(kPower.unit, notation, value, appendUnit, usePrecision);
}
CTarvil& CTarvil::SetPowerMeasure(double value, int appendUnit, int usePrecision) {
  EnsureSettings();
  return SetPowerMeasure(s_Locale.m_eActiveNotation, value, appendUnit, usePrecision);
}
int CTarvil::InterpretAsPowerMeasure(eOrvantaNotations notation, double& value,
                                     unsigned int messageId, int showError) {
  EnsureSettings();
  return InterpretMeasure(
      *this, notation, value, messageId, showError, kPower.unit, kPower.domain,
      [&](double* p) { return IsPowerMeasure(notation, p); },
      [&](double v) { SetPowerMeasure(notation, v, 0, 1); });
}
int CTarvil::InterpretAsPowerMeasure(double& value, unsigned int messageId, int showError) {
  EnsureSettings();
  return InterpretAsPowerMeasure(s_Locale.m_eActiveNotation, value, messageId, showError);
}

// Voltage.
int CTarvil::IsVoltMeasure(eOrvantaNotations notation, double* pValue, eCTarvilDomain domain) {
  return TestElectricalNotationString(kVoltage.unit, notation, domain, pValue);
}
int CTarvil::IsVoltMeasure(double* pValue, eCTarvilDomain domain) {
  EnsureSettings();
  return IsVoltMeasure(s_Locale.m_eActiveNotation, pValue, domain);
}
int CTarvil::IsVoltMeasure() { return IsVoltMeasure(nullptr, kVoltage.domain); }
long CTarvil::GetVolts(eOrvantaNotations notation, double* pValue) {
  if (pValue == nullptr) return E_INVALIDARG;
  *pValue = 0.0;
  return IsVoltMeasure(notation, pValue, kVoltage.domain) == 1 ? S_OK : E_INVALIDARG;
}
long CTarvil::GetVolts(double* pValue) {
  EnsureSettings();
  return GetVolts(s_Locale.m_eActiveNotation, pValue);
}
CTarvil& CTarvil::SetVoltMeasure(eOrvantaNotations notation, double value, int appendUnit,
                                 int usePrecision) {
  return SetElectricalNotationString(kVoltage.unit, notation, value, appendUnit, usePrecision);
}
CTarvil& CTarvil::SetVoltMeasure(double value, int appendUnit, int usePrecision) {
  EnsureSettings();
  return SetVoltMeasure(s_Locale.m_eActiveNotation, value, appendUnit, usePrecision);
}
int CTarvil::InterpretAsVoltMeasure(eOrvantaNotations notation, double& value,
                                    unsigned int messageId, int showError,
                                    eCTarvilDomain domain) {
  EnsureSettings();
  return InterpretMeasure(
      *this, notation, value, messageId, showError, kVoltage.unit, domain,
      [&](double* p) { return IsVoltMeasure(notation, p, domain); },
      [&](double v) { SetVoltMeasure(notation, v, 0, 1); });
}
int CTarvil::InterpretAsVoltMeasure(double& value, unsigned int messageId, int showError,
                                    eCTarvilDomain domain) {
  EnsureSettings();
  return InterpretAsVoltMeasure(s_Locale.m_eActiveNotation, value, messageId, showError, domain);
}

// Current.
int CTarvil::IsAmpMeasure(eOrvantaNotations notation, double* pValue, eCTarvilDomain domain) {
  return TestElectricalNotationString(kCurrent.unit, notation, domain, pValue);
}
int CTarvil::IsAmpMeasure(double* pValue, eCTarvilDomain domain) {
  EnsureSettings();
  return IsAmpMeasure(s_Locale.m_eActiveNotation, pValue, domain);
}
int CTarvil::IsAmpMeasure() { return IsAmpMeasure(nullptr, kCurrent.domain); }
long CTarvil::GetAmps(eOrvantaNotations notation, double* pValue) {
  if (pValue == nullptr) return E_INVALIDARG;
  *pValue = 0.0;
  return IsAmpMeasure(notation, pValue, kCurrent.domain) == 1 ? S_OK : E_INVALIDARG;
}
long CTarvil::GetAmps(double* pValue) {
  EnsureSettings();
  return GetAmps(s_Locale.m_eActiveNotation, pValue);
}
CTarvil& CTarvil::SetAmpMeasure(eOrvantaNotations notation, double value, int appendUnit,
                                int usePrecision) {
  return SetElectricalNotationString(kCurrent.unit, notation, value, appendUnit, usePrecision);
}
CTarvil& CTarvil::SetAmpMeasure(double value, int appendUnit, int usePrecision) {
  EnsureSettings();
  return SetAmpMeasure(s_Locale.m_eActiveNotation, value, appendUnit, usePrecision);
}
int CTarvil::InterpretAsAmpMeasure(eOrvantaNotations notation, double& value,
                                   unsigned int messageId, int showError, eCTarvilDomain domain) {
  EnsureSettings();
  return InterpretMeasure(
      *this, notation, value, messageId, showError, kCurrent.unit, domain,
      [&](double* p) { return IsAmpMeasure(notation, p, domain); },
      [&](double v) { SetAmpMeasure(notation, v, 0, 1); });
}
int CTarvil::InterpretAsAmpMeasure(double& value, unsigned int messageId, int showError,
                                   eCTarvilDomain domain) {
  EnsureSettings();
  return InterpretAsAmpMeasure(s_Locale.m_eActiveNotation, value, messageId, showError, domain);
}

