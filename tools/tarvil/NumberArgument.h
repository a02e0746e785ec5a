// NumberArgument.h: numbers given to the tool as values to write (format).
//
// Unlike the texts that parse reads as a user types them, these are
// machine numbers: C-locale digits with "." and an optional exponent
// ('4700', '-2.5e-9', 'inf'), blanks around them allowed.
#ifndef TARVIL_TOOL_NUMBERARGUMENT_H
#define TARVIL_TOOL_NUMBERARGUMENT_H

#include <string>

#include "Session.h"

namespace tarvil::tool {

// ReadNumberArgument: true with `value` when `text` is such a number;
// otherwise false with the refusal in `answer` (the library's error codes
// and messages: empty, blank, invalid character at its position, too large,
// too small). With `whole`, the number must also be a whole number within
// the 32-bit signed range.
bool ReadNumberArgument(const std::string& text, bool whole, double& value, Answer& answer);

}  // namespace tarvil::tool

#endif
