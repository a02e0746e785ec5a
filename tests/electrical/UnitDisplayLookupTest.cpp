// Display lookups in lists a units definition file gives: displays that
// share their first letter, differ only in case, run over several bytes or
// hold characters beyond ASCII.
#include <gtest/gtest.h>

#include "COVUnitStorage.h"

namespace {

struct LookupCase {
  const char* text;
  eOrvantaNotations notation;
  int exponent;  // 99: nothing found
};

TEST(UnitDisplayLookup, FileListsMatchByLengthCaseAndBytes) {
  COVUnitStorage storage;
  // Resistance in SI: "m" and "M" only in their own case, "Meg" and "mil" in
  // any case, a base display, and a micro sign ("\xC2\xB5") in any case.
  storage.SetResistanceUnit(eSI, "milli", "m", -3, 1);
  storage.SetResistanceUnit(eSI, "mega", "M", 6, 1);
  storage.SetResistanceUnit(eSI, "giga", "Meg", 9, 0);
  storage.SetResistanceUnit(eSI, "thou", "mil", -5, 0);
  storage.SetResistanceUnit(eSI, "micro", "\xC2\xB5", -6, 0);
  storage.SetResistanceUnit(eSI, "none", "Ohm", 0, 0);
  // European: "k" and "kk" beside each other.
  storage.SetResistanceUnit(eEuropean, "kilo", "k", 3, 0);
  storage.SetResistanceUnit(eEuropean, "mega", "kk", 6, 0);

  const LookupCase cases[] = {
      {"m", eSI, -3},           {"M", eSI, 6},           {"MEG", eSI, 9},
      {"meg", eSI, 9},          {"MIL", eSI, -5},        {"Mil", eSI, -5},
      {"me", eSI, 99},          {"megs", eSI, 99},       {"\xC2\xB5", eSI, -6},
      {"\xC2\x95", eSI, 99},    {"\xC3\xB5", eSI, 99},   {"OHM", eSI, 0},
      {"ohm", eSI, 0},          {"Oh", eSI, 99},         {"k", eSI, 99},
      {"k7", eEuropean, 3},     {"K47", eEuropean, 3},   {"kk7", eEuropean, 6},
      {"KK", eEuropean, 6},     {"kkk7", eEuropean, 99}, {"7k", eEuropean, 99},
  };
  for (const LookupCase& c : cases) {
    const UnitEntry* e = storage.FindUnitByDisplay(c.text, eOhms, c.notation);
    if (c.exponent == 99) {
      EXPECT_EQ(e, nullptr) << c.text;
    } else {
      ASSERT_NE(e, nullptr) << c.text;
      EXPECT_EQ(e->exponent, c.exponent) << c.text;
    }
  }
}

}  // namespace
