// Number-aware comparison: the rule's cases, the limit, null texts, the
// ordering properties that sorting relies on, and the view routine against
// a reference on random pairs.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "CTarvil.h"
#include "NaturalCompareInternal.h"
#include "NaturalOrder.h"

namespace {

using tarvil::detail::CaseRule;
using tarvil::detail::NaturalCompare;

using CompareFn = int (*)(const char*, const char*);
using CompareNFn = int (*)(const char*, const char*, int);

constexpr CompareFn kNum = CTarvilCompareNum;
constexpr CompareFn kNoCase = CTarvilCompareNumNoCase;
constexpr CompareFn kNoCaseCase = CTarvilCompareNumNoCaseCase;
constexpr CompareNFn kNumN = CTarvilCompareNum;
constexpr CompareNFn kNoCaseN = CTarvilCompareNumNoCase;
constexpr CompareNFn kNoCaseCaseN = CTarvilCompareNumNoCaseCase;

struct Case {
  const char* a;
  const char* b;
  int num;         // case-sensitive
  int noCase;      // case-insensitive
  int noCaseCase;  // case-insensitive, case as tie-break
};

const Case kCases[] = {
    {"R9", "R10", -1, -1, -1},
    {"R10", "R9", 1, 1, 1},
    {"R10", "R10", 0, 0, 0},
    {"C12", "C13", -1, -1, -1},
    {"C123", "C13", 1, 1, 1},
    {"x010", "x9", 1, 1, 1},   // leading zeros count as digits
    {"x9", "x010", -1, -1, -1},
    {"a1", "ab", 1, 1, 1},     // a digit sorts after a non-digit
    {"ab", "a1", -1, -1, -1},
    {"a", "a1", -1, -1, -1},
    {"a1", "a", 1, 1, 1},
    {"", "", 0, 0, 0},
    {"", "a", -1, -1, -1},
    {"", "0", -1, -1, -1},
    {"r10", "R9", 1, 1, 1},
    {"abc", "ABC", 1, 0, 1},   // 'a' is 0x61, 'A' 0x41
    {"ABC", "abc", -1, 0, -1},
    {"U1A", "u1b", -1, -1, -1},
    {"U1b", "u1A", -1, 1, 1},
    {"R2a", "R10", -1, -1, -1},
    {"R10a", "R10", 1, 1, 1},
    {"R10", "R10a", -1, -1, -1},
    {"12", "12", 0, 0, 0},
    {"1.5", "1.10", -1, -1, -1},
    {"J1-2", "J1-10", -1, -1, -1},
    {"_", "a", -1, 1, 1},      // '_' lies between the upper and lower letters
    {"\xC3\xA9", "e", 1, 1, 1},  // bytes of multi-byte characters compare by value
    {"9", "\xC3\xA9", 1, 1, 1},
};

TEST(CompareNum, RuleCases) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
    EXPECT_EQ(kNum(c.a, c.b), c.num);
    EXPECT_EQ(kNoCase(c.a, c.b), c.noCase);
    EXPECT_EQ(kNoCaseCase(c.a, c.b), c.noCaseCase);
    // No limit below 1.
    for (int n : {0, -1, -1000}) {
      EXPECT_EQ(kNumN(c.a, c.b, n), c.num);
      EXPECT_EQ(kNoCaseN(c.a, c.b, n), c.noCase);
      EXPECT_EQ(kNoCaseCaseN(c.a, c.b, n), c.noCaseCase);
    }
    // A limit beyond both texts changes nothing.
    EXPECT_EQ(kNumN(c.a, c.b, 1000), c.num);
    EXPECT_EQ(kNoCaseCaseN(c.a, c.b, 1000), c.noCaseCase);
    // The members compare the object's text with the other.
    CTarvil t(c.a);
    EXPECT_EQ(t.CompareNum(c.b), c.num);
    EXPECT_EQ(t.CompareNumNoCase(c.b), c.noCase);
    EXPECT_EQ(t.CompareNumNoCaseCase(c.b), c.noCaseCase);
    EXPECT_EQ(t.CompareNum(c.b, 0), c.num);
    EXPECT_EQ(t.CompareNumNoCase(c.b, 0), c.noCase);
    EXPECT_EQ(t.CompareNumNoCaseCase(c.b, 0), c.noCaseCase);
    // The engine on views gives the same answers.
    EXPECT_EQ(NaturalCompare(c.a, c.b, CaseRule::kExact), c.num);
    EXPECT_EQ(NaturalCompare(c.a, c.b, CaseRule::kIgnoreCase), c.noCase);
    EXPECT_EQ(NaturalCompare(c.a, c.b, CaseRule::kIgnoreCaseThenExact), c.noCaseCase);
  }
}

