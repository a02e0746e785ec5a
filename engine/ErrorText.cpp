// ErrorText.cpp: the text that describes a refused text to a person.
#include "ErrorTextInternal.h"

#include <climits>

#include "Mbc.h"

namespace tarvil::detail {
namespace {

constexpr unsigned int kMessageBase = 20000;
constexpr unsigned int kBlankMessage = 20001;
constexpr unsigned int kEmptyMessage = 20002;

void AppendMessage(std::string& out, unsigned int id, MessageLookup lookup) {
  if (id == 0) return;
  if (const char* text = lookup(id)) out += text;
}

// Inserts `ch` before the 0-based `index`, padding with blanks when it lies
// past the end; nothing for a negative index.
void InsertPadded(std::string& text, long long index, char ch) {
  if (index < 0) return;
  const auto at = static_cast<std::size_t>(index);
  if (at > text.size()) text.resize(at, ' ');
  text.insert(at, 1, ch);
}

}  // namespace

unsigned int MessageIdOf(int code) {
  if (code == 1) return kEmptyMessage;
  if (code == 2) return kBlankMessage;
  if (code >= 3 && code <= 12) return kMessageBase + static_cast<unsigned int>(code);
  return 0;
}

std::string DescribeFault(std::string_view text, int code, int cursor, MessageLookup lookup,
                          int markedCode) {
  std::string out;
  if (code == 0) return out;
  if (code == 1) {
    AppendMessage(out, kEmptyMessage, lookup);
    return out;
  }
  // Without a position there is nothing to show but the blank message,
  // whatever the code.
  if (cursor == 0 || code == 2) {
    AppendMessage(out, kBlankMessage, lookup);
    return out;
  }
  if (code >= 9 && code <= 12) {
    AppendMessage(out, MessageIdOf(code), lookup);
    return out;
  }
  out.assign(text);
  if (code == 3 || code == 4 || (markedCode != 0 && code == markedCode)) {
    // '<' before the offending character and '>' after all of its bytes.
    int width = 1;
    if (cursor > 0 && static_cast<std::size_t>(cursor) <= text.size()) {
      // A sequence is measured within the text: a copy ends in a terminator.
      const std::string character(text.substr(static_cast<std::size_t>(cursor) - 1, 4));
      width = tarvil::platform::MbcLength(reinterpret_cast<const unsigned char*>(character.c_str()));
    }
    InsertPadded(out, static_cast<long long>(cursor) - 1, '<');
    if (cursor <= INT_MAX - width) InsertPadded(out, static_cast<long long>(cursor) + width, '>');
  }
  out += '\n';
  if (code >= 3 && code <= 8) AppendMessage(out, MessageIdOf(code), lookup);
  return out;
}

}  // namespace tarvil::detail
