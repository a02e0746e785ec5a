// KeywordReaderInternal.h: pieces of the keyword reader shared by its source
// files and reached by the tests. Not installed.
#ifndef TARVIL_KEYWORDREADERINTERNAL_H
#define TARVIL_KEYWORDREADERINTERNAL_H

#include <cstddef>

#include "KeywordSchema.h"

namespace tarvil::detail {

// Bytes read from the keyword file at a time.
inline constexpr std::size_t kKeywordInputBufferSize = 64 * 1024;

// ConvertKeywordInteger: reads `word` as an integer argument: optional sign,
// then hexadecimal after "0x"/"0X", octal after a leading 0, else decimal;
// clamped to the 32-bit range. `*value` gets the number, `*stop` where
// reading stopped. True when the whole word was read.
bool ConvertKeywordInteger(const char* word, int* value, const char** stop);

// ConvertKeywordDouble: reads `word` as a double argument, decimal notation
// only (sign, digits with an optional point, optional exponent; no
// hexadecimal, infinity or not-a-number). `*value` gets the number, `*stop`
// where reading stopped. True when the whole word was read.
bool ConvertKeywordDouble(const char* word, double* value, const char** stop);

// AllocateKeywordNode: a zeroed node, or null when memory runs out.
CKeywordNode* AllocateKeywordNode();

}  // namespace tarvil::detail

#endif
