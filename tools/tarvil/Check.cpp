// Check.cpp: 'tarvil check': names, file names, path names and ASCII texts
// validated as the library validates them.
#include <tarvil/CTarvil.h>

#include "Commands.h"
#include "Options.h"
#include "Session.h"

namespace tarvil::tool {

namespace {

const std::vector<OptionSpec> kCheckOptions = {
    {"json", false}, {"help", false}, {"type", true}, {"limit", true}, {"allow-special", false},
};

enum class Check { kName, kFile, kPath, kAscii };

std::optional<Check> ParseCheck(const std::string& word) {
  if (word == "name") return Check::kName;
  if (word == "file") return Check::kFile;
  if (word == "path") return Check::kPath;
  if (word == "ascii") return Check::kAscii;
  return std::nullopt;
}

// The largest design-object name kind.
constexpr int kLastNameType = eEDAType18;

}  // namespace

int RunCheck(const Arguments& args) {
  const std::string command = "check";
  CommandLine line;
  std::string error;
  if (!line.Parse(args, kCheckOptions, error)) return UsageTrouble(command, error);
  if (line.Has("help")) return PrintHelp(command) ? 0 : 2;

  std::vector<std::string> operands = line.Operands();
  if (operands.empty()) return UsageTrouble(command, "say what to check: name, file, path or ascii");
  const std::string what = operands.front();
  operands.erase(operands.begin());
  const std::optional<Check> check = ParseCheck(what);
  if (!check) return UsageTrouble(command, "unknown check '" + what + "'");

  std::optional<int> type;
  std::optional<int> limit;
  if (auto word = line.Value("type")) {
    int value = 0;
    if (!ParseWholeNumber(*word, value) || value < 0 || value > kLastNameType) {
      return UsageTrouble(command, "--type needs a name kind from 0 to " +
                                       std::to_string(kLastNameType) + ", not '" + *word + "'");
    }
    type = value;
  }
  if (auto word = line.Value("limit")) {
    int value = 0;
    if (!ParseWholeNumber(*word, value) || value < 0) {
      return UsageTrouble(command, "--limit needs a length of 0 or more, not '" + *word + "'");
    }
    limit = value;
  }
  if (type && limit) return UsageTrouble(command, "--type and --limit exclude each other");
  const bool allowSpecial = line.Has("allow-special");
  if (*check != Check::kName && (type || limit || allowSpecial)) {
    return UsageTrouble(command, "--type, --limit and --allow-special apply to names only");
  }
  if (allowSpecial && !type) return UsageTrouble(command, "--allow-special needs --type");

  Session session(command, line.Has("json"));
  session.SetRefusalShape("invalid", JsonObject().AddString("check", what));
  session.AnswerAll(operands, [&](const std::string& text) {
    CTarvil tested(text.c_str());
    int valid = 0;
    switch (*check) {
      case Check::kName:
        if (type) {
          valid = tested.IsEDAName(static_cast<eEDAStringTypes>(*type), allowSpecial ? 1 : 0);
        } else if (limit) {
          int lengthLimit = *limit;
          valid = tested.IsEDAName(lengthLimit);
        } else {
          valid = tested.IsEDAName();
        }
        break;
      case Check::kFile: valid = tested.IsFileName(); break;
      case Check::kPath: valid = tested.IsPathName(); break;
      case Check::kAscii: valid = tested.IsASCII(); break;
    }
    Answer answer;
    if (valid == 1) {
      answer.accepted = true;
      TakeState(answer, tested);
    } else {
      answer = Refusal(text, tested);
    }
    answer.plain = answer.accepted ? "valid" : "invalid";
    answer.fields.AddString("check", what);
    return answer;
  });
  return session.Finish();
}

}  // namespace tarvil::tool
