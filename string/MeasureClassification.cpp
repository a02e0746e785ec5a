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

template <std::size_t N>
constexpr int CountOf(const char* const (&)[N]) {
  return static_cast<int>(N);
}

// Where a unit text stands: after the user's number (in IsMeasure) or alone
// (in IsUnitString).
enum class UnitPlace { kAfterNumber, kAlone };

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
// the probe "1" + the lowered unit. UnitPlace::kAlone: no number of the user's
// stands before the unit, so a letter that right after a number is read as
// a prefix ('f' femto, 'a' atto) names its unit here ('f' the farad, 'a' the
// ampere); in `IsMeasure` the unit follows the user's number and reads as
// the electrical readers read it. Result 1 with `*type` set, or 0 with error
// 6 and the cursor in the unit text (the first probe's cursor less one).
int ClassifyUnitText(std::string_view unit, UnitPlace place, CTarvil& s, eUnitTypes* type) {
  std::string probeText = "1";
  probeText.append(unit);
  for (char& c : probeText) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  const std::string_view lowered = std::string_view(probeText).substr(1);

  eUnitTypes found = eNoUnit;
  if (MatchUnitText(lowered, kLinearUnitNames, CountOf(kLinearUnitNames)) >= 0) {
    found = eNanometers;
  } else if (MatchUnitText(lowered, kAngleUnitNames, CountOf(kAngleUnitNames)) >= 0) {
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
  if (found == eNoUnit && place == UnitPlace::kAlone) {
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

// The text without its outer blanks: [start, end), or false with the
// refusal of an empty or blank text set in `s` (cursor 0 for an empty one,
// length + 1 for a blank one, which stays for the refusals that follow).
bool FindNonBlankSpan(std::string_view text, CTarvil& s, int& start, int& end) {
  const int length = static_cast<int>(text.size());
  if (length == 0) {
    s.m_eCurrentError = eErrEmpty;
    return false;
  }
  s.m_nCursorPosition = length + 1;
  start = FirstNonBlankIndex(text);
  end = length;
  while (end > start && IsBlankByte(text[end - 1])) --end;
  if (start >= end) {
    s.m_eCurrentError = eErrBlank;
    return false;
  }
  return true;
}

// The measure in `text` without outer blanks and sign: [body, end), or
// false with the refusal set in `s` of a text that holds none (empty,
// blank, a sign alone, no letter at its end).
bool FindMeasureBody(std::string_view text, CTarvil& s, int& body, int& end) {
  int start = 0;
  if (!FindNonBlankSpan(text, s, start, end)) return false;
  const bool signed_ = text[start] == '-' || text[start] == '+';
  if (signed_ && end - start == 1) {
    // A sign with nothing behind it.
    s.m_eCurrentError = eErrInvalidCharacter;
    return false;
  }
  if (!IsLetter(text[end - 1])) {
    s.m_eCurrentError = eErrNoUnit;
    return false;
  }
  // The sign takes no further part.
  body = signed_ ? start + 1 : start;
  return true;
}

// Where the unit of the measure [body, end) begins: at the run of letters,
// '/' and '%' that ends it, or after its first character when the run is
// all of it.
int UnitSuffixStart(std::string_view text, int body, int end) {
  int suffix = end;
  while (suffix > body && (IsLetter(text[suffix - 1]) || text[suffix - 1] == '/' ||
                           text[suffix - 1] == '%')) {
    --suffix;
  }
  if (suffix == body) {
    suffix = body + MbcLength(reinterpret_cast<const unsigned char*>(text.data()) + body);
    if (suffix > end) suffix = end;
  }
  return suffix;
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
  int body = 0;
  int end = 0;
  if (!FindMeasureBody(text, *this, body, end)) return 0;

  CTarvil probe;
  const eUnitTypes electrical = ClassifyElectrical(text.substr(body), probe);
  if (electrical != eNoUnit) {
    *pType = electrical;
    return 1;
  }

  const int suffix = UnitSuffixStart(text, body, end);
  CTarvil number(text.data() + body, suffix - body);
  if (!number.IsDouble()) {
    m_eCurrentError = number.m_eCurrentError;
    m_nCursorPosition = number.m_nCursorPosition + body;
    return 0;
  }
  CTarvil unit;
  eUnitTypes type = eNoUnit;
  if (!ClassifyUnitText(text.substr(suffix, end - suffix), UnitPlace::kAfterNumber, unit, &type)) {
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
  int start = 0;
  int end = 0;
  // Blanks name no unit (not even through the probe, which some notations
  // would read as a bare number).
  if (!FindNonBlankSpan(text, *this, start, end)) return 0;
  return ClassifyUnitText(text.substr(start, end - start), UnitPlace::kAlone, *this, pType);
}
