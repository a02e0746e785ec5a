// DecimalSymbolText.cpp: conversion of number text between the C form (a "." as
// decimal point) and the user's regional form, on std::string for the
// library's writers and in place on the object's text for callers, with the
// shared settings.
#include <cstring>

#include "CTarvil.h"
#include "DecimalSymbolInternal.h"
#include "LocaleInternal.h"
#include "SharedSettingsInternal.h"

using tarvil::detail::ToCDecimalInPlace;
using tarvil::detail::ToUserDecimalInPlace;

namespace tarvil::detail {

void ToUserDecimal(std::string& text) {
  ToUserDecimal(text, SharedSettings().format());
}

void ToCDecimal(std::string& text) {
  ToCDecimalInPlace(text.data(), text.size(), SharedSettings().format());
}

}  // namespace tarvil::detail

void CTarvil::GetDecimal(char* text) {
  const tarvil::detail::SharedSettings settings;
  if (text == nullptr) return;
  ToCDecimalInPlace(text, std::strlen(text), settings.format());
}

void CTarvil::SetDecimal(char* text) {
  const tarvil::detail::SharedSettings settings;
  if (text == nullptr) return;
  const std::size_t length = ToUserDecimalInPlace(text, std::strlen(text), settings.format());
  text[length] = '\0';
}

CTarvil& CTarvil::ConvertDecimalUserLocaleToCLocale() {
  const tarvil::detail::SharedSettings settings;
  if (!m_text.empty()) ToCDecimalInPlace(m_text.data(), m_text.size(), settings.format());
  return *this;
}

CTarvil& CTarvil::ConvertDecimalCLocaleToUserLocale() {
  const tarvil::detail::SharedSettings settings;
  if (!m_text.empty()) {
    m_text.resize(ToUserDecimalInPlace(m_text.data(), m_text.size(), settings.format()));
  }
  return *this;
}
