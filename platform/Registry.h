// Registry.h: the settings store of the current user and of the machine.
//
// A stand-in for the desktop registry, keeping each hive in a text file in
// the registry editor's export format ("REGEDIT4" or "Windows Registry
// Editor Version 5.00", UTF-8 or UTF-16LE with a byte-order mark):
//
//   [HKEY_CURRENT_USER\Control Panel\International]
//   "sDecimal"=","
//   [HKEY_CURRENT_USER\Software\Orvanta\Orvanta Notation]
//   "Engineering"=dword:00000004
//
// The current user's hive is the file named by TARVIL_USER_REGISTRY, else
// ${XDG_CONFIG_HOME:-$HOME/.config}/orvanta/registry.reg; the machine hive is
// the file named by TARVIL_MACHINE_REGISTRY, else /etc/orvanta/registry.reg.
// A missing file is an empty hive. The file is read again whenever a key is
// opened. Writing rewrites the file atomically, keeps everything else in it
// and never touches a file that could not be parsed whole.
//
// When the user's hive has no key "Control Panel\International", one made
// from the process's numeric locale is presented instead (read only).
#ifndef TARVIL_REGISTRY_H
#define TARVIL_REGISTRY_H

#include <cstdint>
#include <string>

#include "TarvilExport.h"
#include "WinTypes.h"

namespace tarvil::platform {

struct RegistryKey;
using HKEY = RegistryKey*;

}  // namespace tarvil::platform

#define HKEY_CURRENT_USER (reinterpret_cast<::tarvil::platform::HKEY>(std::uintptr_t{0x80000001u}))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<::tarvil::platform::HKEY>(std::uintptr_t{0x80000002u}))

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MORE_DATA 234L
#define ERROR_CANTWRITE 1013L

#define REG_NONE 0u
#define REG_SZ 1u
#define REG_DWORD 4u

#define KEY_READ 0x20019u
#define KEY_WRITE 0x20006u
#define KEY_ALL_ACCESS 0xF003Fu
#define REG_OPTION_NON_VOLATILE 0u
#define REG_CREATED_NEW_KEY 1u
#define REG_OPENED_EXISTING_KEY 2u

namespace tarvil::platform {

// RegOpenKeyEx: opens `subKey` of the predefined key `root`. ERROR_SUCCESS
// with a handle in `*result`, ERROR_FILE_NOT_FOUND when the key does not
// exist, ERROR_INVALID_PARAMETER for a null `result` or unknown root.
TARVIL_API LONG RegOpenKeyEx(HKEY root, const char* subKey, DWORD options, DWORD samDesired,
                             HKEY* result);

// RegCreateKeyEx: opens `subKey`, creating it (and writing the hive file)
// when absent; `*disposition` (may be null) tells REG_CREATED_NEW_KEY or
// REG_OPENED_EXISTING_KEY. Fails with ERROR_CANTWRITE when the key is absent
// and the hive file cannot be written (or could not be parsed whole).
TARVIL_API LONG RegCreateKeyEx(HKEY root, const char* subKey, DWORD reserved, const char* keyClass,
                               DWORD options, DWORD samDesired, void* security, HKEY* result,
                               DWORD* disposition);

// RegQueryValueEx: reads value `name` of an open key. `*type` (may be null)
// receives REG_SZ or REG_DWORD. With `data` null, `*cbData` receives the size
// needed. A value larger than `*cbData` fails with ERROR_MORE_DATA (and sets
// `*cbData` to the size needed). REG_SZ data includes its terminator.
TARVIL_API LONG RegQueryValueEx(HKEY key, const char* name, DWORD* reserved, DWORD* type,
                                BYTE* data, DWORD* cbData);

// RegSetValueEx: stores value `name` (REG_SZ text or 4-byte REG_DWORD) and
// rewrites the hive file. ERROR_CANTWRITE when the file cannot be written;
// ERROR_ACCESS_DENIED for a key opened without write access or the presented
// regional key; ERROR_INVALID_PARAMETER for another type or size, or a name
// or text holding a line break.
TARVIL_API LONG RegSetValueEx(HKEY key, const char* name, DWORD reserved, DWORD type,
                              const BYTE* data, DWORD cbData);

// A call that fails with ERROR_CANTWRITE leaves errno telling why: the
// error of the step that failed (ENOSPC, EACCES, EROFS, ENOTDIR, ...), or
// EBADMSG for a file that is not a regular file, is too large or unreadable,
// or could not be parsed whole, and is therefore left as it is.

// RegCloseKey: releases a handle from RegOpenKeyEx / RegCreateKeyEx.
TARVIL_API LONG RegCloseKey(HKEY key);

// UserRegistryPath / MachineRegistryPath: the file that holds each hive now.
TARVIL_API std::string UserRegistryPath();
TARVIL_API std::string MachineRegistryPath();

}  // namespace tarvil::platform

#endif
