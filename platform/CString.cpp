// CString.cpp: the byte string.
#include "CString.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "CRuntime.h"
#include "Resources.h"
#include "Utf8Internal.h"

namespace {

using tarvil::platform::AppendUtf8;

inline bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

inline int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace

CString::CString(const char* s) {
  if (s) m_text.assign(s);
}

CString::CString(const char* s, int n) {
  if (s && n > 0) m_text.assign(s, strnlen(s, static_cast<size_t>(n)));
}

CString::CString(char ch, int nRepeat) {
  if (nRepeat > 0) m_text.assign(static_cast<size_t>(nRepeat), ch);
}

CString::CString(const unsigned char* s) : CString(reinterpret_cast<const char*>(s)) {}

CString::CString(const unsigned short* wide) {
  if (!wide) return;
  for (const unsigned short* p = wide; *p != 0; ++p) {
    unsigned int c = *p;
    if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (p[1] - 0xDC00);
      ++p;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(m_text, c);
  }
}

CString::CString(std::string_view s) : m_text(s) {}

CString& CString::operator=(const char* s) {
  if (!s) {
    m_text.clear();
  } else {
    m_text.assign(s);  // safe when s points into m_text: assign copes
  }
  return *this;
}

CString& CString::operator=(const unsigned char* s) {
  return *this = reinterpret_cast<const char*>(s);
}

CString& CString::operator=(char ch) {
  // As a one-character text: a NUL gives the empty text.
  if (ch == '\0') {
    m_text.clear();
  } else {
    m_text.assign(1, ch);
  }
  return *this;
}

CString& CString::operator+=(const CString& s) {
  m_text += s.m_text;
  return *this;
}

CString& CString::operator+=(const char* s) {
  if (s) m_text.append(s);
  return *this;
}

CString& CString::operator+=(char ch) {
  m_text += ch;
  return *this;
}

char CString::GetAt(int index) const {
  if (index < 0 || index >= GetLength()) return 0;
  return m_text[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char ch) {
  if (index < 0 || index >= GetLength()) return;
  m_text[static_cast<size_t>(index)] = ch;
}

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) {
    size_t keep = m_text.size();
    m_text.resize(static_cast<size_t>(minLength), '\0');
    // The text still ends at its old length until ReleaseBuffer.
    m_text[keep] = '\0';
  }
  return m_text.data();
}

char* CString::GetBufferSetLength(int length) {
  m_text.resize(static_cast<size_t>(std::max(length, 0)), '\0');
  return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
  size_t n = newLength < 0 ? strnlen(m_text.c_str(), m_text.size())
                           : std::min(static_cast<size_t>(newLength), m_text.size());
  m_text.resize(n);
}

CString CString::Left(int count) const {
  return CString(std::string_view(m_text).substr(0, static_cast<size_t>(Clamp(count, 0, GetLength()))));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = Clamp(first, 0, GetLength());
  count = Clamp(count, 0, GetLength() - first);
  return CString(std::string_view(m_text).substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
  count = Clamp(count, 0, GetLength());
  return CString(std::string_view(m_text).substr(static_cast<size_t>(GetLength() - count)));
}

int CString::Find(char ch, int start) const {
  if (start < 0 || start >= GetLength()) return -1;
  size_t pos = m_text.find(ch, static_cast<size_t>(start));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* s, int start) const {
  if (!s || start < 0 || start > GetLength()) return -1;
  size_t pos = m_text.find(s, static_cast<size_t>(start));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString& CString::MakeLower() {
  for (char& c : m_text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  return *this;
}

CString& CString::MakeUpper() {
  for (char& c : m_text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
  return *this;
}

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < m_text.size() && IsBlank(m_text[i])) ++i;
  m_text.erase(0, i);
  return *this;
}

CString& CString::TrimRight() {
  size_t n = m_text.size();
  while (n > 0 && IsBlank(m_text[n - 1])) --n;
  m_text.resize(n);
  return *this;
}

CString& CString::TrimLeft(char ch) {
  size_t i = 0;
  while (i < m_text.size() && m_text[i] == ch) ++i;
  m_text.erase(0, i);
  return *this;
}

CString& CString::TrimRight(char ch) {
  size_t n = m_text.size();
  while (n > 0 && m_text[n - 1] == ch) --n;
  m_text.resize(n);
  return *this;
}

void CString::Format(const char* format, ...) {
  if (!format) {
    m_text.clear();
    return;
  }
  tarvil::platform::CLocaleScope cLocale;
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  char small[256];
  int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (n < 0) {
    m_text.clear();
  } else if (static_cast<size_t>(n) < sizeof small) {
    m_text.assign(small, static_cast<size_t>(n));
  } else {
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(big.data(), big.size(), format, copy);
    big.resize(static_cast<size_t>(n));
    m_text = std::move(big);
  }
  va_end(copy);
}

bool CString::LoadString(unsigned int id) {
  const char* text = tarvil::platform::FindStringResource(id);
  m_text.assign(text ? text : "");
  return text != nullptr;
}

int CString::Compare(const char* s) const { return std::strcmp(m_text.c_str(), s ? s : ""); }

int CString::CompareNoCase(const char* s) const {
  // ASCII letters only, whatever the process's locale.
  const unsigned char* a = reinterpret_cast<const unsigned char*>(m_text.c_str());
  const unsigned char* b = reinterpret_cast<const unsigned char*>(s ? s : "");
  for (;; ++a, ++b) {
    unsigned char x = (*a >= 'A' && *a <= 'Z') ? static_cast<unsigned char>(*a + ('a' - 'A')) : *a;
    unsigned char y = (*b >= 'A' && *b <= 'Z') ? static_cast<unsigned char>(*b + ('a' - 'A')) : *b;
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

CString operator+(const CString& a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, const char* b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const char* a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, char b) {
  CString r(a);
  r += b;
  return r;
}
bool operator==(const CString& a, const CString& b) { return a.View() == b.View(); }
bool operator==(const CString& a, const char* b) { return a.View() == std::string_view(b ? b : ""); }
bool operator<(const CString& a, const CString& b) { return a.View() < b.View(); }
