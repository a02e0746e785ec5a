// Options.cpp: splitting a subcommand's arguments into options and operands.
#include "Options.h"

#include <charconv>

namespace tarvil::tool {

namespace {

bool LooksLikeOption(const std::string& arg) {
  if (arg.size() < 2 || arg[0] != '-') return false;
  const char second = arg[1];
  if (second >= '0' && second <= '9') return false;
  if (second == '.' || second == ',' || second == '+') return false;
  return true;
}

const OptionSpec* FindSpec(const std::vector<OptionSpec>& specs, const std::string& name) {
  for (const OptionSpec& spec : specs) {
    if (name == spec.name) return &spec;
  }
  return nullptr;
}

}  // namespace

bool CommandLine::Parse(const std::vector<std::string>& args,
                        const std::vector<OptionSpec>& specs, std::string& error) {
  m_options.clear();
  m_repeated.clear();
  m_operands.clear();
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || !LooksLikeOption(arg)) {
      m_operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name;
    std::optional<std::string> inlineValue;
    if (arg == "-h") {
      name = "help";
    } else if (arg.rfind("--", 0) == 0) {
      const std::size_t equals = arg.find('=');
      name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
      if (equals != std::string::npos) inlineValue = arg.substr(equals + 1);
    } else {
      error = "unknown option '" + arg + "'";
      return false;
    }
    const OptionSpec* spec = FindSpec(specs, name);
    if (spec == nullptr) {
      error = "unknown option '--" + name + "'";
      return false;
    }
    if (spec->form == OptionForm::kFlag) {
      if (inlineValue) {
        error = "option '--" + name + "' takes no value";
        return false;
      }
      m_options[name] = std::string();
      continue;
    }
    if (inlineValue) {
      m_options[name] = *inlineValue;
    } else if (i + 1 < args.size()) {
      m_options[name] = args[++i];
    } else {
      error = "option '--" + name + "' needs a value";
      return false;
    }
    m_repeated[name].push_back(m_options[name]);
  }
  return true;
}

std::optional<std::string> CommandLine::Value(const std::string& name) const {
  const auto it = m_options.find(name);
  if (it == m_options.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> CommandLine::Values(const std::string& name) const {
  const auto it = m_repeated.find(name);
  return it == m_repeated.end() ? std::vector<std::string>() : it->second;
}

bool ParseWholeNumber(const std::string& text, int& value) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') {
    ++first;
    if (first != last && *first == '-') return false;
  }
  if (first == last) return false;
  const auto result = std::from_chars(first, last, value);
  return result.ec == std::errc() && result.ptr == last;
}

}  // namespace tarvil::tool
