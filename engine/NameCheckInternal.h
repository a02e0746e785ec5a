// NameCheckInternal.h: the checks of design-object names, file names, path
// names and 7-bit text, on which CTarvilIsEDAName and the CTarvil members
// IsEDAName, IsFileName, IsPathName and IsASCII are thin adapters. Not
// installed. The kinds of design-object name are listed in EDAStringTypes.h.
//
// Every check takes the whole text as a view (a zero byte inside it is a
// character like any other), reads it once, and returns its verdict; none
// keeps state, reads a static that changes, or allocates, so any number of
// threads may call them at once. Character classes are those of the
// multibyte runtime (Mbc.h) for single bytes: a byte from 0x80 up is
// printable and a letter.
#ifndef TARVIL_NAMECHECKINTERNAL_H
#define TARVIL_NAMECHECKINTERNAL_H

#include <climits>
#include <cstddef>
#include <string_view>

#include "EDAStringTypes.h"
#include "TarvilErrors.h"

namespace tarvil::detail {

// The verdict of a check: `ok` with eErrNone, or the reason with the
// 1-based position it names (`cursor`, capped at INT_MAX). An empty text is
// {false, eErrEmpty, 0} for every check.
struct NameCheck {
  bool ok;
  eCTarvilErr error;
  int cursor;
};

// ---- Design-object names ----------------------------------------------------
// Judged on the trimmed part (first to last non-blank byte). The default
// rule: every byte printable and none of \ ! ( ). Failures: eErrCharacterLimit
// at the last non-blank byte (0 when there is none), eErrInvalidCharacter at
// the first offending byte. On success the cursor is the text's length.

// CheckEDAName: the default rule, no length limit.
NameCheck CheckEDAName(std::string_view name) noexcept;
// CheckEDAName: at most `limit` bytes (a negative limit refuses every
// name), then the default rule.
NameCheck CheckEDAName(std::string_view name, int limit) noexcept;
// CheckEDAName: the limit and character rule of `type` (a value outside the
// enumeration: 40 bytes, default rule). A trimmed part that agrees with a
// reserved name of the kind over its own length (the name, a leading part of
// it, or nothing) passes when `allowReserved`, else fails with
// eErrInvalidCharacter at the first non-blank byte (one past the end for a
// blank name); the reserved names are judged before the length.
NameCheck CheckEDAName(std::string_view name, eEDAStringTypes type, bool allowReserved) noexcept;

// ---- File and path names ----------------------------------------------------

// CheckFileName: at most 255 bytes (else eErrCharacterLimit at the length),
// each printable and none of \ / : * ? " > < | (else eErrInvalidCharacter at
// the first offending byte). Cursor 0 on success.
NameCheck CheckFileName(std::string_view name) noexcept;
// CheckPathName: at most 260 bytes (else eErrCharacterLimit at the length):
// an optional drive ("C:" then "\" or the end) or network share
// ("\\server\share", the server name also refusing ; + = [ ]), then
// components separated by "\" of printable bytes without : / * ? " > < |.
// eErrInvalidCharacter at the byte where the scan stopped (one past the end
// for a missing server or share name). The cursor is the length on success.
NameCheck CheckPathName(std::string_view path) noexcept;
// CheckASCII: only bytes below 0x80, else eErrInvalidCharacter at the first
// other one. Cursor 0 on success.
NameCheck CheckASCII(std::string_view text) noexcept;

// End of the checks. Shared by their implementations:

// CursorOf: a position or length as the int cursor the callers keep.
inline int CursorOf(std::size_t n) {
  return n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

inline constexpr NameCheck kEmptyName = {false, eErrEmpty, 0};

// Refused: the verdict `error` at the 1-based `position`.
inline NameCheck Refused(eCTarvilErr error, std::size_t position) {
  return {false, error, CursorOf(position)};
}

}  // namespace tarvil::detail

#endif
