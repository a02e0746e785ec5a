// Values written and read with the symbols of the user's regional settings,
// taken from the user's registry: decimal comma, point groups.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include <tarvil/CTarvil.h>

#include "RegistryFiles.h"

namespace {

class RegionalNotationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tarvil::test::WriteBytes(m_dir / "user.reg",
                             "REGEDIT4\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Control Panel\\International]\r\n"
                             "\"sDecimal\"=\",\"\r\n"
                             "\"sThousand\"=\".\"\r\n"
                             "\"sGrouping\"=\"3;0\"\r\n"
                             "\"iDigits\"=\"2\"\r\n"
                             "\"iLZero\"=\"1\"\r\n");
    m_env.emplace("TARVIL_USER_REGISTRY", m_dir / "user.reg");
    CTarvil::SetLocale();
  }
  void TearDown() override {
    m_env.reset();
    CTarvil::SetLocale();
  }

 private:
  tarvil::test::TempDir m_dir;
  std::optional<tarvil::test::ScopedEnv> m_env;
};

TEST_F(RegionalNotationTest, WritingUsesTheUsersSymbols) {
  ASSERT_EQ(CTarvil::s_Locale.m_cDecimal, ',');
  ASSERT_EQ(CTarvil::s_Locale.m_cThousand, '.');
  struct Case {
    eOrvantaNotations notation;
    double value;
    const char* expected;
  } cases[] = {
      {eSI, 4700, "4,7k"},
      {eEuropean, 4700, "4k7"},
      {eEngineering, 1.2345e21, "1.234,5E18"},
      {eSPICE, 1e15, "1.000T"},
      {eDecimal, 1234.5678, "1.234,57"},  // two regional decimals
      {eDecimal, 0.25, "0,25"},
  };
  for (const Case& c : cases) {
    CTarvil text;
    text.SetDoubleForNotation(c.notation, c.value, 1, eNoUnit);
    EXPECT_EQ(std::string(text.View()), c.expected) << c.value;
  }
  CTarvil ohms;
  EXPECT_EQ(std::string(ohms.SetOhmMeasure(eEuropean, 4.7, 1, 1).View()), "4R7");
  CTarvil whole;
  EXPECT_EQ(std::string(whole.SetInteger(-1234567).View()), "-1.234.567");
}

TEST_F(RegionalNotationTest, ReadingUsesTheUsersSymbols) {
  struct Case {
    eOrvantaNotations notation;
    const char* text;
    double expected;
  } cases[] = {
      {eSI, "4,7k", 4700.0},
      {eSI, "1.234,5", 1234.5},
      {eEngineering, "1.234,5E18", 1234.5e18},
      {eEuropean, "4k7", 4700.0},
      {eDecimal, "-0,25", -0.25},
  };
  for (const Case& c : cases) {
    CTarvil text(c.text);
    double value = 0;
    ASSERT_EQ(text.IsDoubleForNotation(c.notation, &value, eNoUnit), 1) << c.text;
    EXPECT_EQ(value, c.expected) << c.text;
  }
  CTarvil point("4.7k");  // "." is the grouping symbol here
  double value = 0;
  EXPECT_EQ(point.IsDoubleForNotation(eSI, &value, eNoUnit), 1);
  EXPECT_EQ(value, 47000.0);
  CTarvil field("4,7 kW");
  EXPECT_EQ(field.IsPowerMeasure(eSI, &value), 0);
  EXPECT_EQ(field.GetCursorPosition(), 4);
  int whole = 0;
  CTarvil grouped("1.234.567");
  EXPECT_EQ(grouped.GetInteger(&whole), S_OK);
  EXPECT_EQ(whole, 1234567);
}

}  // namespace
