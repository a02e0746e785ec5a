// Check.cpp: 'tarvil check': names, file names, path names and ASCII texts
// validated as the library validates them. File and path names follow the
// rules of this machine (POSIX) unless the suite's rules are asked for.
#include <tarvil/CTarvil.h>
#include <tarvil/tarvil.h>

#include "Commands.h"

namespace tarvil::tool {

namespace {

const CommandSpec kCheck = {
    "check", {Valued("type"), Valued("limit"), Flag("allow-special"), Valued("rules")}};

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

// Whose rules file and path names follow.
enum class NameRules { kPosix, kSuite };

// What the command line asks to check, and how.
struct CheckRequest {
  std::string what;  // the word that names the check
  Check check = Check::kName;
  std::vector<std::string> inputs;  // the operands after that word
  std::optional<int> type;          // --type: a design-object name kind
  std::optional<int> limit;         // --limit: a length limit for names
  bool allowSpecial = false;
  NameRules rules = NameRules::kPosix;
};

// ReadNameOptions: --type, --limit and --allow-special, which apply to
// names only.
bool ReadNameOptions(const CommandLine& line, CheckRequest& request, std::string& error) {
  if (auto word = line.Value("type")) {
    int value = 0;
    if (!ParseWholeNumber(*word, value) || value < 0 || value > kLastNameType) {
      error = "--type needs a name kind from 0 to " + std::to_string(kLastNameType) + ", not '" +
              *word + "'";
      return false;
    }
    request.type = value;
  }
  if (auto word = line.Value("limit")) {
    int value = 0;
    if (!ParseWholeNumber(*word, value) || value < 0) {
      error = "--limit needs a length of 0 or more, not '" + *word + "'";
      return false;
    }
    request.limit = value;
  }
  request.allowSpecial = line.Has("allow-special");
  const char* conflict = nullptr;
  if (request.type && request.limit) {
    conflict = "--type and --limit exclude each other";
  } else if (request.check != Check::kName &&
             (request.type || request.limit || request.allowSpecial)) {
    conflict = "--type, --limit and --allow-special apply to names only";
  } else if (request.allowSpecial && !request.type) {
    conflict = "--allow-special needs --type";
  }
  if (conflict != nullptr) error = conflict;
  return conflict == nullptr;
}

// ReadRules: --rules, which applies to file and path names only.
bool ReadRules(const CommandLine& line, CheckRequest& request, std::string& error) {
  const auto word = line.Value("rules");
  if (!word) return true;
  if (*word != "posix" && *word != "suite") {
    error = "unknown rules '" + *word + "' (posix or suite)";
    return false;
  }
  if (request.check != Check::kFile && request.check != Check::kPath) {
    error = "--rules applies to file and path names only";
    return false;
  }
  request.rules = *word == "posix" ? NameRules::kPosix : NameRules::kSuite;
  return true;
}

// ReadCheckRequest: the check the first operand names, the inputs after
// it, and the options of the check.
bool ReadCheckRequest(const CommandLine& line, CheckRequest& request, std::string& error) {
  request.inputs = line.Operands();
  if (request.inputs.empty()) {
    error = "say what to check: name, file, path or ascii";
    return false;
  }
  request.what = request.inputs.front();
  request.inputs.erase(request.inputs.begin());
  const std::optional<Check> check = ParseCheck(request.what);
  if (!check) {
    error = "unknown check '" + request.what + "'";
    return false;
  }
  request.check = *check;
  return ReadNameOptions(line, request, error) && ReadRules(line, request, error);
}

// The library's verdict on one input: its error code (0: valid) and cursor.
struct Verdict {
  int error = 0;
  int cursor = 0;
};

Verdict OfResult(const tarvil::Result<bool>& result) {
  return {static_cast<int>(result.error), result.position};
}

Verdict OfTested(CTarvil& tested, int valid) {
  return {valid == 1 ? 0 : static_cast<int>(tested.GetCurrentError()),
          tested.GetCursorPosition()};
}

// Judge: `text` checked as `request` asks.
Verdict Judge(const CheckRequest& request, const std::string& text) {
  using tarvil::NameKind;
  const bool posix = request.rules == NameRules::kPosix;
  CTarvil tested(text.c_str());
  switch (request.check) {
    case Check::kName:
      if (request.type) {
        return OfResult(tarvil::check_name(text, static_cast<NameKind>(*request.type),
                                           request.allowSpecial));
      }
      if (request.limit) {
        int lengthLimit = *request.limit;
        return OfTested(tested, tested.IsEDAName(lengthLimit));
      }
      return OfTested(tested, tested.IsEDAName());
    case Check::kFile:
      return OfResult(tarvil::check_name(text, posix ? NameKind::posix_file : NameKind::file));
    case Check::kPath:
      return OfResult(tarvil::check_name(text, posix ? NameKind::posix_path : NameKind::path));
    case Check::kAscii: return OfTested(tested, tested.IsASCII());
  }
  return {};
}

}  // namespace

int RunCheck(const Arguments& args) {
  CheckRequest request;
  OpenedCommand opened;
  // Names do not depend on the settings; --settings is checked all the same.
  const OpeningSteps steps{.beforeSettings = [&](const CommandLine& line, std::string& error) {
    return ReadCheckRequest(line, request, error);
  }};
  if (const auto done = OpenCommand(kCheck, args, steps, opened)) return *done;
  Session& session = *opened.session;
  session.SetRefusalShape("invalid", JsonObject().AddString("check", request.what));
  session.AnswerAll(request.inputs, [&](const std::string& text) {
    const Verdict verdict = Judge(request, text);
    Answer answer;
    if (verdict.error == 0) {
      answer.accepted = true;
      answer.cursor = verdict.cursor;
    } else {
      answer = Refusal(text, verdict.error, verdict.cursor);
    }
    answer.plain = answer.accepted ? "valid" : "invalid";
    answer.fields.AddString("check", request.what);
    return answer;
  });
  return session.Finish();
}

}  // namespace tarvil::tool
