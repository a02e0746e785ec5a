// Settings.cpp: the modern interface's settings and unit tables as the
// engine takes them, and the messages of refusals (their descriptions are
// in Readings.cpp). What reads
// the process's environment or a file (the registry, the locale, a units
// definition file) is in SettingsSources.cpp.
#include "ApiInternal.h"
#include "ErrorTextInternal.h"
#include "Messages.h"

namespace tarvil {
namespace {

constexpr std::string_view kAmbiguousMessage = "Ambiguous value: common readings differ.";
constexpr std::string_view kNotAValueMessage = "The text names a package, not a value.";

}  // namespace

bool valid(const Settings& settings) noexcept {
  const auto stands_in_numbers = [](char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-';
  };
  const char decimal = settings.decimal;
  const char thousands = settings.thousands;
  return decimal != ' ' && decimal != '\t' && decimal != '\0' && !stands_in_numbers(decimal) &&
         !stands_in_numbers(thousands) && decimal != thousands;
}

namespace api {

const COVUnitStorage& StorageOf(const UnitTable& units) noexcept {
  // Empty lists: every lookup answers from the built-in tables.
  static const COVUnitStorage builtIn;
  return units.storage() != nullptr ? units.storage()->units : builtIn;
}

eOrvantaNotations NotationOf(Notation notation, const Settings& settings) noexcept {
  if (notation == Notation::any) notation = settings.notation;
  if (notation == Notation::any || static_cast<unsigned>(notation) > 6u) return eSI;
  return static_cast<eOrvantaNotations>(notation);
}

}  // namespace api

// ---- Messages -------------------------------------------------------------------

std::string_view message(Error error) noexcept {
  if (error == Error::ambiguous) return kAmbiguousMessage;
  if (error == Error::not_a_value) return kNotAValueMessage;
  const char* text = resources::FindLibraryMessage(detail::MessageIdOf(static_cast<int>(error)));
  return text != nullptr ? std::string_view(text) : std::string_view();
}


// ---- Unit tables -----------------------------------------------------------------

namespace {
// Constant-initialised: no guard on every read that takes the default.
constinit const UnitTable kBuiltInTable;
}  // namespace

const UnitTable& UnitTable::built_in() noexcept { return kBuiltInTable; }

}  // namespace tarvil
