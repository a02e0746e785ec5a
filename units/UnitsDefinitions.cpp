// UnitsDefinitions.cpp: placeholder until the units file loader lands; no
// file is read and the built-in tables answer everywhere.
#include "UnitsDefinitions.h"

int LoadUnitsDefinitions(COVUnitStorage&) { return 1; }
