// Convert.cpp: 'tarvil convert': a length, time, velocity or angle read as
// the library reads it and written again in another unit.
#include "Commands.h"
#include "Values.h"

namespace tarvil::tool {

namespace {

const CommandSpec kConvert = {
    "convert",
    {Valued("to"), Valued("from"), Valued("precision"), Flag("full"), Flag("show-unit"),
     Flag("keep-zeros"), Valued("base"), Flag("positive"), Flag("display")}};

// What the command line asks to convert to, and how.
struct ConvertRequest {
  std::optional<UnitChoice> to;  // --to, present once the request is read
  ReadOptions reading;
  WriteOptions writing;
  PrecisionOptions precision;
  bool display = false;  // the written form, rather than the shortest number
};

// ReadFromUnit: --from, the unit of a bare number: one of the kind of
// `toWord`, and not a base unit.
bool ReadFromUnit(const CommandLine& line, const std::string& toWord, ConvertRequest& request,
                  std::string& error) {
  const auto word = line.Value("from");
  if (!word) return true;
  request.reading.unit = ParseUnit(*word);
  if (!request.reading.unit) {
    error = "unknown unit '" + *word + "'";
  } else if (request.reading.unit->kind != request.to->kind) {
    error = "'" + *word + "' and '" + toWord + "' measure different things";
  } else if (request.reading.unit->base) {
    error = "a bare length is read in in, mm, um or th, not '" + *word + "'";
  }
  return error.empty();
}

// ReadConvertRequest: --to (required), --base, --from, --positive, the
// options of the written form and --show-unit.
bool ReadConvertRequest(const CommandLine& line, ConvertRequest& request, std::string& error) {
  const std::optional<std::string> toWord = line.Value("to");
  if (!toWord) {
    error = "--to UNIT is required";
    return false;
  }
  request.to = ParseUnit(*toWord);
  if (!request.to) {
    error = "unknown unit '" + *toWord + "'";
    return false;
  }
  if (auto word = line.Value("base")) {
    const std::optional<Resolution> base = ParseBase(*word);
    if (!base) {
      error = "unknown base unit '" + *word + "' (nm or tnm)";
      return false;
    }
    request.reading.base = request.writing.base = *base;
  }
  if (request.to->base) {
    // A count of base units is asked for: read the length at that resolution.
    request.reading.base = request.writing.base = static_cast<Resolution>(request.to->value);
  }
  if (!ReadFromUnit(line, *toWord, request, error)) return false;
  request.reading.positive = line.Has("positive");
  if (!ReadPrecisionOptions(line, request.precision, error)) return false;
  request.writing.unit = *request.to;
  request.writing.showUnit = line.Has("show-unit");
  // The options of the written form ask for it.
  request.display = line.Has("display") || request.precision.Given();
  return true;
}

// The JSON members of a text that is not converted.
void AddRefusedFields(JsonObject& fields, Kind kind) {
  fields.AddString("kind", KindName(kind)).AddNull("value").AddNull("unit").AddNull("text");
}

// AnswerConvert: `text` read as `request` asks and written in its unit.
Answer AnswerConvert(const std::string& text, const ConvertRequest& request,
                     const Setup& setup) {
  const UnitChoice& to = *request.to;
  const Kind kind = to.kind;
  const Reading read = ReadValue(kind, text, request.reading, setup);
  Answer answer;
  if (!read.accepted) {
    answer = Refusal(text, static_cast<int>(read.error), read.position);
    AddRefusedFields(answer.fields, kind);
    return answer;
  }
  answer.accepted = true;
  if (kind == Kind::kLength && to.base) {
    const std::string count = std::to_string(static_cast<long long>(read.value));
    answer.plain = request.writing.showUnit ? count + UnitText(to) : count;
  } else if (request.display) {
    answer.plain = WriteValue(kind, read.value, request.writing, setup.settings, setup.units);
  } else {
    answer.plain = ShortestNumber(InUnit(kind, read.value, request.reading.base, to));
    if (request.writing.showUnit) answer.plain += UnitText(to);
  }
  answer.fields.AddString("kind", KindName(kind));
  if (kind == Kind::kLength) {
    answer.fields.AddInt("value", static_cast<long long>(read.value));
  } else {
    answer.fields.AddNumber("value", read.value);
  }
  answer.fields.AddString("unit", BaseUnitText(kind, request.reading.base));
  answer.fields.AddString("text", answer.plain);
  return answer;
}

}  // namespace

int RunConvert(const Arguments& args) {
  ConvertRequest request;
  OpenedCommand opened;
  const OpeningSteps steps{
      .beforeSettings =
          [&](const CommandLine& line, std::string& error) {
            return ReadConvertRequest(line, request, error);
          },
      .afterSettings =
          [&](const CommandLine&, Setup& setup, std::string& error) {
            return ApplyPrecisionOptions(request.precision, request.to->kind, std::nullopt,
                                         request.to, setup.settings, error);
          }};
  if (const auto done = OpenCommand(kConvert, args, steps, opened)) return *done;
  Session& session = *opened.session;
  JsonObject refusedFields;
  AddRefusedFields(refusedFields, request.to->kind);
  session.SetRefusalShape("", refusedFields);
  session.AnswerAll(opened.line.Operands(), [&](const std::string& text) {
    return AnswerConvert(text, request, opened.setup);
  });
  return session.Finish();
}

}  // namespace tarvil::tool
