// The electrical unit table: built-in answers, setters, completion of the
// Engineering and Scientific lists, display lookups and base unit names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "COVUnitStorage.h"

namespace {

std::vector<std::string> Displays(const UnitEntry* e, int count) {
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.emplace_back(e[i].display);
  return out;
}

const eUnitTypes kElectrical[] = {eAmps, eFarads, eHenrys, eOhms, eWatts, eVolts};

struct TableCase {
  eUnitTypes unit;
  int notation;
  int count;
  const char* first;  // display of the first row
  const char* last;   // display of the last row
};

TEST(COVUnitStorage, EmptyListsAnswerWithTheBuiltInTables) {
  COVUnitStorage storage;
  const TableCase cases[] = {
      {eOhms, eEngineering, 13, "E-18", "E18"}, {eOhms, eEuropean, 13, "a", "e"},
      {eOhms, eScientific, 37, "E-18", "E18"},  {eOhms, eSI, 13, "a", "e"},
      {eOhms, eSPICE, 10, "F", "T"},            {eVolts, eFullPrecision, 1, "", ""},
      {eAmps, eDecimal, 1, "", ""},             {eFarads, eCurrentNotation, 1, "", ""},
      {eHenrys, 99, 1, "", ""},                 {eWatts, -1, 1, "", ""},
      {eSeconds, eEngineering, 13, "a", "e"},   {eSeconds, eSPICE, 13, "a", "e"},
      {eNoUnit, eSPICE, 10, "F", "T"},          {static_cast<eUnitTypes>(42), eSI, 13, "a", "e"},
      {static_cast<eUnitTypes>(-5), eEngineering, 13, "E-18", "E18"},
  };
  for (const auto& c : cases) {
    int count = -1;
    const UnitEntry* e =
        storage.GetUnits(c.unit, static_cast<eOrvantaNotations>(c.notation), count);
    ASSERT_NE(e, nullptr) << c.unit << "/" << c.notation;
    ASSERT_EQ(count, c.count) << c.unit << "/" << c.notation;
    EXPECT_STREQ(e[0].display, c.first);
    EXPECT_STREQ(e[count - 1].display, c.last);
    for (int i = 1; i < count; ++i) EXPECT_LT(e[i - 1].exponent, e[i].exponent);
  }
  for (eUnitTypes unit : {eDegrees, eNanometers, eMps}) {
    int count = -1;
    EXPECT_EQ(storage.GetUnits(unit, eSI, count), nullptr);
    EXPECT_EQ(count, 0);
  }
}

TEST(COVUnitStorage, BuiltInRowsAreExact) {
  COVUnitStorage storage;
  int count = 0;
  const UnitEntry* spice = storage.GetUnits(eOhms, eSPICE, count);
  EXPECT_EQ(Displays(spice, count),
            (std::vector<std::string>{"F", "P", "N", "U", "M", "", "K", "MEG", "G", "T"}));
  const UnitEntry* si = storage.GetUnits(eOhms, eSI, count);
  EXPECT_EQ(Displays(si, count), (std::vector<std::string>{"a", "f", "p", "n", "u", "m", "", "k",
                                                          "M", "G", "T", "P", "e"}));
  std::vector<std::string> sensitive;
  for (int i = 0; i < count; ++i)
    if (si[i].caseSensitive) sensitive.emplace_back(si[i].name);
  EXPECT_EQ(sensitive, (std::vector<std::string>{"pico", "milli", "mega", "peta"}));
  const UnitEntry* sci = storage.GetUnits(eOhms, eScientific, count);
  for (int i = 0; i < count; ++i) {
    const int x = i - 18;
    EXPECT_EQ(sci[i].exponent, x);
    EXPECT_EQ(std::string(sci[i].display), x == 0 ? "" : "E" + std::to_string(x));
    EXPECT_EQ(std::string(sci[i].name), x == 0 ? "none" : sci[i].display);
  }
}

struct FindCase {
  const char* text;
  eUnitTypes unit;
  eOrvantaNotations notation;
  int exponent;  // 99: nothing found
};

TEST(COVUnitStorage, FindUnitByDisplay) {
  COVUnitStorage storage;
  const FindCase cases[] = {
      {"M", eOhms, eSI, 6},         {"m", eOhms, eSI, -3},       {"P", eOhms, eSI, 15},
      {"p", eOhms, eSI, -12},       {"K", eOhms, eSI, 3},        {"k", eOhms, eSI, 3},
      {"U", eOhms, eSI, -6},        {"meg", eOhms, eSPICE, 6},   {"Meg", eOhms, eSPICE, 6},
      {"MEG", eOhms, eSPICE, 6},    {"m", eOhms, eSPICE, -3},    {"f", eOhms, eSPICE, -15},
      {"k7", eOhms, eEuropean, 3},  {"k7", eOhms, eSI, 99},      {"M47", eOhms, eEuropean, 6},
      {"kohm", eOhms, eSI, 99},     {"k", eOhms, eSI, 3},        {"4k7", eOhms, eEuropean, 99},
      {"", eOhms, eSI, 99},         {"e3", eOhms, eEngineering, 3},
      {"E-12", eVolts, eScientific, -12},                        {"E+3", eVolts, eEngineering, 99},
      {"n", eSeconds, eSPICE, -9},  {"k", eDegrees, eSI, 99},    {"k", eNoUnit, eSI, 3},
      {"k", eOhms, eDecimal, 99},   {"MEGA", eOhms, eSPICE, 99}, {"ME", eOhms, eSPICE, 99},
      {"\xc2\xb5", eOhms, eSI, 99},
  };
  for (const auto& c : cases) {
    const UnitEntry* e = storage.FindUnitByDisplay(c.text, c.unit, c.notation);
    if (c.exponent == 99) {
      EXPECT_EQ(e, nullptr) << c.text << " in " << c.notation;
    } else {
      ASSERT_NE(e, nullptr) << c.text << " in " << c.notation;
      EXPECT_EQ(e->exponent, c.exponent) << c.text << " in " << c.notation;
    }
  }
  EXPECT_EQ(storage.FindUnitByDisplay(nullptr, eOhms, eSI), nullptr);
}

struct BaseCase {
  eUnitTypes unit;
  int notation;
  const char* name;
};

TEST(COVUnitStorage, BaseUnitFallbacks) {
  COVUnitStorage storage;
  const BaseCase cases[] = {
      {eAmps, eSI, "A"},         {eDegrees, eSI, "deg"},   {eFarads, eSPICE, "F"},
      {eHenrys, eSI, "H"},       {eNanometers, eSI, "nm"}, {eOhms, eSI, "ohms"},
      {eOhms, eSPICE, "ohms"},   {eOhms, eEuropean, "R"},  {eFarads, eEuropean, "F"},
      {eWatts, eSI, "W"},        {eSeconds, eSI, "s"},     {eVolts, eDecimal, "V"},
      {eMps, eEuropean, "m/s"},  {eNoUnit, eSI, " "},      {eNoUnit, eEuropean, " "},
      {eNoUnit, 7, " "},         {static_cast<eUnitTypes>(11), eSI, " "},
      {static_cast<eUnitTypes>(-1), eSI, " "},
  };
  for (const auto& c : cases) {
    CString out = "stale";
    storage.GetBaseUnitString(c.unit, static_cast<eOrvantaNotations>(c.notation), out);
    EXPECT_STREQ(out, c.name) << c.unit << "/" << c.notation;
  }
}

TEST(COVUnitStorage, SettersFillTheirOwnListOnly) {
  COVUnitStorage storage;
  EXPECT_EQ(storage.SetAmpUnit(eSI, "kilo", "kA", 3, 0), 1);
  EXPECT_EQ(storage.SetCapacitanceUnit(eEuropean, "none", "F", 0, 0), 1);
  EXPECT_EQ(storage.SetInductanceUnit(eSPICE, "micro", "U", -6, 0), 1);
  EXPECT_EQ(storage.SetResistanceUnit(eDecimal, "none", "Ohm", 0, 0), 1);
  EXPECT_EQ(storage.SetPowerUnit(eFullPrecision, "milli", "mW", -3, 1), 1);
  EXPECT_EQ(storage.SetVoltageUnit(eScientific, "none", "V", 0, 0), 1);
  EXPECT_EQ(storage.SetVoltageUnit(eCurrentNotation, "none", "V", 0, 0), 0);
  EXPECT_EQ(storage.SetVoltageUnit(static_cast<eOrvantaNotations>(-1), "none", "V", 0, 0), 0);

  int count = 0;
  const UnitEntry* amps = storage.GetUnits(eAmps, eSI, count);
  ASSERT_EQ(count, 1);
  EXPECT_STREQ(amps[0].display, "kA");
  storage.GetUnits(eAmps, eEuropean, count);
  EXPECT_EQ(count, 13);
  storage.GetUnits(eVolts, eSI, count);
  EXPECT_EQ(count, 13);
  EXPECT_EQ(storage.FindUnitByDisplay("KA", eAmps, eSI)->exponent, 3);
  EXPECT_EQ(storage.FindUnitByDisplay("k", eAmps, eSI), nullptr);
  EXPECT_EQ(storage.FindUnitByDisplay("MW", eWatts, eFullPrecision), nullptr);

  CString out;
  storage.GetBaseUnitString(eFarads, eEuropean, out);
  EXPECT_STREQ(out, "F");
  storage.GetBaseUnitString(eOhms, eDecimal, out);
  EXPECT_STREQ(out, "Ohm");
  storage.GetBaseUnitString(eAmps, eSI, out);  // no exponent-0 entry
  EXPECT_STREQ(out, "A");
}

TEST(COVUnitStorage, CompleteDefaultsFillsSingleEntryEngineeringAndScientificLists) {
  COVUnitStorage storage;
  storage.SetResistanceUnit(eEngineering, "Ohm", "Ohm", 0, 0);
  storage.SetVoltageUnit(eScientific, "Volt", "Volt", 0, 0);
  storage.SetAmpUnit(eEngineering, "kilo", "kA", 3, 0);  // one entry, not the base
  storage.SetCapacitanceUnit(eEngineering, "none", "F", 0, 0);
  storage.SetCapacitanceUnit(eEngineering, "kilo", "kF", 3, 0);  // two: left alone
  storage.SetInductanceUnit(eSI, "none", "Hy", 0, 0);  // other notations: left alone
  EXPECT_EQ(storage.CompleteDefaults(), 1);

  int count = 0;
  const UnitEntry* ohms = storage.GetUnits(eOhms, eEngineering, count);
  EXPECT_EQ(Displays(ohms, count),
            (std::vector<std::string>{"E-18", "E-15", "E-12", "E-9", "E-6", "E-3", "Ohm", "E3",
                                      "E6", "E9", "E12", "E15", "E18"}));
  const UnitEntry* volts = storage.GetUnits(eVolts, eScientific, count);
  ASSERT_EQ(count, 37);
  EXPECT_STREQ(volts[18].display, "Volt");
  EXPECT_STREQ(volts[19].display, "E1");
  storage.GetUnits(eAmps, eEngineering, count);
  EXPECT_EQ(count, 12);  // the built-in E3 row took the place of 'kA'
  storage.GetUnits(eFarads, eEngineering, count);
  EXPECT_EQ(count, 2);
  storage.GetUnits(eHenrys, eSI, count);
  EXPECT_EQ(count, 1);

  CString out;
  const struct {
    eUnitTypes unit;
    eOrvantaNotations notation;
    const char* name;
  } names[] = {{eOhms, eEngineering, "Ohm"}, {eVolts, eScientific, "Volt"},
               {eAmps, eEngineering, "A"},   {eFarads, eEngineering, "F"},
               {eHenrys, eSI, "Hy"},         {eOhms, eSI, "ohms"}};
  for (const auto& n : names) {
    storage.GetBaseUnitString(n.unit, n.notation, out);
    EXPECT_STREQ(out, n.name);
  }
}

TEST(COVUnitStorage, InitRunsOnce) {
  COVUnitStorage storage;
  EXPECT_EQ(storage.IsInitialised(), 0);
  storage.SetResistanceUnit(eEngineering, "Ohm", "Ohm", 0, 0);
  EXPECT_EQ(storage.Init(), 1);
  EXPECT_EQ(storage.IsInitialised(), 1);
  int count = 0;
  storage.GetUnits(eOhms, eEngineering, count);
  EXPECT_EQ(count, 13);
  EXPECT_EQ(storage.CompleteDefaults(), 0);
  EXPECT_EQ(storage.Init(), 1);
  storage.GetUnits(eOhms, eEngineering, count);
  EXPECT_EQ(count, 13);
}

}  // namespace
