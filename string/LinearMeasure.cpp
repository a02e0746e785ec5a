// LinearMeasure.cpp: lengths typed in design units and stored as counts of
// a base unit (1 nm or 10 nm); the measure-text scanning and the number
// rendering that the time, velocity and angle members share; the base unit
// names appended to field labels.
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "CRuntime.h"
#include "CTarvil.h"
#include "ErrorModelInternal.h"
#include "LocaleInternal.h"
#include "Mbc.h"
#include "MeasureInternal.h"
#include "MeasureTextInternal.h"
#include "SharedSettingsInternal.h"
#include "NotationInternal.h"
#include "UnitConversionInternal.h"

using namespace tarvil::platform;
using namespace tarvil::detail;

namespace tarvil::detail {

bool ScanMeasureText(CTarvil& s, bool slashAndPercent, MeasureSpan& span) {
  s.m_nCursorPosition = 0;
  s.m_eCurrentError = eErrNone;
  const std::string_view text = s.View();
  if (text.empty()) {
    s.m_eCurrentError = eErrEmpty;
    return false;
  }
  s.m_nCursorPosition = static_cast<int>(text.size()) + 1;
  if (FindMeasureSpan(text, slashAndPercent, span)) return true;
  s.m_eCurrentError =
      FirstNonBlankIndex(text) == static_cast<int>(text.size()) ? eErrBlank : eErrNoUnit;
  return false;
}

bool ReadMeasureNumber(CTarvil& s, const MeasureSpan& span, bool scientific, double* value) {
  const NumberScan scan = ReadMeasurePart(s.View(), span, scientific, SharedSettings());
  if (scan.ok == 0) {
    s.m_eCurrentError = scan.error;
    s.m_nCursorPosition = scan.cursor;
    return false;
  }
  *value = scan.value;
  return true;
}

bool CheckMeasureDomain(CTarvil& s, double value, eCTarvilDomain domain, int start) {
  eCTarvilErr error = eErrNone;
  if (CTarvilValueInDomain(value, domain, &error)) return true;
  s.m_eCurrentError = error;
  s.m_nCursorPosition = start + 1;
  return false;
}

bool ReadPlainNumber(CTarvil& s, double* value) {
  // As GetDouble on a copy: the object's own text is never cut.
  *value = 0.0;
  if (!tarvil::detail::BeginTest(s)) return false;
  const NumberScan scan = ScanNotationNumber(s.View(), eDecimal, eNoUnit, SharedSettings());
  s.m_eCurrentError = scan.error;
  s.m_nCursorPosition = scan.cursor;
  if (!scan.ok) return false;
  *value = scan.value;
  return true;
}

bool RefuseNonFinite(CTarvil& s, double value) {
  if (std::isfinite(value)) return true;
  s.m_eCurrentError = eErrTooLarge;
  s.m_nCursorPosition = FirstNonBlankIndex(s.View()) + 1;
  return false;
}

bool RefuseUnderflow(CTarvil& s, double typed, double converted) {
  if (converted != 0.0 || typed == 0.0) return true;
  s.m_eCurrentError = eErrTooSmall;
  s.m_nCursorPosition = FirstNonBlankIndex(s.View()) + 1;
  return false;
}

void FormatMeasureNumber(double v, int precision, int usePrecision, DigitGrouping grouping,
                         std::string& out) {
  FormatMeasureNumber(v, precision, usePrecision == 1, grouping == DigitGrouping::kRegional,
                      SharedSettings().format(), out);
}

}  // namespace tarvil::detail

// ---- Recognition -----------------------------------------------------------

int CTarvil::IsLinearMeasure() {
  double value = 0.0;
  eDesignUnits units = kDesUnitNum;
  return IsLinearMeasure(&value, &units, eDomainAny);
}

int CTarvil::IsLinearMeasure(eDesignUnits* pUnits) {
  double value = 0.0;
  return IsLinearMeasure(&value, pUnits, eDomainAny);
}

