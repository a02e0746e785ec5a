// ErrorModelInternal.h: the opening that every test and Get... member of the
// string class shares. Not installed.
#ifndef TARVIL_ERRORMODELINTERNAL_H
#define TARVIL_ERRORMODELINTERNAL_H

#include "CTarvil.h"

namespace tarvil::detail {

// BeginTest: clears the object's cursor and error; an empty text then takes
// error 1 (cursor 0) and gives false.
inline bool BeginTest(CTarvil& s) {
  s.m_nCursorPosition = 0;
  s.m_eCurrentError = eErrNone;
  if (!s.IsEmpty()) return true;
  s.m_eCurrentError = eErrEmpty;
  return false;
}

}  // namespace tarvil::detail

#endif
