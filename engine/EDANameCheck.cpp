// EDANameCheck.cpp: the checks of design-object names by kind.
//
// A name is judged on its trimmed part (first to last non-blank byte): its
// length against the kind's limit, its bytes against the kind's character
// rule, and, for some kinds, against reserved names in parentheses. Every
// check is a single pass over the bytes; the length is known before any
// character is examined, so a text far beyond its limit costs only finding
// its ends.
#include <cstddef>
#include <cstring>
#include <string_view>

#include "Mbc.h"
#include "NameCheckInternal.h"
#include "TextScanInternal.h"

namespace tarvil::detail {
namespace {

using platform::_ismbcalpha;
using platform::_ismbcprint;

// The character rules of the kinds.
enum class CharRule {
  kDefault,    // printable, none of \ ! ( )
  kNoControl,  // anything but control bytes and backslash
  kPrintable,  // printable, none of \ !
  kLetters,    // letters only
};

struct Kind {
  int limit;
  CharRule rule;
  const char* reserved[2];  // null where a kind has fewer
};

// Indexed by eEDAStringTypes.
constexpr Kind kKinds[] = {
    {4050, CharRule::kNoControl, {nullptr, nullptr}},         // 0
    {80, CharRule::kDefault, {nullptr, nullptr}},             // 1
    {80, CharRule::kDefault, {nullptr, nullptr}},             // 2
    {80, CharRule::kDefault, {nullptr, nullptr}},             // 3
    {40, CharRule::kDefault, {nullptr, nullptr}},             // 4
    {40, CharRule::kPrintable, {"(Default)", nullptr}},       // 5
    {127, CharRule::kPrintable, {"(Shield Area)", nullptr}},  // 6
    {80, CharRule::kDefault, {nullptr, nullptr}},             // 7
    {80, CharRule::kDefault, {"(Default Via)", nullptr}},     // 8
    {64, CharRule::kDefault, {nullptr, nullptr}},             // 9
    {255, CharRule::kNoControl, {nullptr, nullptr}},          // 10
    {40, CharRule::kPrintable, {nullptr, nullptr}},           // 11
    {40, CharRule::kDefault, {nullptr, nullptr}},             // 12
    {4, CharRule::kLetters, {nullptr, nullptr}},              // 13
    {40, CharRule::kDefault, {"(Default)", nullptr}},         // 14
    {40, CharRule::kPrintable, {"(Default Rule)", nullptr}},  // 15
    {40, CharRule::kDefault, {nullptr, nullptr}},             // 16
    {40, CharRule::kDefault, {nullptr, nullptr}},             // 17
    {40, CharRule::kPrintable, {"(Master)", "(Minimum)"}},    // 18
};
constexpr Kind kOtherKind = {40, CharRule::kDefault, {nullptr, nullptr}};

const Kind& KindOf(eEDAStringTypes type) {
  const auto index = static_cast<unsigned int>(type);
  return index < sizeof kKinds / sizeof kKinds[0] ? kKinds[index] : kOtherKind;
}

// Control bytes as the C locale classifies them, whatever locale the host
// has set.
inline bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

inline bool Allowed(CharRule rule, unsigned char c) {
  switch (rule) {
    case CharRule::kDefault:
      return _ismbcprint(c) && c != '\\' && c != '!' && c != '(' && c != ')';
    case CharRule::kNoControl:
      return !IsControl(c) && c != '\\';
    case CharRule::kPrintable:
      return _ismbcprint(c) && c != '\\' && c != '!';
    case CharRule::kLetters:
      return _ismbcalpha(c) != 0;
  }
  return false;
}

inline NameCheck Pass(std::string_view name) { return {true, eErrNone, CursorOf(name.size())}; }

// The name with its trimmed part [first, last).
struct Trimmed {
  std::string_view name;
  std::size_t first;
  std::size_t last;
  std::size_t Length() const { return last - first; }
};

// Walked with std::size_t rather than with FirstNonBlankIndex and
// EndOfNonBlank, whose int positions would not hold the ends of a text past
// INT_MAX bytes (the free functions take texts of any length).
Trimmed Trim(std::string_view name) {
  std::size_t first = 0, last = name.size();
  while (first < last && IsBlankByte(name[first])) ++first;
  while (last > first && IsBlankByte(name[last - 1])) --last;
  return {name, first, last};
}

// The first byte of the trimmed part that breaks `rule`: error 4 at its
// position; else success with the position at the name's length.
NameCheck CheckCharacters(const Trimmed& t, CharRule rule) {
  for (std::size_t i = t.first; i < t.last; ++i) {
    if (!Allowed(rule, static_cast<unsigned char>(t.name[i]))) return Refused(eErrInvalidCharacter, i + 1);
  }
  return Pass(t.name);
}

// The trimmed part exceeds `limit` (any part exceeds a negative one).
inline bool TooLong(const Trimmed& t, int limit) {
  return limit < 0 || t.Length() > static_cast<std::size_t>(limit);
}

// Error 5 at the last non-blank byte (0 when there is none: a blank name
// against a negative limit).
inline NameCheck RefusedTooLong(const Trimmed& t) {
  return Refused(eErrCharacterLimit, t.Length() == 0 ? 0 : t.last);
}

// The trimmed part agrees with `reserved` over its own length: the reserved
// name or a leading part of it (a blank name too).
bool AgreesWithReserved(const Trimmed& t, const char* reserved) {
  std::size_t n = t.Length();
  return n <= std::strlen(reserved) && std::memcmp(t.name.data() + t.first, reserved, n) == 0;
}

}  // namespace

NameCheck CheckEDAName(std::string_view name) noexcept {
  if (name.empty()) return kEmptyName;
  return CheckCharacters(Trim(name), CharRule::kDefault);
}

NameCheck CheckEDAName(std::string_view name, int limit) noexcept {
  if (name.empty()) return kEmptyName;
  const Trimmed t = Trim(name);
  if (TooLong(t, limit)) return RefusedTooLong(t);
  return CheckCharacters(t, CharRule::kDefault);
}

NameCheck CheckEDAName(std::string_view name, eEDAStringTypes type, bool allowReserved) noexcept {
  if (name.empty()) return kEmptyName;
  const Kind& kind = KindOf(type);
  const Trimmed t = Trim(name);
  for (const char* reserved : kind.reserved) {
    if (reserved == nullptr || !AgreesWithReserved(t, reserved)) continue;
    if (allowReserved) return Pass(name);
    return Refused(eErrInvalidCharacter, t.first + 1);
  }
  if (TooLong(t, kind.limit)) return RefusedTooLong(t);
  return CheckCharacters(t, kind.rule);
}

}  // namespace tarvil::detail
