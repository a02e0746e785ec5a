// TextScanInternal.h: the byte classes and blank trimming that every reader of the
// engine shares. The blanks are those of the multibyte runtime for single
// bytes (space, tab, line feed, vertical tab, form feed, carriage return);
// no byte of a multibyte character is a blank or a digit. Not installed.
#ifndef TARVIL_TEXTSCANINTERNAL_H
#define TARVIL_TEXTSCANINTERNAL_H

#include <string_view>

namespace tarvil::detail {

inline bool IsBlankByte(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline bool IsDigitByte(char c) { return c >= '0' && c <= '9'; }
// The case fold of the case-blind comparisons: the codes of ASCII
// lower-case letters become those of their upper-case forms; every other
// value (a byte, or a code below them such as an end marker) stays.
inline int AsciiUpper(int c) { return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c; }

// FirstNonBlankIndex: 0-based index of the first non-blank byte of `text`
// (its length when there is none).
inline int FirstNonBlankIndex(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlankByte(text[i])) ++i;
  return static_cast<int>(i);
}
inline int FirstNonBlankIndex(const char* text, int length) {
  return FirstNonBlankIndex(std::string_view(text, static_cast<std::size_t>(length)));
}

// EndOfNonBlank: one past the last non-blank byte of `text` at or after
// `start` (`start` when there is none).
inline int EndOfNonBlank(std::string_view text, int start) {
  int end = static_cast<int>(text.size());
  while (end > start && IsBlankByte(text[static_cast<std::size_t>(end - 1)])) --end;
  return end;
}

// The non-blank part of a text: bytes [first, end). A text of blanks alone
// (or an empty one) has first == end == its length.
struct NonBlank {
  int first;
  int end;
  bool Blank() const { return first >= end; }
};

// TrimBlanks: the non-blank part of `text`; every reader trims with it.
inline NonBlank TrimBlanks(std::string_view text) {
  const int first = FirstNonBlankIndex(text);
  return NonBlank{first, EndOfNonBlank(text, first)};
}

// BlankPosition: where a reader reports a text of blanks alone: one past
// its end, where the value is missing. (The string class's number tests
// leave the text's length instead, as their cursor rule says; the modern
// interface uses this rule for every reader.)
inline int BlankPosition(std::string_view text) { return static_cast<int>(text.size()) + 1; }

}  // namespace tarvil::detail

#endif
