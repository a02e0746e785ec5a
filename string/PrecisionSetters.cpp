// PrecisionSetters.cpp: in-memory changes of the notation settings. None of
// these reads or writes the registry; the next SetLocale() or SetOVLocale()
// replaces what they stored.
#include "CTarvil.h"

namespace {

// Stores `value` in `field` when it lies in [low, high]; returns the previous
// value either way.
int Exchange(int& field, int value, int low, int high) {
  const int previous = field;
  if (value >= low && value <= high) field = value;
  return previous;
}

}  // namespace

int CTarvil::SetEngPrecision(int precision) {
  return Exchange(s_Locale.m_nEngPrecision, precision, 0, 9);
}
int CTarvil::SetEuroPrecision(int precision) {
  return Exchange(s_Locale.m_nEuroPrecision, precision, 0, 9);
}
int CTarvil::SetSciPrecision(int precision) {
  return Exchange(s_Locale.m_nSciPrecision, precision, 0, 9);
}
int CTarvil::SetSPICEPrecision(int precision) {
  return Exchange(s_Locale.m_nSPICEPrecision, precision, 0, 9);
}
int CTarvil::SetSIPrecision(int precision) {
  return Exchange(s_Locale.m_nSIPrecision, precision, 0, 9);
}
int CTarvil::SetAnglePrecision(int precision) {
  return Exchange(s_Locale.m_nAnglePrecision, precision, 0, 4);
}
int CTarvil::SetTimePrecision(int precision) {
  return Exchange(s_Locale.m_nTimePrecision, precision, 0, 3);
}
int CTarvil::SetPercentPrecision(int precision) {
  return Exchange(s_Locale.m_nPercentPrecision, precision, 0, 3);
}
int CTarvil::SetDigitsPrecision(int precision) {
  return Exchange(s_Locale.m_nDigits, precision, 0, 9);
}

eOrvantaNotations CTarvil::SetNotation(eOrvantaNotations notation) {
  const eOrvantaNotations previous = s_Locale.m_eActiveNotation;
  if (notation != eCurrentNotation) s_Locale.m_eActiveNotation = notation;
  return previous;
}
