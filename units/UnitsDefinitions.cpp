// UnitsDefinitions.cpp: loading the units definition file "OVUnits.hkp" of
// the common directory into the electrical unit storage, with its error log
// "OVUnits.txt" beside it.
//
// The file is read twice: a first pass registers the aliases and lets the
// reader count every fault (a file with any fault is not used at all); a
// second pass stores the units. Display texts that would be read as part of
// a number, and prefixes of Engineering or Scientific notation (which are
// fixed powers of ten), are refused one by one and logged. A load that
// logged nothing removes its log again.
#include "UnitsDefinitions.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CString.h"
#include "ErrorLog.h"
#include "ErrorLogInternal.h"
#include "Registry.h"
#include "RegularFile.h"
#include "UnitsDefinitionsInternal.h"

using namespace tarvil::platform;

namespace tarvil::detail {
namespace {

using Setter = int (COVUnitStorage::*)(const eOrvantaNotations&, const char*, const char*, int,
                                       int);

Setter SetterOf(int measureId) {
  switch (measureId) {
    case kUnitsAmpMeasure: return &COVUnitStorage::SetAmpUnit;
    case kUnitsCapacitanceMeasure: return &COVUnitStorage::SetCapacitanceUnit;
    case kUnitsInductanceMeasure: return &COVUnitStorage::SetInductanceUnit;
    case kUnitsResistanceMeasure: return &COVUnitStorage::SetResistanceUnit;
    case kUnitsPowerMeasure: return &COVUnitStorage::SetPowerUnit;
    case kUnitsVoltageMeasure: return &COVUnitStorage::SetVoltageUnit;
    default: return nullptr;
  }
}

bool IsMeasure(int id) { return SetterOf(id) != nullptr; }

bool NotationOf(int id, eOrvantaNotations* notation) {
  switch (id) {
    case kUnitsEngineering: *notation = eEngineering; return true;
    case kUnitsEuropean: *notation = eEuropean; return true;
    case kUnitsScientific: *notation = eScientific; return true;
    case kUnitsSI: *notation = eSI; return true;
    case kUnitsSPICE: *notation = eSPICE; return true;
    default: return false;
  }
}

const char* StringArgument(const CKeywordNode* node) {
  if (node->argType != eKeywordArgString || node->argCount < 1 || node->args.strings == nullptr) {
    return nullptr;
  }
  return node->args.strings[0];
}

bool IntArgument(const CKeywordNode* node, int* value) {
  if ((node->argType != eKeywordArgInteger && node->argType != eKeywordArgConstant) ||
      node->argCount < 1 || node->args.ints == nullptr) {
    return false;
  }
  *value = node->args.ints[0];
  return true;
}

// Creates the log at `path` as a new file. Whatever stood at the path (an
// old log, a link, a pipe) is removed first and never written through: a
// log that is a hard link would otherwise overwrite the file it shares. When
// the file cannot be created there, the load goes on without a log.
FILE* CreateLog(const std::string& path) {
  unlink(path.c_str());
  // Readable and writable by all, narrowed by the user's umask as any file
  // the user creates is.
  constexpr mode_t kLogMode = 0666;
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kLogMode);
  if (fd < 0) return nullptr;
  FILE* log = fdopen(fd, "w");
  if (log == nullptr) close(fd);
  return log;
}

void LogInstallationWarning(FILE* log, const char* what) {
  LogUnitsMessage(log, what);
  LogUnitsMessage(log,
                  "WARNING: this is a possible indication that your\n"
                  "products are not installed properly.\n");
  if (log != nullptr) std::fclose(log);
}

// A unit's DISPLAY text: true when CheckDisplayValue finds it usable;
// otherwise the refusal, found at `line`, is logged.
bool AcceptDisplay(const char* display, int line, FILE* log, const DisplaySymbols& symbols) {
  const int check = CheckDisplayValue(display, symbols);
  if (check == kDisplayUsable) return true;
  CString message;
  message.Format("Invalid unit DISPLAY value \"%s\" detected at line %d:",
                 display != nullptr ? display : "", line);
  LogUnitsMessage(log, message);
  if (check == kDisplayNumeric) {
    LogUnitsMessage(log, "\tPure numeric values not allowed.");
  } else {
    LogUnitsMessage(log, check == kDisplayHasDecimal
                             ? "\tValue conflicts with current regional setting for "
                               "decimal symbol."
                             : "\tValue conflicts with current regional setting for "
                               "digit grouping symbol.");
    LogUnitsMessage(log, "\tSee Control Panel->Regional Settings <Number Tab>");
  }
  LogUnitsMessage(log, "\tThe system default will be used instead.\n");
  return false;
}

// A unit's EXPONENT_VALUE: true unless it is non-zero in Engineering or
// Scientific notation, whose prefixes are fixed powers of ten; that
// refusal, found at `line`, is logged.
bool AcceptExponent(int exponent, eOrvantaNotations notation, int line, FILE* log) {
  if (exponent == 0 || (notation != eEngineering && notation != eScientific)) return true;
  CString message;
  message.Format("Invalid EXPONENT_VALUE \"%d\" detected at line %d:", exponent, line);
  LogUnitsMessage(log, message);
  LogUnitsMessage(log, notation == eEngineering ? "\tEngineering subunit values are fixed."
                                                : "\tScientific subunit values are fixed.");
  LogUnitsMessage(log, "\tOnly the base unit is user configurable.");
  LogUnitsMessage(log, "\tInvalid entry ignored.\n");
  return false;
}

}  // namespace

