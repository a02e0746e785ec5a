// ErrorLog.h: the layout of error log files: a centred, dated header and
// messages with blank lines, a line-number prefix and indentation.
//
// The units definition loader (UnitsDefinitions.h) writes its log
// "OVUnits.txt" through LogUnitsMessage; the keyword reader
// (KeywordReader.h) writes its reports straight into the same stream. The
// writers come in forms for a FILE stream, an output stream, a string, and
// with the text taken from a string resource. Every text is written as it
// is: a "%" in a message is never taken as a format directive.
#ifndef TARVIL_ERRORLOG_H
#define TARVIL_ERRORLOG_H

#include <cstdio>
#include <iosfwd>

#include "CString.h"
#include "TarvilExport.h"

// LogUnitsMessage: writes to the units definition error log `log`; nothing
// when `log` is null. The first call in the process writes the log header
// ("Units Definitions Error Log", width 80) first. A non-null `text` is then
// written as a newline followed by the text, and the process-wide flag "log
// empty" is cleared (a load that ends with it still set deletes its log).
TARVIL_API void LogUnitsMessage(FILE* log, const char* text);

// FormatLogMessage: lays `text` (null as empty) out as a log message:
// `blankLines` newlines; one newline for each newline the text starts with;
// `indent` times four spaces; "Line <lineNumber> : " when lineNumber is above
// 0; the text, each newline inside it followed by the indentation and as
// many spaces as the line prefix is long; then the newlines the text ended
// with. Returns a new string allocated with malloc (free it with std::free),
// or null when memory runs out.
TARVIL_API char* FormatLogMessage(const char* text, int blankLines, int lineNumber, int indent);

// WriteLogMessage: writes the message FormatLogMessage lays out to `stream`
// and flushes it; nothing when `stream` is null.
TARVIL_API void WriteLogMessage(FILE* stream, const char* text, int blankLines, int lineNumber,
                                int indent);
// WriteLogMessage: the same to an output stream, only when neither its fail
// nor its bad state is set.
TARVIL_API void WriteLogMessage(std::ostream& stream, const char* text, int blankLines,
                                int lineNumber, int indent);
// WriteLogMessage: the same with the text of string resource `textId` (an
// empty text when there is none).
TARVIL_API void WriteLogMessage(FILE* stream, unsigned int textId, int blankLines, int lineNumber,
                                int indent);
// WriteLogMessage: the laid-out message replaces the content of `out`.
TARVIL_API void WriteLogMessage(CString& out, const char* text, int blankLines, int lineNumber,
                                int indent);

// FormatLogHeader: a header for `width` columns: a newline; `title` centred,
// and under it as many "-" as the title is long; a blank line; the present
// local time ("03:07 PM Tuesday, March 05, 2002") centred; "Job Name: " and
// `jobName` (null as none) centred; a blank line. Each centring pads with
// (width - length + 1) / 2 spaces, none when that is not above 0. Returns a
// new string allocated with malloc (free it with std::free), or null when
// memory runs out.
TARVIL_API char* FormatLogHeader(const char* title, const char* jobName, int width);

// WriteLogHeader: writes the header FormatLogHeader lays out to `stream` and
// flushes it; nothing when `stream` is null.
TARVIL_API void WriteLogHeader(FILE* stream, const char* title, const char* jobName, int width);
// WriteLogHeader: the same to an output stream in a good state.
TARVIL_API void WriteLogHeader(std::ostream& stream, const char* title, const char* jobName,
                               int width);
// WriteLogHeader: the same with the title of string resource `titleId`.
TARVIL_API void WriteLogHeader(FILE* stream, unsigned int titleId, const char* jobName,
                               int width);

#endif
