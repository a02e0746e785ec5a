// NotationSettingsFixture.h: tests of the number writers and readers start
// from known settings (the defaults of the regional and notation settings,
// without a units definition file) and give the shared settings back as
// they found them, so that they also pass when every test runs in one
// process.
#ifndef TARVIL_TESTS_NOTATIONSETTINGSFIXTURE_H
#define TARVIL_TESTS_NOTATIONSETTINGSFIXTURE_H

#include <gtest/gtest.h>

#include <tarvil/CTarvil.h>

class NotationSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CTarvil::SetLocale();
    m_saved = CTarvil::s_Locale;
    CTarvilLocale& locale = CTarvil::s_Locale;
    locale.m_cDecimal = '.';
    locale.m_nDigits = 3;
    locale.m_cThousand = ',';
    locale.m_nGrouping = 3;
    locale.m_nEngPrecision = 4;
    locale.m_nEuroPrecision = 4;
    locale.m_nSciPrecision = 4;
    locale.m_nSPICEPrecision = 4;
    locale.m_nSIPrecision = 4;
    locale.m_nSuppressTrailingZeros = 1;
    locale.m_nLeadingZero = 1;
    locale.m_eActiveNotation = eSI;
  }
  void TearDown() override { CTarvil::s_Locale = m_saved; }

  // The user form of many European desktops: decimal comma, point groups.
  static void UseCommaDecimal() {
    CTarvil::s_Locale.m_cDecimal = ',';
    CTarvil::s_Locale.m_cThousand = '.';
  }

 private:
  CTarvilLocale m_saved;
};

#endif
