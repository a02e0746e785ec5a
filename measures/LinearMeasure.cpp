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
#include "LocaleInternal.h"
#include "Mbc.h"
#include "MeasureInternal.h"
#include "NotationInternal.h"
#include "UnitConversionInternal.h"

using namespace tarvil::platform;
using namespace tarvil::detail;

namespace tarvil::detail {
namespace {

// Configured precisions come from the registry unchecked; beyond this many
// decimals a double has nothing left to show.
constexpr int kMaxConfiguredDecimals = 64;

// The classes of _ismbcspace and _ismbcalpha for single bytes, spelled out
// because every measure reading tests each character of its text with them.
inline bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A byte of a multibyte character counts as a letter, as the character does.
inline bool IsLetter(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b >= 0x80;
}

bool IsSuffixChar(char c, bool slashAndPercent) {
  return IsLetter(c) || (slashAndPercent && (c == '/' || c == '%'));
}

void LoadSettings() {
  if (CTarvil::s_Locale.m_nLoaded == 0) CTarvil::SetLocale();
}

}  // namespace

int FirstNonBlank(std::string_view text) {
  int i = 0;
  const int n = static_cast<int>(text.size());
  while (i < n && IsBlank(text[i])) ++i;
  return i;
}

bool FindMeasureSpan(std::string_view text, bool slashAndPercent, MeasureSpan& span) {
  const int start = FirstNonBlank(text);
  int end = static_cast<int>(text.size());
  while (end > start && IsBlank(text[end - 1])) --end;
  if (start >= end || !IsLetter(text[end - 1])) return false;

  int suffix = end;
  while (suffix > start && IsSuffixChar(text[suffix - 1], slashAndPercent)) --suffix;
  if (suffix == start) {
    // The first character belongs to the number even when it is a letter.
    suffix = start + MbcLength(reinterpret_cast<const unsigned char*>(text.data()) + start);
    if (suffix > end) suffix = end;
  }
  span.start = start;
  span.end = end;
  span.suffix = suffix;
  return true;
}

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
  s.m_eCurrentError = FirstNonBlank(text) == static_cast<int>(text.size()) ? eErrBlank : eErrNoUnit;
  return false;
}

