// CompareNum.h: comparison of texts that contain numbers.
//
// From the first byte where two texts differ, the text whose run of digits
// is longer sorts after the other, so 'R9' < 'R10'; when both runs end
// together the first differing byte decides. A digit at the first difference
// sorts after a non-digit. Results are exactly -1, 0 or 1. A null text
// compares as an empty one. With a limit `n` of 1 or more only the first `n`
// bytes take part; `n` below 1 means no limit. Nothing allocates.
#ifndef TARVIL_COMPARENUM_H
#define TARVIL_COMPARENUM_H

#include "TarvilExport.h"

// Bytes compared as unsigned values.
TARVIL_API int CTarvilCompareNum(const char* a, const char* b);
TARVIL_API int CTarvilCompareNum(const char* a, const char* b, int n);
// Letters compared without regard to case.
TARVIL_API int CTarvilCompareNumNoCase(const char* a, const char* b);
TARVIL_API int CTarvilCompareNumNoCase(const char* a, const char* b, int n);
// Without regard to case; when equal so, the case-sensitive result.
TARVIL_API int CTarvilCompareNumNoCaseCase(const char* a, const char* b);
TARVIL_API int CTarvilCompareNumNoCaseCase(const char* a, const char* b, int n);

#endif
