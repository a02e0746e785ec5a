// In-memory changes of the notation settings: ranges and previous values.
#include <gtest/gtest.h>

#include "CTarvil.h"
#include "SettingsFixture.h"

namespace {

class Probe : public CTarvil {
 public:
  using CTarvil::SetNotation;
};

using PrecisionSetters = tarvil::test::SettingsTest;

struct SetterCase {
  const char* name;
  int (*setter)(int);
  int CTarvilLocale::*field;
  int low;
  int high;
};

TEST_F(PrecisionSetters, StoreOnlyWithinRangeAndReturnThePreviousValue) {
  CTarvil::SetLocale();
  const SetterCase cases[] = {
      {"Eng", CTarvil::SetEngPrecision, &CTarvilLocale::m_nEngPrecision, 0, 9},
      {"Euro", CTarvil::SetEuroPrecision, &CTarvilLocale::m_nEuroPrecision, 0, 9},
      {"Sci", CTarvil::SetSciPrecision, &CTarvilLocale::m_nSciPrecision, 0, 9},
      {"SPICE", CTarvil::SetSPICEPrecision, &CTarvilLocale::m_nSPICEPrecision, 0, 9},
      {"SI", CTarvil::SetSIPrecision, &CTarvilLocale::m_nSIPrecision, 0, 9},
      {"Angle", CTarvil::SetAnglePrecision, &CTarvilLocale::m_nAnglePrecision, 0, 4},
      {"Time", CTarvil::SetTimePrecision, &CTarvilLocale::m_nTimePrecision, 0, 3},
      {"Percent", CTarvil::SetPercentPrecision, &CTarvilLocale::m_nPercentPrecision, 0, 3},
      {"Digits", CTarvil::SetDigitsPrecision, &CTarvilLocale::m_nDigits, 0, 9},
  };
  for (const auto& c : cases) {
    CTarvil::s_Locale.*c.field = 2;
    for (int v : {c.low - 1, c.high + 1, -2147483647 - 1, 2147483647}) {
      EXPECT_EQ(c.setter(v), 2) << c.name << " " << v;
      EXPECT_EQ(CTarvil::s_Locale.*c.field, 2) << c.name << " " << v;
    }
    EXPECT_EQ(c.setter(c.high), 2) << c.name;
    EXPECT_EQ(c.setter(c.low), c.high) << c.name;
    EXPECT_EQ(CTarvil::s_Locale.*c.field, c.low) << c.name;
  }
}

TEST_F(PrecisionSetters, NotationAndPrecisionLookup) {
  CTarvil::SetLocale();
  CTarvil::s_Locale.m_eActiveNotation = eSI;
  EXPECT_EQ(Probe::SetNotation(eCurrentNotation), eSI);
  EXPECT_EQ(CTarvil::s_Locale.m_eActiveNotation, eSI);
  EXPECT_EQ(Probe::SetNotation(eSPICE), eSI);
  EXPECT_EQ(Probe::SetNotation(eDecimal), eSPICE);
  EXPECT_EQ(CTarvil::s_Locale.m_eActiveNotation, eDecimal);

  CTarvilLocale& l = CTarvil::s_Locale;
  l.m_nEngPrecision = 1;
  l.m_nEuroPrecision = 2;
  l.m_nSciPrecision = 3;
  l.m_nSIPrecision = 4;
  l.m_nSPICEPrecision = 5;
  l.m_nDigits = 6;
  const int expected[] = {1, 2, 3, 4, 5, 6, 6, 6};
  for (int n = 0; n <= 7; ++n)
    EXPECT_EQ(l.GetPrecision(static_cast<eOrvantaNotations>(n)), expected[n]) << n;
  EXPECT_EQ(l.GetPrecision(static_cast<eOrvantaNotations>(-1)), 6);
}

}  // namespace
