// Parse.cpp: 'tarvil parse': texts read as the library reads them, each
// answered with its value in the base unit.
#include <tarvil/CTarvil.h>

#include "Commands.h"
#include "LibrarySetup.h"
#include "Options.h"
#include "Session.h"
#include "Values.h"

namespace tarvil::tool {

namespace {

const std::vector<OptionSpec> kParseOptions = {
    {"json", false},    {"help", false},  {"notation", true}, {"as", true},
    {"base", true},     {"unit", true},   {"strict", false},  {"positive", false},
};

bool IsWhole(Kind kind) { return kind == Kind::kLength || kind == Kind::kInteger; }

Answer AnswerParse(const std::string& text, std::optional<Kind> asKind,
                   const ReadOptions& options) {
  std::optional<Kind> kind = asKind;
  if (!kind) {
    CTarvil classified;
    kind = Classify(text, options, classified);
    if (!kind) {
      Answer answer = Refusal(text, classified);
      answer.fields.AddNull("kind").AddNull("value").AddNull("unit");
      return answer;
    }
  }
  const Reading reading = ReadValue(*kind, text, options);
  Answer answer;
  if (!reading.accepted) {
    answer = Refusal(text, reading.tested);
    answer.fields.AddString("kind", KindName(*kind)).AddNull("value").AddNull("unit");
    return answer;
  }
  answer.accepted = true;
  TakeState(answer, reading.tested);
  const std::string unit = BaseUnitText(*kind, options.base);
  const std::string number = IsWhole(*kind)
                                 ? std::to_string(static_cast<long long>(reading.value))
                                 : ShortestNumber(reading.value);
  answer.plain = unit.empty() ? number : number + " " + unit;
  answer.fields.AddString("kind", KindName(*kind));
  if (IsWhole(*kind)) {
    answer.fields.AddInt("value", static_cast<long long>(reading.value));
  } else {
    answer.fields.AddNumber("value", reading.value);
  }
  answer.fields.AddString("unit", unit);
  return answer;
}

}  // namespace

int RunParse(const Arguments& args) {
  const std::string command = "parse";
  CommandLine line;
  std::string error;
  if (!line.Parse(args, kParseOptions, error)) return UsageTrouble(command, error);
  if (line.Has("help")) return PrintHelp(command) ? 0 : 2;

  KindOptions chosen;
  if (!ReadKindOptions(line, "a bare length is read", chosen, error)) {
    return UsageTrouble(command, error);
  }
  std::optional<Kind> kind = chosen.kind;
  ReadOptions options;
  options.notation = chosen.notation;
  options.base = chosen.base;
  options.unit = chosen.unit;
  options.strict = line.Has("strict");
  options.positive = line.Has("positive");

  Session session(command, line.Has("json"));
  LoadSettings();
  if (options.notation) UseNotation(*options.notation);
  session.SetRefusalShape("", JsonObject().AddNull("kind").AddNull("value").AddNull("unit"));
  session.AnswerAll(line.Operands(), [&](const std::string& text) {
    return AnswerParse(text, kind, options);
  });
  return session.Finish();
}

}  // namespace tarvil::tool
