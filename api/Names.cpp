// Names.cpp: the modern interface's natural ordering and name checks.
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
