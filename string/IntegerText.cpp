// IntegerText.cpp: whole numbers in the user's regional format ('-1,234'):
// test, read, write, interpret, and appending a number to a name.
#include <charconv>
#include <climits>
#include <cstdint>

#include "CTarvil.h"
#include "ErrorModelInternal.h"
#include "Mbc.h"
#include "NotationInternal.h"

using tarvil::detail::IsBlankByte;
using tarvil::detail::IsDigitByte;

int CTarvil::IsInteger() {
  if (!tarvil::detail::BeginTest(*this)) return 0;
  const int length = GetLength();
  m_nCursorPosition = length;
  const char* text = m_text.data();
  int end = length;
  while (end > 0 && IsBlankByte(text[end - 1])) --end;
  int i = tarvil::detail::FirstNonBlankIndex(text, end);
  if (i >= end) {
    m_eCurrentError = eErrBlank;
    return 0;
  }
  if (text[i] == '-' || text[i] == '+') {
    ++i;
    if (i >= end) {
      m_eCurrentError = eErrInvalidCharacter;
      m_nCursorPosition = i + 1;
      return 0;
    }
  }
  EnsureSettings();
  const char thousands = s_Locale.m_cThousand;
  if (text[i] == thousands) {
    m_eCurrentError = eErrInvalidCharacter;
    m_nCursorPosition = i + 1;
    return 0;
  }
  for (; i < end; ++i) {
    if (!IsDigitByte(text[i]) && text[i] != thousands) {
      m_eCurrentError = eErrInvalidCharacter;
      m_nCursorPosition = i + 1;
      return 0;
    }
  }
  return 1;
}

long CTarvil::GetInteger(int* pValue) {
  if (pValue == nullptr) return E_INVALIDARG;
  *pValue = 0;
  if (!tarvil::detail::BeginTest(*this)) return E_FAIL;
  if (IsInteger() == 0) return E_INVALIDARG;
  // The text without its grouping symbols, read as atoi reads it, except
  // that a number beyond the 32-bit range gives the nearest limit.
  const char thousands = s_Locale.m_cThousand;
  std::size_t i = 0;
  const std::size_t n = m_text.size();
  auto skip = [&] {
    while (i < n && m_text[i] == thousands) ++i;
  };
  skip();
  while (i < n && IsBlankByte(m_text[i])) {
    ++i;
    skip();
  }
  bool negative = false;
  if (i < n && (m_text[i] == '-' || m_text[i] == '+')) {
    negative = m_text[i] == '-';
    ++i;
    skip();
  }
  const std::int64_t limit = static_cast<std::int64_t>(INT_MAX) + 1;
  std::int64_t magnitude = 0;
  while (i < n && IsDigitByte(m_text[i])) {
    magnitude = magnitude * 10 + (m_text[i] - '0');
    if (magnitude > limit) magnitude = limit;
    ++i;
    skip();
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT_MAX) value = INT_MAX;
  *pValue = static_cast<int>(value);
  return S_OK;
}

CTarvil& CTarvil::SetInteger(int value) {
  EnsureSettings();
  char digits[16];
  // The magnitude as unsigned, so that the most negative value has one too.
  unsigned int magnitude = value < 0 ? 0u - static_cast<unsigned int>(value)
                                     : static_cast<unsigned int>(value);
  auto written = std::to_chars(digits, digits + sizeof digits, magnitude);
  std::string_view text(digits, static_cast<std::size_t>(written.ptr - digits));
  tarvil::detail::TextBuffer out;
  if (value < 0) out.push_back('-');
  tarvil::detail::AppendGroupedDigits(out, text, s_Locale.m_nGrouping, s_Locale.m_cThousand);
  m_text.assign(out.data(), out.size());
  return *this;
}

int CTarvil::InterpretAsInteger(int& value, int useNotation, unsigned int nIDPrompt,
                                int showError, eCTarvilDomain domain) {
  EnsureSettings();
  int accepted = 0;
  if (useNotation == 1) {
    accepted = IsIntegerForNotation(&value, eNoUnit);
  } else {
    accepted = IsInteger();
    if (accepted == 1) GetInteger(&value);
  }
  if (accepted == 0 && showError == 1) {
    DisplayError(nIDPrompt);
    return 0;
  }
  // A refused text that is not shown goes on with the value it left: the
  // caller's own after IsInteger, 0 after the notation test.
  eCTarvilErr domainError = eErrNone;
  if (domain != eDomainAny &&
      !CTarvilValueInDomain(static_cast<double>(value), domain, &domainError)) {
    m_eCurrentError = domainError;
    m_nCursorPosition = tarvil::detail::FirstNonBlankIndex(GetString(), GetLength()) + 1;
    if (showError == 1) DisplayError(nIDPrompt);
    return 0;
  }
  if (useNotation == 1) {
    SetIntegerForNotation(value, eNoUnit);
  } else {
    SetInteger(value);
  }
  return accepted;
}

int CTarvil::AppendNum(int number, int maxLength) {
  char digits[16];
  auto written = std::to_chars(digits, digits + sizeof digits, number);
  const int numberLength = static_cast<int>(written.ptr - digits);
  if (numberLength > 8) return 0;
  const int length = GetLength();
  if (maxLength == 0 || static_cast<std::int64_t>(length) + numberLength <= maxLength) {
    m_text.append(digits, static_cast<std::size_t>(numberLength));
    return 1;
  }
  if (numberLength > maxLength) return 0;
  // Keep what fits before the number, never splitting a multibyte
  // character (the result may then be a byte or more shorter).
  const int room = maxLength - numberLength;
  int keep = 0;
  while (keep < length) {
    int step = tarvil::platform::MbcLength(reinterpret_cast<const unsigned char*>(m_text.data()) +
                                           keep);
    if (keep + step > room) break;
    keep += step;
  }
  // One replacement: the text is either rewritten whole or left as it was.
  m_text.replace(static_cast<std::size_t>(keep), std::string::npos, digits,
                 static_cast<std::size_t>(numberLength));
  m_nCursorPosition = 0;
  m_eCurrentError = eErrNone;
  return 1;
}
