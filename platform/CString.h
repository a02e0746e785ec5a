// CString.h: the byte string that CTarvil extends.
//
// A stand-in for the desktop platform's string class, offering the part of it
// the library and its callers use, with the same semantics: a byte string in
// the process's multibyte code page (UTF-8 here), counted in bytes, with
// buffer access for code that writes into it directly. Every operation clamps
// out-of-range counts and positions instead of reading or writing outside
// the text. Null text pointers are treated as empty texts.
//
// Number formatting (`Format`) runs in the C locale whatever locale the host
// process has set.
#ifndef TARVIL_CSTRING_H
#define TARVIL_CSTRING_H

#include <string>
#include <string_view>

#include "TarvilExport.h"

class TARVIL_API CString {
 public:
  CString() = default;
  // Copies `s` up to its terminator; null gives an empty text.
  CString(const char* s);  // NOLINT(google-explicit-constructor)
  // Copies at most `n` bytes of `s`, never past its terminator; n < 0 or a
  // null `s` gives an empty text.
  CString(const char* s, int n);
  // `ch` repeated `nRepeat` times (none when nRepeat < 1).
  explicit CString(char ch, int nRepeat = 1);
  CString(const unsigned char* s);  // NOLINT(google-explicit-constructor)
  // A NUL-terminated UTF-16 text, converted to UTF-8. Unpaired surrogates
  // become U+FFFD.
  CString(const unsigned short* wide);  // NOLINT(google-explicit-constructor)
  CString(std::string_view s);  // NOLINT(google-explicit-constructor)
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  ~CString() = default;

  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(const char* s);
  CString& operator=(const unsigned char* s);
  // The one-character text `ch` ('\0' gives the empty text).
  CString& operator=(char ch);

  CString& operator+=(const CString& s);
  CString& operator+=(const char* s);
  CString& operator+=(char ch);

  // Length in bytes.
  int GetLength() const { return static_cast<int>(m_text.size()); }
  bool IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }

  // The text, NUL-terminated; valid until the string changes.
  operator const char*() const { return m_text.c_str(); }  // NOLINT
  const char* GetString() const { return m_text.c_str(); }
  std::string_view View() const { return m_text; }

  // The byte at `index`; 0 when `index` lies outside the text.
  char GetAt(int index) const;
  char operator[](int index) const { return GetAt(index); }
  // Replaces the byte at `index`; nothing happens outside the text.
  void SetAt(int index, char ch);

  // A writable buffer of at least `minLength` + 1 bytes holding the text.
  // The length is fixed again by ReleaseBuffer; until then other members
  // must not be used.
  char* GetBuffer(int minLength = 0);
  // Sets the length to `length` (clamped at 0) and returns the buffer.
  char* GetBufferSetLength(int length);
  // Ends buffer access. newLength < 0: the text runs to the first NUL.
  void ReleaseBuffer(int newLength = -1);

  // The first `count` bytes (clamped to 0 .. length).
  CString Left(int count) const;
  // The bytes from `first` to the end (first clamped to 0 .. length).
  CString Mid(int first) const;
  // At most `count` bytes from `first`.
  CString Mid(int first, int count) const;
  // The last `count` bytes.
  CString Right(int count) const;

  // Index of the first `ch` / `s` at or after `start`, or -1.
  int Find(char ch, int start = 0) const;
  int Find(const char* s, int start = 0) const;

  // ASCII letters change case; other bytes are kept.
  CString& MakeLower();
  CString& MakeUpper();
  // Removes leading / trailing white space (ASCII blanks, tabs, line ends).
  CString& TrimLeft();
  CString& TrimRight();
  CString& TrimLeft(char ch);
  CString& TrimRight(char ch);
  CString& Trim() { TrimRight(); return TrimLeft(); }

  // printf-style formatting in the C locale; replaces the text. A null
  // format gives the empty text. "%G" and "%E" write the C library's
  // two-digit exponent; FormatG (CRuntime.h) writes the three-digit one.
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Loads the string resource `id`; a missing one gives an empty text and
  // false.
  bool LoadString(unsigned int id);

  // Byte-wise comparison with `s` (null as empty): <0, 0, >0.
  int Compare(const char* s) const;
  // The same ignoring the case of ASCII letters (whatever the locale).
  int CompareNoCase(const char* s) const;

 protected:
  std::string m_text;
};

TARVIL_API CString operator+(const CString& a, const CString& b);
TARVIL_API CString operator+(const CString& a, const char* b);
TARVIL_API CString operator+(const char* a, const CString& b);
TARVIL_API CString operator+(const CString& a, char b);
TARVIL_API bool operator==(const CString& a, const CString& b);
TARVIL_API bool operator==(const CString& a, const char* b);
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }
TARVIL_API bool operator<(const CString& a, const CString& b);

#endif
