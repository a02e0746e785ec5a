// Utf8Internal.h: encoding a code point as UTF-8, for the platform's text
// conversions (wide strings, UTF-16 registry files). Not installed.
#ifndef TARVIL_UTF8INTERNAL_H
#define TARVIL_UTF8INTERNAL_H

#include <string>

namespace tarvil::platform {

// AppendUtf8: appends the UTF-8 bytes of `cp` (at most U+10FFFF; surrogates
// are the caller's to replace) to `out`.
inline void AppendUtf8(std::string& out, unsigned int cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace tarvil::platform

#endif
