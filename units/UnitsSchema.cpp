// UnitsSchema.cpp: the ELECTRICAL_UNITS keyword schema and its constants.
//
// Top level: FILETYPE, VERSION, DATE, CREATOR, ALIAS and the six measures.
// Under a measure: the five notations, each any number of times. Under a
// notation: one or more UNIT. Under a UNIT, each exactly once: DISPLAY,
// CASE_SENSITIVE, EXPONENT_VALUE.
#include "UnitsDefinitionsInternal.h"

namespace tarvil::detail {
namespace {

const int kNotations[] = {kUnitsSI, kUnitsEuropean, kUnitsSPICE, kUnitsEngineering,
                          kUnitsScientific, 0};
const int kUnitOnly[] = {kUnitsUnit, 0};
const int kUnitParts[] = {kUnitsDisplay, kUnitsCaseSensitive, kUnitsExponentValue, 0};
const char* const kYesNo[] = {"YES", "NO", nullptr};
const char* const kFileTypes[] = {"ELECTRICAL_UNITS", nullptr};

}  // namespace

const CKeywordDef kUnitsKeywordTable[] = {
    {"ALIAS", kUnitsAlias, eKeywordArgString, 0, 2, nullptr, nullptr, nullptr},
    {"AMP_MEASURE", kUnitsAmpMeasure, eKeywordArgNone, 0, 0, nullptr, nullptr, kNotations},
    {"CAPACITANCE_MEASURE", kUnitsCapacitanceMeasure, eKeywordArgNone, 0, 0, nullptr, nullptr,
     kNotations},
    {"CASE_SENSITIVE", kUnitsCaseSensitive, eKeywordArgConstant, 0, 1, kYesNo, nullptr, nullptr},
    {"CREATOR", kUnitsCreator, eKeywordArgRestOfLine, 0, 0, nullptr, nullptr, nullptr},
    {"DATE", kUnitsDate, eKeywordArgString, 0, 1, nullptr, nullptr, nullptr},
    {"DISPLAY", kUnitsDisplay, eKeywordArgString, 0, 1, nullptr, nullptr, nullptr},
    {"ENGINEERING", kUnitsEngineering, eKeywordArgNone, kKeywordMayRepeat, 0, nullptr, kUnitOnly,
     nullptr},
    {"EUROPEAN", kUnitsEuropean, eKeywordArgNone, kKeywordMayRepeat, 0, nullptr, kUnitOnly,
     nullptr},
    {"EXPONENT_VALUE", kUnitsExponentValue, eKeywordArgInteger, 0, 1, nullptr, nullptr, nullptr},
    {"FILETYPE", kUnitsFiletype, eKeywordArgConstant, 0, 1, kFileTypes, nullptr, nullptr},
    {"INDUCTANCE_MEASURE", kUnitsInductanceMeasure, eKeywordArgNone, 0, 0, nullptr, nullptr,
     kNotations},
    {"POWER_MEASURE", kUnitsPowerMeasure, eKeywordArgNone, 0, 0, nullptr, nullptr, kNotations},
    {"RESISTANCE_MEASURE", kUnitsResistanceMeasure, eKeywordArgNone, 0, 0, nullptr, nullptr,
     kNotations},
    {"SCIENTIFIC", kUnitsScientific, eKeywordArgNone, kKeywordMayRepeat, 0, nullptr, kUnitOnly,
     nullptr},
    {"SI", kUnitsSI, eKeywordArgNone, kKeywordMayRepeat, 0, nullptr, kUnitOnly, nullptr},
    {"SPICE", kUnitsSPICE, eKeywordArgNone, kKeywordMayRepeat, 0, nullptr, kUnitOnly, nullptr},
    {"UNIT", kUnitsUnit, eKeywordArgString, kKeywordMayRepeat, 1, nullptr, kUnitParts, nullptr},
    {"VERSION", kUnitsVersion, eKeywordArgString, 0, 1, nullptr, nullptr, nullptr},
    {"VOLTAGE_MEASURE", kUnitsVoltageMeasure, eKeywordArgNone, 0, 0, nullptr, nullptr,
     kNotations},
    {nullptr, 0, eKeywordArgNone, 0, 0, nullptr, nullptr, nullptr},
};

const CKeywordConst kUnitsConstantTable[] = {
    {"ELECTRICAL_UNITS", kElectricalUnitsFileType},
    {"NO", 0},
    {"YES", 1},
    {nullptr, 0},
};

}  // namespace tarvil::detail
