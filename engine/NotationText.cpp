// NotationText.cpp: small text routines of the number writers: the sign of
// a negative zero and the digit grouping of an integer part.
#include <string>
#include <string_view>

#include "NotationInternal.h"

namespace tarvil::detail {
namespace {

template <typename Text>
void DropNegativeZeroSignIn(Text& text) {
  if (text.size() == 0 || text[0] != '-') return;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] != '0' && text[i] != '.') return;
  }
  text.erase(0, 1);
}

// The regrouped text goes into a fresh buffer and is copied back whole.
template <typename Text>
void InsertDigitGroupingIn(Text& text, double value, const Settings& format) {
  const int grouping = format.grouping;
  if (grouping < 1) return;
  std::string_view all(text.data(), text.size());
  // Integer part up to the last decimal symbol, else up to the first "E".
  std::size_t split = all.rfind(format.decimal);
  if (split == std::string_view::npos) split = all.find('E');
  std::string_view integer = all.substr(0, split);
  std::string_view rest = split == std::string_view::npos ? std::string_view() : all.substr(split);
  bool negative = false;
  if (value < 0 && !integer.empty() && integer[0] == '-') {
    negative = true;
    integer.remove_prefix(1);
  }
  if (integer.size() <= static_cast<std::size_t>(grouping)) return;
  TextBuffer grouped;
  if (negative) grouped.push_back('-');
  AppendGroupedDigits(grouped, integer, grouping, format.thousands);
  // The separator and the decimals (or the exponent) follow unchanged.
  if (rest.size() > 1) grouped.append(rest);
  text.clear();
  text.append(grouped.data(), grouped.size());
}

}  // namespace

void DropNegativeZeroSign(std::string& text) { DropNegativeZeroSignIn(text); }
void DropNegativeZeroSign(TextBuffer& text) { DropNegativeZeroSignIn(text); }

void InsertDigitGrouping(std::string& text, double value, const Settings& format) {
  InsertDigitGroupingIn(text, value, format);
}
void InsertDigitGrouping(TextBuffer& text, double value, const Settings& format) {
  InsertDigitGroupingIn(text, value, format);
}

void AppendGroupedDigits(TextBuffer& out, std::string_view digits, int grouping, char thousands) {
  const std::size_t n = digits.size();
  if (grouping < 1 || n <= static_cast<std::size_t>(grouping)) {
    out.append(digits);
    return;
  }
  const std::size_t g = static_cast<std::size_t>(grouping);
  std::size_t first = n - ((n - 1) / g) * g;
  out.append(digits.data(), first);
  for (std::size_t i = first; i < n; i += g) {
    out.push_back(thousands);
    out.append(digits.data() + i, g);
  }
}

}  // namespace tarvil::detail
