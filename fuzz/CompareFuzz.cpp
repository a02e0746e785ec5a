// CompareFuzz.cpp: the number-aware comparisons on arbitrary pairs of texts.
//
// Input: limit byte, then the two texts separated by a NUL. For each rule,
// with and without the limit: the result is -1, 0 or 1; swapping the texts
// negates it; a text equals itself; the members agree with the free
// functions; the rule that breaks case ties agrees with the case-blind rule
// whenever that one sees a difference, and with the case-sensitive rule
// otherwise; a limit beyond both texts changes nothing; the engine on views
// of the first `n` bytes gives the limited result.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "CTarvil.h"
#include "FuzzSupport.h"
#include "NaturalCompareInternal.h"

using namespace tarvil::fuzz;

namespace {

using Compare2 = int (*)(const char*, const char*);
using Compare3 = int (*)(const char*, const char*, int);

struct Rule {
  const char* name;
  Compare2 whole;
  Compare3 limited;
};

const Rule kRules[] = {
    {"CTarvilCompareNum", CTarvilCompareNum, CTarvilCompareNum},
    {"CTarvilCompareNumNoCase", CTarvilCompareNumNoCase, CTarvilCompareNumNoCase},
    {"CTarvilCompareNumNoCaseCase", CTarvilCompareNumNoCaseCase, CTarvilCompareNumNoCaseCase},
};

std::string Pair(const char* rule, const std::string& a, const std::string& b, int n) {
  return std::string(rule) + "(" + Printable(a) + ", " + Printable(b) +
         (n == 0 ? std::string(")") : ", " + std::to_string(n) + ")");
}

void CheckRule(const Rule& rule, const std::string& a, const std::string& b, int n) {
  const int ab = rule.limited(a.c_str(), b.c_str(), n);
  const int ba = rule.limited(b.c_str(), a.c_str(), n);
  FUZZ_CHECK(ab == -1 || ab == 0 || ab == 1, Pair(rule.name, a, b, n) + " gave " + std::to_string(ab));
  FUZZ_CHECK(ab == -ba, Pair(rule.name, a, b, n) + " gave " + std::to_string(ab) +
                            " but the swapped pair gave " + std::to_string(ba));
  FUZZ_CHECK(rule.limited(a.c_str(), a.c_str(), n) == 0, Pair(rule.name, a, a, n) + " is not 0");
  if (n < 1) {
    FUZZ_CHECK(rule.whole(a.c_str(), b.c_str()) == ab,
               Pair(rule.name, a, b, n) + ": a limit below 1 is not the whole text");
  }
  const int beyond = static_cast<int>(a.size() + b.size()) + 1;
  FUZZ_CHECK(rule.limited(a.c_str(), b.c_str(), beyond) == rule.whole(a.c_str(), b.c_str()),
             Pair(rule.name, a, b, beyond) + ": a limit beyond both texts changes the result");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const int n = in.Pick(-2, 40);
  const std::string a = in.Field();
  std::string b = in.Rest();
  b.resize(std::strlen(b.c_str()));

  for (const Rule& rule : kRules) CheckRule(rule, a, b, n);

  const int sensitive = CTarvilCompareNum(a.c_str(), b.c_str(), n);
  const int blind = CTarvilCompareNumNoCase(a.c_str(), b.c_str(), n);
  const int tie = CTarvilCompareNumNoCaseCase(a.c_str(), b.c_str(), n);
  FUZZ_CHECK(tie == (blind != 0 ? blind : sensitive),
             Pair("CTarvilCompareNumNoCaseCase", a, b, n) + " gave " + std::to_string(tie));
  FUZZ_CHECK(sensitive != 0 || blind == 0,
             Pair("CTarvilCompareNum", a, b, n) + " is 0 but the case-blind rule differs");

  const CTarvil s(a.c_str());
  FUZZ_CHECK(s.CompareNum(b.c_str()) == CTarvilCompareNum(a.c_str(), b.c_str()) &&
                 s.CompareNum(b.c_str(), n) == sensitive &&
                 s.CompareNumNoCase(b.c_str()) == CTarvilCompareNumNoCase(a.c_str(), b.c_str()) &&
                 s.CompareNumNoCase(b.c_str(), n) == blind &&
                 s.CompareNumNoCaseCase(b.c_str()) ==
                     CTarvilCompareNumNoCaseCase(a.c_str(), b.c_str()) &&
                 s.CompareNumNoCaseCase(b.c_str(), n) == tie,
             Pair("CompareNum members", a, b, n) + " disagree with the free functions");
  using tarvil::detail::CaseRule;
  using tarvil::detail::NaturalCompare;
  const std::size_t bytes = n < 1 ? std::string::npos : static_cast<std::size_t>(n);
  const std::string_view va = std::string_view(a).substr(0, bytes);
  const std::string_view vb = std::string_view(b).substr(0, bytes);
  FUZZ_CHECK(NaturalCompare(va, vb, CaseRule::kExact) == sensitive &&
                 NaturalCompare(va, vb, CaseRule::kIgnoreCase) == blind &&
                 NaturalCompare(va, vb, CaseRule::kIgnoreCaseThenExact) == tie,
             Pair("NaturalCompare", a, b, n) + " disagrees with the free functions");
  FUZZ_CHECK(CTarvilCompareNum(nullptr, a.c_str()) == CTarvilCompareNum("", a.c_str()),
             "a null text does not compare as an empty one");
  return 0;
}
