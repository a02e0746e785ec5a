// Format.cpp: 'tarvil format': values written as the library writes them.
#include "Commands.h"
#include "NumberArgument.h"
#include "Values.h"

namespace tarvil::tool {

namespace {

const CommandSpec kFormat = {
    "format",
    {Valued("notation"), Valued("as"), Valued("unit"), Valued("base"), Valued("precision"),
     Flag("full"), Flag("no-unit"), Flag("keep-zeros")}};

// What the command line asks to write, and how.
struct FormatRequest {
  Kind kind = Kind::kNumber;  // --as, or the kind of --unit
  WriteOptions writing;
  PrecisionOptions precision;
};

// ReadFormatRequest: --as, --notation, --base, --unit, the options of the
// written form and --no-unit.
bool ReadFormatRequest(const CommandLine& line, FormatRequest& request, std::string& error) {
  KindOptions chosen;
  if (!ReadKindOptions(line, "lengths are written", chosen, error)) return false;
  request.kind = chosen.kind.value_or(Kind::kNumber);
  request.writing.notation = chosen.notation;
  request.writing.base = chosen.base;
  request.writing.unit = chosen.unit;
  if (!ReadPrecisionOptions(line, request.precision, error)) return false;
  request.writing.showUnit = !line.Has("no-unit");
  return true;
}

// ApplyFormatRequest: the notation and the options of the written form of
// `request` in `settings`.
bool ApplyFormatRequest(const FormatRequest& request, tarvil::Settings& settings,
                        std::string& error) {
  const WriteOptions& writing = request.writing;
  if (writing.notation) settings.notation = *writing.notation;
  return ApplyPrecisionOptions(request.precision, request.kind, writing.notation, writing.unit,
                               settings, error);
}

// The JSON members of a number that is not written.
void AddRefusedFields(JsonObject& fields, Kind kind) {
  fields.AddString("kind", KindName(kind)).AddNull("value").AddNull("text");
}

// AnswerFormat: the number `text` written as `request` asks.
Answer AnswerFormat(const std::string& text, const FormatRequest& request, const Setup& setup) {
  const bool whole = request.kind == Kind::kLength || request.kind == Kind::kInteger;
  double value = 0.0;
  Answer answer;
  if (!ReadNumberArgument(text, whole, value, answer)) {
    AddRefusedFields(answer.fields, request.kind);
    return answer;
  }
  answer.accepted = true;
  answer.plain = WriteValue(request.kind, value, request.writing, setup.settings, setup.units);
  answer.fields.AddString("kind", KindName(request.kind));
  if (whole) {
    answer.fields.AddInt("value", static_cast<long long>(value));
  } else {
    answer.fields.AddNumber("value", value);
  }
  answer.fields.AddString("text", answer.plain);
  return answer;
}

}  // namespace

int RunFormat(const Arguments& args) {
  FormatRequest request;
  OpenedCommand opened;
  const OpeningSteps steps{
      .beforeSettings =
          [&](const CommandLine& line, std::string& error) {
            return ReadFormatRequest(line, request, error);
          },
      .afterSettings =
          [&](const CommandLine&, Setup& setup, std::string& error) {
            return ApplyFormatRequest(request, setup.settings, error);
          }};
  if (const auto done = OpenCommand(kFormat, args, steps, opened)) return *done;
  Session& session = *opened.session;
  JsonObject refusedFields;
  AddRefusedFields(refusedFields, request.kind);
  session.SetRefusalShape("", refusedFields);
  session.AnswerAll(opened.line.Operands(), [&](const std::string& text) {
    return AnswerFormat(text, request, opened.setup);
  });
  return session.Finish();
}

}  // namespace tarvil::tool
