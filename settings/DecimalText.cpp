// DecimalText.cpp: conversion of number text between the C form (a "." as
// decimal point) and the user's regional form, on std::string for the
// library's writers and in place on the object's text for callers.
#include <cstring>

#include "CTarvil.h"
#include "LocaleInternal.h"
#include "Mbc.h"

using tarvil::platform::MbcLength;

namespace {

void EnsureRead() {
  if (CTarvil::s_Locale.m_nLoaded == 0) CTarvil::SetLocale();
}

// The index of the last "." of `text`, or -1.
long LastPoint(const char* text, std::size_t length) {
  for (std::size_t i = length; i-- > 0;)
    if (text[i] == '.') return static_cast<long>(i);
  return -1;
}

// C form to user form, in place on `length` bytes; returns the new length
// (the text only ever shrinks).
std::size_t ToUser(char* text, std::size_t length, const CTarvilLocale& locale) {
  const long point = LastPoint(text, length);
  if (point < 0) return length;

  if (locale.m_nSuppressTrailingZeros == 1) {
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

  if (locale.m_nLeadingZero == 0 && length >= 2 && text[0] == '0' && text[1] == '.') {
    std::memmove(text, text + 1, length - 1);
    --length;
  }

  if (locale.m_cDecimal != '.') {
    const long last = LastPoint(text, length);
    if (last >= 0) text[last] = locale.m_cDecimal;
  }
  return length;
}

// User form to C form, in place: the last decimal symbol that stands as a
// character of its own (never a byte inside a multibyte character) becomes ".".
void ToC(char* text, std::size_t length, const CTarvilLocale& locale) {
  const char symbol = locale.m_cDecimal;
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

namespace tarvil::detail {

void ToUserDecimal(std::string& text) {
  EnsureRead();
  text.resize(ToUser(text.data(), text.size(), CTarvil::s_Locale));
}

void ToCDecimal(std::string& text) {
  EnsureRead();
  ToC(text.data(), text.size(), CTarvil::s_Locale);
}

}  // namespace tarvil::detail

void CTarvil::GetDecimal(char* text) {
  EnsureSettings();
  if (text == nullptr) return;
  ToC(text, std::strlen(text), s_Locale);
}

void CTarvil::SetDecimal(char* text) {
  EnsureSettings();
  if (text == nullptr) return;
  const std::size_t length = ToUser(text, std::strlen(text), s_Locale);
  text[length] = '\0';
}

CTarvil& CTarvil::ConvertDecimalUserLocaleToCLocale() {
  EnsureSettings();
  if (!m_text.empty()) ToC(m_text.data(), m_text.size(), s_Locale);
  return *this;
}

CTarvil& CTarvil::ConvertDecimalCLocaleToUserLocale() {
  EnsureSettings();
  if (!m_text.empty()) m_text.resize(ToUser(m_text.data(), m_text.size(), s_Locale));
  return *this;
}
