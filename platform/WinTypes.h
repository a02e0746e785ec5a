// WinTypes.h: the small vocabulary of status values and flags that the
// library's interface shares with the desktop platform it was designed for.
//
// The status values are 32-bit HRESULT patterns held in a `long`,
// sign-extended, so that a caller's `hr < 0` test reads as on that platform.
#ifndef TARVIL_WINTYPES_H
#define TARVIL_WINTYPES_H

#include <cstdint>

using DWORD = std::uint32_t;
using LONG = std::int32_t;
using BYTE = unsigned char;
using HRESULT = long;

#ifndef S_OK
#define S_OK (static_cast<long>(0))
#endif
#ifndef E_INVALIDARG
#define E_INVALIDARG (static_cast<long>(static_cast<std::int32_t>(0x80070057u)))
#endif
#ifndef E_FAIL
#define E_FAIL (static_cast<long>(static_cast<std::int32_t>(0x80004005u)))
#endif
#ifndef SUCCEEDED
#define SUCCEEDED(hr) (static_cast<long>(hr) >= 0)
#endif
#ifndef FAILED
#define FAILED(hr) (static_cast<long>(hr) < 0)
#endif

// Arithmetic overflow status of the base-unit count routines.
#ifndef ERROR_ARITHMETIC_OVERFLOW
#define ERROR_ARITHMETIC_OVERFLOW 534L
#endif

// Message box styles understood by AfxMessageBox.
#ifndef MB_OK
#define MB_OK 0x00000000u
#endif
#ifndef MB_ICONINFORMATION
#define MB_ICONINFORMATION 0x00000040u
#endif

#endif
