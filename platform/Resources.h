// Resources.h: string resources by numeric identifier.
//
// The library's own messages (20001 to 20012) are built in; a host adds or
// replaces texts with SetStringResource, for instance the prompts it passes
// to DisplayError.
#ifndef TARVIL_RESOURCES_H
#define TARVIL_RESOURCES_H

#include "TarvilExport.h"

namespace tarvil::platform {

// SetStringResource: registers `text` (copied) under `id`, replacing any text
// registered before; a null `text` removes the host's text for `id`.
TARVIL_API void SetStringResource(unsigned int id, const char* text);

// FindStringResource: the text of `id` (the host's first, then the
// library's), or null when there is none. Valid until the next
// SetStringResource for the same id.
TARVIL_API const char* FindStringResource(unsigned int id);

}  // namespace tarvil::platform

#endif
