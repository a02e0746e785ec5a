// NaturalCompare.cpp: the number-aware comparison, one pass from the start.
//
// Views go through NaturalCompareViews (NaturalOrder.h), the routine the
// modern interface's NaturalLess compiles inline. Zero-terminated texts are
// seen only through At(i), the byte at `i` or the text's kEnd past its end,
// so the terminated form stops at the terminator (or the limit) without
// measuring the text first. kEnd is below every byte that can stand in the
// text, is no digit and is left alone by the case fold.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "NaturalCompareInternal.h"
#include "NaturalOrder.h"
#include "TextScanInternal.h"

namespace tarvil::detail {
namespace {

struct ViewText {
  std::string_view text;
};

// The terminator is the end; the limit, when there is one, reads as one.
// Without a limit each byte is read as it stands (the sort's common case).
template <bool kLimited>
struct TerminatedText {
  static constexpr int kEnd = 0;
  const unsigned char* text;
  std::size_t limit;
  int At(std::size_t i) const {
    if constexpr (kLimited) {
      return i < limit ? text[i] : kEnd;
    } else {
      return text[i];
    }
  }
};

// kEnd is no digit.
inline bool IsDigitKey(int key) { return IsDigitByte(static_cast<char>(key)); }

template <bool kFold>
inline int Key(int byte) {
  if constexpr (kFold) {
    return AsciiUpper(byte);
  } else {
    return byte;
  }
}

template <bool kFold, typename Text>
int Compare(Text a, Text b) {
  std::size_t i = 0;
  int d;
  for (;; ++i) {
    const int x = a.At(i);
    d = Key<kFold>(x) - Key<kFold>(b.At(i));
    if (d != 0) break;
    if (x == Text::kEnd) return 0;  // both ended (a zero difference means b ended too)
  }
  // From the first difference on, walk the two digit runs together while
  // both go on; neither text has ended at a byte walked over.
  if (IsDigitKey(a.At(i))) {
    while (IsDigitKey(b.At(i))) {
      ++i;
      if (!IsDigitKey(a.At(i))) break;
    }
  }
  if (IsDigitKey(a.At(i))) return 1;   // a's run is longer, or b has no digit here
  if (IsDigitKey(b.At(i))) return -1;  // b's run is longer, or a has no digit here
  return d < 0 ? -1 : 1;
}

template <bool kFold>
int Compare(ViewText a, ViewText b) {
  return NaturalCompareViews<kFold>(a.text, b.text);
}

// Texts are taken by value (a pointer and a length): the exact and
// case-blind comparisons of views then end in a jump, with nothing stored.
template <typename Text>
int CompareBy(Text a, Text b, CaseRule rule) {
  switch (rule) {
    case CaseRule::kExact:
      return Compare<false>(a, b);
    case CaseRule::kIgnoreCase:
      return Compare<true>(a, b);
    case CaseRule::kIgnoreCaseThenExact:
      break;
  }
  const int blind = Compare<true>(a, b);
  return blind != 0 ? blind : Compare<false>(a, b);
}

}  // namespace

int NaturalCompare(std::string_view a, std::string_view b, CaseRule rule) noexcept {
  return CompareBy(ViewText{a}, ViewText{b}, rule);
}

int NaturalCompareTerminated(const char* a, const char* b, std::size_t limit,
                             CaseRule rule) noexcept {
  const auto* x = reinterpret_cast<const unsigned char*>(a ? a : "");
  const auto* y = reinterpret_cast<const unsigned char*>(b ? b : "");
  if (limit == SIZE_MAX) {
    return CompareBy(TerminatedText<false>{x, limit}, TerminatedText<false>{y, limit}, rule);
  }
  return CompareBy(TerminatedText<true>{x, limit}, TerminatedText<true>{y, limit}, rule);
}

}  // namespace tarvil::detail
