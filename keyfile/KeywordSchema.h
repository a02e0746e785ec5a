// KeywordSchema.h: the schema tables a keyword file is read against, and the
// tree of keyword nodes the reader builds from a file.
//
// A schema table names every keyword, the kind and number of its arguments,
// the constants it accepts, the keywords that must or may stand under it and
// whether it may repeat. The reader (KeywordReader.h) is opened with one
// schema table and one constant table; it returns each top-level construct
// of a file as a chain of CKeywordNode, which the caller frees with
// FreeConstruct. The writer (WriteConstruct in KeywordReader.h) turns a
// chain back into keyword text.
#ifndef TARVIL_KEYWORDSCHEMA_H
#define TARVIL_KEYWORDSCHEMA_H

#include "TarvilExport.h"

// The kind of arguments a keyword takes.
enum eKeywordArgTypes : int {
  eKeywordArgInteger = 1,   // 32-bit signed integers ("%d"; 0x10 and 010 accepted)
  eKeywordArgDouble = 2,    // doubles in decimal notation
  eKeywordArgString = 3,    // quoted strings, stored with escapes processed
  eKeywordArgConstant = 4,  // constant names, stored as the constants' values
  eKeywordArgNone = 5,      // no arguments
  eKeywordArgRestOfLine = 6 // none: the rest of the keyword's line is skipped unread
};

// Flags of a schema row.
inline constexpr unsigned int kKeywordMayRepeat = 1u;     // may occur more than once under one keyword
inline constexpr unsigned int kKeywordCountModulo = 2u;   // argument count is a multiple of the row's count

// Longest keyword node name kept (the rest of a longer token is cut).
inline constexpr int kKeywordNodeNameMax = 31;

// One row of a keyword schema table; a table ends with a row whose id is 0.
struct CKeywordDef {
  const char* name;              // upper case, without periods
  int id;                        // unique in the table, not 0
  eKeywordArgTypes argType;
  unsigned int flags;            // kKeywordMayRepeat, kKeywordCountModulo
  int argCount;                  // arguments expected (with kKeywordCountModulo: the multiple)
  const char* const* constants;  // allowed constant names, null-ended; null: none
  const int* required;           // ids that must stand under the keyword, 0-ended; may be null
  const int* optional;           // ids that may stand under it, 0-ended; may be null
};

// One row of a constant table; a table ends with a row whose name is null.
struct CKeywordConst {
  const char* name;  // upper case
  int value;         // what a constant argument stores
};

// The arguments of a node; which member is live follows the argument type.
union CKeywordArgs {
  int* ints;        // integers and constants
  double* doubles;  // doubles
  char** strings;   // owned NUL-terminated strings
};

// One keyword as it stood in the file. A node owns its arguments, its
// children and its following siblings.
struct CKeywordNode {
  char name[kKeywordNodeNameMax + 1];  // the token as read: periods, upper case
  int id;                              // schema id (an alias carries its target's id)
  eKeywordArgTypes argType;
  int level;                           // number of leading periods; 1 is the top level
  int argCount;                        // number of arguments held
  CKeywordArgs args;                   // owned array; null for types 5 and 6
  CKeywordNode* next;                  // following sibling
  CKeywordNode* child;                 // first child
};

// FreeConstruct: frees `node`, every sibling that follows it, and everything
// under each of them (children, argument arrays and their strings). Null is
// allowed. Works without recursion, whatever the depth of the tree.
TARVIL_API void FreeConstruct(CKeywordNode* node);

#endif
