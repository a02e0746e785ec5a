// DecimalSymbol.cpp: number text between the C form (a "." as decimal
// point) and the user's regional form, in place.
#include <cstring>
#include <string>

#include "DecimalSymbolInternal.h"
#include "Mbc.h"

using tarvil::platform::MbcLength;

namespace tarvil::detail {
namespace {

// The index of the last "." of `text`, or -1.
long LastPoint(const char* text, std::size_t length) {
  for (std::size_t i = length; i-- > 0;)
    if (text[i] == '.') return static_cast<long>(i);
  return -1;
}

// C form to user form, in place on `length` bytes; returns the new length
// (the text only ever shrinks).
std::size_t ToUserImpl(char* text, std::size_t length, const Settings& format) {
  const long point = LastPoint(text, length);
  if (point < 0) return length;

  if (format.suppress_trailing_zeros) {
    // Only zeros that end the decimals go: a text that continues after its
    // decimals ('1.50E+010', '2.0 mm') keeps every character, since removing
    // a zero there would change the number.
    bool decimalsEndText = true;
    for (std::size_t i = static_cast<std::size_t>(point) + 1; i < length; ++i)
      if (text[i] < '0' || text[i] > '9') decimalsEndText = false;
    if (decimalsEndText) {
      while (length > 1 && text[length - 1] == '0') --length;
      if (length > 0 && text[length - 1] == '.') return length - 1;
    }
  }

  if (!format.leading_zero && length >= 2 && text[0] == '0' && text[1] == '.') {
    std::memmove(text, text + 1, length - 1);
    --length;
  }

  if (format.decimal != '.') {
    const long last = LastPoint(text, length);
    if (last >= 0) text[last] = format.decimal;
  }
  return length;
}

// User form to C form, in place: the last decimal symbol that stands as a
// character of its own (never a byte inside a multibyte character) becomes ".".
void ToCImpl(char* text, std::size_t length, const Settings& format) {
  const char symbol = format.decimal;
  if (symbol == '.') return;
  long last = -1;
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  for (std::size_t i = 0; i < length;) {
    const int step = MbcLength(p + i);
    if (step == 1 && text[i] == symbol) last = static_cast<long>(i);
    i += static_cast<std::size_t>(step);
  }
  if (last >= 0) text[last] = '.';
}

}  // namespace

std::size_t ToUserDecimalInPlace(char* text, std::size_t length, const Settings& format) {
  return ToUserImpl(text, length, format);
}

void ToCDecimalInPlace(char* text, std::size_t length, const Settings& format) {
  ToCImpl(text, length, format);
}

void ToUserDecimal(std::string& text, const Settings& format) {
  text.resize(ToUserImpl(text.data(), text.size(), format));
}

}  // namespace tarvil::detail