TEST(CompareNum, Limit) {
  struct Row {
    const char* a;
    const char* b;
    int n;
    int num;
    int noCase;
    int noCaseCase;
  } rows[] = {
      {"R10x", "R10y", 3, 0, 0, 0},
      {"R10x", "R10y", 4, -1, -1, -1},
      {"R19", "R100", 2, 0, 0, 0},
      {"R19", "R100", 3, 1, 1, 1},  // the digit walk stops at the limit
      {"R19", "R100", 4, -1, -1, -1},
      {"R1", "R1", 5, 0, 0, 0},       // both end before the limit
      {"R1", "R12", 2, 0, 0, 0},
      {"R1", "R12", 3, -1, -1, -1},
      {"abcX", "ABCy", 3, 1, 0, 1},
      {"abcX", "ABCy", 4, 1, -1, -1},
      {"a", "b", 1, -1, -1, -1},
      {"9", "10", 1, 1, 1, 1},
      {"9", "10", 2, -1, -1, -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.a) + " vs " + row.b + " n=" + std::to_string(row.n));
    EXPECT_EQ(kNumN(row.a, row.b, row.n), row.num);
    EXPECT_EQ(kNoCaseN(row.a, row.b, row.n), row.noCase);
    EXPECT_EQ(kNoCaseCaseN(row.a, row.b, row.n), row.noCaseCase);
    CTarvil t(row.a);
    EXPECT_EQ(t.CompareNum(row.b, row.n), row.num);
    EXPECT_EQ(t.CompareNumNoCase(row.b, row.n), row.noCase);
    EXPECT_EQ(t.CompareNumNoCaseCase(row.b, row.n), row.noCaseCase);
    // A limit is a view of the first `n` bytes.
    const std::string_view a = std::string_view(row.a).substr(0, static_cast<std::size_t>(row.n));
    const std::string_view b = std::string_view(row.b).substr(0, static_cast<std::size_t>(row.n));
    EXPECT_EQ(NaturalCompare(a, b, CaseRule::kExact), row.num);
    EXPECT_EQ(NaturalCompare(a, b, CaseRule::kIgnoreCase), row.noCase);
    EXPECT_EQ(NaturalCompare(a, b, CaseRule::kIgnoreCaseThenExact), row.noCaseCase);
  }
}

TEST(CompareNum, ViewsEndAtTheirLengthNotAtAZeroByte) {
  using namespace std::string_view_literals;
  struct Row {
    std::string_view a, b;
    int result;
  } rows[] = {
      {"a\0b"sv, "a\0c"sv, -1},   // a zero byte inside a view is compared
      {"a\0"sv, "a"sv, 1},         // the end sorts before any byte, a zero one too
      {"a\0"sv, "a\x01"sv, -1},
      {"R\0" "9"sv, "R\0" "10"sv, -1},
      {"R10x"sv.substr(0, 3), "R9"sv, 1},  // not terminated at its end
      {"R10x"sv.substr(0, 3), "R10"sv, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.a) + " vs " + std::string(row.b));
    for (CaseRule rule : {CaseRule::kExact, CaseRule::kIgnoreCase, CaseRule::kIgnoreCaseThenExact}) {
      EXPECT_EQ(NaturalCompare(row.a, row.b, rule), row.result);
      EXPECT_EQ(NaturalCompare(row.b, row.a, rule), -row.result);
    }
  }
}

TEST(CompareNum, NullTextsCompareAsEmpty) {
  const char* null = nullptr;
  for (CompareFn f : {kNum, kNoCase, kNoCaseCase}) {
    EXPECT_EQ(f(null, null), 0);
    EXPECT_EQ(f(null, ""), 0);
    EXPECT_EQ(f(null, "a"), -1);
    EXPECT_EQ(f("1", null), 1);
  }
  for (CompareNFn f : {kNumN, kNoCaseN, kNoCaseCaseN}) {
    EXPECT_EQ(f(null, null, 3), 0);
    EXPECT_EQ(f(null, "a", 3), -1);
    EXPECT_EQ(f("a", null, 1), 1);
  }
  CTarvil t("a");
  EXPECT_EQ(t.CompareNum(null), 1);
  EXPECT_EQ(CTarvil().CompareNumNoCaseCase(null, 2), 0);
}

// ---- Ordering properties ---------------------------------------------------

