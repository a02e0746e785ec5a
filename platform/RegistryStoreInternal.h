// RegistryStoreInternal.h: reading and atomically rewriting a hive file.
// Not installed.
#ifndef TARVIL_REGISTRYSTOREINTERNAL_H
#define TARVIL_REGISTRYSTOREINTERNAL_H

#include <functional>
#include <string>

#include "RegistryFileInternal.h"

namespace tarvil::platform::registry {

// ReadHive: the document in the file at `path`. A missing file (or an empty
// path) is an empty, whole document; a file that exists but cannot be read
// is an empty document that is not whole, so it is never rewritten.
Document ReadHive(const std::string& path);

// ModifyHive: under an advisory lock on the file's folder (created when
// missing), reads the file again, lets `edit` change the document, and when
// `edit` returns true writes it to a temporary file in the same folder that
// then replaces the file. The file is left untouched when it could not be
// parsed whole or any step fails. `after` receives the document as it now
// stands. False on failure, with errno telling why: the error of the step
// that failed, ENOTDIR for a folder that is a file, EBADMSG for a file that
// could not be read or parsed whole.
bool ModifyHive(const std::string& path, const std::function<bool(Document&)>& edit,
                Document& after);

}  // namespace tarvil::platform::registry

#endif
