// ErrorLogInternal.h: the pieces of the error log shared with the units
// loader and the tests. Not installed.
#ifndef TARVIL_ERRORLOGINTERNAL_H
#define TARVIL_ERRORLOGINTERNAL_H

#include <string>
#include <string_view>

namespace tarvil::detail {

// The title and width of the units definition error log's header.
inline constexpr const char* kUnitsLogTitle = "Units Definitions Error Log";
inline constexpr int kUnitsLogWidth = 80;
// The layout of the header's date line.
inline constexpr const char* kLogDateFormat = "%I:%M %p %A, %B %d, %Y";

// BuildLogMessage / BuildLogHeader: the layouts of FormatLogMessage and
// FormatLogHeader, the header with the given date text. May throw
// std::bad_alloc.
std::string BuildLogMessage(std::string_view text, int blankLines, int lineNumber, int indent);
std::string BuildLogHeader(std::string_view title, std::string_view jobName, int width,
                           std::string_view date);

// IsUnitsLogEmpty: true while no message has gone through LogUnitsMessage.
bool IsUnitsLogEmpty();
// ResetUnitsLogState: header pending and log empty again, as at process
// start (for tests, which load several times in one process).
void ResetUnitsLogState();

}  // namespace tarvil::detail

#endif
