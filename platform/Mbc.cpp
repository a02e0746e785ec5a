// Mbc.cpp: the multibyte character runtime over UTF-8.
#include "Mbc.h"

#include <cstring>

namespace tarvil::platform {
namespace {

const unsigned char kEmpty[1] = {0};

inline const unsigned char* OrEmpty(const unsigned char* s) { return s ? s : kEmpty; }

inline bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

inline unsigned char AsciiLower(unsigned char b) {
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

// Encodes `c` as UTF-8 into `out`; returns the length.
int Encode(unsigned int c, unsigned char out[5]) {
  int n;
  if (c < 0x80) {
    out[0] = static_cast<unsigned char>(c);
    n = 1;
  } else if (c < 0x800) {
    out[0] = static_cast<unsigned char>(0xC0 | (c >> 6));
    out[1] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    n = 2;
  } else if (c < 0x10000) {
    out[0] = static_cast<unsigned char>(0xE0 | (c >> 12));
    out[1] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    n = 3;
  } else {
    out[0] = static_cast<unsigned char>(0xF0 | ((c >> 18) & 0x07));
    out[1] = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    n = 4;
  }
  out[n] = 0;
  return n;
}

}  // namespace

int _ismbcdigit(unsigned int c) { return c >= '0' && c <= '9'; }
int _ismbcspace(unsigned int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
int _ismbcupper(unsigned int c) { return c >= 'A' && c <= 'Z'; }
int _ismbclower(unsigned int c) { return c >= 'a' && c <= 'z'; }
int _ismbcalpha(unsigned int c) { return _ismbcupper(c) || _ismbclower(c) || c >= 0x80; }
int _ismbcprint(unsigned int c) { return (c >= 0x20 && c < 0x7F) || c >= 0x80; }
int _ismbcpunct(unsigned int c) {
  return c > 0x20 && c < 0x7F && !_ismbcalpha(c) && !_ismbcdigit(c);
}
unsigned int _mbctolower(unsigned int c) { return _ismbcupper(c) ? c + ('a' - 'A') : c; }
unsigned int _mbctoupper(unsigned int c) { return _ismbclower(c) ? c - ('a' - 'A') : c; }

int _mbscmp(const unsigned char* a, const unsigned char* b) {
  return std::strcmp(reinterpret_cast<const char*>(OrEmpty(a)),
                     reinterpret_cast<const char*>(OrEmpty(b)));
}

int _mbsicmp(const unsigned char* a, const unsigned char* b) {
  a = OrEmpty(a);
  b = OrEmpty(b);
  for (;; ++a, ++b) {
    unsigned char x = AsciiLower(*a), y = AsciiLower(*b);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

int _mbsnbcmp(const unsigned char* a, const unsigned char* b, std::size_t n) {
  a = OrEmpty(a);
  b = OrEmpty(b);
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    if (a[i] == 0) return 0;
  }
  return 0;
}

int _mbsnbicmp(const unsigned char* a, const unsigned char* b, std::size_t n) {
  a = OrEmpty(a);
  b = OrEmpty(b);
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = AsciiLower(a[i]), y = AsciiLower(b[i]);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
  return 0;
}

unsigned char* _mbsnbcpy(unsigned char* dst, const unsigned char* src, std::size_t n) {
  if (dst == nullptr) return dst;
  src = OrEmpty(src);
  std::size_t i = 0;
  while (i < n && src[i] != 0) {
    int len = MbcLength(src + i);
    if (i + static_cast<std::size_t>(len) > n) break;  // never a partial character
    std::memcpy(dst + i, src + i, static_cast<std::size_t>(len));
    i += static_cast<std::size_t>(len);
  }
  for (; i < n; ++i) dst[i] = 0;
  return dst;
}

const unsigned char* _mbschr(const unsigned char* s, unsigned int c) {
  if (s == nullptr) return nullptr;
  if (c == 0) return s + std::strlen(reinterpret_cast<const char*>(s));
  // Surrogates and values past U+10FFFF are no characters: nothing matches.
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return nullptr;
  unsigned char enc[5];
  Encode(c, enc);
  return _mbsstr(s, enc);
}

const unsigned char* _mbsrchr(const unsigned char* s, unsigned int c) {
  if (s == nullptr) return nullptr;
  const unsigned char* found = nullptr;
  for (const unsigned char* p = _mbschr(s, c); p != nullptr && *p != 0;
       p = _mbschr(p + MbcLength(p), c)) {
    found = p;
  }
  if (c == 0) return s + std::strlen(reinterpret_cast<const char*>(s));
  return found;
}

const unsigned char* _mbsstr(const unsigned char* s, const unsigned char* needle) {
  if (s == nullptr) return nullptr;
  needle = OrEmpty(needle);
  std::size_t n = std::strlen(reinterpret_cast<const char*>(needle));
  if (n == 0) return s;
  for (const unsigned char* p = s; *p != 0; p += MbcLength(p)) {
    std::size_t i = 0;
    while (i < n && p[i] == needle[i]) ++i;  // stops at the text's end
    if (i < n) continue;
    // The match must not end inside a character either.
    const unsigned char* q = p;
    while (q < p + n) q += MbcLength(q);
    if (q == p + n) return p;
  }
  return nullptr;
}

std::size_t _mbslen(const unsigned char* s) {
  std::size_t n = 0;
  for (const unsigned char* p = OrEmpty(s); *p != 0; p += MbcLength(p)) ++n;
  return n;
}

int MbcLength(const unsigned char* p) {
  if (p == nullptr) return 1;
  unsigned char b = p[0];
  int len;
  // The second byte's range excludes overlong forms, surrogates and values
  // past U+10FFFF, so that only well-formed sequences count as one character.
  unsigned char lo = 0x80, hi = 0xBF;
  if (b < 0xC2) return 1;
  if (b < 0xE0) {
    len = 2;
  } else if (b < 0xF0) {
    len = 3;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (b < 0xF5) {
    len = 4;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return 1;
  }
  if (p[1] < lo || p[1] > hi) return 1;
  for (int i = 2; i < len; ++i)
    if (!IsContinuation(p[i])) return 1;
  return len;
}

}  // namespace tarvil::platform
