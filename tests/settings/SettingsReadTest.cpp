// Reading the regional and notation settings from the user's hive file.
#include <gtest/gtest.h>

#include <string>

#include "CTarvil.h"
#include "SettingsFixture.h"

using tarvil::test::ReadBytes;
using tarvil::test::ScopedEnv;
using tarvil::test::WriteBytes;

namespace {

using SettingsRead = tarvil::test::SettingsTest;

const char* const kDefaultNotationKey =
    "[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta Notation]\n"
    "\"Engineering\"=dword:00000004\n"
    "\"European\"=dword:00000004\n"
    "\"Scientific\"=dword:00000004\n"
    "\"SI\"=dword:00000004\n"
    "\"SPICE\"=dword:00000004\n"
    "\"Angle\"=dword:00000003\n"
    "\"Percentage\"=dword:00000002\n"
    "\"Time\"=dword:00000002\n"
    "\"SuppressTrailingZeros\"=dword:00000001\n"
    "\"ActiveNotation\"=dword:00000003\n";

void ExpectNotationDefaults(const CTarvilLocale& l) {
  EXPECT_EQ(l.m_nEngPrecision, 4);
  EXPECT_EQ(l.m_nEuroPrecision, 4);
  EXPECT_EQ(l.m_nSciPrecision, 4);
  EXPECT_EQ(l.m_nSPICEPrecision, 4);
  EXPECT_EQ(l.m_nSIPrecision, 4);
  EXPECT_EQ(l.m_nAnglePrecision, 3);
  EXPECT_EQ(l.m_nTimePrecision, 2);
  EXPECT_EQ(l.m_nPercentPrecision, 2);
  EXPECT_EQ(l.m_nSuppressTrailingZeros, 1);
  EXPECT_EQ(l.m_eActiveNotation, eSI);
}

void ExpectRegionalDefaults(const CTarvilLocale& l) {
  EXPECT_EQ(l.m_cDecimal, '.');
  EXPECT_EQ(l.m_nDigits, 3);
  EXPECT_EQ(l.m_cThousand, ',');
  EXPECT_EQ(l.m_nGrouping, 3);
  EXPECT_EQ(l.m_nLeadingZero, 1);
}

TEST_F(SettingsRead, DefaultsWithoutAnyKeyAndTheNotationKeyIsCreated) {
  CTarvil::s_Locale.m_cDecimal = '#';
  CTarvil::s_Locale.m_nEngPrecision = 9;
  CTarvil::SetLocale();
  const CTarvilLocale& l = CTarvil::s_Locale;
  EXPECT_EQ(l.m_nLoaded, 1);
  ExpectRegionalDefaults(l);
  ExpectNotationDefaults(l);
  EXPECT_EQ(ReadBytes(user_), std::string("REGEDIT4\n\n") + kDefaultNotationKey);
}

TEST_F(SettingsRead, NotationKeyIsAddedAndOtherKeysKept) {
  const std::string before =
      "; kept by hand\n"
      "[HKEY_CURRENT_USER\\Control Panel\\International]\n"
      "\"sDecimal\"=\",\"\n"
      "\"sThousand\"=\".\"\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta]\n"
      "\"CommonDir\"=\"/opt/orvanta\"\n";
  WriteHive(before);
  CTarvil::SetLocale();
  EXPECT_EQ(CTarvil::s_Locale.m_cDecimal, ',');
  EXPECT_EQ(CTarvil::s_Locale.m_cThousand, '.');
  ExpectNotationDefaults(CTarvil::s_Locale);
  EXPECT_EQ(ReadBytes(user_), "REGEDIT4\n\n" + before + "\n" + kDefaultNotationKey);
  // Read again: nothing is written a second time.
  CTarvil::SetLocale();
  EXPECT_EQ(ReadBytes(user_), "REGEDIT4\n\n" + before + "\n" + kDefaultNotationKey);
}

struct RegionalCase {
  const char* values;  // lines of the regional key
  char decimal;
  int digits;
  char thousand;
  int grouping;
  int leadingZero;
};

TEST_F(SettingsRead, RegionalValuesTheirBuffersAndTypes) {
  const RegionalCase cases[] = {
      {"", '.', 3, ',', 3, 1},
      {"\"sDecimal\"=\",\"\n\"sThousand\"=\".\"\n", ',', 3, '.', 3, 1},
      {"\"sDecimal\"=\",,\"\n", '.', 3, ',', 3, 1},       // too long for its buffer
      {"\"sDecimal\"=\"\"\n", '.', 3, ',', 3, 1},         // no symbol at all
      {"\"sDecimal\"=dword:0000002c\n", '.', 3, ',', 3, 1},
      {"\"sDecimal\"=hex:3b\n\"sThousand\"=\" \"\n", ';', 3, ' ', 3, 1},  // type not checked
      {"\"iDigits\"=\"2\"\n", '.', 2, ',', 3, 1},
      {"\"iDigits\"=\"0\"\n", '.', 0, ',', 3, 1},
      {"\"iDigits\"=\"12\"\n", '.', 3, ',', 3, 1},
      {"\"iDigits\"=dword:00000002\n", '.', 3, ',', 3, 1},
      {"\"iDigits\"=\"x\"\n", '.', 0, ',', 3, 1},
      {"\"sThousand\"=\"'\"\n", '.', 3, '\'', 3, 1},
      {"\"sThousand\"=\"''\"\n", '.', 3, ',', 3, 1},
      {"\"sThousand\"=\"\"\n", '.', 3, ',', 3, 1},
      {"\"sThousand\"=hex:27\n", '.', 3, ',', 3, 1},
      {"\"sGrouping\"=\"3;0\"\n", '.', 3, ',', 3, 1},
      {"\"sGrouping\"=\"0;0\"\n", '.', 3, ',', 0, 1},
      {"\"sGrouping\"=\"4\"\n", '.', 3, ',', 4, 1},
      {"\"sGrouping\"=\"2;0\"\n", '.', 3, ',', 2, 1},
      {"\"sGrouping\"=\"3;2;0\"\n", '.', 3, ',', 3, 1},
      {"\"sGrouping\"=\"2;2;0\"\n", '.', 3, ',', 3, 1},
      {"\"sGrouping\"=dword:00000002\n", '.', 3, ',', 3, 1},
      {"\"sDecimal\"=\",\"\n\"sThousand\"=\",\"\n", ',', 3, '.', 0, 1},
      {"\"sDecimal\"=\".\"\n\"sThousand\"=\".\"\n\"sGrouping\"=\"4;0\"\n", '.', 3, ',', 0, 1},
      {"\"sDecimal\"=\",\"\n", ',', 3, '.', 0, 1},  // meets the default ","
      {"\"sDecimal\"=\"'\"\n\"sThousand\"=\"'\"\n", '\'', 3, '.', 0, 1},
      {"\"iLZero\"=\"0\"\n", '.', 3, ',', 3, 0},
      {"\"iLZero\"=\"1\"\n", '.', 3, ',', 3, 1},
      {"\"iLZero\"=\"2\"\n", '.', 3, ',', 3, 0},
      {"\"iLZero\"=\"\"\n", '.', 3, ',', 3, 0},
      {"\"iLZero\"=\"10\"\n", '.', 3, ',', 3, 1},
      {"\"iLZero\"=dword:00000000\n", '.', 3, ',', 3, 1},
      {"\"sDecimal\"=\",\"\n\"iDigits\"=\"4\"\n\"sThousand\"=\" \"\n\"sGrouping\"=\"3;0\"\n"
       "\"iLZero\"=\"0\"\n",
       ',', 4, ' ', 3, 0},
  };
  for (const auto& c : cases) {
    // With the notation key present, nothing is written.
    WriteHive(std::string(kDefaultNotationKey) +
              "[HKEY_CURRENT_USER\\Control Panel\\International]\n" + c.values);
    CTarvil::SetLocale();
    const CTarvilLocale& l = CTarvil::s_Locale;
    EXPECT_EQ(l.m_cDecimal, c.decimal) << c.values;
    EXPECT_EQ(l.m_nDigits, c.digits) << c.values;
    EXPECT_EQ(l.m_cThousand, c.thousand) << c.values;
    EXPECT_EQ(l.m_nGrouping, c.grouping) << c.values;
    EXPECT_EQ(l.m_nLeadingZero, c.leadingZero) << c.values;
  }
}

TEST_F(SettingsRead, NotationValuesAreTakenAsStored) {
  const std::string file =
      "[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta Notation]\n"
      "\"Engineering\"=dword:00000007\n"
      "\"European\"=dword:00000000\n"
      "\"Scientific\"=dword:0000000c\n"   // outside the setter's range: kept
      "\"SI\"=\"5\"\n"                     // a text: default
      "\"SPICE\"=hex:01,00,00,00,00\n"     // not four bytes: default
      "\"Angle\"=dword:00000001\n"
      "\"Time\"=hex:03\n"
      "\"SuppressTrailingZeros\"=dword:00000002\n"
      "\"ActiveNotation\"=dword:00000004\n";  // "Percentage" missing
  WriteHive(file);
  CTarvil::SetLocale();
  const CTarvilLocale& l = CTarvil::s_Locale;
  EXPECT_EQ(l.m_nEngPrecision, 7);
  EXPECT_EQ(l.m_nEuroPrecision, 0);
  EXPECT_EQ(l.m_nSciPrecision, 12);
  EXPECT_EQ(l.m_nSIPrecision, 4);
  EXPECT_EQ(l.m_nSPICEPrecision, 4);
  EXPECT_EQ(l.m_nAnglePrecision, 1);
  EXPECT_EQ(l.m_nTimePrecision, 2);
  EXPECT_EQ(l.m_nPercentPrecision, 2);
  EXPECT_EQ(l.m_nSuppressTrailingZeros, 0);
  EXPECT_EQ(l.m_eActiveNotation, eSPICE);
  // An existing key is only read.
  EXPECT_EQ(ReadBytes(user_), "REGEDIT4\n\n" + file);

  WriteHive(
      "[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta Notation]\n"
      "\"SuppressTrailingZeros\"=dword:00000000\n"
      "\"ActiveNotation\"=dword:ffffffff\n");
  CTarvil::SetLocale();
  EXPECT_EQ(CTarvil::s_Locale.m_nSuppressTrailingZeros, 0);
  EXPECT_EQ(CTarvil::s_Locale.m_eActiveNotation, -1);
}

TEST_F(SettingsRead, UnwritableHiveLeavesDefaultsAndTheFile) {
  // A hive that cannot be parsed whole is never rewritten; what parsed is read.
  const std::string broken =
      "REGEDIT4\n[HKEY_CURRENT_USER\\Control Panel\\International]\n\"sDecimal\"=\",\"\n"
      "this line is not registry text\n";
  WriteBytes(user_, broken);
  CTarvil::s_Locale.m_nEngPrecision = 9;
  CTarvil::SetLocale();
  EXPECT_EQ(CTarvil::s_Locale.m_cDecimal, ',');
  ExpectNotationDefaults(CTarvil::s_Locale);
  EXPECT_EQ(ReadBytes(user_), broken);

  // A hive whose folder cannot be made.
  WriteBytes(dir_ / "plain", "x");
  ScopedEnv env("TARVIL_USER_REGISTRY", dir_ / "plain/user.reg");
  CTarvil::s_Locale.m_nAnglePrecision = 0;
  CTarvil::SetLocale();
  ExpectRegionalDefaults(CTarvil::s_Locale);
  ExpectNotationDefaults(CTarvil::s_Locale);
  EXPECT_EQ(CTarvil::s_Locale.m_nLoaded, 1);
  EXPECT_EQ(ReadBytes(dir_ / "plain"), "x");
}

TEST_F(SettingsRead, ChangesAreSeenOnlyAfterARefresh) {
  WriteHive("[HKEY_CURRENT_USER\\Control Panel\\International]\n\"sDecimal\"=\",\"\n");
  CTarvil::SetLocale();
  CTarvil text("1.5");
  text.ConvertDecimalCLocaleToUserLocale();
  EXPECT_STREQ(text, "1,5");

  WriteHive(
      "[HKEY_CURRENT_USER\\Control Panel\\International]\n\"sDecimal\"=\"'\"\n"
      "[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta Notation]\n\"Engineering\"=dword:00000006\n");
  text = "2.5";
  text.ConvertDecimalCLocaleToUserLocale();
  EXPECT_STREQ(text, "2,5");

  // The notation refresh leaves the regional settings and the loaded flag.
  CTarvil::SetOVLocale();
  EXPECT_EQ(CTarvil::s_Locale.m_nEngPrecision, 6);
  EXPECT_EQ(CTarvil::s_Locale.m_cDecimal, ',');
  CTarvil::s_Locale.m_nLoaded = 0;
  CTarvil::SetOVLocale();
  EXPECT_EQ(CTarvil::s_Locale.m_nLoaded, 0);

  // The next operation then reads everything.
  text = "3.5";
  text.ConvertDecimalCLocaleToUserLocale();
  EXPECT_STREQ(text, "3'5");
  EXPECT_EQ(CTarvil::s_Locale.m_nLoaded, 1);
}

TEST_F(SettingsRead, FirstUseReplacesValuesSetBeforeIt) {
  WriteHive(
      "[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta Notation]\n\"Engineering\"=dword:00000002\n");
  CTarvil::s_Locale.m_nLoaded = 0;
  const int before = CTarvil::s_Locale.m_nEngPrecision;
  EXPECT_EQ(CTarvil::SetEngPrecision(7), before);
  EXPECT_EQ(CTarvil::s_Locale.m_nEngPrecision, 7);
  EXPECT_EQ(CTarvil::s_Locale.m_nLoaded, 0);  // the setter does not read
  CTarvil text("1.50");
  text.ConvertDecimalUserLocaleToCLocale();
  EXPECT_EQ(CTarvil::s_Locale.m_nEngPrecision, 2);
  EXPECT_EQ(CTarvil::s_Locale.m_nLoaded, 1);
}

struct NameCase {
  const char* name;
  int result;
};

TEST_F(SettingsRead, SetLocaleByName) {
  WriteHive("[HKEY_CURRENT_USER\\Control Panel\\International]\n\"sDecimal\"=\",\"\n");
  const NameCase cases[] = {{"intl", 1}, {nullptr, 1}, {"INTL", 0}, {"", 0},
                            {"intl ", 0}, {"Intl", 0}, {"de_DE", 0}};
  for (const auto& c : cases) {
    CTarvil::s_Locale.m_cDecimal = '#';
    CTarvil::s_Locale.m_nLoaded = 0;
    EXPECT_EQ(CTarvil::SetLocale(c.name), c.result) << (c.name ? c.name : "null");
    EXPECT_EQ(CTarvil::s_Locale.m_cDecimal, c.result ? ',' : '#') << (c.name ? c.name : "null");
    EXPECT_EQ(CTarvil::s_Locale.m_nLoaded, c.result) << (c.name ? c.name : "null");
  }
}

}  // namespace
