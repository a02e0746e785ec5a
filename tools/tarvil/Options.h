// Options.h: the command line of one subcommand, split into options and
// operands.
//
// Options are long ("--name", "--name VALUE", "--name=VALUE") and may stand
// anywhere among the operands; "-h" is "--help". "--" ends the options. An
// argument that begins with "-" followed by a digit, ".", "," or "+" is an
// operand, so that negative values need no "--": 'tarvil parse -5V'. A lone
// "-" is an operand too (standard input).
#ifndef TARVIL_TOOL_OPTIONS_H
#define TARVIL_TOOL_OPTIONS_H

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvil::tool {

// Whether an option stands alone or takes a value.
enum class OptionForm { kFlag, kValued };

// One option a subcommand accepts.
struct OptionSpec {
  const char* name;  // without the leading "--"
  OptionForm form;
};

// Flag, Valued: an option that stands alone ("--json") or takes
// a value ("--to UNIT").
constexpr OptionSpec Flag(const char* name) { return {name, OptionForm::kFlag}; }
constexpr OptionSpec Valued(const char* name) { return {name, OptionForm::kValued}; }

// The options and operands found on a command line.
class CommandLine {
 public:
  // Parse: splits `args` by `specs`. False with a one-line `error` for an
  // unknown option, a missing value or a value given to a flag. When an
  // option is given twice the last value counts.
  bool Parse(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
             std::string& error);

  bool Has(const std::string& name) const { return m_options.count(name) != 0; }
  // The value of an option that takes one, or nullopt when absent.
  std::optional<std::string> Value(const std::string& name) const;
  // Every value given to an option that may be repeated, in order.
  std::vector<std::string> Values(const std::string& name) const;
  const std::vector<std::string>& Operands() const { return m_operands; }

 private:
  std::map<std::string, std::string> m_options;
  std::map<std::string, std::vector<std::string>> m_repeated;
  std::vector<std::string> m_operands;
};

// ParseWholeNumber: `text` as a decimal int (optional sign, digits only).
// False when it is not one or does not fit.
bool ParseWholeNumber(const std::string& text, int& value);

}  // namespace tarvil::tool

#endif
