// SearchInternal.h: the byte-string matcher behind the search, replace and
// field members of CTarvil.
//
// Matches begin and end on character boundaries of the multibyte code page,
// so a multi-byte character is only ever matched whole.
#ifndef TARVIL_SEARCHINTERNAL_H
#define TARVIL_SEARCHINTERNAL_H

#include <string_view>

namespace tarvil::detail {

// TextCase: whether a search tells ASCII letters of different case apart.
enum class TextCase { kExact, kIgnored };

// FindText: the index of the first occurrence of `needle` in `text` that
// begins at or after `start` (a character walk starts there) and ends on a
// character boundary, or -1. TextCase::kIgnored compares ASCII letters
// without regard to case. An empty needle is found at `start`; a start outside the text (or
// at its end) gives -1.
int FindText(std::string_view text, int start, std::string_view needle, TextCase textCase);

// FindLastText: the index of the last such occurrence that begins at or
// before `last`, or -1. An empty needle or a negative `last` gives -1.
int FindLastText(std::string_view text, int last, std::string_view needle, TextCase textCase);

}  // namespace tarvil::detail

#endif