std::string ReadCommonDir() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvanta", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::string();
  }
  std::string dir;
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueEx(key, "CommonDir", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_SZ && size > 0) {
    std::vector<BYTE> buffer(static_cast<std::size_t>(size) + 1, 0);
    DWORD read = size;
    if (RegQueryValueEx(key, "CommonDir", nullptr, &type, buffer.data(), &read) == ERROR_SUCCESS &&
        type == REG_SZ) {
      const char* text = reinterpret_cast<const char*>(buffer.data());
      dir.assign(text, strnlen(text, read));
    }
  }
  RegCloseKey(key);
  return dir;
}

int CheckUnitsFileType(CKeywordReader& reader, FILE* log) {
  while (CKeywordNode* construct = reader.ReadConstruct(nullptr)) {
    int value = 0;
    switch (construct->id) {
      case kUnitsAlias:
        reader.RegisterAlias(construct);
        break;
      case kUnitsFiletype:
        if (!IntArgument(construct, &value) || value != kElectricalUnitsFileType) {
          FreeConstruct(construct);
          LogUnitsMessage(log, "Incorrect .FILE_TYPE encountered (not a ELECTRICAL_UNITS file).");
          return 1;
        }
        break;
      case kUnitsCreator:
      case kUnitsDate:
      case kUnitsVersion:
        break;
      default:
        if (!IsMeasure(construct->id)) {
          FreeConstruct(construct);
          return 1;
        }
        break;
    }
    FreeConstruct(construct);
  }
  return 0;
}

int ApplyUnitsDefinitions(CKeywordReader& reader, COVUnitStorage& storage, FILE* log,
                          const DisplaySymbols& symbols) {
  int line = 1;
  reader.Rewind();
  while (CKeywordNode* construct = reader.ReadConstruct(nullptr)) {
    switch (construct->id) {
      case kUnitsAlias:
      case kUnitsCreator:
      case kUnitsDate:
      case kUnitsFiletype:
      case kUnitsVersion:
        break;
      default:
        if (!IsMeasure(construct->id)) {
          FreeConstruct(construct);
          return 1;
        }
        ++line;
        ApplyMeasure(construct, storage, line, log, symbols);
        break;
    }
    FreeConstruct(construct);
    line = reader.GetLine();
  }
  return 0;
}

void ApplyMeasure(const CKeywordNode* measure, COVUnitStorage& storage, int& line, FILE* log,
                  const DisplaySymbols& symbols) {
  for (const CKeywordNode* child = measure->child; child != nullptr; child = child->next) {
    eOrvantaNotations notation = eEngineering;
    if (!NotationOf(child->id, &notation)) continue;
    ++line;
    ApplyNotation(measure, child, notation, storage, line, log, symbols);
  }
}

