// UnitsDefinitions.h: loading the units definition file "OVUnits.hkp" into
// the electrical unit storage.
#ifndef TARVIL_UNITSDEFINITIONS_H
#define TARVIL_UNITSDEFINITIONS_H

#include <cstdio>
#include <string_view>

#include "COVUnitStorage.h"
#include "TarvilExport.h"

// LoadUnitsDefinitions: reads "OVUnits.hkp" from the common directory (value
// "CommonDir" of "SOFTWARE\Orvanta" in the machine hive) and stores every
// accepted unit in `storage`; faults go to the error log "OVUnits.txt"
// beside it. 0 loaded; 1 not loaded (no registry entry, or a faulty file);
// -1 directory or file missing. A units file that is not a regular file of
// at most kMaxSettingsFileBytes (RegularFile.h) is one that cannot be read:
// result 1, and a log that holds only its header. The log is always a new
// file: whatever stood at its path is removed, never written through.
TARVIL_API int LoadUnitsDefinitions(COVUnitStorage& storage);

// LoadUnitsDefinitionsText: loads `text`, the bytes of a units definition
// file, into `storage` as LoadUnitsDefinitions loads the installed file once
// it has read it: the log header, then the reader's reports and the loader's
// warnings, go to `log` (null: none; the reports then go to standard error).
// 0 loaded; 1 not loaded (a faulty file). `*warned` (may be null) tells
// whether a warning was logged, for which LoadUnitsDefinitions keeps the log
// of a load that succeeded. The header and the warning flag are those of the
// process's one load (ErrorLog.h): this serves a caller that loads a file of
// its choice instead of the installed one.
TARVIL_API int LoadUnitsDefinitionsText(COVUnitStorage& storage, std::string_view text, FILE* log,
                                        bool* warned);

#endif
