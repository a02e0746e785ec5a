// NameValidation.cpp: the checks of design-object names by kind.
//
// A name is judged on its trimmed part (first to last non-blank byte): its
// length against the kind's limit, its bytes against the kind's character
// rule, and, for some kinds, against reserved names in parentheses. Every
// check is a single pass over the bytes; the length is known before any
// character is examined, so a text far beyond its limit costs only finding
// its ends.
#include <climits>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "CTarvil.h"
#include "EDAStringTypes.h"
#include "Mbc.h"

using namespace tarvil::platform;

namespace {

// The character rules of the kinds.
enum class CharRule {
  kDefault,       // printable, none of \ ! ( )
  kNoControl,     // anything but control bytes and backslash
  kPrintable,     // printable, none of \ !
  kLetters,       // letters only
};

struct Kind {
  int limit;
  CharRule rule;
  const char* reserved[2];  // null where a kind has fewer
};

// Indexed by eEDAStringTypes.
constexpr Kind kKinds[] = {
    {4050, CharRule::kNoControl, {nullptr, nullptr}},                // 0
    {80, CharRule::kDefault, {nullptr, nullptr}},                    // 1
    {80, CharRule::kDefault, {nullptr, nullptr}},                    // 2
    {80, CharRule::kDefault, {nullptr, nullptr}},                    // 3
    {40, CharRule::kDefault, {nullptr, nullptr}},                    // 4
    {40, CharRule::kPrintable, {"(Default)", nullptr}},              // 5
    {127, CharRule::kPrintable, {"(Shield Area)", nullptr}},         // 6
    {80, CharRule::kDefault, {nullptr, nullptr}},                    // 7
    {80, CharRule::kDefault, {"(Default Via)", nullptr}},            // 8
    {64, CharRule::kDefault, {nullptr, nullptr}},                    // 9
    {255, CharRule::kNoControl, {nullptr, nullptr}},                 // 10
    {40, CharRule::kPrintable, {nullptr, nullptr}},                  // 11
    {40, CharRule::kDefault, {nullptr, nullptr}},                    // 12
    {4, CharRule::kLetters, {nullptr, nullptr}},                     // 13
    {40, CharRule::kDefault, {"(Default)", nullptr}},                // 14
    {40, CharRule::kPrintable, {"(Default Rule)", nullptr}},         // 15
    {40, CharRule::kDefault, {nullptr, nullptr}},                    // 16
    {40, CharRule::kDefault, {nullptr, nullptr}},                    // 17
    {40, CharRule::kPrintable, {"(Master)", "(Minimum)"}},           // 18
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

// A position or length as the int the callers keep.
inline int AsPosition(std::size_t n) { return n > INT_MAX ? INT_MAX : static_cast<int>(n); }

// The outcome of a check, written to the caller's variables at the end.
struct Outcome {
  int valid;
  int position;
  eCTarvilErr error;
};

inline Outcome Fail(eCTarvilErr error, std::size_t position) {
  return {0, AsPosition(position), error};
}

// The name with its trimmed part [first, last).
struct Trimmed {
  std::string_view name;
  std::size_t first;
  std::size_t last;
  std::size_t Length() const { return last - first; }
};

Trimmed Trim(std::string_view name) {
  std::size_t first = 0, last = name.size();
  while (first < last && _ismbcspace(static_cast<unsigned char>(name[first]))) ++first;
  while (last > first && _ismbcspace(static_cast<unsigned char>(name[last - 1]))) --last;
  return {name, first, last};
}

// The first byte of the trimmed part that breaks `rule`: error 4 at its
// position; else success with the position at the name's length.
Outcome CheckCharacters(const Trimmed& t, CharRule rule) {
  for (std::size_t i = t.first; i < t.last; ++i) {
    if (!Allowed(rule, static_cast<unsigned char>(t.name[i]))) return Fail(eErrInvalidCharacter, i + 1);
  }
  return {1, AsPosition(t.name.size()), eErrNone};
}

// Error 5 at the last non-blank byte when the trimmed part exceeds `limit`.
bool TooLong(const Trimmed& t, int limit, Outcome& out) {
  if (limit >= 0 && t.Length() <= static_cast<std::size_t>(limit)) return false;
  // The 1-based position of the last non-blank byte (0 when there is none:
  // a blank name against a negative limit).
  out = Fail(eErrCharacterLimit, t.Length() == 0 ? 0 : t.last);
  return true;
}

// The trimmed part agrees with `reserved` over its own length: the reserved
// name or a leading part of it (a blank name too).
bool AgreesWithReserved(const Trimmed& t, const char* reserved) {
  std::size_t n = t.Length();
  return n <= std::strlen(reserved) && std::memcmp(t.name.data() + t.first, reserved, n) == 0;
}

Outcome DefaultRule(std::string_view name) {
  return CheckCharacters(Trim(name), CharRule::kDefault);
}

Outcome LimitRule(std::string_view name, int limit) {
  Trimmed t = Trim(name);
  Outcome out{};
  if (TooLong(t, limit, out)) return out;
  return CheckCharacters(t, CharRule::kDefault);
}

Outcome TypedRule(std::string_view name, eEDAStringTypes type, int allowSpecial) {
  const Kind& kind = KindOf(type);
  Trimmed t = Trim(name);
  for (const char* reserved : kind.reserved) {
    if (reserved == nullptr || !AgreesWithReserved(t, reserved)) continue;
    if (allowSpecial == 1) return {1, AsPosition(name.size()), eErrNone};
    return Fail(eErrInvalidCharacter, t.first + 1);
  }
  Outcome out{};
  if (TooLong(t, kind.limit, out)) return out;
  return CheckCharacters(t, kind.rule);
}

// Runs `check` on a non-empty name and writes the outcome through the
// pointers that are not null.
template <typename Check>
int Report(const char* name, int* pPos, eCTarvilErr* pErr, Check check) {
  if (pPos) *pPos = 0;
  if (pErr) *pErr = eErrNone;
  if (name == nullptr || name[0] == '\0') {
    if (pErr) *pErr = eErrEmpty;
    return 0;
  }
  Outcome out = check(std::string_view(name));
  if (pPos) *pPos = out.position;
  if (pErr) *pErr = out.error;
  return out.valid;
}

}  // namespace

// ---- Free functions ---------------------------------------------------------

int CTarvilIsEDAName(const char* name) {
  return Report(name, nullptr, nullptr, DefaultRule);
}

int CTarvilIsEDAName(const char* name, int* pPos, eCTarvilErr* pErr) {
  return Report(name, pPos, pErr, DefaultRule);
}

int CTarvilIsEDAName(const char* name, int limit, int* pPos, eCTarvilErr* pErr) {
  return Report(name, pPos, pErr, [limit](std::string_view n) { return LimitRule(n, limit); });
}

int CTarvilIsEDAName(const char* name, eEDAStringTypes type, int allowSpecial) {
  return CTarvilIsEDAName(name, type, allowSpecial, nullptr, nullptr);
}

int CTarvilIsEDAName(const char* name, eEDAStringTypes type, int allowSpecial, int* pPos,
                     eCTarvilErr* pErr) {
  return Report(name, pPos, pErr, [type, allowSpecial](std::string_view n) {
    return TypedRule(n, type, allowSpecial);
  });
}

// ---- Members ----------------------------------------------------------------
// The object's whole text is checked, so a zero byte inside it is judged as
// a character (and refused) instead of ending the name early.

namespace {

template <typename Check>
int CheckObject(CTarvil& self, std::string_view text, Check check) {
  self.m_nCursorPosition = 0;
  self.m_eCurrentError = eErrNone;
  if (text.empty()) {
    self.m_eCurrentError = eErrEmpty;
    return 0;
  }
  Outcome out = check(text);
  self.m_nCursorPosition = out.position;
  self.m_eCurrentError = out.error;
  return out.valid;
}

}  // namespace

int CTarvil::IsEDAName() { return CheckObject(*this, View(), DefaultRule); }

int CTarvil::IsEDAName(int& limit) {
  const int value = limit;
  return CheckObject(*this, View(), [value](std::string_view n) { return LimitRule(n, value); });
}

int CTarvil::IsEDAName(eEDAStringTypes type, int allowSpecial) {
  return CheckObject(*this, View(), [type, allowSpecial](std::string_view n) {
    return TypedRule(n, type, allowSpecial);
  });
}
