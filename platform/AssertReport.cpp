// AssertReport.cpp: the precondition report handler.
#include "AssertReport.h"

#include <cstdio>

namespace tarvil::platform {
namespace {

void DefaultReport(const char* condition, const char* sourceUnit, int line) {
  std::fprintf(stderr, "tarvil: precondition failed in %s, line %d: %s\n",
               sourceUnit && *sourceUnit ? sourceUnit : "?", line, condition ? condition : "");
}

AssertReportHandler& Current() {
  static AssertReportHandler handler = DefaultReport;
  return handler;
}

}  // namespace

AssertReportHandler SetAssertReportHandler(AssertReportHandler handler) {
  AssertReportHandler previous = Current();
  Current() = handler ? std::move(handler) : AssertReportHandler(DefaultReport);
  return previous;
}

void ReportAssert(const char* condition, const char* sourceUnit, int line) {
  // A copy, so that a handler may replace itself while it runs.
  AssertReportHandler handler = Current();
  handler(condition ? condition : "", sourceUnit ? sourceUnit : "", line);
}

}  // namespace tarvil::platform
