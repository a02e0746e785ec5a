// Session.cpp: answering inputs in order, output, and the exit status.
#include "Session.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include <tarvil/tarvil.h>

#include "Input.h"

namespace tarvil::tool {

namespace {

void WriteError(std::string_view text) {
  // Keep the order of the two streams when they share a terminal or a file.
  std::fflush(stdout);
  std::fwrite(text.data(), 1, text.size(), stderr);
}

bool StandardInputIsFile() {
  struct stat info {};
  return fstat(STDIN_FILENO, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string DescribeRefusal(std::string_view original, tarvil::Error error, int position) {
  using tarvil::Error;
  std::string described = tarvil::describe(original, error, position);
  const bool messageOnly = error == Error::zero_not_allowed ||
                           error == Error::negative_not_allowed ||
                           error == Error::positive_not_allowed || error == Error::not_an_integer;
  if (!messageOnly || position <= 0) return described;
  // The library marks the character of an invalid one: its text, a line
  // feed, then its message.
  std::string marked = tarvil::describe(original, Error::invalid_character, position);
  const std::size_t message = tarvil::message(Error::invalid_character).size() + 1;
  marked.resize(marked.size() > message ? marked.size() - message : 0);
  return marked + '\n' + described;
}

Answer Refusal(const std::string& original, int error, int cursor) {
  Answer answer;
  answer.accepted = false;
  answer.error = error;
  answer.cursor = cursor;
  answer.message = DescribeRefusal(original, static_cast<tarvil::Error>(error), cursor);
  return answer;
}

Session::Session(std::string command, bool json) : m_command(std::move(command)), m_json(json) {
  // A script that talks to the tool line by line through pipes needs each
  // answer as soon as it is made; a file on standard input does not.
  m_flushEachAnswer = !StandardInputIsFile();
}

void Session::WriteLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

void Session::Note(std::string_view text) { CommandTrouble(m_command, text); }

void Session::Trouble(std::string_view text) {
  Note(text);
  Raise(kStatusTrouble);
}

void Session::Emit(const std::string& input, const Answer& answer, long line) {
  if (!answer.accepted) Raise(kStatusRefused);
  if (m_json) {
    JsonObject object;
    object.AddString("input", input);
    object.AddBool("ok", answer.accepted);
    object.Merge(answer.fields);
    object.AddInt("error", answer.error);
    object.AddInt("cursor", answer.cursor);
    object.AddString("message", answer.accepted ? std::string() : answer.message);
    WriteLine(object.Text());
    return;
  }
  WriteLine(answer.plain);
  if (answer.accepted) return;
  std::string text = "tarvil: " + m_command + ": ";
  if (line > 0) text += "line " + std::to_string(line) + ": ";
  text += answer.message;
  text += '\n';
  WriteError(text);
}

void Session::AnswerAll(const std::vector<std::string>& operands,
                        const std::function<Answer(const std::string&)>& answer) {
  const auto answerOne = [&](const std::string& text, long line) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) {
      // The library reads texts up to their first NUL; refuse the line
      // rather than answer for a part of it.
      std::string shown = text;
      for (char& c : shown) {
        if (c == '\0') c = '?';
      }
      Answer refused = Refusal(shown, static_cast<int>(tarvil::Error::invalid_character),
                               static_cast<int>(nul) + 1);
      refused.plain = m_refusedPlain;
      refused.fields = m_refusedFields;
      Emit(text, refused, line);
      return;
    }
    Emit(text, answer(text), line);
  };
  const auto answerStandardInput = [&]() {
    LineReader reader(stdin);
    std::string text;
    while (reader.Next(text)) {
      answerOne(text, reader.LineNumber());
      if (m_flushEachAnswer) std::fflush(stdout);
    }
    if (reader.Failed()) Trouble("cannot read standard input: " + reader.Problem());
  };
  if (operands.empty()) {
    answerStandardInput();
    return;
  }
  for (const std::string& operand : operands) {
    if (operand == "-") {
      answerStandardInput();
    } else {
      answerOne(operand, 0);
    }
  }
}

int Session::Finish() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    const int error = errno;
    std::string text = "tarvil: " + m_command + ": cannot write standard output";
    if (error != 0) text += std::string(": ") + std::strerror(error);
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), stderr);
    Raise(kStatusTrouble);
  }
  return m_status;
}

int CommandTrouble(const std::string& command, std::string_view text) {
  std::string line = "tarvil: " + command + ": ";
  line.append(text);
  line += '\n';
  WriteError(line);
  return kStatusTrouble;
}

int UsageTrouble(const std::string& command, std::string_view text) {
  std::string line = "tarvil: ";
  if (!command.empty()) line += command + ": ";
  line.append(text);
  line += " (see 'tarvil ";
  if (!command.empty()) line += command + " ";
  line += "--help')\n";
  WriteError(line);
  return kStatusTrouble;
}

}  // namespace tarvil::tool
