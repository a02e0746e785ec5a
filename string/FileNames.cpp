// FileNames.cpp: the checks of file names, path names and 7-bit text.
//
// Each is one pass over the object's bytes (a zero byte inside the text is a
// character like any other, and is refused where control bytes are).
#include <climits>
#include <cstddef>
#include <string_view>

#include "CTarvil.h"
#include "Mbc.h"

using namespace tarvil::platform;

namespace {

constexpr int kMaxFileName = 255;
constexpr int kMaxPathName = 260;

inline bool IsAsciiLetter(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

inline bool IsOneOf(unsigned char c, std::string_view set) {
  return c != 0 && set.find(static_cast<char>(c)) != std::string_view::npos;
}

// Bytes a file name or a path component may not hold besides unprintable
// ones (a file name also refuses the separators "\" and "/").
constexpr std::string_view kComponentForbidden = ":/*?\"><|";
constexpr std::string_view kFileNameForbidden = "\\/:*?\"><|";
// A server name of a network path refuses these as well.
constexpr std::string_view kServerForbidden = ":/*?\"><|;+=[]";

inline bool Printable(unsigned char c) { return _ismbcprint(c) != 0; }

// Starts the object's test: both fields cleared; error 1 for an empty text.
bool Begin(CTarvil& self) {
  self.m_nCursorPosition = 0;
  self.m_eCurrentError = eErrNone;
  if (self.GetLength() > 0) return true;
  self.m_eCurrentError = eErrEmpty;
  return false;
}

int Fail(CTarvil& self, eCTarvilErr error, std::size_t position) {
  self.m_eCurrentError = error;
  self.m_nCursorPosition = position > INT_MAX ? INT_MAX : static_cast<int>(position);
  return 0;
}

// The path scanner: `i` is the scan position (0-based); a fault reports it
// 1-based.
struct PathScan {
  std::string_view text;
  std::size_t i = 0;

  bool AtEnd() const { return i >= text.size(); }
  unsigned char Byte() const { return static_cast<unsigned char>(text[i]); }
  void SkipSeparators() {
    while (!AtEnd() && text[i] == '\\') ++i;
  }
  // Walks the bytes up to the next "\" (or the end); false at the first
  // unprintable one or one of `forbidden`, with `i` on it.
  bool Component(std::string_view forbidden) {
    for (; !AtEnd() && text[i] != '\\'; ++i) {
      if (!Printable(Byte()) || IsOneOf(Byte(), forbidden)) return false;
    }
    return true;
  }
};

}  // namespace

int CTarvil::IsFileName() {
  if (!Begin(*this)) return 0;
  const std::string_view text = View();
  if (GetLength() > kMaxFileName) return Fail(*this, eErrCharacterLimit, text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!Printable(c) || IsOneOf(c, kFileNameForbidden)) {
      return Fail(*this, eErrInvalidCharacter, i + 1);
    }
  }
  return 1;
}

int CTarvil::IsPathName() {
  if (!Begin(*this)) return 0;
  const std::string_view text = View();
  if (GetLength() > kMaxPathName) return Fail(*this, eErrCharacterLimit, text.size());

  PathScan scan{text};
  if (text.size() >= 2 && IsAsciiLetter(static_cast<unsigned char>(text[0])) && text[1] == ':') {
    // A drive: "C:" alone or followed by "\".
    scan.i = 2;
    if (!scan.AtEnd() && text[2] != '\\') return Fail(*this, eErrInvalidCharacter, scan.i + 1);
  } else if (text.size() >= 2 && text[0] == '\\' && text[1] == '\\') {
    // A network share: "\\server\share", then the components.
    scan.i = 2;
    if (scan.AtEnd() || text[2] == '\\') return Fail(*this, eErrInvalidCharacter, scan.i + 1);
    if (!scan.Component(kServerForbidden)) return Fail(*this, eErrInvalidCharacter, scan.i + 1);
    scan.SkipSeparators();
    if (scan.AtEnd()) return Fail(*this, eErrInvalidCharacter, scan.i + 1);  // no share name
    if (!scan.Component(kComponentForbidden)) {
      return Fail(*this, eErrInvalidCharacter, scan.i + 1);
    }
  }
  while (!scan.AtEnd()) {
    scan.SkipSeparators();
    if (!scan.Component(kComponentForbidden)) return Fail(*this, eErrInvalidCharacter, scan.i + 1);
  }
  m_nCursorPosition = static_cast<int>(text.size());
  return 1;
}

int CTarvil::IsASCII() {
  if (!Begin(*this)) return 0;
  const std::string_view text = View();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return Fail(*this, eErrInvalidCharacter, i + 1);
  }
  return 1;
}
