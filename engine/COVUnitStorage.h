// COVUnitStorage.h: the table of electrical unit prefixes and unit names
// (CTarvil::s_OVUnits), with its entries and lists.
//
// For each of the six electrical units and each notation a list of prefix
// entries ties a display text ("k", "E3", "MEG") to a power of ten. The lists
// start empty, are filled once per process from the units definition file
// and completed from built-in tables; wherever a list stays empty, the
// built-in table of the notation answers.
#ifndef TARVIL_COVUNITSTORAGE_H
#define TARVIL_COVUNITSTORAGE_H

#include "CString.h"
#include "OrvantaNotations.h"
#include "TarvilExport.h"
#include "UnitTypes.h"

// One prefix of one unit in one notation. The texts are owned by the list
// that holds the entry (or are constant, in the built-in tables).
struct UnitEntry {
  char* name;         // the prefix word ("kilo"), or the display itself
  char* display;      // written and recognised text ("k"); may be empty
  int exponent;       // power of ten the display stands for
  int caseSensitive;  // 1: recognised only in its own letter case
};

// A growable array of entries in ascending order of exponent, exponents
// unique. Owns its entries' texts; it cannot be copied.
class TARVIL_API UnitList {
 public:
  // An empty list with room for 10 entries (capacity 0 when that fails).
  UnitList();
  ~UnitList();
  UnitList(const UnitList&) = delete;
  UnitList& operator=(const UnitList&) = delete;

  // AddUnit: stores copies of `name` and `display` (null as empty) with
  // `exponent`, keeping the order; an entry of the same exponent is
  // replaced. Returns the new count after an insertion, the unchanged count
  // after a replacement, 0 when memory ran out (the list is then unchanged).
  int AddUnit(const char* name, const char* display, int exponent, int caseSensitive);
  // AddUnit: the same with the fields of `entry`; null adds nothing and
  // returns the count.
  int AddUnit(const UnitEntry* entry);
  // Clear: frees the texts of every entry; count 0, capacity kept.
  void Clear();
  // GetEntries: the first entry, or null when the list is empty or unusable.
  UnitEntry* GetEntries() const {
    return (entries == nullptr || capacity == 0 || count == 0) ? nullptr : entries;
  }
  int GetCount() const { return count; }
  int GetCapacity() const { return capacity; }

 private:
  int capacity;
  int count;
  UnitEntry* entries;
};

class TARVIL_API COVUnitStorage {
 public:
  // Flag 0 and 42 empty lists.
  COVUnitStorage() = default;
  COVUnitStorage(const COVUnitStorage&) = delete;
  COVUnitStorage& operator=(const COVUnitStorage&) = delete;

  // Init: on the first call loads the units definition file and completes
  // the Engineering and Scientific lists from the built-in tables, then sets
  // the flag; later calls do nothing. Returns 1.
  int Init();
  // CompleteDefaults: 0 when already initialised; otherwise fills every
  // Engineering / Scientific list that holds exactly one entry with the
  // built-in prefixes around it and returns 1.
  int CompleteDefaults();

  // Setters, one per unit: add an entry to the list of `notation`
  // (eEngineering .. eDecimal). 1 when stored, 0 otherwise (notation out of
  // range, memory exhausted).
  int SetAmpUnit(const eOrvantaNotations& notation, const char* name, const char* display,
                 int exponent, int caseSensitive);
  int SetCapacitanceUnit(const eOrvantaNotations& notation, const char* name, const char* display,
                         int exponent, int caseSensitive);
  int SetInductanceUnit(const eOrvantaNotations& notation, const char* name, const char* display,
                        int exponent, int caseSensitive);
  int SetResistanceUnit(const eOrvantaNotations& notation, const char* name, const char* display,
                        int exponent, int caseSensitive);
  int SetPowerUnit(const eOrvantaNotations& notation, const char* name, const char* display,
                   int exponent, int caseSensitive);
  int SetVoltageUnit(const eOrvantaNotations& notation, const char* name, const char* display,
                     int exponent, int caseSensitive);

  // GetUnits: the entries that govern `unit` in `notation` (the unit's own
  // list when it has entries, else the built-in table of the notation; the
  // SI table for eSeconds), with their number in `count`; null with count 0
  // for units without prefixes (eDegrees, eNanometers, eMps).
  const UnitEntry* GetUnits(const eUnitTypes& unit, const eOrvantaNotations& notation,
                            int& count) const;
  // FindUnitByDisplay: the entry of GetUnits whose display equals `text`
  // (ignoring case unless the entry is case-sensitive); in European notation
  // only the text before its first digit is compared. Null when none, or
  // for a null or empty text.
  const UnitEntry* FindUnitByDisplay(const char* text, const eUnitTypes& unit,
                                     const eOrvantaNotations& notation) const;
  // GetBaseUnitString: the name of the unit itself: the display of the
  // exponent-0 entry when it has one, else "A", "deg", "F", "H", "nm",
  // "ohms" ("R" in European notation), "W", "s", "V", "m/s", " ".
  void GetBaseUnitString(const eUnitTypes& unit, const eOrvantaNotations& notation,
                         CString& result) const;

  int IsInitialised() const { return m_nInitialised; }

 private:
  // Group order: current, capacitance, inductance, resistance, power,
  // voltage; position in a group: notation 0..6.
  static constexpr int kGroups = 6;
  static constexpr int kNotationSlots = 7;
  UnitList* ListFor(eUnitTypes unit, eOrvantaNotations notation);
  const UnitList* ListFor(eUnitTypes unit, eOrvantaNotations notation) const;

  int m_nInitialised = 0;
  UnitList m_Lists[kGroups][kNotationSlots];
};

#endif
