// Opening.cpp: the opening every subcommand shares: options, --help,
// operands, settings and session.
#include "Commands.h"

#include <iterator>

namespace tarvil::tool {

namespace {

// The options every subcommand takes.
const OptionSpec kSharedOptions[] = {Flag("json"), Flag("help"), Valued("settings")};

// The line's options and operands, --help answered and the operands
// checked: the exit status when that ends the command.
std::optional<int> ReadCommandLine(const CommandSpec& spec, const Arguments& args,
                                   CommandLine& line) {
  std::vector<OptionSpec> options(std::begin(kSharedOptions), std::end(kSharedOptions));
  options.insert(options.end(), spec.options.begin(), spec.options.end());
  std::string error;
  if (!line.Parse(args, options, error)) return UsageTrouble(spec.name, error);
  if (line.Has("help")) return PrintHelp(spec.name) ? kStatusAccepted : kStatusTrouble;
  if (spec.operands == Operands::kNone && !line.Operands().empty()) {
    return UsageTrouble(spec.name, "unexpected argument '" + line.Operands().front() + "'");
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> OpenCommand(const CommandSpec& spec, const Arguments& args,
                               const OpeningSteps& steps, OpenedCommand& opened) {
  if (const auto done = ReadCommandLine(spec, args, opened.line)) return done;
  std::string error;
  if (steps.beforeSettings && !steps.beforeSettings(opened.line, error)) {
    return UsageTrouble(spec.name, error);
  }
  if (!ChooseSettings(spec.name, opened.line, opened.setup, spec.settingsCheck)) {
    return kStatusTrouble;
  }
  if (steps.afterSettings && !steps.afterSettings(opened.line, opened.setup, error)) {
    return UsageTrouble(spec.name, error);
  }
  opened.session.emplace(spec.name, opened.line.Has("json"));
  return std::nullopt;
}

}  // namespace tarvil::tool
