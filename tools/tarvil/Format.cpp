// Format.cpp: 'tarvil format': values written as the library writes them.
#include "Commands.h"
#include "LibrarySetup.h"
#include "NumberArgument.h"
#include "Options.h"
#include "Session.h"
#include "Values.h"

namespace tarvil::tool {

namespace {

const std::vector<OptionSpec> kFormatOptions = {
    {"json", false},     {"help", false},      {"notation", true}, {"as", true},
    {"unit", true},      {"base", true},       {"precision", true}, {"full", false},
    {"no-unit", false},  {"keep-zeros", false}, kSettingsOption,
};

}  // namespace

int RunFormat(const Arguments& args) {
  const std::string command = "format";
  CommandLine line;
  if (const auto done = OpenCommand(command, args, kFormatOptions, line)) return *done;
  std::string error;

  KindOptions chosen;
  if (!ReadKindOptions(line, "lengths are written", chosen, error)) {
    return UsageTrouble(command, error);
  }
  std::optional<Kind> kind = chosen.kind;
  WriteOptions options;
  options.notation = chosen.notation;
  options.base = chosen.base;
  options.unit = chosen.unit;
  if (!kind) kind = Kind::kNumber;
  std::optional<int> precision;
  if (!ReadPrecisionOptions(line, precision, error)) return UsageTrouble(command, error);
  options.showUnit = !line.Has("no-unit");
  Setup setup;
  if (!ChooseSettings(command, line, setup)) return kStatusTrouble;
  tarvil::Settings& settings = setup.settings;
  if (options.notation) settings.notation = *options.notation;
  if (line.Has("keep-zeros")) settings.suppress_trailing_zeros = false;
  if (line.Has("full")) UseFullPrecision(settings);
  if (precision &&
      !SetPrecision(*kind, options.notation, options.unit, *precision, settings, error)) {
    return UsageTrouble(command, error);
  }

  Session session(command, line.Has("json"));
  const bool whole = *kind == Kind::kLength || *kind == Kind::kInteger;
  session.SetRefusalShape(
      "", JsonObject().AddString("kind", KindName(*kind)).AddNull("value").AddNull("text"));
  session.AnswerAll(line.Operands(), [&](const std::string& text) {
    double value = 0.0;
    Answer answer;
    if (!ReadNumberArgument(text, whole, value, answer)) {
      answer.fields.AddString("kind", KindName(*kind)).AddNull("value").AddNull("text");
      return answer;
    }
    answer.accepted = true;
    answer.plain = WriteValue(*kind, value, options, settings, setup.units);
    answer.fields.AddString("kind", KindName(*kind));
    if (whole) {
      answer.fields.AddInt("value", static_cast<long long>(value));
    } else {
      answer.fields.AddNumber("value", value);
    }
    answer.fields.AddString("text", answer.plain);
    return answer;
  });
  return session.Finish();
}

}  // namespace tarvil::tool
