// SettingsSources.cpp: the modern interface's settings and unit tables
// read from outside the process's arguments: the user's registry file, the
// POSIX locale and a units definition file.
#include <langinfo.h>
#include <locale.h>
#include <stdio.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "ApiInternal.h"
#include "LocaleSettingsInternal.h"
#include "RegularFile.h"
#include "UnitsDefinitions.h"
#include "UnitsDefinitionsInternal.h"

namespace tarvil {
namespace {

// The registry stand-in and the units loader keep process-wide state of
// their own; readings of either are made one at a time.
std::mutex g_fileMutex;

}  // namespace

// ---- Settings ------------------------------------------------------------------

Settings Settings::from_registry() {
  CTarvilLocale l;
  {
    std::lock_guard<std::mutex> lock(g_fileMutex);
    l.ReadWithoutWriting();
  }
  return detail::SettingsOf(l);
}

Settings Settings::from_locale(const char* name) {
  Settings s;
  // An empty name asks for the environment's (LC_ALL, LC_NUMERIC, LANG).
  locale_t loc = newlocale(LC_NUMERIC_MASK, name != nullptr ? name : "", locale_t{});
  if (loc == locale_t{}) return s;
  const char* radix = nl_langinfo_l(RADIXCHAR, loc);
  const char* thousands = nl_langinfo_l(THOUSEP, loc);
  const char* grouping = nl_langinfo_l(GROUPING, loc);
  // Only one-byte symbols can be the settings' symbols.
  if (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') s.decimal = radix[0];
  if (thousands != nullptr && thousands[0] != '\0' && thousands[1] == '\0' &&
      thousands[0] != s.decimal) {
    s.thousands = thousands[0];
    const int first = grouping != nullptr ? static_cast<unsigned char>(grouping[0]) : 0;
    s.grouping = first > 0 && first < CHAR_MAX ? first : 0;
  } else {
    s.grouping = 0;
    if (s.thousands == s.decimal) s.thousands = s.decimal == ',' ? '.' : ',';
  }
  freelocale(loc);
  return s;
}

// ---- Unit tables -----------------------------------------------------------------

std::string common_directory() {
  std::lock_guard<std::mutex> lock(g_fileMutex);
  return detail::ReadCommonDir();
}

Result<UnitTable> UnitTable::load(const std::filesystem::path& path, std::string* log) {
  return load(path, Settings{}, log);
}

Result<UnitTable> UnitTable::load(const std::filesystem::path& path, const Settings& settings,
                                  std::string* log) {
  if (log != nullptr) log->clear();
  std::string bytes;
  const platform::FileRead read =
      platform::ReadRegularFile(path.string(), platform::kMaxSettingsFileBytes, bytes);
  // A file that cannot be read is no table at all: no_unit, with no place.
  if (read != platform::FileRead::kRead) {
    return api::Refused<UnitTable>(static_cast<int>(Error::no_unit), 0);
  }

  auto storage = std::make_shared<Storage>();
  char* logText = nullptr;
  std::size_t logSize = 0;
  int loaded = 1;
  bool warned = false;
  {
    std::lock_guard<std::mutex> lock(g_fileMutex);
    FILE* logFile = open_memstream(&logText, &logSize);
    const detail::DisplaySymbols symbols{true, settings.decimal, settings.thousands};
    loaded = detail::LoadUnitsText(storage->units, bytes, logFile, &warned, symbols);
    if (logFile != nullptr) std::fclose(logFile);
  }
  // As the installed file's log: kept after a warning or a failure, gone
  // after a clean load.
  if (log != nullptr && logText != nullptr && (loaded != 0 || warned)) log->assign(logText, logSize);
  std::free(logText);

  Result<UnitTable> result;
  if (loaded != 0) {
    result.error = Error::invalid_character;
    return result;
  }
  storage->units.CompleteDefaults();
  result.value.storage_ = std::move(storage);
  return result;
}

}  // namespace tarvil
