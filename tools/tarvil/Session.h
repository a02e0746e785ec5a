// Session.h: what every subcommand shares: the output streams, the --json
// switch, the exit status, and answering a series of inputs in order.
//
// Exit status: 0 when every input was accepted, 1 when any input was
// refused, 2 for a usage error or a file (standard input included) that
// could not be read or written. The worst status wins.
#ifndef TARVIL_TOOL_SESSION_H
#define TARVIL_TOOL_SESSION_H

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include <tarvil/tarvil.h>

#include "Json.h"

namespace tarvil::tool {

// The whole numbers a script may give and be given back: those of a 32-bit
// int.
inline constexpr double kLargestInt = std::numeric_limits<std::int32_t>::max();
inline constexpr double kSmallestInt = std::numeric_limits<std::int32_t>::min();

inline constexpr int kStatusAccepted = 0;
inline constexpr int kStatusRefused = 1;
inline constexpr int kStatusTrouble = 2;

// The answer to one input.
struct Answer {
  bool accepted = false;
  std::string plain;    // the output line (usually empty for a refused input)
  JsonObject fields;    // the subcommand's own JSON members
  int error = 0;        // the library's error code
  int cursor = 0;       // the library's cursor position
  std::string message;  // the library's message for a refused input
};

// DescribeRefusal: the library's description of `original` refused with
// `error` at `position` (tarvil::describe). Where the library gives only the
// message of a refusal with a place (a sign, a zero, a fraction that are
// not allowed), the text with the character at that place marked comes
// first, as for an invalid character: '1.5< >' then the message.
std::string DescribeRefusal(std::string_view original, tarvil::Error error, int position);

// Refusal: the answer for a text refused with the library's `error` at
// `cursor`, described with the library's message marked on `original` (the
// text as the user gave it).
Answer Refusal(const std::string& original, int error, int cursor);

class Session {
 public:
  Session(std::string command, bool json);

  bool Json() const { return m_json; }
  const std::string& Command() const { return m_command; }

  // AnswerAll: answers every input in order. The inputs are `operands`,
  // where "-", or the absence of any operand, stands for the lines of
  // standard input. A line holding a NUL byte is refused without calling
  // `answer`. Every input gets one output line: in plain form the answer's
  // line (the message of a refused input goes to standard error); with
  // --json one object per input.
  void AnswerAll(const std::vector<std::string>& operands,
                 const std::function<Answer(const std::string&)>& answer);

  // SetRefusalShape: the output line and JSON members given to an input the
  // tool refuses before the subcommand sees it (a line with a NUL byte), so
  // that it looks like the subcommand's own refusals.
  void SetRefusalShape(std::string plain, JsonObject fields) {
    m_refusedPlain = std::move(plain);
    m_refusedFields = std::move(fields);
  }

  // WriteLine: one line on standard output.
  void WriteLine(std::string_view line);
  // Note: a line on standard error, "tarvil: COMMAND: text".
  void Note(std::string_view text);
  // Trouble: a one-line message on standard error and exit status 2.
  void Trouble(std::string_view text);
  void Refused() { Raise(kStatusRefused); }

  // Finish: flushes standard output; a failed write is trouble. Returns the
  // exit status.
  int Finish();

 private:
  void Raise(int status) {
    if (status > m_status) m_status = status;
  }
  void Emit(const std::string& input, const Answer& answer, long line);

  std::string m_command;
  bool m_json;
  bool m_flushEachAnswer = false;
  int m_status = kStatusAccepted;
  std::string m_refusedPlain;
  JsonObject m_refusedFields;
};

// CommandTrouble: "tarvil: COMMAND: text" on standard error, after what
// standard output holds so far; returns 2.
int CommandTrouble(const std::string& command, std::string_view text);

// UsageTrouble: "tarvil: COMMAND: text" and a hint to the help on standard
// error; returns 2.
int UsageTrouble(const std::string& command, std::string_view text);

}  // namespace tarvil::tool

#endif
