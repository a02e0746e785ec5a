// KeywordLexer.cpp: the tokens of a keyword file: words, quoted strings,
// brackets and commas, with comments, line counting and string escapes.
//
// The input is read through the reader's own buffer. A carriage return
// directly before a newline is dropped, so files with CRLF line ends read
// exactly like files with LF line ends. Every byte value, NUL and bytes that
// are no valid UTF-8 included, is handled; token text longer than
// kKeywordTokenMax is read whole and cut.
#include <cstdlib>
#include <cstring>

#include "KeywordReader.h"
#include "KeywordReaderInternal.h"

namespace {

constexpr int kEof = -1;

// Control characters and the space separate tokens.
bool IsSeparator(int c) { return c >= 0 && c <= ' '; }

bool IsWordEnd(int c) {
  return IsSeparator(c) || c == '!' || c == '(' || c == ')' || c == ',';
}

int Upper(int c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

}  // namespace

int CKeywordReader::PeekRawByte() {
  if (m_nInputPos == m_nInputLen) {
    if (m_pFile == nullptr || m_pInput == nullptr) return kEof;
    m_nInputLen = std::fread(m_pInput, 1, tarvil::detail::kKeywordInputBufferSize, m_pFile);
    m_nInputPos = 0;
    if (m_nInputLen == 0) return kEof;
  }
  return m_pInput[m_nInputPos];
}

int CKeywordReader::ReadByte() {
  if (m_nUnread != kEof) {
    int c = m_nUnread;
    m_nUnread = kEof;
    return c;
  }
  int c = PeekRawByte();
  if (c == kEof) return kEof;
  ++m_nInputPos;
  if (c == '\r' && PeekRawByte() == '\n') {
    ++m_nInputPos;
    c = '\n';
  }
  return c;
}

void CKeywordReader::UnreadByte(int c) { m_nUnread = c; }

eKeywordTokens CKeywordReader::GetToken(char* buffer) {
  if (m_pPushback != nullptr && m_pPushback[0] != '\0') {
    std::memcpy(buffer, m_pPushback, std::strlen(m_pPushback) + 1);
    m_pPushback[0] = '\0';
    return m_eLastToken;
  }
  int c;
  for (;;) {
    c = ReadByte();
    if (c == kEof) {
      buffer[0] = '\0';
      m_eLastToken = eKeywordTokenEOF;
      return m_eLastToken;
    }
    if (IsSeparator(c)) {
      if (c == '\n') ++m_nLine;
      continue;
    }
    if (c == '!') {
      do {
        c = ReadByte();
      } while (c != kEof && c != '\n');
      if (c == '\n') ++m_nLine;
      continue;
    }
    break;
  }
  switch (c) {
    case '"':
      m_eLastToken = LexString(buffer);
      break;
    case '(':
    case ')':
    case ',':
      buffer[0] = static_cast<char>(c);
      buffer[1] = '\0';
      m_eLastToken = c == '(' ? eKeywordTokenOpen : c == ')' ? eKeywordTokenClose : eKeywordTokenComma;
      break;
    default:
      m_eLastToken = LexWord(c, buffer);
      break;
  }
  return m_eLastToken;
}

// A string runs to the next double quote preceded by an even number of
// backslashes. A backslash directly before a newline joins the lines: both
// go, one line is counted and the blanks and control bytes that follow are
// skipped (uncounted). Any other newline stays in the text, uncounted. A
// string still open at the end of the file ends there.
eKeywordTokens CKeywordReader::LexString(char* buffer) {
  long long length = 0;     // of the whole text, also past the cut
  long long backslashes = 0;  // run of backslashes at the end of the text
  for (;;) {
    int c = ReadByte();
    if (c == kEof) break;
    if (c == '"' && backslashes % 2 == 0) break;
    if (c == '\n' && backslashes > 0) {
      --length;
      --backslashes;
      ++m_nLine;
      do {
        c = ReadByte();
      } while (IsSeparator(c));
      if (c != kEof) UnreadByte(c);
      continue;
    }
    if (length < kKeywordTokenMax) buffer[length] = static_cast<char>(c);
    ++length;
    backslashes = (c == '\\') ? backslashes + 1 : 0;
  }
  buffer[length < kKeywordTokenMax ? length : kKeywordTokenMax] = '\0';
  return eKeywordTokenString;
}

eKeywordTokens CKeywordReader::LexWord(int first, char* buffer) {
  int length = 0;
  int c = first;
  for (;;) {
    if (length < kKeywordTokenMax) buffer[length++] = static_cast<char>(Upper(c));
    c = ReadByte();
    if (c == kEof) break;
    if (IsWordEnd(c)) {
      UnreadByte(c);
      break;
    }
  }
  buffer[length] = '\0';
  return eKeywordTokenWord;
}

void CKeywordReader::UngetToken(const char* text) {
  if (m_pPushback == nullptr) return;
  std::size_t n = text ? std::strlen(text) : 0;
  if (n > static_cast<std::size_t>(kKeywordTokenMax)) n = kKeywordTokenMax;
  if (n > 0) std::memcpy(m_pPushback, text, n);
  m_pPushback[n] = '\0';
}

void CKeywordReader::SkipLine() {
  int c;
  do {
    c = ReadByte();
  } while (c != kEof && c != '\n');
  ++m_nLine;
}

char* UnescapeString(const char* text) {
  if (text == nullptr) text = "";
  std::size_t n = std::strlen(text);
  char* out = static_cast<char*>(std::malloc(n + 1));
  if (out == nullptr) return nullptr;
  std::size_t o = 0;
  for (std::size_t i = 0; i < n;) {
    char c = text[i++];
    if (c != '\\') {
      out[o++] = c;
      continue;
    }
    if (i >= n) break;  // a lone backslash at the end stands for nothing
    char e = text[i];
    if (e >= '0' && e <= '7') {
      unsigned int v = 0;
      while (i < n && text[i] >= '0' && text[i] <= '7') {
        v = ((v << 3) | static_cast<unsigned int>(text[i] - '0')) & 0xFFu;
        ++i;
      }
      out[o++] = static_cast<char>(v);
      continue;
    }
    ++i;
    switch (e) {
      case '"': out[o++] = '"'; break;
      case '\'': out[o++] = '\''; break;
      case '\\': out[o++] = '\\'; break;
      case 'b': out[o++] = '\b'; break;
      case 'f': out[o++] = '\f'; break;
      case 'n': out[o++] = '\n'; break;
      case 'r': out[o++] = '\r'; break;
      case 't': out[o++] = '\t'; break;
      case 'v': out[o++] = '\v'; break;
      case '\n':
        while (i < n && IsSeparator(static_cast<unsigned char>(text[i]))) ++i;
        break;
      default:
        break;  // an unknown escape stands for nothing
    }
  }
  out[o] = '\0';
  return out;
}
