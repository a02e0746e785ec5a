// Convert.cpp: 'tarvil convert': a length, time, velocity or angle read as
// the library reads it and written again in another unit.
#include "Commands.h"
#include "LibrarySetup.h"
#include "Options.h"
#include "Session.h"
#include "Values.h"

namespace tarvil::tool {

namespace {

const std::vector<OptionSpec> kConvertOptions = {
    {"json", false},       {"help", false},       {"to", true},         {"from", true},
    {"precision", true},   {"full", false},       {"show-unit", false}, {"keep-zeros", false},
    {"base", true},        {"positive", false},   {"display", false},   kSettingsOption,
};

}  // namespace

int RunConvert(const Arguments& args) {
  const std::string command = "convert";
  CommandLine line;
  if (const auto done = OpenCommand(command, args, kConvertOptions, line)) return *done;
  std::string error;

  const std::optional<std::string> toWord = line.Value("to");
  if (!toWord) return UsageTrouble(command, "--to UNIT is required");
  const std::optional<UnitChoice> to = ParseUnit(*toWord);
  if (!to) return UsageTrouble(command, "unknown unit '" + *toWord + "'");
  const Kind kind = to->kind;

  ReadOptions reading;
  WriteOptions writing;
  if (auto word = line.Value("base")) {
    const std::optional<Resolution> base = ParseBase(*word);
    if (!base) return UsageTrouble(command, "unknown base unit '" + *word + "' (nm or tnm)");
    reading.base = writing.base = *base;
  }
  if (to->base) {
    // A count of base units is asked for: read the length at that resolution.
    reading.base = writing.base = static_cast<Resolution>(to->value);
  }
  if (auto word = line.Value("from")) {
    reading.unit = ParseUnit(*word);
    if (!reading.unit) return UsageTrouble(command, "unknown unit '" + *word + "'");
    if (reading.unit->kind != kind) {
      return UsageTrouble(command, "'" + *word + "' and '" + *toWord + "' measure different things");
    }
    if (reading.unit->base) {
      return UsageTrouble(command, "a bare length is read in in, mm, um or th, not '" + *word +
                                       "'");
    }
  }
  reading.positive = line.Has("positive");
  std::optional<int> precision;
  if (!ReadPrecisionOptions(line, precision, error)) return UsageTrouble(command, error);
  writing.unit = *to;
  writing.showUnit = line.Has("show-unit");
  // The options of the written form ask for it.
  const bool display =
      line.Has("display") || precision || line.Has("full") || line.Has("keep-zeros");
  Setup setup;
  if (!ChooseSettings(command, line, setup)) return kStatusTrouble;
  tarvil::Settings& settings = setup.settings;
  if (line.Has("keep-zeros")) settings.suppress_trailing_zeros = false;
  if (line.Has("full")) UseFullPrecision(settings);
  if (precision && !SetPrecision(kind, std::nullopt, *to, *precision, settings, error)) {
    return UsageTrouble(command, error);
  }

  Session session(command, line.Has("json"));
  session.SetRefusalShape("", JsonObject()
                                  .AddString("kind", KindName(kind))
                                  .AddNull("value")
                                  .AddNull("unit")
                                  .AddNull("text"));
  session.AnswerAll(line.Operands(), [&](const std::string& text) {
    const Reading read = ReadValue(kind, text, reading, setup);
    Answer answer;
    if (!read.accepted) {
      answer = Refusal(text, static_cast<int>(read.error), read.position);
      answer.fields.AddString("kind", KindName(kind)).AddNull("value").AddNull("unit").AddNull(
          "text");
      return answer;
    }
    answer.accepted = true;
    if (kind == Kind::kLength && to->base) {
      const std::string count = std::to_string(static_cast<long long>(read.value));
      answer.plain = writing.showUnit ? count + UnitText(*to) : count;
    } else if (display) {
      answer.plain = WriteValue(kind, read.value, writing, settings, setup.units);
    } else {
      answer.plain = ShortestNumber(InUnit(kind, read.value, reading.base, *to));
      if (writing.showUnit) answer.plain += UnitText(*to);
    }
    answer.fields.AddString("kind", KindName(kind));
    if (kind == Kind::kLength) {
      answer.fields.AddInt("value", static_cast<long long>(read.value));
    } else {
      answer.fields.AddNumber("value", read.value);
    }
    answer.fields.AddString("unit", BaseUnitText(kind, reading.base));
    answer.fields.AddString("text", answer.plain);
    return answer;
  });
  return session.Finish();
}

}  // namespace tarvil::tool
