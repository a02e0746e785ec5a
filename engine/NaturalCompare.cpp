// NaturalCompare.cpp: the number-aware comparison, one pass from the start.
//
// One algorithm serves views and zero-terminated texts: it sees a text only
// through At(i), the byte at `i` or the text's kEnd past its end, so the
// terminated form stops at the terminator (or the limit) without measuring
// the text first. kEnd is below every byte that can stand in the text, is
// no digit and is left alone by the case fold.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "NaturalCompareInternal.h"
#include "TextScanInternal.h"

namespace tarvil::detail {
namespace {

// A zero byte is a byte of a view, so its end lies below every byte.
struct ViewText {
  static constexpr int kEnd = -1;
  std::string_view text;
  int At(std::size_t i) const {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : kEnd;
  }
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

// kEnd of either text is no digit: 0, or -1 taken as the byte 0xFF.
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
int Compare(const Text& a, const Text& b) {
  std::size_t i = 0;
  if constexpr (std::is_same_v<Text, ViewText>) {
    // The common part of two views, without a bounds test per byte.
    const std::size_t n = a.text.size() < b.text.size() ? a.text.size() : b.text.size();
    while (i < n && Key<kFold>(static_cast<unsigned char>(a.text[i])) ==
                        Key<kFold>(static_cast<unsigned char>(b.text[i]))) {
      ++i;
    }
  }
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

template <typename Text>
int CompareBy(const Text& a, const Text& b, CaseRule rule) {
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
