// PartStandIn.cpp: read_part: temporary stand-in until the part-value reader
// lands. It reads the first blank-separated token as `read` does in `any`
// and takes DNP, DNF, NP or NC alone (any case) as a part not fitted.
#include <array>

#include "tarvil.h"

namespace tarvil {
namespace {

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }

bool SameLetters(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char c = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
    if (c != b[i]) return false;
  }
  return true;
}

}  // namespace

Result<Part> read_part(std::string_view text, Quantity quantity, const Settings& settings,
                       const UnitTable& units) noexcept {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  std::size_t end = first;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  std::size_t after = end;
  while (after < text.size() && IsBlank(text[after])) ++after;
  Result<Part> result;
  constexpr std::array<std::string_view, 4> kNotFitted = {"DNP", "DNF", "NP", "NC"};
  for (std::string_view mark : kNotFitted) {
    if (after == text.size() && SameLetters(text.substr(first, end - first), mark)) {
      result.value.fitted = false;
      return result;
    }
  }
  const Result<double> value = read(text.substr(0, end), quantity, Notation::any, settings, units);
  if (!value) {
    result.error = value.error;
    result.position = value.position;
    return result;
  }
  result.value.value = value.value;
  result.value.has_value = true;
  result.value.rest = text.substr(after);
  return result;
}

}  // namespace tarvil
