// AssertReport.h: reports of violated preconditions.
//
// A routine given an argument outside its enumeration reports the violated
// condition here and then returns its neutral result; nothing aborts. The
// default handler writes one line to standard error.
#ifndef TARVIL_ASSERTREPORT_H
#define TARVIL_ASSERTREPORT_H

#include <functional>

#include "TarvilExport.h"

namespace tarvil::platform {

using AssertReportHandler =
    std::function<void(const char* condition, const char* sourceUnit, int line)>;

// SetAssertReportHandler: makes `handler` current and returns the previous
// one. An empty handler restores the default.
TARVIL_API AssertReportHandler SetAssertReportHandler(AssertReportHandler handler);

// ReportAssert: passes one violated condition (verbatim text), the source
// unit that checked it and the line to the current handler; null texts are
// passed as empty ones.
TARVIL_API void ReportAssert(const char* condition, const char* sourceUnit, int line);

}  // namespace tarvil::platform

// TARVIL_CHECK(cond, text, unit): true when `cond` holds; otherwise reports
// `text` for source unit `unit` and yields false.
#define TARVIL_CHECK(cond, text, unit) \
  ((cond) ? true : (::tarvil::platform::ReportAssert((text), (unit), __LINE__), false))

#endif
