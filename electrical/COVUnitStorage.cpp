// COVUnitStorage.cpp: placeholder until the unit storage lands.
#include "COVUnitStorage.h"

#include <cstdlib>

UnitList::UnitList() : capacity(0), count(0), entries(nullptr) {}
UnitList::~UnitList() { std::free(entries); }

int COVUnitStorage::Init() {
  m_nInitialised = 1;
  return 1;
}
