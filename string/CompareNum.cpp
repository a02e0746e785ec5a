// CompareNum.cpp: the number-aware comparison of the interface, over the
// engine's NaturalCompareTerminated (engine/NaturalCompareInternal.h). A
// limit below 1 means every byte takes part.
#include <cstddef>
#include <cstdint>

#include "CTarvil.h"
#include "CompareNum.h"
#include "NaturalCompareInternal.h"

using tarvil::detail::CaseRule;
using tarvil::detail::NaturalCompareTerminated;

namespace {

inline std::size_t LimitOf(int n) { return n < 1 ? SIZE_MAX : static_cast<std::size_t>(n); }

}  // namespace

int CTarvilCompareNum(const char* a, const char* b) {
  return NaturalCompareTerminated(a, b, SIZE_MAX, CaseRule::kExact);
}

int CTarvilCompareNum(const char* a, const char* b, int n) {
  return NaturalCompareTerminated(a, b, LimitOf(n), CaseRule::kExact);
}

int CTarvilCompareNumNoCase(const char* a, const char* b) {
  return NaturalCompareTerminated(a, b, SIZE_MAX, CaseRule::kIgnoreCase);
}

int CTarvilCompareNumNoCase(const char* a, const char* b, int n) {
  return NaturalCompareTerminated(a, b, LimitOf(n), CaseRule::kIgnoreCase);
}

int CTarvilCompareNumNoCaseCase(const char* a, const char* b) {
  return NaturalCompareTerminated(a, b, SIZE_MAX, CaseRule::kIgnoreCaseThenExact);
}

int CTarvilCompareNumNoCaseCase(const char* a, const char* b, int n) {
  return NaturalCompareTerminated(a, b, LimitOf(n), CaseRule::kIgnoreCaseThenExact);
}

// ---- Members: the object's text (up to its first zero byte) is the first
// text ------------------------------------------------------------------------

int CTarvil::CompareNum(const char* s) const { return CTarvilCompareNum(GetString(), s); }

int CTarvil::CompareNum(const char* s, int n) const { return CTarvilCompareNum(GetString(), s, n); }

int CTarvil::CompareNumNoCase(const char* s) const {
  return CTarvilCompareNumNoCase(GetString(), s);
}

int CTarvil::CompareNumNoCase(const char* s, int n) const {
  return CTarvilCompareNumNoCase(GetString(), s, n);
}

int CTarvil::CompareNumNoCaseCase(const char* s) const {
  return CTarvilCompareNumNoCaseCase(GetString(), s);
}

int CTarvil::CompareNumNoCaseCase(const char* s, int n) const {
  return CTarvilCompareNumNoCaseCase(GetString(), s, n);
}