// Designator-like names: a prefix of letters (in either case), a number that
// may have leading zeros, and sometimes a suffix ("U12A", "r010", "TP3-2",
// "C1_b"); bare numbers and prefixes of each other occur too.
std::vector<std::string> DesignatorNames(std::size_t count, unsigned seed) {
  static const char* const kPrefixes[] = {"R", "r", "C", "U", "u", "TP", "Tp", "J", "", "RN"};
  static const char* const kSuffixes[] = {"", "", "", "A", "a", "B", "-2", "-10", "_b", ".1", " "};
  std::mt19937 rng(seed);
  std::vector<std::string> names;
  names.reserve(count);
  while (names.size() < count) {
    std::string name = kPrefixes[rng() % 10];
    int zeros = static_cast<int>(rng() % 5 == 0 ? rng() % 3 : 0);
    name.append(static_cast<std::size_t>(zeros), '0');
    if (rng() % 8 != 0) name += std::to_string(rng() % (rng() % 2 ? 20 : 2000));
    name += kSuffixes[rng() % 11];
    names.push_back(name);
  }
  names.push_back("");
  return names;
}

// Every name over a small alphabet up to a length: all the shapes where
// digit runs, letters of both cases, punctuation and the end of the text
// meet at the first difference.
std::vector<std::string> AllNames(const std::string& alphabet, int maxLength) {
  std::vector<std::string> names{""};
  std::size_t from = 0;
  for (int length = 1; length <= maxLength; ++length) {
    std::size_t to = names.size();
    for (std::size_t k = from; k < to; ++k)
      for (char c : alphabet) names.push_back(names[k] + c);
    from = to;
  }
  return names;
}

// Checks that `cmp` is a strict weak ordering on `names` (antisymmetric,
// transitive, with transitive equivalence): sort with it, then every pair
// must agree with the sorted positions and equal names must stand together.
// Returns the first pair that does not, as "a | b".
template <typename Cmp>
std::string FirstDisorder(std::vector<std::string> names, Cmp cmp) {
  std::stable_sort(names.begin(), names.end(),
                   [&](const std::string& x, const std::string& y) { return cmp(x, y) < 0; });
  for (std::size_t i = 0; i < names.size(); ++i) {
    bool inEqualRun = true;
    for (std::size_t j = i + 1; j < names.size(); ++j) {
      int forward = cmp(names[i], names[j]);
      int backward = cmp(names[j], names[i]);
      if (forward != -backward || forward > 0) return names[i] + " | " + names[j];
      if (forward == 0 && !inEqualRun) return names[i] + " | " + names[j];
      if (forward != 0) inEqualRun = false;
    }
  }
  return "";
}

template <typename F>
auto Unlimited(F f) {
  return [f](const std::string& x, const std::string& y) { return f(x.c_str(), y.c_str()); };
}

template <typename F>
auto Limited(F f, int n) {
  return [f, n](const std::string& x, const std::string& y) { return f(x.c_str(), y.c_str(), n); };
}

TEST(CompareNumOrdering, StrictWeakOrderingOnDesignators) {
  const std::vector<std::string> names = DesignatorNames(1000, 20240611);
  // The engine on views agrees with the free functions on every pair.
  int disagreements = 0;
  for (std::size_t i = 0; i < names.size() && disagreements < 5; i += 3) {
    for (const std::string& y : names) {
      const std::string& x = names[i];
      if (NaturalCompare(x, y, CaseRule::kExact) != kNum(x.c_str(), y.c_str()) ||
          NaturalCompare(x, y, CaseRule::kIgnoreCase) != kNoCase(x.c_str(), y.c_str()) ||
          NaturalCompare(x, y, CaseRule::kIgnoreCaseThenExact) != kNoCaseCase(x.c_str(), y.c_str())) {
        ADD_FAILURE() << "'" << x << "' '" << y << "'";
        ++disagreements;
      }
    }
  }
  EXPECT_EQ(FirstDisorder(names, Unlimited(kNum)), "");
  EXPECT_EQ(FirstDisorder(names, Unlimited(kNoCase)), "");
  EXPECT_EQ(FirstDisorder(names, Unlimited(kNoCaseCase)), "");
  for (int n : {1, 2, 3, 5}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(FirstDisorder(names, Limited(kNumN, n)), "");
    EXPECT_EQ(FirstDisorder(names, Limited(kNoCaseN, n)), "");
    EXPECT_EQ(FirstDisorder(names, Limited(kNoCaseCaseN, n)), "");
  }
}

