// NaturalOrder.h: the number-aware order of two views as an inline routine.
// The modern interface's NaturalLess (tarvil.h) compiles it into the
// caller, so a sort pays no call into the library per comparison; the
// library's natural_compare and the string class's members compare views
// through the same routine (engine/NaturalCompare.cpp), so every form gives
// one order. Installed with tarvil.h, which includes it; callers use
// tarvil.h.
//
// The rule: from the first byte where the texts differ (ASCII letters
// folded to upper case under kFold), the text whose run of digits goes on
// longer from there sorts after the other, so "R9" < "R10" and "R9" <
// "R9x" < "R10"; when both runs end together the differing bytes decide,
// as unsigned values. Where one text ends and the other goes on, the
// shorter sorts first. Every byte of a view takes part, a zero byte too.
#ifndef TARVIL_NATURALORDER_H
#define TARVIL_NATURALORDER_H

#include <cstddef>
#include <string_view>

namespace [[gnu::visibility("default")]] tarvil {
namespace detail {

// NaturalByteKey: a byte as the order compares it (the case fold is the
// engine's AsciiUpper, spelled here because an installed header can
// include no internal one).
template <bool kFold>
constexpr unsigned NaturalByteKey(unsigned char byte) noexcept {
  if constexpr (kFold) {
    return byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte;
  } else {
    return byte;
  }
}

constexpr bool NaturalDigit(unsigned char byte) noexcept { return byte >= '0' && byte <= '9'; }

// NaturalCompareViews: -1, 0 or 1 as `a` sorts before, with or after `b`.
// The common part is skipped a byte at a time: names in a sort mostly
// differ within their first few bytes, where this loop costs less than
// assembling words without reading past a view. From the first difference
// the two digit runs are walked together while both go on.
template <bool kFold>
[[nodiscard]] inline int NaturalCompareViews(std::string_view a, std::string_view b) noexcept {
  const auto* x = reinterpret_cast<const unsigned char*>(a.data());
  const auto* y = reinterpret_cast<const unsigned char*>(b.data());
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  std::size_t i = 0;
  while (i < n && NaturalByteKey<kFold>(x[i]) == NaturalByteKey<kFold>(y[i])) ++i;
  if (i == n) return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
  const int byteOrder = NaturalByteKey<kFold>(x[i]) < NaturalByteKey<kFold>(y[i]) ? -1 : 1;
  bool digitA = NaturalDigit(x[i]);
  bool digitB = NaturalDigit(y[i]);
  if (digitA && digitB) {
    do {
      ++i;
    } while (i < n && NaturalDigit(x[i]) && NaturalDigit(y[i]));
    digitA = i < a.size() && NaturalDigit(x[i]);
    digitB = i < b.size() && NaturalDigit(y[i]);
  }
  if (digitA != digitB) return digitA ? 1 : -1;  // the longer run sorts after
  return byteOrder;
}

}  // namespace detail
}  // namespace tarvil

#endif
