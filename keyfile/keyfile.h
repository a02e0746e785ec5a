// keyfile.h: everything for reading and writing hierarchical keyword files
// and for writing error logs, for the suite's file readers:
//
//   KeywordSchema.h  schema rows, constants and the keyword node tree
//   KeywordReader.h  the reader (tokens, constructs, checks, aliases) and
//                    the writer of keyword trees
//   ErrorLog.h       log headers and messages
#ifndef TARVIL_KEYFILE_H
#define TARVIL_KEYFILE_H

#include "ErrorLog.h"
#include "KeywordReader.h"
#include "KeywordSchema.h"

#endif
