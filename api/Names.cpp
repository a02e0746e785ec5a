// Names.cpp: the modern interface's natural ordering and name checks.
#include <cstdint>
#include <string>

#include "ApiInternal.h"
#include "NameCheckInternal.h"
#include "NaturalCompareInternal.h"

namespace tarvil {
namespace {

constexpr std::size_t kPosixNameMax = 255;
constexpr std::size_t kPosixPathMax = 4095;

int PositionOf(std::size_t index) {
  return index < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(index) + 1 : INT_MAX;
}

Result<bool> FromCheck(const detail::NameCheck& check) {
  if (!check.ok) return api::Refused<bool>(check.error, check.cursor);
  return api::Accepted(true);
}

// A POSIX file name: at most 255 bytes, no '/' and no NUL.
Result<bool> CheckPosixFile(std::string_view text) {
  if (text.size() > kPosixNameMax) {
    return api::Refused<bool>(eErrCharacterLimit, PositionOf(text.size() - 1));
  }
  const std::size_t bad = text.find_first_of(std::string_view("/\0", 2));
  if (bad != std::string_view::npos) return api::Refused<bool>(eErrInvalidCharacter, PositionOf(bad));
  return api::Accepted(true);
}

// A POSIX path: at most 4095 bytes, no NUL, no component over 255 bytes.
Result<bool> CheckPosixPath(std::string_view text) {
  if (text.size() > kPosixPathMax) {
    return api::Refused<bool>(eErrCharacterLimit, PositionOf(text.size() - 1));
  }
  std::size_t component = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\0') return api::Refused<bool>(eErrInvalidCharacter, PositionOf(i));
    component = text[i] == '/' ? 0 : component + 1;
    if (component > kPosixNameMax) return api::Refused<bool>(eErrCharacterLimit, PositionOf(i));
  }
  return api::Accepted(true);
}

}  // namespace

int natural_compare(std::string_view a, std::string_view b, bool ignore_case) noexcept {
  return detail::NaturalCompare(a, b,
                                ignore_case ? detail::CaseRule::kIgnoreCase : detail::CaseRule::kExact);
}

// natural_compare decides at the first byte where the texts differ: a
// longer run of digits from there sorts after a shorter one (so a digit
// sorts after any other byte and after the end), equal runs by their first
// differing digit, other bytes by value, the end first. Seen as a sequence
// of items (a non-digit byte, or a whole run of digits) that is: the end <
// any byte < any run; runs by their length (leading zeros count), then
// their digits. The key writes each item in a code that keeps this order
// and in which no item's code begins another's, so comparing keys byte by
// byte compares the items one by one:
//   a byte below 0xFE          itself
//   the byte 0xFE or 0xFF      0xFE, the byte
//   a run of digits            0xFF, k (1..8), the run's length in k bytes
//                              big-endian (k as small as it can be), the digits
// Under ignore_case the ASCII letters are folded to upper case first, as the
// case-blind comparison folds them.
std::string natural_key(std::string_view text, bool ignore_case) {
  std::string key;
  key.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= '0' && c <= '9') {
      std::size_t end = i + 1;
      while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
      const std::uint64_t length = end - i;
      int k = 1;
      while (k < 8 && (length >> (8 * k)) != 0) ++k;
      key += '\xFF';
      key += static_cast<char>(k);
      for (int b = k - 1; b >= 0; --b) key += static_cast<char>((length >> (8 * b)) & 0xFF);
      key.append(text.substr(i, end - i));
      i = end;
      continue;
    }
    unsigned char b = c;
    if (ignore_case && b >= 'a' && b <= 'z') b = static_cast<unsigned char>(b - 'a' + 'A');
    if (b >= 0xFE) key += '\xFE';
    key += static_cast<char>(b);
    ++i;
  }
  return key;
}

Result<bool> check_name(std::string_view text, NameKind kind, bool allow_reserved) noexcept {
  if (text.empty()) return api::Refused<bool>(eErrEmpty, 0);
  switch (kind) {
    case NameKind::file: return FromCheck(detail::CheckFileName(text));
    case NameKind::path: return FromCheck(detail::CheckPathName(text));
    case NameKind::posix_file: return CheckPosixFile(text);
    case NameKind::posix_path: return CheckPosixPath(text);
    default: break;
  }
  const auto type = static_cast<eEDAStringTypes>(static_cast<int>(kind));
  return FromCheck(detail::CheckEDAName(text, type, allow_reserved));
}

}  // namespace tarvil
