// Parse.cpp: 'tarvil parse': texts read as the library reads them, each
// answered with its value in the base unit; with --part, a part's value
// field with its attributes.
#include "Commands.h"
#include "Json.h"
#include "Values.h"

namespace tarvil::tool {

namespace {

const CommandSpec kParse = {
    "parse",
    {Valued("notation"), Valued("as"), Valued("base"), Valued("unit"), Flag("strict"),
     Flag("positive"), Flag("part"), kBareUnitOption}};

bool IsWhole(Kind kind) { return kind == Kind::kLength || kind == Kind::kInteger; }

Answer Refuse(const std::string& text, const Reading& refused, const std::string& hint,
              const Setup& setup, std::optional<Kind> kind) {
  Answer answer;
  answer.error = static_cast<int>(refused.error);
  answer.cursor = refused.position;
  std::optional<Quantity> quantity;
  if (kind && (IsElectrical(*kind) || *kind == Kind::kNumber)) quantity = QuantityOf(*kind);
  answer.message = Describe(text, refused, hint, setup, quantity);
  return answer;
}

Answer AnswerParse(const std::string& text, std::optional<Kind> asKind,
                   const ReadOptions& options, const Setup& setup) {
  std::optional<Kind> kind = asKind;
  if (!kind) {
    Reading refusal;
    kind = Classify(text, options, setup, refusal);
    if (!kind) {
      Answer answer = Refuse(text, refusal, std::string(), setup, std::nullopt);
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
    Answer answer = Refuse(text, reading, hint, setup, kind);
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

// The JSON members of a part's answer, all null: those of a refused field.
JsonObject PartShape(std::optional<Kind> kind) {
  JsonObject fields;
  if (kind) {
    fields.AddString("kind", KindName(*kind));
  } else {
    fields.AddNull("kind");
  }
  for (const char* name : {"value", "unit", "fitted", "tolerance", "voltage", "current", "power",
                           "temperature_coefficient", "dielectric", "package", "rest"}) {
    fields.AddNull(name);
  }
  return fields;
}

void AddOptional(JsonObject& fields, const char* name, const std::optional<double>& value) {
  if (value) {
    fields.AddNumber(name, *value);
  } else {
    fields.AddNull(name);
  }
}

void AddView(JsonObject& fields, const char* name, std::string_view view) {
  if (view.empty()) {
    fields.AddNull(name);
  } else {
    fields.AddString(name, view);
  }
}

// The attributes of `part` on the plain line: " name=value" each, the
// tolerance as percentages ('-20%/+80%') or in the value's unit, texts
// as JSON strings.
std::string PartAttributes(const tarvil::Part& part) {
  std::string line;
  if (!part.fitted) line += " fitted=no";
  if (const auto& t = part.tolerance) {
    const double scale = t->relative ? 100.0 : 1.0;
    const char* percent = t->relative ? "%" : "";
    line += " tolerance=-" + ShortestNumber(t->minus * scale) + percent + "/+" +
            ShortestNumber(t->plus * scale) + percent;
  }
  const std::pair<const char*, const std::optional<double>*> ratings[] = {
      {"voltage", &part.voltage},
      {"current", &part.current},
      {"power", &part.power},
      {"temperature_coefficient", &part.temperature_coefficient}};
  for (const auto& [name, value] : ratings) {
    if (*value) line += std::string(" ") + name + "=" + ShortestNumber(**value);
  }
  const std::pair<const char*, std::string_view> texts[] = {
      {"dielectric", part.dielectric}, {"package", part.package}, {"rest", part.rest}};
  for (const auto& [name, view] : texts) {
    if (view.empty()) continue;
    line += std::string(" ") + name + "=";
    AppendJsonString(line, view);
  }
  return line;
}

// A part's value field as `kind`: "VALUE UNIT" (or "none" without a value)
// and its attributes; with --json one member each.
Answer AnswerPart(const std::string& text, Kind kind, const Setup& setup) {
  const auto r = tarvil::read_part(text, QuantityOf(kind), setup.settings, setup.units);
  if (!r) {
    Answer answer =
        Refuse(text, Reading{.error = r.error, .position = r.position}, std::string(), setup, kind);
    answer.fields = PartShape(kind);
    return answer;
  }
  const tarvil::Part& part = r.value;
  const std::string unit = BaseUnitText(kind);
  Answer answer;
  answer.accepted = true;
  answer.plain = part.has_value ? ShortestNumber(part.value) : std::string("none");
  if (part.has_value && !unit.empty()) answer.plain += " " + unit;
  answer.plain += PartAttributes(part);
  answer.fields.AddString("kind", KindName(kind));
  if (part.has_value) {
    answer.fields.AddNumber("value", part.value);
  } else {
    answer.fields.AddNull("value");
  }
  answer.fields.AddString("unit", unit).AddBool("fitted", part.fitted);
  if (part.tolerance) {
    answer.fields.AddRaw("tolerance", JsonObject()
                                          .AddNumber("minus", part.tolerance->minus)
                                          .AddNumber("plus", part.tolerance->plus)
                                          .AddBool("relative", part.tolerance->relative)
                                          .Text());
  } else {
    answer.fields.AddNull("tolerance");
  }
  AddOptional(answer.fields, "voltage", part.voltage);
  AddOptional(answer.fields, "current", part.current);
  AddOptional(answer.fields, "power", part.power);
  AddOptional(answer.fields, "temperature_coefficient", part.temperature_coefficient);
  AddView(answer.fields, "dielectric", part.dielectric);
  AddView(answer.fields, "package", part.package);
  AddView(answer.fields, "rest", part.rest);
  return answer;
}

}  // namespace

int RunParse(const Arguments& args) {
  KindOptions chosen;
  OpenedCommand opened;
  const OpeningSteps steps{
      .beforeSettings =
          [&](const CommandLine& line, std::string& error) {
            return ReadKindOptions(line, "a bare length is read", chosen, error);
          },
      .afterSettings =
          [&](const CommandLine& line, Setup& setup, std::string& error) {
            if (!ChooseBareUnits(line, setup.settings, error)) return false;
            const std::optional<Kind> kind = chosen.kind;
            if (line.Has("part") && !(kind && (IsElectrical(*kind) || *kind == Kind::kNumber))) {
              error = "--part needs --as with an electrical kind or number";
              return false;
            }
            return true;
          }};
  if (const auto done = OpenCommand(kParse, args, steps, opened)) return *done;
  const CommandLine& line = opened.line;
  const Setup& setup = opened.setup;
  Session& session = *opened.session;
  const std::optional<Kind> kind = chosen.kind;
  if (line.Has("part")) {
    session.SetRefusalShape("", PartShape(kind));
    session.AnswerAll(line.Operands(),
                      [&](const std::string& text) { return AnswerPart(text, *kind, setup); });
    return session.Finish();
  }
  ReadOptions options;
  options.notation = chosen.notation;
  options.base = chosen.base;
  options.unit = chosen.unit;
  options.strict = line.Has("strict");
  options.positive = line.Has("positive");
  session.SetRefusalShape("", JsonObject().AddNull("kind").AddNull("value").AddNull("unit"));
  session.AnswerAll(line.Operands(), [&](const std::string& text) {
    return AnswerParse(text, kind, options, setup);
  });
  return session.Finish();
}

}  // namespace tarvil::tool
