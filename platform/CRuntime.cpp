// CRuntime.cpp: C-locale number text written without a locale; the
// readers that take the C locale's rules are in CLocaleText.cpp.
#include "CRuntime.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace tarvil::platform {

int FormatG(double value, char* buf) {
  if (buf == nullptr) return 0;
  if (std::isnan(value)) {
    const char* t = std::signbit(value) ? "-NAN" : "NAN";
    std::strcpy(buf, t);
    return static_cast<int>(std::strlen(t));
  }
  if (std::isinf(value)) {
    const char* t = value < 0 ? "-INF" : "INF";
    std::strcpy(buf, t);
    return static_cast<int>(std::strlen(t));
  }
  char tmp[kFormatGMax];
  auto r = std::to_chars(tmp, tmp + sizeof tmp, value, std::chars_format::general, 6);
  int n = static_cast<int>(r.ptr - tmp);
  // to_chars writes the exponent as e+NN; the desktop runtime as E+NNN.
  int out = 0;
  for (int i = 0; i < n; ++i) {
    if (tmp[i] == 'e') {
      buf[out++] = 'E';
      buf[out++] = tmp[i + 1];  // sign
      int digits = n - (i + 2);
      for (int pad = digits; pad < 3; ++pad) buf[out++] = '0';
      for (int j = i + 2; j < n; ++j) buf[out++] = tmp[j];
      break;
    }
    buf[out++] = tmp[i];
  }
  buf[out] = '\0';
  return out;
}

int FormatFixedTo(double value, int decimals, char* buf, int size) {
  if (decimals < 0) decimals = 0;
  if (buf == nullptr || size <= 0) return -1;
  if (!std::isfinite(value)) {
    const char* t = std::isnan(value) ? (std::signbit(value) ? "-nan" : "nan")
                                      : (value < 0 ? "-inf" : "inf");
    int len = static_cast<int>(std::strlen(t));
    if (len >= size) return -1;
    std::memcpy(buf, t, static_cast<size_t>(len) + 1);
    return len;
  }
  auto r = std::to_chars(buf, buf + size - 1, value, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return -1;
  *r.ptr = '\0';
  return static_cast<int>(r.ptr - buf);
}

void FormatFixed(double value, int decimals, std::string& out) {
  char small[128];
  int n = FormatFixedTo(value, decimals, small, static_cast<int>(sizeof small));
  if (n >= 0) {
    out.append(small, static_cast<size_t>(n));
    return;
  }
  // Large magnitudes or many decimals: at most 309 integer digits, a sign,
  // a point and the decimals, with room to spare.
  constexpr std::size_t kRoomBesideDecimals = 330;
  if (decimals < 0) decimals = 0;
  if (decimals > kFormatFixedMaxDecimals) decimals = kFormatFixedMaxDecimals;
  std::string big(static_cast<size_t>(decimals) + kRoomBesideDecimals, '\0');
  n = FormatFixedTo(value, decimals, big.data(), static_cast<int>(big.size()));
  if (n > 0) out.append(big.data(), static_cast<size_t>(n));
}

int AtoiC(const char* text) {
  if (text == nullptr) return 0;
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  long long v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    v = v * 10 + (*p - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) v = -v;
  if (v > INT_MAX) v = INT_MAX;
  if (v < INT_MIN) v = INT_MIN;
  return static_cast<int>(v);
}

}  // namespace tarvil::platform
