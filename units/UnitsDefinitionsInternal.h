// UnitsDefinitionsInternal.h: the passes of the units definition loader,
// the ELECTRICAL_UNITS schema and the display check. Not installed.
#ifndef TARVIL_UNITSDEFINITIONSINTERNAL_H
#define TARVIL_UNITSDEFINITIONSINTERNAL_H

#include <cstdio>
#include <string>
#include <string_view>

#include "COVUnitStorage.h"
#include "KeywordReader.h"
#include "OrvantaNotations.h"

namespace tarvil::detail {

// Keyword ids of the ELECTRICAL_UNITS schema.
enum eUnitsKeywords : int {
  kUnitsAlias = 1,
  kUnitsAmpMeasure = 2,
  kUnitsCapacitanceMeasure = 3,
  kUnitsCaseSensitive = 4,
  kUnitsCreator = 5,
  kUnitsDate = 6,
  kUnitsDisplay = 7,
  kUnitsEngineering = 8,
  kUnitsEuropean = 9,
  kUnitsExponentValue = 10,
  kUnitsFiletype = 11,
  kUnitsInductanceMeasure = 12,
  kUnitsPowerMeasure = 13,
  kUnitsResistanceMeasure = 14,
  kUnitsScientific = 15,
  kUnitsSI = 16,
  kUnitsSPICE = 17,
  kUnitsUnit = 18,
  kUnitsVersion = 19,
  kUnitsVoltageMeasure = 20
};

// The value of the constant ELECTRICAL_UNITS.
inline constexpr int kElectricalUnitsFileType = 777;

// The schema (ended by a row of id 0) and the constants (ended by a row
// with a null name) of the units definition file.
extern const CKeywordDef kUnitsKeywordTable[];
extern const CKeywordConst kUnitsConstantTable[];

// File names in the common directory.
inline constexpr const char* kUnitsFileName = "OVUnits.hkp";
inline constexpr const char* kUnitsLogName = "OVUnits.txt";

// ReadCommonDir: the common directory, value "CommonDir" of
// "SOFTWARE\Orvanta" in the machine hive; empty when the key is missing or
// the value is not a non-empty text (REG_SZ).
std::string ReadCommonDir();

// CheckUnitsFileType: first pass over the whole file: registers the
// aliases and lets the reader count every fault. 0 when the file was read to
// its end; 1 when it stopped at a FILETYPE other than ELECTRICAL_UNITS
// (logged) or at a keyword that belongs below the top level.
int CheckUnitsFileType(CKeywordReader& reader, FILE* log);

// ApplyUnitsDefinitions: second pass from the start of the file: stores the
// units of every measure construct. 0 when the whole file was applied; 1
// when it stopped at a keyword that belongs below the top level.
struct DisplaySymbols;
int ApplyUnitsDefinitions(CKeywordReader& reader, COVUnitStorage& storage, FILE* log,
                          const DisplaySymbols& symbols);

// ApplyMeasure: applies each notation under a measure node; `line` is the
// running line estimate of the loader's messages.
void ApplyMeasure(const CKeywordNode* measure, COVUnitStorage& storage, int& line, FILE* log,
                  const DisplaySymbols& symbols);

// ApplyNotation: stores each accepted UNIT under a notation node through the
// measure's setter; refuses (and logs) a DISPLAY that CheckDisplayValue
// rejects and a non-zero EXPONENT_VALUE in Engineering or Scientific
// notation.
void ApplyNotation(const CKeywordNode* measure, const CKeywordNode* notationNode,
                   eOrvantaNotations notation, COVUnitStorage& storage, int& line, FILE* log,
                   const DisplaySymbols& symbols);

// DisplaySymbols: the regional decimal and grouping symbols a DISPLAY text
// may not hold; none when `known` is false (nothing then conflicts).
struct DisplaySymbols {
  bool known = false;
  char decimal = 0;
  char grouping = 0;
};

// RegistryDisplaySymbols: the current user's symbols, read now from
// "Control Panel\International" ('.' and ',' for values that are missing
// or of the wrong kind; none without the key).
DisplaySymbols RegistryDisplaySymbols();

// CheckDisplayValue: kDisplayUsable (also null or empty); kDisplayHasDecimal
// when it holds the decimal symbol of `symbols`, kDisplayHasGrouping the
// grouping symbol (whichever comes first); kDisplayNumeric for only decimal
// digits.
inline constexpr int kDisplayUsable = 0;
inline constexpr int kDisplayNumeric = 1;
inline constexpr int kDisplayHasDecimal = 2;
inline constexpr int kDisplayHasGrouping = 3;
int CheckDisplayValue(const char* display, const DisplaySymbols& symbols);

// LoadUnitsText: LoadUnitsDefinitionsText with the regional symbols given
// instead of read from the registry.
int LoadUnitsText(COVUnitStorage& storage, std::string_view text, FILE* log, bool* warned,
                  const DisplaySymbols& symbols);

}  // namespace tarvil::detail

#endif
