// MeasureClassification.cpp: which kind of measure a text holds (IsMeasure)
// and which kind of unit a text names (IsUnitString), physical or
// electrical.
#include <string>
#include <string_view>

#include "CTarvil.h"
#include "Mbc.h"
#include "MeasureInternal.h"
#include "UnitConversionInternal.h"

using namespace tarvil::platform;
using namespace tarvil::detail;

namespace {

bool IsLetter(char c) { return _ismbcalpha(static_cast<unsigned char>(c)) != 0; }

constexpr const char* kLinearUnitNames[] = {"in", "th", "mm", "um", "nm"};
constexpr const char* kAngleUnitNames[] = {"deg", "rad", "'", "\""};

// Tries `text` as each electrical measure, in a fixed order, under the
// active notation. Each try reads a fresh copy, so that no reader sees what
// another left in the text. Returns the kind, or eNoUnit; `last` keeps the
// state of the last refusal.
eUnitTypes ClassifyElectrical(std::string_view text, CTarvil& last) {
  using Test = int (CTarvil::*)();
  struct Try {
    Test test;
    eUnitTypes type;
  };
  static constexpr Try kTries[] = {
      {&CTarvil::IsAmpMeasure, eAmps},     {&CTarvil::IsCapacitanceMeasure, eFarads},
      {&CTarvil::IsInductanceMeasure, eHenrys}, {&CTarvil::IsPowerMeasure, eWatts},
      {&CTarvil::IsVoltMeasure, eVolts},   {&CTarvil::IsOhmMeasure, eOhms},
  };
  for (const Try& t : kTries) {
    last = CTarvil(text.data(), static_cast<int>(text.size()));
    if ((last.*t.test)()) return t.type;
  }
  return eNoUnit;
}

// The kind of `unit` (a unit text without surrounding blanks) as a unit
// string: the physical unit texts, lowered, then the electrical measures on
// the probe "1" + the lowered unit. `standsAlone`: no number of the user's
// stands before the unit, so a letter that right after a number is read as
// a prefix ('f' femto, 'a' atto) names its unit here ('f' the farad, 'a' the
// ampere); in `IsMeasure` the unit follows the user's number and reads as
// the electrical readers read it. Result 1 with `*type` set, or 0 with error
// 6 and the cursor in the unit text (the first probe's cursor less one).
int ClassifyUnitText(std::string_view unit, bool standsAlone, CTarvil& s, eUnitTypes* type) {
  std::string probeText = "1";
  probeText.append(unit);
  for (char& c : probeText) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  const std::string_view lowered = std::string_view(probeText).substr(1);

  eUnitTypes found = eNoUnit;
  if (MatchUnitText(lowered, kLinearUnitNames, 5) >= 0) {
    found = eNanometers;
  } else if (MatchUnitText(lowered, kAngleUnitNames, 4) >= 0) {
    found = eDegrees;
  } else if (MatchUnitText(lowered, kVpUnitTexts, kVpUnitNum) >= 0) {
    found = eMps;
  } else {
    for (int i = 0; i < kSIUnitNum && found == eNoUnit; ++i) {
      if (lowered == std::string_view(kSIUnitTexts[i])) found = eSeconds;
    }
  }
  CTarvil probe;
  if (found == eNoUnit) found = ClassifyElectrical(probeText, probe);
  if (found == eNoUnit && standsAlone) {
    // A blank keeps the unit apart from the probe's number: only a unit
    // name can stand there, never a prefix.
    probeText.insert(1, 1, ' ');
    CTarvil apart;
    found = ClassifyElectrical(probeText, apart);
  }
  if (found == eNoUnit) {
    s.m_eCurrentError = eErrNoUnit;
    s.m_nCursorPosition = probe.m_nCursorPosition > 0 ? probe.m_nCursorPosition - 1 : 0;
    return 0;
  }
  *type = found;
  return 1;
}

}  // namespace

int CTarvil::IsMeasure() {
  eUnitTypes type = eNoUnit;
  return IsMeasure(&type);
}

int CTarvil::IsMeasure(eUnitTypes* pType) {
  eUnitTypes scratch = eNoUnit;
  if (pType == nullptr) pType = &scratch;
  m_nCursorPosition = 0;
  m_eCurrentError = eErrNone;
  *pType = eNoUnit;

  const std::string_view text = View();
  const int length = static_cast<int>(text.size());
  if (length == 0) {
    m_eCurrentError = eErrEmpty;
    return 0;
  }
  m_nCursorPosition = length + 1;
  const int start = FirstNonBlankIndex(text);
  int end = length;
  while (end > start && IsBlankByte(text[end - 1])) --end;
  if (start >= end) {
    m_eCurrentError = eErrBlank;
    return 0;
  }
  const bool signed_ = text[start] == '-' || text[start] == '+';
  if (signed_ && end - start == 1) {
    // A sign with nothing behind it.
    m_eCurrentError = eErrInvalidCharacter;
    return 0;
  }
  if (!IsLetter(text[end - 1])) {
    m_eCurrentError = eErrNoUnit;
    return 0;
  }
  // The sign takes no further part.
  const int body = signed_ ? start + 1 : start;

  CTarvil probe;
  const eUnitTypes electrical = ClassifyElectrical(text.substr(body), probe);
  if (electrical != eNoUnit) {
    *pType = electrical;
    return 1;
  }

  int suffix = end;
  while (suffix > body && (IsLetter(text[suffix - 1]) || text[suffix - 1] == '/' ||
                           text[suffix - 1] == '%')) {
    --suffix;
  }
  if (suffix == body) {
    suffix = body + MbcLength(reinterpret_cast<const unsigned char*>(text.data()) + body);
    if (suffix > end) suffix = end;
  }

  CTarvil number(text.data() + body, suffix - body);
  if (!number.IsDouble()) {
    m_eCurrentError = number.m_eCurrentError;
    m_nCursorPosition = number.m_nCursorPosition + body;
    return 0;
  }
  CTarvil unit;
  eUnitTypes type = eNoUnit;
  if (!ClassifyUnitText(text.substr(suffix, end - suffix), false, unit, &type)) {
    m_eCurrentError = unit.m_eCurrentError;
    m_nCursorPosition = unit.m_nCursorPosition + suffix;
    return 0;
  }
  *pType = type;
  return 1;
}

int CTarvil::IsUnitString() {
  eUnitTypes type = eNoUnit;
  return IsUnitString(&type);
}

int CTarvil::IsUnitString(eUnitTypes* pType) {
  eUnitTypes scratch = eNoUnit;
  if (pType == nullptr) pType = &scratch;
  m_nCursorPosition = 0;
  m_eCurrentError = eErrNone;

  const std::string_view text = View();
  const int length = static_cast<int>(text.size());
  if (length == 0) {
    m_eCurrentError = eErrEmpty;
    return 0;
  }
  m_nCursorPosition = length + 1;
  const int start = FirstNonBlankIndex(text);
  int end = length;
  while (end > start && IsBlankByte(text[end - 1])) --end;
  if (start >= end) {
    // Blanks name no unit (not even through the probe below, which some
    // notations would read as a bare number).
    m_eCurrentError = eErrBlank;
    return 0;
  }
  return ClassifyUnitText(text.substr(start, end - start), true, *this, pType);
}