void ApplyNotation(const CKeywordNode* measure, const CKeywordNode* notationNode,
                   eOrvantaNotations notation, COVUnitStorage& storage, int& line, FILE* log,
                   const DisplaySymbols& symbols) {
  Setter setter = SetterOf(measure->id);
  for (const CKeywordNode* unit = notationNode->child; unit != nullptr; unit = unit->next) {
    if (unit->id != kUnitsUnit) continue;
    ++line;
    const char* name = StringArgument(unit);
    const char* display = nullptr;
    int exponent = 0;
    int caseSensitive = 0;
    bool accepted = true;
    for (const CKeywordNode* part = unit->child; part != nullptr; part = part->next) {
      int value = 0;
      switch (part->id) {
        case kUnitsCaseSensitive:
          caseSensitive = IntArgument(part, &value) && value == 1 ? 1 : 0;
          ++line;
          break;
        case kUnitsDisplay:
          display = StringArgument(part);
          if (!AcceptDisplay(display, line, log, symbols)) accepted = false;
          ++line;
          break;
        case kUnitsExponentValue:
          if (IntArgument(part, &value)) exponent = value;
          if (!AcceptExponent(exponent, notation, line, log)) accepted = false;
          ++line;
          break;
        default:
          break;
      }
    }
    if (accepted && setter != nullptr) {
      (storage.*setter)(notation, name, display, exponent, caseSensitive);
    }
  }
}

}  // namespace tarvil::detail

int LoadUnitsDefinitions(COVUnitStorage& storage) {
  using namespace tarvil::detail;
  const std::string dir = ReadCommonDir();
  if (dir.empty()) return 1;

  if (access(dir.c_str(), F_OK) != 0) {
    LogInstallationWarning(CreateLog(kUnitsLogName),
                           "Unable to locate path to units definition file OVUnits.hkp,\n"
                           "the standard system defaults will be used instead.\n");
    return -1;
  }

  const std::string logPath = dir + "/" + kUnitsLogName;
  const std::string unitsPath = dir + "/" + kUnitsFileName;
  FILE* log = CreateLog(logPath);
  std::string text;
  const FileRead read = ReadRegularFile(unitsPath, kMaxSettingsFileBytes, text);
  // A file that could not be opened because its folder cannot be searched
  // is one whose existence cannot be told either: it counts as missing.
  if (read == FileRead::kMissing ||
      (read == FileRead::kFailed && access(unitsPath.c_str(), F_OK) != 0)) {
    LogInstallationWarning(log,
                           "Unable to locate units definition file OVUnits.hkp,\n"
                           "the standard system defaults will be used instead.\n");
    return -1;
  }

  // Anything but a regular file within the size limit (a pipe, a device, a
  // huge file) is a file that cannot be opened: the log keeps its header.
  bool warned = false;
  int result = 1;
  if (read == FileRead::kRead) {
    result = LoadUnitsDefinitionsText(storage, text, log, &warned);
  } else {
    LogUnitsMessage(log, nullptr);
  }
  if (log != nullptr) {
    std::fclose(log);
    // Only a log this load created is removed.
    if (result == 0 && !warned) std::remove(logPath.c_str());
  }
  return result;
}

int LoadUnitsDefinitionsText(COVUnitStorage& storage, std::string_view text, FILE* log,
                             bool* warned) {
  using namespace tarvil::detail;
  return LoadUnitsText(storage, text, log, warned, RegistryDisplaySymbols());
}

int tarvil::detail::LoadUnitsText(COVUnitStorage& storage, std::string_view text, FILE* log,
                                  bool* warned, const DisplaySymbols& symbols) {
  LogUnitsMessage(log, nullptr);
  // The reader reads the text in memory, so that both of its passes read the
  // same bytes whatever happens to the file meanwhile.
  static char noText[1];
  FILE* stream =
      fmemopen(text.empty() ? noText : const_cast<char*>(text.data()), text.size(), "r");
  CKeywordReader reader;
  bool loaded = false;
  if (reader.Open(stream, log, kUnitsKeywordTable, kUnitsConstantTable) == kKeywordOpenOk) {
    CheckUnitsFileType(reader, log);
    if (reader.GetErrorCount() == 0 && ApplyUnitsDefinitions(reader, storage, log, symbols) == 0) {
      loaded = true;
    }
  }
  reader.Close();
  if (warned != nullptr) *warned = !IsUnitsLogEmpty();
  return loaded ? 0 : 1;
}
