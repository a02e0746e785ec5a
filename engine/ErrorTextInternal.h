// ErrorTextInternal.h: the text that describes a refused text to a person,
// shared by the string class's GetErrorMessage and the modern interface's
// describe. Not installed.
#ifndef TARVIL_ERRORTEXTINTERNAL_H
#define TARVIL_ERRORTEXTINTERNAL_H

#include <string>
#include <string_view>

namespace tarvil::detail {

// The message texts by resource identifier (20000 plus the code, but 20002
// for code 1 and 20001 for code 2); null for none.
using MessageLookup = const char* (*)(unsigned int id);

// Identifier of the message of error `code` (1..12), or 0.
unsigned int MessageIdOf(int code);

// DescribeFault: for code 0 nothing; code 1 its message; no position
// (`cursor` 0) or code 2 the blank message; codes 9..12 their message; any
// other code the text, with codes 3 and 4 (and `markedCode`, when not 0)
// marking the whole character at the 1-based `cursor` as '<x>' (blanks pad
// a position past the end), a line feed, then the message of codes 3..8.
std::string DescribeFault(std::string_view text, int code, int cursor, MessageLookup lookup,
                          int markedCode = 0);

}  // namespace tarvil::detail

#endif
