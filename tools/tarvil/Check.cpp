// Check.cpp: 'tarvil check': names, file names, path names and ASCII texts
// validated as the library validates them. File and path names follow the
// rules of this machine (POSIX) unless the suite's rules are asked for.
#include <tarvil/CTarvil.h>
#include <tarvil/tarvil.h>

#include "Commands.h"
#include "LibrarySetup.h"
#include "Options.h"
#include "Session.h"

namespace tarvil::tool {

namespace {

const std::vector<OptionSpec> kCheckOptions = {
    {"json", false},         {"help", false},  {"type", true},   {"limit", true},
    {"allow-special", false}, {"rules", true}, kSettingsOption,
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
  if (const auto done = OpenCommand(command, args, kCheckOptions, line)) return *done;
  std::string error;

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
  bool posix = true;
  if (auto word = line.Value("rules")) {
    if (*word != "posix" && *word != "suite") {
      return UsageTrouble(command, "unknown rules '" + *word + "' (posix or suite)");
    }
    if (*check != Check::kFile && *check != Check::kPath) {
      return UsageTrouble(command, "--rules applies to file and path names only");
    }
    posix = *word == "posix";
  }
  // Names do not depend on the settings; the option is checked all the same.
  Setup setup;
  if (!ChooseSettings(command, line, setup)) return kStatusTrouble;

  Session session(command, line.Has("json"));
  session.SetRefusalShape("invalid", JsonObject().AddString("check", what));
  session.AnswerAll(operands, [&](const std::string& text) {
    int error = 0;
    int cursor = 0;
    const auto useResult = [&](const tarvil::Result<bool>& result) {
      error = static_cast<int>(result.error);
      cursor = result.position;
    };
    CTarvil tested(text.c_str());
    const auto useTested = [&](int valid) {
      error = valid == 1 ? 0 : static_cast<int>(tested.GetCurrentError());
      cursor = tested.GetCursorPosition();
    };
    using tarvil::NameKind;
    switch (*check) {
      case Check::kName:
        if (type) {
          useResult(tarvil::check_name(text, static_cast<NameKind>(*type), allowSpecial));
        } else if (limit) {
          int lengthLimit = *limit;
          useTested(tested.IsEDAName(lengthLimit));
        } else {
          useTested(tested.IsEDAName());
        }
        break;
      case Check::kFile:
        useResult(tarvil::check_name(text, posix ? NameKind::posix_file : NameKind::file));
        break;
      case Check::kPath:
        useResult(tarvil::check_name(text, posix ? NameKind::posix_path : NameKind::path));
        break;
      case Check::kAscii: useTested(tested.IsASCII()); break;
    }
    Answer answer;
    if (error == 0) {
      answer.accepted = true;
      answer.cursor = cursor;
    } else {
      answer = Refusal(text, error, cursor);
    }
    answer.plain = answer.accepted ? "valid" : "invalid";
    answer.fields.AddString("check", what);
    return answer;
  });
  return session.Finish();
}

}  // namespace tarvil::tool
