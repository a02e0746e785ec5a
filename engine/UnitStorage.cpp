// UnitStorage.cpp: the table of electrical unit prefixes and unit names:
// lookups, setters and the built-in defaults. Loading the installed units
// file (Init) belongs to the string class's start-up, in electrical/.
#include "COVUnitStorage.h"

#include <cstring>
#include <string_view>

#include "Mbc.h"
#include "NotationInternal.h"
#include "UnitListInternal.h"

using namespace tarvil::platform;

namespace {

// Position of a unit's group, or -1 for units without storage of their own.
int GroupOf(int unit) {
  switch (unit) {
    case eAmps: return 0;
    case eFarads: return 1;
    case eHenrys: return 2;
    case eOhms: return 3;
    case eWatts: return 4;
    case eVolts: return 5;
    default: return -1;
  }
}

const char* FallbackBaseUnit(int unit, int notation) {
  switch (unit) {
    case eAmps: return "A";
    case eDegrees: return "deg";
    case eFarads: return "F";
    case eHenrys: return "H";
    case eNanometers: return "nm";
    case eOhms: return notation == eEuropean ? "R" : "ohms";
    case eWatts: return "W";
    case eSeconds: return "s";
    case eVolts: return "V";
    case eMps: return "m/s";
    default: return " ";
  }
}

}  // namespace

UnitList* COVUnitStorage::ListFor(eUnitTypes unit, eOrvantaNotations notation) {
  const int group = GroupOf(unit);
  const int slot = static_cast<int>(notation);
  if (group < 0 || slot < 0 || slot >= kNotationSlots) return nullptr;
  return &m_Lists[group][slot];
}

const UnitList* COVUnitStorage::ListFor(eUnitTypes unit, eOrvantaNotations notation) const {
  return const_cast<COVUnitStorage*>(this)->ListFor(unit, notation);
}

int COVUnitStorage::CompleteDefaults() {
  if (m_nInitialised != 0) return 0;
  for (int group = 0; group < kGroups; ++group) {
    for (int notation : {static_cast<int>(eEngineering), static_cast<int>(eScientific)}) {
      UnitList& list = m_Lists[group][notation];
      if (list.GetCount() != 1) continue;
      int rows = 0;
      const UnitEntry* table = tarvil::detail::BuiltInUnitTable(notation, rows);
      for (int i = 0; i < rows; ++i)
        if (table[i].exponent != 0) list.AddUnit(&table[i]);
    }
  }
  return 1;
}

#define TARVIL_UNIT_SETTER(Setter, Unit)                                                         \
  int COVUnitStorage::Setter(const eOrvantaNotations& notation, const char* name,                \
                             const char* display, int exponent, int caseSensitive) {             \
    UnitList* list = ListFor(Unit, notation);                                                    \
    if (list == nullptr) return 0;                                                               \
    return list->AddUnit(name, display, exponent, caseSensitive) != 0 ? 1 : 0;                   \
  }

TARVIL_UNIT_SETTER(SetAmpUnit, eAmps)
TARVIL_UNIT_SETTER(SetCapacitanceUnit, eFarads)
TARVIL_UNIT_SETTER(SetInductanceUnit, eHenrys)
TARVIL_UNIT_SETTER(SetResistanceUnit, eOhms)
TARVIL_UNIT_SETTER(SetPowerUnit, eWatts)
TARVIL_UNIT_SETTER(SetVoltageUnit, eVolts)

#undef TARVIL_UNIT_SETTER

const UnitEntry* COVUnitStorage::GetUnits(const eUnitTypes& unit,
                                          const eOrvantaNotations& notation, int& count) const {
  count = 0;
  switch (unit) {
    case eDegrees:
    case eNanometers:
    case eMps:
      return nullptr;
    case eSeconds:
      return tarvil::detail::BuiltInUnitTable(eSI, count);
    default:
      break;
  }
  const int group = GroupOf(unit);
  const int slot = static_cast<int>(notation);
  if (group >= 0 && slot >= 0 && slot < kNotationSlots) {
    const UnitList& list = m_Lists[group][slot];
    if (const UnitEntry* entries = list.GetEntries()) {
      count = list.GetCount();
      return entries;
    }
  }
  return tarvil::detail::BuiltInUnitTable(notation, count);
}

const UnitEntry* COVUnitStorage::FindUnitByDisplay(const char* text, const eUnitTypes& unit,
                                                   const eOrvantaNotations& notation) const {
  if (text == nullptr) return nullptr;
  return tarvil::detail::FindPrefixByDisplay(*this, std::string_view(text), unit, notation);
}

void COVUnitStorage::GetBaseUnitString(const eUnitTypes& unit, const eOrvantaNotations& notation,
                                       CString& result) const {
  result = CString(tarvil::detail::BaseUnitName(*this, unit, notation));
}

std::string_view tarvil::detail::BaseUnitName(const COVUnitStorage& storage, eUnitTypes unit,
                                              eOrvantaNotations notation) {
  int count = 0;
  const UnitEntry* entries = storage.GetUnits(unit, notation, count);
  for (int i = 0; i < count; ++i) {
    if (entries[i].exponent != 0) continue;
    if (entries[i].display != nullptr && entries[i].display[0] != '\0') return entries[i].display;
    break;
  }
  return FallbackBaseUnit(unit, notation);
}