TEST(CompareNumOrdering, StrictWeakOrderingOnEveryShortName) {
  // Digits, letters of both cases, bytes just below and above the digits and
  // between the cases, a blank and a byte of a multi-byte character.
  const std::vector<std::string> names = AllNames(std::string("009aA/:_ \xC3", 10), 3);
  EXPECT_EQ(FirstDisorder(names, Unlimited(kNum)), "");
  EXPECT_EQ(FirstDisorder(names, Unlimited(kNoCase)), "");
  EXPECT_EQ(FirstDisorder(names, Unlimited(kNoCaseCase)), "");
  EXPECT_EQ(FirstDisorder(names, Limited(kNumN, 2)), "");
  EXPECT_EQ(FirstDisorder(names, Limited(kNoCaseCaseN, 2)), "");
}

TEST(CompareNumOrdering, ExhaustiveTriplesAreTransitive) {
  // Direct check of transitivity of both < and equivalence on every triple.
  const std::vector<std::string> names = AllNames("01aA-", 3);
  int faults = 0;
  for (const auto& x : names) {
    for (const auto& y : names) {
      const int xy = kNoCase(x.c_str(), y.c_str());
      if (xy > 0) continue;
      for (const auto& z : names) {
        const int yz = kNoCase(y.c_str(), z.c_str());
        if (yz > 0) continue;
        const int xz = kNoCase(x.c_str(), z.c_str());
        const bool less = xy < 0 || yz < 0;
        if (less ? xz >= 0 : xz != 0) {
          ADD_FAILURE() << "'" << x << "' '" << y << "' '" << z << "'";
          if (++faults > 5) return;
        }
      }
    }
  }
}

TEST(CompareNumOrdering, SortsNumbersByValue) {
  std::vector<std::string> names = {"R100", "R9", "R10", "R1", "R010", "R2", "C3", "R", "R1A"};
  std::sort(names.begin(), names.end(),
            [](const std::string& x, const std::string& y) { return kNum(x.c_str(), y.c_str()) < 0; });
  const std::vector<std::string> expected = {"C3", "R", "R1", "R1A", "R2", "R9", "R10", "R010", "R100"};
  EXPECT_EQ(names, expected);
}

// The order of two views as one byte walk from the start, the end of a view
// below every byte: the engine's routine before NaturalCompareViews, kept
// as the reference for it.
int ReferenceCompare(std::string_view a, std::string_view b, bool fold) {
  const auto at = [](std::string_view t, std::size_t i) {
    return i < t.size() ? static_cast<unsigned char>(t[i]) : -1;
  };
  const auto key = [fold](int c) { return fold && c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; };
  const auto digit = [](int c) { return c >= '0' && c <= '9'; };
  std::size_t i = 0;
  int d;
  for (;; ++i) {
    d = key(at(a, i)) - key(at(b, i));
    if (d != 0) break;
    if (at(a, i) == -1) return 0;
  }
  if (digit(at(a, i))) {
    while (digit(at(b, i))) {
      ++i;
      if (!digit(at(a, i))) break;
    }
  }
  if (digit(at(a, i))) return 1;
  if (digit(at(b, i))) return -1;
  return d < 0 ? -1 : 1;
}

// Random pairs of names from letters of both cases, digits, runs of zeros,
// a long digit run, a zero byte and a byte above ASCII; the second name
// mostly keeps a prefix of the first, so differences fall inside digit
// runs and after long common parts.
TEST(CompareNumOrdering, ViewsAgreeWithTheReferenceOnRandomPairs) {
  using namespace std::string_view_literals;
  static constexpr std::string_view kPieces[] = {
      "a", "A", "z", "Z", "r", "R", "1", "9", "5", "0", "00", "000", "_", "\0"sv, "\xFF",
      "123456789012345678901234567890"};
  std::mt19937 rng(20261209);
  const auto name = [&](std::size_t pieces) {
    std::string text;
    for (std::size_t k = 0; k < pieces; ++k) text += kPieces[rng() % std::size(kPieces)];
    return text;
  };
  int faults = 0;
  for (int round = 0; round < 200000 && faults < 5; ++round) {
    const std::string a = name(rng() % 8);
    std::string b = a.substr(0, rng() % (a.size() + 1)) + name(rng() % 4);
    if (!b.empty() && rng() % 4 == 0) b[rng() % b.size()] ^= 0x20;  // a case variant
    const int exact = ReferenceCompare(a, b, false);
    const int blind = ReferenceCompare(a, b, true);
    const bool agree = NaturalCompare(a, b, CaseRule::kExact) == exact &&
                       NaturalCompare(a, b, CaseRule::kIgnoreCase) == blind &&
                       NaturalCompare(a, b, CaseRule::kIgnoreCaseThenExact) ==
                           (blind != 0 ? blind : exact) &&
                       tarvil::detail::NaturalCompareViews<false>(a, b) == exact;
    if (!agree) {
      ADD_FAILURE() << "'" << a << "' '" << b << "'";
      ++faults;
    }
  }
}

}  // namespace
