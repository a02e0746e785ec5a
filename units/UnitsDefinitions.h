// UnitsDefinitions.h: loading the units definition file "OVUnits.hkp" into
// the electrical unit storage.
#ifndef TARVIL_UNITSDEFINITIONS_H
#define TARVIL_UNITSDEFINITIONS_H

#include "COVUnitStorage.h"
#include "TarvilExport.h"

// LoadUnitsDefinitions: reads "OVUnits.hkp" from the common directory (value
// "CommonDir" of "SOFTWARE\Orvanta" in the machine hive) and stores every
// accepted unit in `storage`; faults go to the error log "OVUnits.txt"
// beside it. 0 loaded; 1 not loaded (no registry entry, or a faulty file);
// -1 directory or file missing.
TARVIL_API int LoadUnitsDefinitions(COVUnitStorage& storage);

#endif
