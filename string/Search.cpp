// Search.cpp: insertion, deletion and replacement in the text, forward and
// backward search with and without case, search-and-replace, and fields.
//
// None of these members touches the cursor position or the error code.
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

#include "CTarvil.h"
#include "Mbc.h"
#include "SearchInternal.h"

using namespace tarvil::platform;

namespace tarvil::detail {
namespace {

inline unsigned char AsciiLower(unsigned char b) {
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

// Bytes of the character that starts at `p`, with `avail` bytes left in the
// text: a valid UTF-8 sequence counts whole, any other byte on its own (as
// the multibyte runtime counts them).
inline std::size_t CharLen(const unsigned char* p, std::size_t avail) {
  unsigned char b = p[0];
  std::size_t len;
  if (b < 0xC2) return 1;
  if (b < 0xE0) len = 2;
  else if (b < 0xF0) len = 3;
  else if (b < 0xF5) len = 4;
  else return 1;
  if (len > avail) return 1;
  for (std::size_t i = 1; i < len; ++i)
    if ((p[i] & 0xC0) != 0x80) return 1;
  return len;
}

inline bool SameBytes(const unsigned char* a, const unsigned char* b, std::size_t n,
                      bool noCase) {
  if (!noCase) return std::memcmp(a, b, n) == 0;
  for (std::size_t i = 0; i < n; ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// True when the needle matched at `at` ends on a character boundary of the
// text, so that no character is split by the match.
inline bool EndsOnBoundary(const unsigned char* t, std::size_t size, std::size_t at,
                           std::size_t n) {
  std::size_t q = at;
  while (q < at + n) q += CharLen(t + q, size - q);
  return q == at + n;
}

inline bool MatchesAt(const unsigned char* t, std::size_t size, std::size_t at,
                      std::string_view needle, bool noCase) {
  const std::size_t n = needle.size();
  if (n > size - at) return false;
  const auto* nd = reinterpret_cast<const unsigned char*>(needle.data());
  if (noCase ? AsciiLower(t[at]) != AsciiLower(nd[0]) : t[at] != nd[0]) return false;
  return SameBytes(t + at, nd, n, noCase) && EndsOnBoundary(t, size, at, n);
}

}  // namespace

int FindText(std::string_view text, int start, std::string_view needle, TextCase textCase) {
  const bool noCase = textCase == TextCase::kIgnored;
  if (start < 0 || static_cast<std::size_t>(start) >= text.size()) return -1;
  if (needle.empty()) return start;
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  for (std::size_t p = static_cast<std::size_t>(start); p < size; p += CharLen(t + p, size - p)) {
    if (MatchesAt(t, size, p, needle, noCase)) return static_cast<int>(p);
  }
  return -1;
}

int FindLastText(std::string_view text, int last, std::string_view needle, TextCase textCase) {
  const bool noCase = textCase == TextCase::kIgnored;
  if (last < 0 || needle.empty() || text.empty()) return -1;
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  // Character boundaries are only known walking forwards; remember the last
  // match that begins at or before `last`.
  int found = -1;
  for (std::size_t p = 0; p < size && p <= static_cast<std::size_t>(last);
       p += CharLen(t + p, size - p)) {
    if (MatchesAt(t, size, p, needle, noCase)) found = static_cast<int>(p);
  }
  return found;
}

}  // namespace tarvil::detail

using tarvil::detail::FindLastText;
using tarvil::detail::FindText;
using tarvil::detail::TextCase;

namespace {

inline std::string_view ViewOf(const char* s) { return s ? std::string_view(s) : std::string_view(); }

// The one-character text of `ch`; empty for the terminator byte.
inline std::string_view ViewOf(const char& ch) {
  return ch == '\0' ? std::string_view() : std::string_view(&ch, 1);
}

// True when `s` points into the text held by `owner`, so that editing the
// text would pull it from under the caller.
inline bool PointsInto(const std::string& owner, std::string_view s) {
  const char* first = owner.data();
  const char* end = first + owner.size() + 1;  // the terminator too
  return !s.empty() && !std::less<const char*>()(s.data(), first) &&
         std::less<const char*>()(s.data(), end);
}

}  // namespace

// ---- Insertion, deletion, replacement ----------------------------------------

CTarvil& CTarvil::Insert(int index, const char* s) {
  std::string_view piece = ViewOf(s);
  if (index < 0 || piece.empty()) return *this;
  std::string copy;
  if (PointsInto(m_text, piece)) {
    copy.assign(piece);
    piece = copy;
  }
  const auto at = static_cast<std::size_t>(index);
  if (at <= m_text.size()) {
    m_text.insert(at, piece);
  } else {
    // Past the end: pad with blanks up to `index`, then place the text.
    m_text.resize(at, ' ');
    m_text.append(piece);
  }
  return *this;
}

CTarvil& CTarvil::Insert(int index, char ch) {
  const char text[2] = {ch, '\0'};
  return Insert(index, text);
}

CTarvil& CTarvil::Delete(int index, int count) {
  if (index < 0 || count < 1 || index >= GetLength()) return *this;
  m_text.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
  return *this;
}

CTarvil& CTarvil::Replace(int index, int count, const char* s) {
  std::string copy;
  if (s != nullptr && PointsInto(m_text, s)) {
    copy.assign(s);
    s = copy.c_str();
  }
  Delete(index, count);
  return Insert(index, s);
}

// ---- Forward search -----------------------------------------------------------

int CTarvil::Find(char ch, int start) const {
  std::string_view needle = ViewOf(ch);
  if (needle.empty()) return -1;
  return FindText(m_text, start, needle, TextCase::kExact);
}

int CTarvil::Find(const char* s, int start) const {
  return FindText(m_text, start, ViewOf(s), TextCase::kExact);
}

int CTarvil::FindNoCase(char ch, int start) const {
  const auto byte = static_cast<unsigned char>(ch);
  const char lower = static_cast<char>(_mbctolower(byte));
  const char upper = static_cast<char>(_mbctoupper(byte));
  int a = Find(lower, start);
  int b = Find(upper, start);
  if (a < 0) return b;
  if (b < 0) return a;
  return a < b ? a : b;
}

int CTarvil::FindNoCase(const char* s, int start) const {
  return FindText(m_text, start, ViewOf(s), TextCase::kIgnored);
}

// ---- Backward search ----------------------------------------------------------

namespace {

// The last index at which a backward search from `start` may find a match:
// the last character for -1 or a start at or past the end, -2 (nothing) for
// any other negative start.
inline int ReverseStart(int start, int length) {
  if (start == -1 || start >= length) return length - 1;
  if (start < 0) return -2;
  return start;
}

}  // namespace

int CTarvil::ReverseFind(const char* s, int start) const {
  return FindLastText(m_text, ReverseStart(start, GetLength()), ViewOf(s), TextCase::kExact);
}

int CTarvil::ReverseFind(char ch, int start) const {
  return FindLastText(m_text, ReverseStart(start, GetLength()), ViewOf(ch), TextCase::kExact);
}

int CTarvil::ReverseFindNoCase(const char* s, int start) const {
  return FindLastText(m_text, ReverseStart(start, GetLength()), ViewOf(s), TextCase::kIgnored);
}

int CTarvil::ReverseFindNoCase(char ch, int start) const {
  return FindLastText(m_text, ReverseStart(start, GetLength()), ViewOf(ch), TextCase::kIgnored);
}

// ---- Search and replace -------------------------------------------------------

namespace {

// Replaces the first (all = 0) or every occurrence of `find` in `text`; each
// search starts just after the previous occurrence, so a replacement that
// contains `find` is never searched again. Returns the count.
int ReplaceOccurrences(std::string& text, std::string_view find, std::string_view repl, int all,
                       TextCase textCase) {
  if (find.empty()) return 0;
  int at = FindText(text, 0, find, textCase);
  if (at < 0) return 0;
  std::string result;
  result.reserve(text.size() + repl.size());
  std::size_t copied = 0;
  int count = 0;
  while (at >= 0) {
    result.append(text, copied, static_cast<std::size_t>(at) - copied);
    result.append(repl);
    copied = static_cast<std::size_t>(at) + find.size();
    ++count;
    if (all == 0) break;
    at = FindText(text, static_cast<int>(copied), find, textCase);
  }
  result.append(text, copied, std::string::npos);
  text.swap(result);
  return count;
}

}  // namespace

int CTarvil::FindReplace(const char* find, const char* repl, int all) {
  // Copies guard against texts that point into this object's own text.
  std::string f(ViewOf(find)), r(ViewOf(repl));
  return ReplaceOccurrences(m_text, f, r, all, TextCase::kExact);
}

int CTarvil::FindReplaceNoCase(const char* find, const char* repl, int all) {
  std::string f(ViewOf(find)), r(ViewOf(repl));
  return ReplaceOccurrences(m_text, f, r, all, TextCase::kIgnored);
}

// ---- Fields -------------------------------------------------------------------

namespace {

// Field `index` of `text` split at `delim`. An empty delimiter does not
// split: the whole text is field 0.
CTarvil FieldOf(std::string_view text, std::string_view delim, int index) {
  if (index < 0) return CTarvil();
  if (delim.empty()) return index == 0 ? CTarvil(CString(text)) : CTarvil();
  std::size_t pos = 0;
  for (int k = 0;; ++k) {
    int next = FindText(text, static_cast<int>(pos), delim, TextCase::kExact);
    std::size_t end = next < 0 ? text.size() : static_cast<std::size_t>(next);
    if (k == index) return CTarvil(CString(text.substr(pos, end - pos)));
    // Past the last field every further field is empty.
    if (next < 0) return CTarvil();
    pos = end + delim.size();
  }
}

int FieldCountOf(std::string_view text, std::string_view delim) {
  if (delim.empty()) return 1;
  int count = 1;
  for (int at = FindText(text, 0, delim, TextCase::kExact); at >= 0;
       at = FindText(text, at + static_cast<int>(delim.size()), delim, TextCase::kExact)) {
    ++count;
  }
  return count;
}

}  // namespace

CTarvil CTarvil::GetField(const char* delim, int index) { return FieldOf(m_text, ViewOf(delim), index); }

CTarvil CTarvil::GetField(char delim, int index) { return FieldOf(m_text, ViewOf(delim), index); }

int CTarvil::GetFieldCount(const char* delim) { return FieldCountOf(m_text, ViewOf(delim)); }

int CTarvil::GetFieldCount(char delim) { return FieldCountOf(m_text, ViewOf(delim)); }

CTarvil CTarvil::GetDelimitedField(const char* open, const char* close, int index) {
  if (index < 0) return CTarvil();
  const std::string_view o = ViewOf(open), c = ViewOf(close);
  int p = 0;
  int fieldStart = 0, fieldEnd = 0;
  for (int k = 0; k <= index; ++k) {
    int at = FindText(m_text, p, o, TextCase::kExact);
    if (at < 0) return CTarvil();
    fieldStart = at + static_cast<int>(o.size());
    fieldEnd = FindText(m_text, fieldStart, c, TextCase::kExact);
    if (fieldEnd < 0) return CTarvil();
    // The next opening is looked for from where this one began, moved on by
    // the length of the closing text: inside the current field too.
    int next = at + static_cast<int>(c.size());
    // An empty closing text does not move on: every further round would
    // find this same field.
    if (next == p) break;
    p = next;
  }
  return CTarvil(CString(std::string_view(m_text).substr(
      static_cast<std::size_t>(fieldStart), static_cast<std::size_t>(fieldEnd - fieldStart))));
}
