// RegularFile.h: reading a whole file that a user or a setting names, which
// may turn out to be anything: a named pipe, a device, a link to either, or a
// file far larger than it should be.
//
// The registry files (Registry.h), the units definition file
// (UnitsDefinitions.h) and the files the tarvil command reads are all read
// through ReadRegularFile, so that each of them refuses the same things for
// the same reasons.
#ifndef TARVIL_REGULARFILE_H
#define TARVIL_REGULARFILE_H

#include <cstddef>
#include <string>

#include "TarvilExport.h"

namespace tarvil::platform {

// The most a registry file or a units definition file may hold. Either is a
// handful of settings; anything larger is not one.
inline constexpr std::size_t kMaxSettingsFileBytes = 16 * 1024 * 1024;

// The outcome of ReadRegularFile.
enum class FileRead {
  kRead,        // the whole file is in `contents`
  kMissing,     // nothing at the path (or a component of it is no folder)
  kNotRegular,  // a folder, pipe, socket or device (also behind a link)
  kTooLarge,    // a regular file of more than `maxBytes` bytes
  kFailed,      // it could not be opened or read; the errno tells why
};

// ReadRegularFile: the bytes of the regular file at `path` (a link is
// followed), at most `maxBytes` of them. The file is opened once, without
// waiting (a pipe without a writer does not hold the caller up) and without
// becoming a controlling terminal, and what was opened is checked before
// anything is read, so nothing can be swapped in between. A file that grows
// past `maxBytes` while it is read is kTooLarge. `contents` is emptied
// unless the result is kRead; `*errorNumber` (may be null) receives the
// errno of kMissing and kFailed, else 0.
TARVIL_API FileRead ReadRegularFile(const std::string& path, std::size_t maxBytes,
                                    std::string& contents, int* errorNumber = nullptr);

}  // namespace tarvil::platform

#endif
