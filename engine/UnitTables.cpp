// UnitTables.cpp: the built-in prefix tables of the electrical notations.
// They are the system's defaults and answer for every empty unit list.
#include "COVUnitStorage.h"
#include "UnitListInternal.h"

namespace {

// The tables are constant; UnitEntry's fields are not, since lists own and
// free theirs. Nothing ever writes through these.
constexpr char* T(const char* text) { return const_cast<char*>(text); }

const UnitEntry kEngineering[] = {
    {T("E-18"), T("E-18"), -18, 0}, {T("E-15"), T("E-15"), -15, 0},
    {T("E-12"), T("E-12"), -12, 0}, {T("E-9"), T("E-9"), -9, 0},
    {T("E-6"), T("E-6"), -6, 0},    {T("E-3"), T("E-3"), -3, 0},
    {T("none"), T(""), 0, 0},       {T("E3"), T("E3"), 3, 0},
    {T("E6"), T("E6"), 6, 0},       {T("E9"), T("E9"), 9, 0},
    {T("E12"), T("E12"), 12, 0},    {T("E15"), T("E15"), 15, 0},
    {T("E18"), T("E18"), 18, 0},
};

const UnitEntry kScientific[] = {
    {T("E-18"), T("E-18"), -18, 0}, {T("E-17"), T("E-17"), -17, 0},
    {T("E-16"), T("E-16"), -16, 0}, {T("E-15"), T("E-15"), -15, 0},
    {T("E-14"), T("E-14"), -14, 0}, {T("E-13"), T("E-13"), -13, 0},
    {T("E-12"), T("E-12"), -12, 0}, {T("E-11"), T("E-11"), -11, 0},
    {T("E-10"), T("E-10"), -10, 0}, {T("E-9"), T("E-9"), -9, 0},
    {T("E-8"), T("E-8"), -8, 0},    {T("E-7"), T("E-7"), -7, 0},
    {T("E-6"), T("E-6"), -6, 0},    {T("E-5"), T("E-5"), -5, 0},
    {T("E-4"), T("E-4"), -4, 0},    {T("E-3"), T("E-3"), -3, 0},
    {T("E-2"), T("E-2"), -2, 0},    {T("E-1"), T("E-1"), -1, 0},
    {T("none"), T(""), 0, 0},       {T("E1"), T("E1"), 1, 0},
    {T("E2"), T("E2"), 2, 0},       {T("E3"), T("E3"), 3, 0},
    {T("E4"), T("E4"), 4, 0},       {T("E5"), T("E5"), 5, 0},
    {T("E6"), T("E6"), 6, 0},       {T("E7"), T("E7"), 7, 0},
    {T("E8"), T("E8"), 8, 0},       {T("E9"), T("E9"), 9, 0},
    {T("E10"), T("E10"), 10, 0},    {T("E11"), T("E11"), 11, 0},
    {T("E12"), T("E12"), 12, 0},    {T("E13"), T("E13"), 13, 0},
    {T("E14"), T("E14"), 14, 0},    {T("E15"), T("E15"), 15, 0},
    {T("E16"), T("E16"), 16, 0},    {T("E17"), T("E17"), 17, 0},
    {T("E18"), T("E18"), 18, 0},
};

// "p"/"P" and "m"/"M" differ only in case, so those four are case-sensitive.
#define TARVIL_METRIC_PREFIXES                                                        \
  {T("atto"), T("a"), -18, 0}, {T("femto"), T("f"), -15, 0},                          \
      {T("pico"), T("p"), -12, 1}, {T("nano"), T("n"), -9, 0},                        \
      {T("micro"), T("u"), -6, 0}, {T("milli"), T("m"), -3, 1},                       \
      {T("none"), T(""), 0, 0}, {T("kilo"), T("k"), 3, 0}, {T("mega"), T("M"), 6, 1}, \
      {T("giga"), T("G"), 9, 0}, {T("tera"), T("T"), 12, 0},                          \
      {T("peta"), T("P"), 15, 1}, {T("exa"), T("e"), 18, 0}

const UnitEntry kEuropean[] = {TARVIL_METRIC_PREFIXES};
const UnitEntry kSI[] = {TARVIL_METRIC_PREFIXES};

#undef TARVIL_METRIC_PREFIXES

const UnitEntry kSPICE[] = {
    {T("femto"), T("F"), -15, 0}, {T("pico"), T("P"), -12, 0}, {T("nano"), T("N"), -9, 0},
    {T("micro"), T("U"), -6, 0},  {T("milli"), T("M"), -3, 0}, {T("none"), T(""), 0, 0},
    {T("kilo"), T("K"), 3, 0},    {T("mega"), T("MEG"), 6, 0}, {T("giga"), T("G"), 9, 0},
    {T("tera"), T("T"), 12, 0},
};

const UnitEntry kEmpty[] = {{T(""), T(""), 0, 0}};

template <std::size_t N>
constexpr int Rows(const UnitEntry (&)[N]) {
  return static_cast<int>(N);
}

}  // namespace

namespace tarvil::detail {

const UnitEntry* BuiltInUnitTable(int notation, int& count) {
  switch (notation) {
    case eEngineering: count = Rows(kEngineering); return kEngineering;
    case eEuropean: count = Rows(kEuropean); return kEuropean;
    case eScientific: count = Rows(kScientific); return kScientific;
    case eSI: count = Rows(kSI); return kSI;
    case eSPICE: count = Rows(kSPICE); return kSPICE;
    default: count = Rows(kEmpty); return kEmpty;
  }
}

}  // namespace tarvil::detail
