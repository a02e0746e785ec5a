// Messages.h: the library's message texts, string resources 20001 to 20012.
#ifndef TARVIL_MESSAGES_H
#define TARVIL_MESSAGES_H

#include "TarvilExport.h"

namespace tarvil::resources {

// First and last identifiers of the library's messages.
inline constexpr unsigned int kFirstMessageId = 20001;
inline constexpr unsigned int kLastMessageId = 20012;

// FindLibraryMessage: the library's text for `id`, or null outside
// kFirstMessageId .. kLastMessageId.
TARVIL_API const char* FindLibraryMessage(unsigned int id);

}  // namespace tarvil::resources

#endif
