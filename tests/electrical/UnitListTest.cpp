// The sorted prefix list: order, replacement, growth, ownership and the
// out-of-memory paths.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "COVUnitStorage.h"
#include "UnitListInternal.h"

namespace {

std::vector<int> Exponents(const UnitList& list) {
  std::vector<int> out;
  const UnitEntry* e = list.GetEntries();
  for (int i = 0; i < list.GetCount(); ++i) out.push_back(e[i].exponent);
  return out;
}

struct AddStep {
  int exponent;
  const char* display;
  int result;  // what AddUnit returns
};

struct OrderCase {
  const char* title;
  std::vector<AddStep> steps;
  std::vector<int> exponents;
};

TEST(UnitList, KeepsAscendingUniqueExponents) {
  const OrderCase cases[] = {
      {"reverse", {{3, "k", 1}, {-3, "m", 2}, {0, "", 3}}, {-3, 0, 3}},
      {"middle", {{-6, "u", 1}, {6, "M", 2}, {0, "", 3}, {3, "k", 4}}, {-6, 0, 3, 6}},
      {"replace last", {{3, "k", 1}, {-3, "m", 2}, {0, "", 3}, {3, "K", 3}}, {-3, 0, 3}},
      {"replace first", {{3, "k", 1}, {-3, "m", 2}, {-3, "M", 2}}, {-3, 3}},
      {"replace only", {{0, "a", 1}, {0, "b", 1}}, {0}},
      {"extremes", {{2147483647, "x", 1}, {-2147483647 - 1, "y", 2}}, {-2147483647 - 1, 2147483647}},
  };
  for (const auto& c : cases) {
    UnitList list;
    for (const auto& s : c.steps)
      EXPECT_EQ(list.AddUnit("name", s.display, s.exponent, 0), s.result) << c.title;
    EXPECT_EQ(Exponents(list), c.exponents) << c.title;
  }
}

TEST(UnitList, ReplacementStoresTheNewFields) {
  UnitList list;
  list.AddUnit("kilo", "k", 3, 0);
  list.AddUnit("milli", "m", -3, 1);
  EXPECT_EQ(list.AddUnit("KILO", "K", 3, 1), 2);
  const UnitEntry* e = list.GetEntries();
  EXPECT_STREQ(e[1].name, "KILO");
  EXPECT_STREQ(e[1].display, "K");
  EXPECT_EQ(e[1].caseSensitive, 1);
  EXPECT_STREQ(e[0].display, "m");
}

TEST(UnitList, CopiesTextsAndTreatsNullAsEmpty) {
  UnitList list;
  std::string name = "kilo", display = "k";
  list.AddUnit(name.c_str(), display.c_str(), 3, 0);
  name = "XXXX";
  display = "X";
  list.AddUnit(nullptr, nullptr, 0, 0);
  const UnitEntry* e = list.GetEntries();
  EXPECT_STREQ(e[0].name, "");
  EXPECT_STREQ(e[0].display, "");
  EXPECT_STREQ(e[1].name, "kilo");
  EXPECT_STREQ(e[1].display, "k");
}

TEST(UnitList, EntryFormAndSelfReference) {
  UnitList list;
  EXPECT_EQ(list.AddUnit(static_cast<const UnitEntry*>(nullptr)), 0);
  UnitEntry e{const_cast<char*>("mega"), const_cast<char*>("M"), 6, 1};
  EXPECT_EQ(list.AddUnit(&e), 1);
  EXPECT_EQ(list.AddUnit(static_cast<const UnitEntry*>(nullptr)), 1);
  // Re-adding an entry of the list itself (same exponent) replaces it with
  // its own texts, also when the list must grow first.
  for (int i = 1; i < 10; ++i) list.AddUnit("p", "p", i * 100, 0);
  ASSERT_EQ(list.GetCount(), 10);
  EXPECT_EQ(list.AddUnit(&list.GetEntries()[0]), 10);
  EXPECT_STREQ(list.GetEntries()[0].display, "M");
  EXPECT_EQ(list.AddUnit(list.GetEntries()[0].name, list.GetEntries()[0].display, -1, 0), 11);
  EXPECT_STREQ(list.GetEntries()[0].name, "mega");
}

TEST(UnitList, GrowsByTen) {
  UnitList list;
  EXPECT_EQ(list.GetCapacity(), 10);
  for (int i = 0; i < 10; ++i) list.AddUnit("n", "d", i, 0);
  EXPECT_EQ(list.GetCapacity(), 10);
  EXPECT_EQ(list.AddUnit("n", "d", 10, 0), 11);
  EXPECT_EQ(list.GetCapacity(), 20);
  for (int i = 11; i < 21; ++i) list.AddUnit("n", "d", -i, 0);
  EXPECT_EQ(list.GetCount(), 21);
  EXPECT_EQ(list.GetCapacity(), 30);
  std::vector<int> e = Exponents(list);
  for (size_t i = 1; i < e.size(); ++i) EXPECT_LT(e[i - 1], e[i]);
}

TEST(UnitList, ClearKeepsCapacityAndAllowsReuse) {
  UnitList list;
  for (int i = 0; i < 12; ++i) list.AddUnit("n", "d", i, 0);
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetEntries(), nullptr);
  EXPECT_EQ(list.GetCapacity(), 20);
  EXPECT_EQ(list.AddUnit("kilo", "k", 3, 0), 1);
  EXPECT_STREQ(list.GetEntries()[0].display, "k");
}

