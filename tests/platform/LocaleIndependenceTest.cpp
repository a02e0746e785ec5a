// Number text, classification and time text must not change when the host
// switches the process to a locale with ',' as decimal point.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "CRuntime.h"
#include "CString.h"
#include "CTime.h"
#include "Mbc.h"
#include "TestSupport.h"

namespace {

using namespace tarvil::platform;
using tarvil::test::EnvOverride;
using tarvil::test::ScopedLocale;

class GermanLocale : public testing::Test {
 protected:
  void SetUp() override {
    // The first name is the usual one; the others are spellings some
    // systems use for the same locale.
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
      m_locale = std::make_unique<ScopedLocale>(name);
      if (m_locale->ok()) break;
      m_locale.reset();
    }
    if (!m_locale) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed (.ci/run generates it)";
    // Make sure the locale really changed the C library's number text, so
    // that the checks below prove something.
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    ASSERT_STREQ(buf, "1,5");
  }
  std::unique_ptr<ScopedLocale> m_locale;
};

TEST_F(GermanLocale, NumberTextKeepsThePoint) {
  char g[kFormatGMax];
  FormatG(1.5, g);
  EXPECT_STREQ(g, "1.5");
  FormatG(1.5e-20, g);
  EXPECT_STREQ(g, "1.5E-020");
  FormatG(1234567, g);
  EXPECT_STREQ(g, "1.23457E+006");

  std::string fixed;
  FormatFixed(1234.5, 2, fixed);
  EXPECT_EQ(fixed, "1234.50");
  char buf[32];
  ASSERT_EQ(FormatFixedTo(-0.25, 3, buf, sizeof buf), 6);
  EXPECT_STREQ(buf, "-0.250");

  const char* end = nullptr;
  const char* text = "1.5,7";
  EXPECT_EQ(StrtodC(text, &end), 1.5);
  EXPECT_EQ(end, text + 3);
  EXPECT_EQ(AtofC("2.25"), 2.25);
  EXPECT_EQ(AtoiC("1.000"), 1);
  EXPECT_EQ(StrtolC("1.000", nullptr, 10), 1);
}

TEST_F(GermanLocale, FormatWritesThePointAndLeavesTheHostLocale) {
  CString s;
  s.Format("%.2f|%G|%g|%d", 1.5, 0.25, 1e-5, 1000);
  EXPECT_EQ(std::string(s.View()), "1.50|0.25|1e-05|1000");
  std::string longText(400, 'x');
  s.Format("%s %.3f", longText.c_str(), 2.5);
  EXPECT_EQ(std::string(s.View()), longText + " 2.500");

  // The host's own output still uses its locale afterwards.
  char buf[16];
  std::snprintf(buf, sizeof buf, "%.1f", 2.5);
  EXPECT_STREQ(buf, "2,5");
}

TEST_F(GermanLocale, ClassificationAndCaseDoNotFollowTheLocale) {
  EXPECT_TRUE(_ismbcalpha(0xE4));
  EXPECT_FALSE(_ismbclower(0xE4));
  EXPECT_EQ(_mbctoupper(0xE4), 0xE4u);
  EXPECT_FALSE(_ismbcpunct(0xB7));
  EXPECT_FALSE(_ismbcspace(0xA0));
  EXPECT_EQ(CString("\xC3\xA4").CompareNoCase("\xC3\x84"), 1);
  EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
  const unsigned char a[] = "STRASSE", b[] = "strasse";
  EXPECT_EQ(_mbsicmp(a, b), 0);
}

TEST_F(GermanLocale, TimeTextStaysEnglish) {
  EnvOverride tz("TZ", "UTC0");
  CString text = CTime(1015517100).Format("%a %A %b %B %p");
  EXPECT_EQ(std::string(text.View()), "Thu Thursday Mar March PM");
}

}  // namespace
