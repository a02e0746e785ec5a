// Commands.h: the subcommands of the tool. Each takes the arguments that
// follow its name (global options included) and returns the exit status.
#ifndef TARVIL_TOOL_COMMANDS_H
#define TARVIL_TOOL_COMMANDS_H

#include <string>
#include <vector>

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

// PrintHelp: the help of `command` (the whole program for an empty one) on
// standard output. False when there is no such command.
bool PrintHelp(const std::string& command);

}  // namespace tarvil::tool

#endif