bool ReadMeasureNumber(CTarvil& s, const MeasureSpan& span, bool scientific, double* value) {
  const std::string_view text = s.View();
  int numberEnd = span.suffix;
  while (numberEnd > span.start && IsBlank(text[numberEnd - 1])) --numberEnd;
  const int length = numberEnd - span.start;
  const eOrvantaNotations notation = scientific ? eScientific : eDecimal;
  NumberScan scan{};
  // The number part is read from a copy (the reader may cut the text it
  // reads); an ordinary one fits on the stack.
  constexpr int kShortNumber = 64;
  if (length > 0 && length < kShortNumber) {
    if (CTarvil::s_Locale.m_nLoaded == 0) CTarvil::SetLocale();
    char part[kShortNumber];
    std::memcpy(part, text.data() + span.start, static_cast<std::size_t>(length));
    part[length] = '\0';
    scan = ScanNotationNumber(part, length, notation, eNoUnit);
  } else {
    CTarvil part(text.data() + span.start, length);
    double v = 0.0;
    const long status = part.GetDoubleForNotation(notation, &v, eNoUnit);
    scan = NumberScan{status == S_OK ? 1 : 0, part.m_eCurrentError, part.m_nCursorPosition, -1, v};
  }
  if (scan.ok == 0) {
    s.m_eCurrentError = scan.error;
    s.m_nCursorPosition = scan.cursor + span.start;
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
  CTarvil copy(static_cast<const CString&>(s));
  const long status = copy.GetDouble(value);
  s.m_eCurrentError = copy.m_eCurrentError;
  s.m_nCursorPosition = copy.m_nCursorPosition;
  return status == S_OK;
}

int MatchUnitText(std::string_view unit, const char* const* texts, int count) {
  for (int i = 0; i < count; ++i) {
    const std::string_view candidate = texts[i];
    if (candidate.size() != unit.size()) continue;
    bool same = true;
    for (size_t k = 0; k < unit.size() && same; ++k) {
      char c = unit[k];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      same = c == candidate[k];
    }
    if (same) return i;
  }
  return -1;
}

bool RefuseNonFinite(CTarvil& s, double value) {
  if (std::isfinite(value)) return true;
  s.m_eCurrentError = eErrTooLarge;
  s.m_nCursorPosition = FirstNonBlank(s.View()) + 1;
  return false;
}

bool RefuseUnderflow(CTarvil& s, double typed, double converted) {
  if (converted != 0.0 || typed == 0.0) return true;
  s.m_eCurrentError = eErrTooSmall;
  s.m_nCursorPosition = FirstNonBlank(s.View()) + 1;
  return false;
}

void FormatMeasureNumber(double v, int precision, int usePrecision, bool group,
                         std::string& out) {
  out.clear();
  if (!std::isfinite(v)) {
    out = std::isnan(v) ? "NaN" : "#INF";
    return;
  }
  LoadSettings();
  if (precision < 0) precision = 0;
  if (precision > kMaxConfiguredDecimals) precision = kMaxConfiguredDecimals;

  const int needed = CTarvilGetNumOfSigDigits(v);
  int decimals = needed;
  if (usePrecision == 1) {
    decimals = precision;
    if (CTarvil::s_Locale.m_nSuppressTrailingZeros == 1 && needed < precision) decimals = needed;
  }

  FormatFixed(v, decimals, out);
  if (out.size() >= 2 && out[0] == '-' && out[1] == '0') DropNegativeZeroSign(out);
  if (decimals >= 1) ToUserDecimal(out);
  if (group) InsertDigitGrouping(out, v);
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

  MeasureSpan span;
  if (!ScanMeasureText(*this, false, span)) return 0;
  if (!ReadMeasureNumber(*this, span, false, pValue)) return 0;
  if (!CheckMeasureDomain(*this, *pValue, domain, span.start)) return 0;

  const int unit = MatchUnitText(View().substr(span.suffix, span.end - span.suffix),
                                 kDesignUnitTexts, kDesUnitNum);
  if (unit < 0) {
    m_eCurrentError = eErrInvalidCharacter;
    m_nCursorPosition = span.suffix + 1;
    return 0;
  }
  *pUnits = static_cast<eDesignUnits>(unit);
  return 1;
}

int CTarvil::IsBaseLinearMeasure(double* pValue, eBaseUnits* pUnits) {
  *pUnits = kBaseUnitNum;
  MeasureSpan span;
  if (!ScanMeasureText(*this, false, span)) return 0;
  if (!ReadMeasureNumber(*this, span, false, pValue)) return 0;

  const int unit = MatchUnitText(View().substr(span.suffix, span.end - span.suffix),
                                 kBaseUnitTexts, kBaseUnitNum);
  if (unit < 0) {
    m_eCurrentError = eErrInvalidCharacter;
    m_nCursorPosition = span.suffix + 1;
    return 0;
  }
  *pUnits = static_cast<eBaseUnits>(unit);
  return 1;
}

// ---- Reading counts ----------------------------------------------------------

long CTarvil::GetBaseUnits(int* pCount, eBaseUnits base) {
  if (pCount == nullptr || base < 0 || base >= kBaseUnitNum) return E_INVALIDARG;
  *pCount = 0;
  m_nCursorPosition = 0;
  m_eCurrentError = eErrNone;
  if (IsEmpty()) {
    m_eCurrentError = eErrEmpty;
    return E_FAIL;
  }

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
  m_nCursorPosition = 0;
  m_eCurrentError = eErrNone;
  if (IsEmpty()) {
    m_eCurrentError = eErrEmpty;
    return E_FAIL;
  }

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
  FormatMeasureNumber(value, s_Locale.m_nDigits, usePrecision, true, m_text);
  if (showUnit == 1) m_text += kDesignUnitTexts[unit];
  return *this;
}

long CTarvil::FormatAsLinearMeasure(eDesignUnits unit, eBaseUnits base) {
  return FormatAsLinearMeasure(unit, unit, base);
}

long CTarvil::FormatAsLinearMeasure(eDesignUnits fromUnit, eDesignUnits toUnit, eBaseUnits base) {
  m_nCursorPosition = 0;
  m_eCurrentError = eErrNone;
  if (IsEmpty()) {
    m_eCurrentError = eErrEmpty;
    return E_FAIL;
  }
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
      if (FindMeasureSpan(View(), false, span) &&
          MatchUnitText(View().substr(span.suffix, span.end - span.suffix), kDesignUnitTexts,
                        kDesUnitNum) >= 0) {
        return fail();
      }
    }

    eBaseUnits parsedBase = kBaseUnitNum;
    if (IsBaseLinearMeasure(&value, &parsedBase)) {
      if (!CheckMeasureDomain(*this, value, domain, FirstNonBlank(View()))) return fail();
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
      if (!CheckMeasureDomain(*this, value, domain, FirstNonBlank(View()))) return fail();
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
