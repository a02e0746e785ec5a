// UnitsFileFuzz.cpp: the units definition loader, and with it the keyword
// reader under the ELECTRICAL_UNITS schema, on arbitrary file bytes.
//
// Input: the bytes of "OVUnits.hkp". The machine hive names a private common
// directory that holds the file; each run loads it into a fresh unit storage.
// The load gives 0 or 1, never crashes, and leaves every list of the storage
// in strictly ascending order of exponent, also after the built-in defaults
// are completed around it.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "COVUnitStorage.h"
#include "CTarvil.h"
#include "FuzzSupport.h"
#include "UnitsDefinitions.h"

using namespace tarvil::fuzz;

namespace {

std::string g_unitsFile;
std::string g_logFile;

// A .reg text escapes backslashes and double quotes inside its strings.
std::string RegString(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

const char* const kUnitNames[] = {"amps", "degrees", "farads", "henrys", "nanometers", "ohms",
                                  "watts", "seconds", "volts", "mps", "none"};

void CheckStorage(const COVUnitStorage& storage, const char* when) {
  const eUnitTypes electrical[] = {eAmps, eFarads, eHenrys, eOhms, eWatts, eVolts};
  for (eUnitTypes unit : electrical) {
    for (int n = eEngineering; n <= eSPICE; ++n) {
      const auto notation = static_cast<eOrvantaNotations>(n);
      int count = -1;
      const UnitEntry* entries = storage.GetUnits(unit, notation, count);
      FUZZ_CHECK(count >= 0 && (count == 0 || entries != nullptr),
                 std::string(when) + ": list of " + kUnitNames[unit] + " in notation " +
                     std::to_string(n) + " has count " + std::to_string(count));
      for (int i = 0; i < count; ++i) {
        FUZZ_CHECK(entries[i].display != nullptr && entries[i].name != nullptr,
                   std::string(when) + ": an entry without texts");
        if (i > 0) {
          FUZZ_CHECK(entries[i - 1].exponent < entries[i].exponent,
                     std::string(when) + ": list of " + kUnitNames[unit] + " in notation " +
                         std::to_string(n) + " out of order at entry " + std::to_string(i));
        }
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  QuietEnvironment();
  const std::string& dir = PrivateDir();
  const std::string common = dir + "/common";
  mkdir(common.c_str(), 0700);
  g_unitsFile = common + "/OVUnits.hkp";
  g_logFile = common + "/OVUnits.txt";
  const std::string machine = dir + "/machine.reg";
  WriteFile(machine, "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta]\n\"CommonDir\"=\"" +
                         RegString(common) + "\"\n");
  setenv("TARVIL_MACHINE_REGISTRY", machine.c_str(), 1);
  // The reader's reports go to the log; whatever reaches standard error
  // (when the log cannot be made) is noise here.
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!WriteFile(g_unitsFile, std::string_view(reinterpret_cast<const char*>(data), size)))
    return 0;
  COVUnitStorage storage;
  const int loaded = LoadUnitsDefinitions(storage);
  FUZZ_CHECK(loaded == 0 || loaded == 1,
             "LoadUnitsDefinitions gave " + std::to_string(loaded) + " for an existing file");
  CheckStorage(storage, "after loading");
  storage.CompleteDefaults();
  CheckStorage(storage, "after completing the defaults");
  unlink(g_logFile.c_str());
  return 0;
}
