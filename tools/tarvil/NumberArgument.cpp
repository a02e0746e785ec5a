// NumberArgument.cpp: C-locale numbers given as values to write.
#include "NumberArgument.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include <tarvil/CRuntime.h>
#include <tarvil/tarvil.h>

namespace tarvil::tool {

namespace {

int Code(tarvil::Error error) { return static_cast<int>(error); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// IsWholeNumber: true when `value`, read from `text` at the 1-based
// position `start`, is a whole number within the 32-bit signed range;
// otherwise false with the refusal in `answer`.
bool IsWholeNumber(const std::string& text, double value, int start, Answer& answer) {
  tarvil::Error error = tarvil::Error::none;
  if (!std::isfinite(value) || value != std::floor(value)) {
    error = tarvil::Error::not_an_integer;
  } else if (value > kLargestInt) {
    error = tarvil::Error::too_large;
  } else if (value < kSmallestInt) {
    error = tarvil::Error::too_small;
  }
  if (error != tarvil::Error::none) answer = Refusal(text, Code(error), start);
  return error == tarvil::Error::none;
}

}  // namespace

bool ReadNumberArgument(const std::string& text, bool whole, double& value, Answer& answer) {
  value = 0.0;
  if (text.empty()) {
    answer = Refusal(text, Code(tarvil::Error::empty), 0);
    return false;
  }
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  if (first == last) {
    answer = Refusal(text, Code(tarvil::Error::blank), static_cast<int>(text.size()) + 1);
    return false;
  }
  const int start = static_cast<int>(first) + 1;  // 1-based position of the number
  const char* begin = text.data() + first;
  const char* end = text.data() + last;
  const char* digits = begin;
  if (*digits == '+') {
    ++digits;
    if (digits != end && *digits == '-') {
      answer = Refusal(text, Code(tarvil::Error::invalid_character), start + 1);
      return false;
    }
  }
  const auto result = std::from_chars(digits, end, value);
  if (result.ec == std::errc::invalid_argument) {
    answer = Refusal(text, Code(tarvil::Error::invalid_character), static_cast<int>(digits - text.data()) + 1);
    return false;
  }
  if (result.ptr != end) {
    answer = Refusal(text, Code(tarvil::Error::invalid_character), static_cast<int>(result.ptr - text.data()) + 1);
    return false;
  }
  if (result.ec == std::errc::result_out_of_range) {
    // Too far from zero, or too close to it, for a double.
    const std::string number(digits, end);
    const double magnitude = std::fabs(tarvil::platform::StrtodC(number.c_str(), nullptr));
    answer = Refusal(text, std::isinf(magnitude) ? Code(tarvil::Error::too_large) : Code(tarvil::Error::too_small), start);
    return false;
  }
  return !whole || IsWholeNumber(text, value, start, answer);
}

}  // namespace tarvil::tool
