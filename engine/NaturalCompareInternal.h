// NaturalCompareInternal.h: the number-aware comparison of two texts, on
// which the CTarvilCompareNum family and the CTarvil::CompareNum members
// (string/CompareNum.cpp) are thin adapters. Not installed.
//
// The rule: the common part is skipped byte by byte; from the first byte
// where the texts differ, the text whose run of digits is longer sorts after
// the other (so "R9" < "R10"); when both runs end together the first
// differing byte decides, bytes compared as unsigned values (letters
// folded to upper case under the case-blind rules). The end of a text sorts
// before any byte. Results are exactly -1, 0 or 1.
//
// The routines read their arguments only: no static, no allocation, no
// locale. They may be called from any number of threads at once.
#ifndef TARVIL_NATURALCOMPAREINTERNAL_H
#define TARVIL_NATURALCOMPAREINTERNAL_H

#include <cstddef>
#include <string_view>

namespace tarvil::detail {

enum class CaseRule {
  kExact,               // bytes as they are
  kIgnoreCase,          // ASCII letters folded to upper case
  kIgnoreCaseThenExact  // case-blind; when equal so, the exact result
};

// NaturalCompare: -1, 0 or 1 as `a` sorts before, with or after `b` under
// `rule`. Every byte of the views takes part, a zero byte too. The views
// are compared by NaturalCompareViews (NaturalOrder.h), which the modern
// interface's NaturalLess also compiles inline.
int NaturalCompare(std::string_view a, std::string_view b, CaseRule rule) noexcept;

// NaturalCompareTerminated: the same over zero-terminated texts (a null one
// is empty), of which at most `limit` bytes take part. No byte past a
// terminator or past `limit` is read, so the texts need not be measured
// first and a long text that differs early costs nothing more.
int NaturalCompareTerminated(const char* a, const char* b, std::size_t limit,
                             CaseRule rule) noexcept;

}  // namespace tarvil::detail

#endif
