// Parse.cpp: 'tarvil parse': texts read as the library reads them, each
// answered with its value in the base unit.
#include "Commands.h"
#include "LibrarySetup.h"
#include "Options.h"
#include "Session.h"
#include "Values.h"

namespace tarvil::tool {

namespace {

const std::vector<OptionSpec> kParseOptions = {
    {"json", false}, {"help", false},   {"notation", true},  {"as", true},     {"base", true},
    {"unit", true},  {"strict", false}, {"positive", false}, kSettingsOption,
};

bool IsWhole(Kind kind) { return kind == Kind::kLength || kind == Kind::kInteger; }

Answer Refuse(const std::string& text, const Reading& refused, const std::string& hint,
              const Setup& setup) {
  Answer answer;
  answer.error = static_cast<int>(refused.error);
  answer.cursor = refused.position;
  answer.message = Describe(text, refused, hint, setup.settings);
  return answer;
}

Answer AnswerParse(const std::string& text, std::optional<Kind> asKind,
                   const ReadOptions& options, const Setup& setup) {
  std::optional<Kind> kind = asKind;
  if (!kind) {
    Reading refusal;
    kind = Classify(text, options, setup, refusal);
    if (!kind) {
      Answer answer = Refuse(text, refusal, std::string(), setup);
      answer.fields.AddNull("kind").AddNull("value").AddNull("unit");
      return answer;
    }
  }
  const Reading reading = ReadValue(*kind, text, options, setup);
  if (!reading.accepted) {
    const bool plain = *kind == Kind::kInteger || *kind == Kind::kNumber;
    std::string hint;
    // Integers and numbers in the regional format take no notation.
    if (IsElectrical(*kind) || (plain && options.notation)) {
      hint = Hint(*kind, text, options.notation.value_or(Notation::any), reading, setup);
    }
    Answer answer = Refuse(text, reading, hint, setup);
    answer.fields.AddString("kind", KindName(*kind)).AddNull("value").AddNull("unit");
    return answer;
  }
  Answer answer;
  answer.accepted = true;
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
  Setup setup;
  if (!ChooseSettings(command, line, setup)) return kStatusTrouble;
  std::optional<Kind> kind = chosen.kind;
  ReadOptions options;
  options.notation = chosen.notation;
  options.base = chosen.base;
  options.unit = chosen.unit;
  options.strict = line.Has("strict");
  options.positive = line.Has("positive");

  Session session(command, line.Has("json"));
  session.SetRefusalShape("", JsonObject().AddNull("kind").AddNull("value").AddNull("unit"));
  session.AnswerAll(line.Operands(), [&](const std::string& text) {
    return AnswerParse(text, kind, options, setup);
  });
  return session.Finish();
}

}  // namespace tarvil::tool
