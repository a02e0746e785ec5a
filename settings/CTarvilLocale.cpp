// CTarvilLocale.cpp: placeholder until the registry readers land; the
// defaults stay in force.
#include "CTarvilLocale.h"

void CTarvilLocale::ReadRegional() {
  ReadNotation();
  m_nLoaded = 1;
}

void CTarvilLocale::ReadNotation() {}

int CTarvilLocale::GetPrecision(eOrvantaNotations notation) const {
  switch (notation) {
    case eEngineering: return m_nEngPrecision;
    case eEuropean: return m_nEuroPrecision;
    case eScientific: return m_nSciPrecision;
    case eSI: return m_nSIPrecision;
    case eSPICE: return m_nSPICEPrecision;
    default: return m_nDigits;
  }
}