// An allocator that fails from the given call on (counting from 0).
int g_allowed = 0;
void* Rationed(void* block, std::size_t size) {
  if (g_allowed <= 0) return nullptr;
  --g_allowed;
  return std::realloc(block, size);
}

class OutOfMemory : public ::testing::Test {
 protected:
  void TearDown() override { tarvil::detail::SetUnitListAllocator(nullptr); }
  static void Ration(int allocations) {
    g_allowed = allocations;
    tarvil::detail::SetUnitListAllocator(Rationed);
  }
};

TEST_F(OutOfMemory, FailedAddLeavesTheListAsItWas) {
  // Calls that succeed before the failure: 0 (name copy fails), 1 (display
  // copy fails), 2 (growth fails; the list is full).
  for (int allowed : {0, 1, 2}) {
    UnitList list;
    for (int i = 0; i < 10; ++i) list.AddUnit("n", "d", i * 3, 0);
    Ration(allowed);
    EXPECT_EQ(list.AddUnit("kilo", "k", 1, 0), 0) << allowed;  // insertion
    Ration(allowed);
    EXPECT_EQ(list.AddUnit("kilo", "k", 3, 0), 0) << allowed;  // replacement
    tarvil::detail::SetUnitListAllocator(nullptr);
    EXPECT_EQ(list.GetCount(), 10);
    EXPECT_EQ(list.GetCapacity(), 10);
    EXPECT_EQ(list.GetEntries()[1].exponent, 3);
    EXPECT_STREQ(list.GetEntries()[1].display, "d");
    EXPECT_EQ(list.AddUnit("kilo", "k", 1, 0), 11);
  }
}

TEST_F(OutOfMemory, UnusableListStillAnswersAndRecovers) {
  Ration(0);
  UnitList list;
  EXPECT_EQ(list.GetCapacity(), 0);
  EXPECT_EQ(list.GetEntries(), nullptr);
  EXPECT_EQ(list.AddUnit("kilo", "k", 3, 0), 0);
  tarvil::detail::SetUnitListAllocator(nullptr);
  EXPECT_EQ(list.AddUnit("kilo", "k", 3, 0), 1);
  EXPECT_EQ(list.GetCapacity(), 10);
}

TEST_F(OutOfMemory, StorageSetterReportsFailure) {
  COVUnitStorage storage;
  Ration(0);
  EXPECT_EQ(storage.SetResistanceUnit(eSI, "kilo", "kΩ", 3, 0), 0);
  tarvil::detail::SetUnitListAllocator(nullptr);
  int count = 0;
  storage.GetUnits(eOhms, eSI, count);
  EXPECT_EQ(count, 13);  // the built-in table still answers
}

}  // namespace
