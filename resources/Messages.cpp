// Messages.cpp: the message texts of the error codes.
#include "Messages.h"

namespace tarvil::resources {
namespace {

// Index i holds the text of resource 20001 + i. Note that error code 1
// (empty) uses 20002 and code 2 (blank) 20001.
const char* const kMessages[] = {
    "String is blank.",                      // 20001
    "String is empty.",                      // 20002
    "Too many decimal places.",              // 20003
    "Invalid character(s) detected.",        // 20004
    "Character limit exceeded.",             // 20005
    "No unit detected.",                     // 20006
    "Value is too large.",                   // 20007
    "Value is too small.",                   // 20008
    "Zero is not an allowed value.",         // 20009
    "Negative values are not allowed.",      // 20010
    "Positive values are not allowed.",      // 20011
    "Does not represent an integer value.",  // 20012
};

}  // namespace

const char* FindLibraryMessage(unsigned int id) {
  if (id < kFirstMessageId || id > kLastMessageId) return nullptr;
  return kMessages[id - kFirstMessageId];
}

}  // namespace tarvil::resources
