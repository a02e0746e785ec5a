// main.cpp: the tarvil command: picks the subcommand and hands it its
// arguments.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "Commands.h"
#include "Session.h"

#ifndef TARVIL_TOOL_VERSION
#define TARVIL_TOOL_VERSION "0"
#endif

namespace {

using namespace tarvil::tool;

struct CommandEntry {
  const char* name;
  int (*run)(const Arguments&);
};

constexpr CommandEntry kCommands[] = {
    {"parse", RunParse}, {"format", RunFormat}, {"convert", RunConvert},
    {"sort", RunSort},   {"check", RunCheck},   {"units", RunUnits},
    {"settings", RunSettings}, {"bom", RunBom},
};

int PrintVersion() {
  std::printf("tarvil %s\n", TARVIL_TOOL_VERSION);
  return std::fflush(stdout) == 0 ? 0 : 2;
}

// RunCommand: `command` on `args`; running out of memory anywhere in it is a
// message and status 2 rather than an abort.
int RunCommand(const CommandEntry& command, const Arguments& args) {
  try {
    return command.run(args);
  } catch (const std::bad_alloc&) {
    // Nothing more is allocated: the message is written as it is.
    std::fflush(stdout);
    std::fprintf(stderr, "tarvil: %s: out of memory\n", command.name);
    return kStatusTrouble;
  }
}

int Help(const std::string& command) {
  if (!PrintHelp(command)) return UsageTrouble("", "unknown command '" + command + "'");
  return std::fflush(stdout) == 0 ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Behave as a host application does: with --settings registry the
  // library then presents the user's numeric locale as the regional
  // settings when the user registry has none. Number text of the library
  // and of the tool never depends on the C library's locale.
  std::setlocale(LC_ALL, "");

  Arguments args(argv + (argc > 0 ? 1 : 0), argv + argc);
  bool json = false;
  std::size_t index = 0;
  // Options before the command.
  for (; index < args.size(); ++index) {
    const std::string& arg = args[index];
    if (arg == "--json") {
      json = true;
    } else if (arg == "--help" || arg == "-h") {
      return Help("");
    } else if (arg == "--version") {
      return PrintVersion();
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageTrouble("", "unknown option '" + arg + "'");
    } else {
      break;
    }
  }
  if (index == args.size()) {
    UsageTrouble("", "a command is needed");
    return kStatusTrouble;
  }
  const std::string name = args[index++];
  Arguments rest(args.begin() + static_cast<long>(index), args.end());
  if (name == "help") {
    if (rest.size() > 1) return UsageTrouble("", "help takes one command at most");
    return Help(rest.empty() ? std::string() : rest.front());
  }
  for (const CommandEntry& command : kCommands) {
    if (name == command.name) {
      if (json) rest.insert(rest.begin(), "--json");
      return RunCommand(command, rest);
    }
  }
  return UsageTrouble("", "unknown command '" + name + "'");
}
