// FileNameCheck.cpp: the checks of file names, path names and 7-bit text.
//
// Each is one pass over the bytes (a zero byte inside the text is a
// character like any other, and is refused where unprintable bytes are).
#include <cstddef>
#include <string_view>

#include "Mbc.h"
#include "NameCheckInternal.h"

namespace tarvil::detail {
namespace {

constexpr std::size_t kMaxFileName = 255;
constexpr std::size_t kMaxPathName = 260;

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

inline bool Printable(unsigned char c) { return platform::_ismbcprint(c) != 0; }

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
  NameCheck Stopped() const { return Refused(eErrInvalidCharacter, i + 1); }
};

}  // namespace

NameCheck CheckFileName(std::string_view name) noexcept {
  if (name.empty()) return kEmptyName;
  if (name.size() > kMaxFileName) return Refused(eErrCharacterLimit, name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (!Printable(c) || IsOneOf(c, kFileNameForbidden)) return Refused(eErrInvalidCharacter, i + 1);
  }
  return {true, eErrNone, 0};
}

NameCheck CheckPathName(std::string_view path) noexcept {
  if (path.empty()) return kEmptyName;
  if (path.size() > kMaxPathName) return Refused(eErrCharacterLimit, path.size());

  PathScan scan{path};
  if (path.size() >= 2 && IsAsciiLetter(static_cast<unsigned char>(path[0])) && path[1] == ':') {
    // A drive: "C:" alone or followed by "\".
    scan.i = 2;
    if (!scan.AtEnd() && path[2] != '\\') return scan.Stopped();
  } else if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // A network share: "\\server\share", then the components.
    scan.i = 2;
    if (scan.AtEnd() || path[2] == '\\') return scan.Stopped();  // no server name
    if (!scan.Component(kServerForbidden)) return scan.Stopped();
    scan.SkipSeparators();
    if (scan.AtEnd()) return scan.Stopped();  // no share name
    if (!scan.Component(kComponentForbidden)) return scan.Stopped();
  }
  while (!scan.AtEnd()) {
    scan.SkipSeparators();
    if (!scan.Component(kComponentForbidden)) return scan.Stopped();
  }
  return {true, eErrNone, CursorOf(path.size())};
}

NameCheck CheckASCII(std::string_view text) noexcept {
  if (text.empty()) return kEmptyName;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return Refused(eErrInvalidCharacter, i + 1);
  }
  return {true, eErrNone, 0};
}

}  // namespace tarvil::detail