int CTarvil::IsLinearMeasure(double* pValue, eDesignUnits* pUnits, eCTarvilDomain domain) {
  double scratchValue = 0.0;
  eDesignUnits scratchUnits = kDesUnitNum;
  if (pValue == nullptr) pValue = &scratchValue;
  if (pUnits == nullptr) pUnits = &scratchUnits;
  *pUnits = kDesUnitNum;

  const auto matchDesignUnit = [](std::string_view u) {
    return MatchUnitText(u, kDesignUnitTexts, kDesUnitNum);
  };
  const int unit = RecognizeMeasure(*this, kLetterUnitSyntax, domain, pValue, matchDesignUnit);
  if (unit < 0) return 0;
  *pUnits = static_cast<eDesignUnits>(unit);
  return 1;
}

int CTarvil::IsBaseLinearMeasure(double* pValue, eBaseUnits* pUnits) {
  *pUnits = kBaseUnitNum;
  // Any value: a base-unit count is checked when it is converted.
  const auto matchBaseUnit = [](std::string_view u) {
    return MatchUnitText(u, kBaseUnitTexts, kBaseUnitNum);
  };
  const int unit = RecognizeMeasure(*this, kLetterUnitSyntax, eDomainAny, pValue, matchBaseUnit);
  if (unit < 0) return 0;
  *pUnits = static_cast<eBaseUnits>(unit);
  return 1;
}

// ---- Reading counts ----------------------------------------------------------

long CTarvil::GetBaseUnits(int* pCount, eBaseUnits base) {
  if (pCount == nullptr || base < 0 || base >= kBaseUnitNum) return E_INVALIDARG;
  *pCount = 0;
  if (!tarvil::detail::BeginTest(*this)) return E_FAIL;

  double value = 0.0;
  eDesignUnits designUnit = kDesUnitNum;
  if (IsLinearMeasure(&value, &designUnit, eDomainAny)) {
    if (DesignToBaseUnits(value, designUnit, pCount, base) != kStatusOk) {
      *pCount = 0;
      m_eCurrentError = eErrNotAnInteger;
      return E_FAIL;
    }
    return S_OK;
  }

  eBaseUnits parsedBase = kBaseUnitNum;
  if (!IsBaseLinearMeasure(&value, &parsedBase)) return E_INVALIDARG;
  int count = 0;
  if (RoundToBaseUnits(ConvertBaseUnits(value, parsedBase, base), &count) != kStatusOk) {
    m_eCurrentError = eErrNotAnInteger;
    return E_FAIL;
  }
  *pCount = count;
  return S_OK;
}

long CTarvil::GetNanometers(int* pCount, eBaseUnits base) {
  if (pCount == nullptr || base < 0 || base >= kBaseUnitNum) return E_INVALIDARG;
  *pCount = 0;
  if (!tarvil::detail::BeginTest(*this)) return E_FAIL;

  double value = 0.0;
  int count = 0;
  eDesignUnits designUnit = kDesUnitNum;
  if (IsLinearMeasure(&value, &designUnit, eDomainAny)) {
    // Quantised to the caller's base resolution first, then in nanometres.
    if (DesignToBaseUnits(value, designUnit, &count, base) != kStatusOk ||
        ConvertBaseUnitCount(&count, base, kBaseNanometer) != kStatusOk) {
      m_eCurrentError = eErrNotAnInteger;
      return E_FAIL;
    }
    *pCount = count;
    return S_OK;
  }

  eBaseUnits parsedBase = kBaseUnitNum;
  if (!IsBaseLinearMeasure(&value, &parsedBase)) return E_INVALIDARG;
  if (RoundToBaseUnits(ConvertBaseUnits(value, parsedBase, kBaseNanometer), &count) !=
      kStatusOk) {
    m_eCurrentError = eErrNotAnInteger;
    return E_FAIL;
  }
  *pCount = count;
  return S_OK;
}

// ---- Writing -----------------------------------------------------------------

CTarvil& CTarvil::SetLinearMeasure(int count, eDesignUnits unit, eBaseUnits base, int showUnit,
                                   int usePrecision) {
  EnsureSettings();
  const double value = BaseUnitsToDesign(count, unit, base);
  if (unit < 0 || unit >= kDesUnitNum) return *this;
  FormatMeasureNumber(value, s_Locale.m_nDigits, usePrecision, DigitGrouping::kRegional, m_text);
  if (showUnit == 1) m_text += kDesignUnitTexts[unit];
  return *this;
}

long CTarvil::FormatAsLinearMeasure(eDesignUnits unit, eBaseUnits base) {
  return FormatAsLinearMeasure(unit, unit, base);
}

