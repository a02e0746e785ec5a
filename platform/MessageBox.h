// MessageBox.h: the modal message box through which errors are shown.
//
// The library shows a message by calling the current handler. A host with a
// user interface sets its own; the default writes the text to standard error
// and, when standard input is a terminal, waits until the user presses Enter.
#ifndef TARVIL_MESSAGEBOX_H
#define TARVIL_MESSAGEBOX_H

#include <functional>

#include "TarvilExport.h"
#include "WinTypes.h"

namespace tarvil::platform {

using MessageBoxHandler =
    std::function<int(const char* text, unsigned int type, unsigned int helpContext)>;

// SetMessageBoxHandler: makes `handler` the current handler and returns the
// previous one. An empty handler restores the default.
TARVIL_API MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// AfxMessageBox: shows `text` (null as empty) through the current handler and
// returns what the handler returns.
TARVIL_API int AfxMessageBox(const char* text, unsigned int type = MB_OK,
                             unsigned int helpContext = 0);

}  // namespace tarvil::platform

#endif
