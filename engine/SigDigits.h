// SigDigits.h: how many decimals a value needs.
#ifndef TARVIL_SIGDIGITS_H
#define TARVIL_SIGDIGITS_H

#include "TarvilExport.h"

// CTarvilGetNumOfSigDigits: the number of digits after the decimal point
// needed to write `value` without loss within about 15 significant digits
// (0 for whole numbers; 1 for values with 14 or more integer digits). Pure.
TARVIL_API int CTarvilGetNumOfSigDigits(double value);

#endif