long CTarvil::FormatAsLinearMeasure(eDesignUnits fromUnit, eDesignUnits toUnit, eBaseUnits base) {
  if (!tarvil::detail::BeginTest(*this)) return E_FAIL;
  if (base < 0 || base >= kBaseUnitNum) return E_INVALIDARG;

  double value = 0.0;
  if (!ReadPlainNumber(*this, &value)) return E_INVALIDARG;
  int count = 0;
  if (DesignToBaseUnits(value, fromUnit, &count, base) != kStatusOk) {
    m_eCurrentError = eErrNotAnInteger;
    return E_FAIL;
  }
  SetLinearMeasure(count, toUnit, base, 0, 1);
  return S_OK;
}

int CTarvil::InterpretAsLinearMeasure(int& count, eDesignUnits unit, eBaseUnits base,
                                      unsigned int titleId, int showError,
                                      eCTarvilDomain domain) {
  auto fail = [&]() {
    if (showError == 1) DisplayError(titleId);
    return 0;
  };

  double value = 0.0;
  int result = 0;
  eDesignUnits designUnit = kDesUnitNum;
  if (IsLinearMeasure(&value, &designUnit, domain)) {
    if (DesignToBaseUnits(value, designUnit, &result, base) != kStatusOk) {
      m_eCurrentError = eErrNotAnInteger;
      return fail();
    }
  } else {
    // A design-unit length outside the domain: that is the error to show,
    // not the base-unit reading's complaint about the unit.
    if (m_eCurrentError == eErrZeroNotAllowed || m_eCurrentError == eErrNegativeNotAllowed ||
        m_eCurrentError == eErrPositiveNotAllowed) {
      MeasureSpan span;
      if (FindMeasureSpan(View(), kLetterUnitSyntax.slashAndPercent, span) &&
          MatchUnitText(View().substr(span.suffix, span.end - span.suffix), kDesignUnitTexts,
                        kDesUnitNum) >= 0) {
        return fail();
      }
    }

    eBaseUnits parsedBase = kBaseUnitNum;
    if (IsBaseLinearMeasure(&value, &parsedBase)) {
      if (!CheckMeasureDomain(*this, value, domain, FirstNonBlankIndex(View()))) return fail();
      if (base < 0 || base >= kBaseUnitNum) {
        ConvertBaseUnits(value, parsedBase, base);  // reports the bad argument
        m_eCurrentError = eErrNotAnInteger;
        return fail();
      }
      const double converted =
          parsedBase != base ? ConvertBaseUnits(value, parsedBase, base) : value;
      if (RoundToBaseUnits(converted, &result) != kStatusOk) {
        m_eCurrentError = eErrNotAnInteger;
        return fail();
      }
    } else if (m_eCurrentError != eErrNoUnit) {
      return fail();
    } else {
      // A bare number is taken in the caller's unit.
      if (!ReadPlainNumber(*this, &value)) return fail();
      if (!CheckMeasureDomain(*this, value, domain, FirstNonBlankIndex(View()))) return fail();
      if (DesignToBaseUnits(value, unit, &result, base) != kStatusOk) {
        m_eCurrentError = eErrNotAnInteger;
        return fail();
      }
    }
  }

  count = result;
  SetLinearMeasure(result, unit, base, 0, 1);
  return 1;
}

// ---- Base unit names -----------------------------------------------------------

CTarvil& CTarvil::AppendBaseUnit(const eUnitTypes& type, int addSpace, int inParentheses) {
  EnsureSettings();
  const eOrvantaNotations notation = s_Locale.m_eActiveNotation;
  return AppendBaseUnit(type, notation, addSpace, inParentheses);
}

CTarvil& CTarvil::AppendBaseUnit(const eUnitTypes& type, const eOrvantaNotations& notation,
                                 int addSpace, int inParentheses) {
  EnsureSettings();
  if (type == eNoUnit) return *this;
  CString name;
  s_OVUnits.GetBaseUnitString(type, notation, name);
  if (addSpace == 1) m_text += ' ';
  if (inParentheses == 1) {
    m_text += '(';
    m_text += name.View();
    m_text += ')';
  } else {
    m_text += name.View();
  }
  return *this;
}
