// Commands.h: the subcommands of the tool. Each takes the arguments that
// follow its name (global options included) and returns the exit status.
#ifndef TARVIL_TOOL_COMMANDS_H
#define TARVIL_TOOL_COMMANDS_H

#include <optional>
#include <string>
#include <vector>

#include "Options.h"

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

// OpenCommand: the opening every subcommand shares: `args` parsed against
// `options` into `line`, then --help answered. The exit status when that
// ends the command (2 after a usage error, 0 after the help), or nothing
// when the command goes on.
std::optional<int> OpenCommand(const std::string& command, const Arguments& args,
                               const std::vector<OptionSpec>& options, CommandLine& line);

// PrintHelp: the help of `command` (the whole program for an empty one) on
// standard output. False when there is no such command.
bool PrintHelp(const std::string& command);

}  // namespace tarvil::tool

#endif
