// COVUnitStorage.cpp: the string class's one-time initialisation of its unit
// table: the installed units definition file, then the built-in defaults.
#include "COVUnitStorage.h"

#include "UnitsDefinitions.h"

int COVUnitStorage::Init() {
  if (m_nInitialised != 0) return 1;
  LoadUnitsDefinitions(*this);
  CompleteDefaults();
  m_nInitialised = 1;
  return 1;
}
