// EDAStringTypes.h: the kinds of design-object name and their checks.
//
// Each kind has a length limit (bytes from the first to the last non-blank
// character), a character rule and, for some, reserved names in parentheses.
#ifndef TARVIL_EDASTRINGTYPES_H
#define TARVIL_EDASTRINGTYPES_H

#include "TarvilErrors.h"
#include "TarvilExport.h"

enum eEDAStringTypes : int {
  eEDAType0 = 0,    // limit 4050; no control characters or "\"
  eEDAType1 = 1,    // 80, default rule
  eEDAType2 = 2,    // 80, default rule
  eEDAType3 = 3,    // 80, default rule
  eEDAType4 = 4,    // 40, default rule
  eEDAType5 = 5,    // 40, "(Default)"; printable, not "\" or "!"
  eEDAType6 = 6,    // 127, "(Shield Area)"; printable, not "\" or "!"
  eEDAType7 = 7,    // 80, default rule
  eEDAType8 = 8,    // 80, "(Default Via)"; default rule
  eEDAType9 = 9,    // 64, default rule
  eEDAType10 = 10,  // 255; no control characters or "\"
  eEDAType11 = 11,  // 40; printable, not "\" or "!"
  eEDAType12 = 12,  // 40, default rule
  eEDAType13 = 13,  // 4; letters only
  eEDAType14 = 14,  // 40, "(Default)"; default rule
  eEDAType15 = 15,  // 40, "(Default Rule)"; printable, not "\" or "!"
  eEDAType16 = 16,  // 40, default rule
  eEDAType17 = 17,  // 40, default rule
  eEDAType18 = 18,  // 40, "(Master)", "(Minimum)"; printable, not "\" or "!"
};

// CTarvilIsEDAName: 1 when `name` is a valid design-object name, else 0 with
// the reason. Leading and trailing white space is ignored. The default rule:
// every character printable and none of "\", "!", "(", ")". Errors:
// eErrEmpty (null or empty name, position 0), eErrInvalidCharacter (position
// of the first offending character, or of the first non-blank one for a
// reserved name without allowSpecial), eErrCharacterLimit (position of the
// last non-blank character). On success the position is the name's length.
// A reserved name is matched over the length of the trimmed part, so a
// leading part of it ("(Def") and a blank name count as that name too.
// `pPos` and `pErr` may be null; they are then not written.

// Default rule, no limit; position and error discarded.
TARVIL_API int CTarvilIsEDAName(const char* name);
// Default rule, no limit.
TARVIL_API int CTarvilIsEDAName(const char* name, int* pPos, eCTarvilErr* pErr);
// Length at most `limit`, then the default rule.
TARVIL_API int CTarvilIsEDAName(const char* name, int limit, int* pPos, eCTarvilErr* pErr);
// The rule of `type`; a reserved name passes only when allowSpecial is 1.
TARVIL_API int CTarvilIsEDAName(const char* name, eEDAStringTypes type, int allowSpecial);
TARVIL_API int CTarvilIsEDAName(const char* name, eEDAStringTypes type, int allowSpecial,
                                int* pPos, eCTarvilErr* pErr);

#endif
