// Commands.h: the subcommands of the tool, and the opening they share. Each
// takes the arguments that follow its name (global options included) and
// returns the exit status.
#ifndef TARVIL_TOOL_COMMANDS_H
#define TARVIL_TOOL_COMMANDS_H

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "LibrarySetup.h"
#include "Options.h"
#include "Session.h"

namespace tarvil::tool {

using Arguments = std::vector<std::string>;

int RunParse(const Arguments& args);
int RunFormat(const Arguments& args);
int RunConvert(const Arguments& args);
int RunSort(const Arguments& args);
int RunCheck(const Arguments& args);
int RunUnits(const Arguments& args);
int RunSettings(const Arguments& args);
int RunBom(const Arguments& args);

// Whether a subcommand takes operands (inputs, or standard input without
// any).
enum class Operands { kAny, kNone };

// A subcommand as its opening sees it.
struct CommandSpec {
  const char* name;
  // Its own options; --json, --help and --settings are every command's.
  std::vector<OptionSpec> options;
  Operands operands = Operands::kAny;
  SettingsCheck settingsCheck = SettingsCheck::kRefuse;
};

// The steps of an opening that are a subcommand's own, either may be
// empty. Each gives false with a one-line usage error in `error`.
struct OpeningSteps {
  // Before the settings are read: its own options.
  std::function<bool(const CommandLine& line, std::string& error)> beforeSettings = nullptr;
  // Once they are: the changes its options make to them, and the checks
  // that follow them.
  std::function<bool(const CommandLine& line, Setup& setup, std::string& error)> afterSettings =
      nullptr;
};

// An opened subcommand: its command line, its settings and its session.
struct OpenedCommand {
  CommandLine line;
  Setup setup;
  std::optional<Session> session;  // present once the opening went through
};

// OpenCommand: the opening every subcommand shares, in this order: `args`
// parsed against the options of `spec` and the shared ones; --help
// answered; the operands checked against `spec.operands`;
// `steps.beforeSettings`; the settings chosen (ChooseSettings, with
// `spec.settingsCheck`); `steps.afterSettings`; the session started (--json).
// The exit status when that ends the command (2 after a usage error or
// settings that cannot be used, 0 after the help), or nothing when the
// command goes on with `opened`.
std::optional<int> OpenCommand(const CommandSpec& spec, const Arguments& args,
                               const OpeningSteps& steps, OpenedCommand& opened);

// PrintHelp: the help of `command` (the whole program for an empty one) on
// standard output. False when there is no such command.
bool PrintHelp(const std::string& command);

}  // namespace tarvil::tool

#endif
