// ErrorLog.cpp: laying out and writing log headers and messages, and the
// units definition error log's process-wide state.
#include "ErrorLog.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <ostream>

#include "CTime.h"
#include "ErrorLogInternal.h"

namespace {

// Set when the library is loaded; the units loader runs once per process.
// Loads may run on several threads at once (the string class's first use
// and UnitTable::load): exactly one of them takes the pending header.
std::atomic<bool> s_bHeaderPending{true};
std::atomic<bool> s_bLogEmpty{true};

void AppendCentred(std::string& out, std::string_view text, int width) {
  long long pad = (static_cast<long long>(width) - static_cast<long long>(text.size()) + 1) / 2;
  if (pad > 0) out.append(static_cast<std::size_t>(pad), ' ');
}

char* CopyOut(const std::string& text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

std::string CurrentDate() {
  CString date = CTime::GetTickCount().Format(tarvil::detail::kLogDateFormat);
  return std::string(date.View());
}

void WriteAll(FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

}  // namespace

namespace tarvil::detail {

std::string BuildLogMessage(std::string_view text, int blankLines, int lineNumber, int indent) {
  std::string out;
  if (blankLines > 0) out.append(static_cast<std::size_t>(blankLines), '\n');
  std::size_t first = 0;
  while (first < text.size() && text[first] == '\n') ++first;
  out.append(first, '\n');
  std::size_t last = text.size();
  while (last > first && text[last - 1] == '\n') --last;
  const std::size_t trailing = text.size() - last;
  std::string margin;
  if (indent > 0) margin.assign(4 * static_cast<std::size_t>(indent), ' ');
  out += margin;
  std::string continuation = margin;
  if (lineNumber > 0) {
    std::string prefix = "Line " + std::to_string(lineNumber) + " : ";
    out += prefix;
    continuation.append(prefix.size(), ' ');
  }
  for (std::size_t i = first; i < last; ++i) {
    out += text[i];
    if (text[i] == '\n') out += continuation;
  }
  out.append(trailing, '\n');
  return out;
}

std::string BuildLogHeader(std::string_view title, std::string_view jobName, int width,
                           std::string_view date) {
  std::string out = "\n";
  AppendCentred(out, title, width);
  out += title;
  out += '\n';
  AppendCentred(out, title, width);
  out.append(title.size(), '-');
  out += "\n\n";
  AppendCentred(out, date, width);
  out += date;
  out += '\n';
  std::string job = "Job Name: ";
  job += jobName;
  AppendCentred(out, job, width);
  out += job;
  out += "\n\n";
  return out;
}

bool IsUnitsLogEmpty() { return s_bLogEmpty; }

void ResetUnitsLogState() {
  s_bHeaderPending = true;
  s_bLogEmpty = true;
}

}  // namespace tarvil::detail

void LogUnitsMessage(FILE* log, const char* text) {
  if (log == nullptr) return;
  if (s_bHeaderPending.exchange(false))
    WriteLogHeader(log, tarvil::detail::kUnitsLogTitle, nullptr, tarvil::detail::kUnitsLogWidth);
  if (text != nullptr) {
    WriteLogMessage(log, text, 1, 0, 0);
    s_bLogEmpty = false;
  }
}

char* FormatLogMessage(const char* text, int blankLines, int lineNumber, int indent) {
  try {
    return CopyOut(tarvil::detail::BuildLogMessage(text ? text : "", blankLines, lineNumber, indent));
  } catch (const std::exception&) {
    return nullptr;
  }
}

void WriteLogMessage(FILE* stream, const char* text, int blankLines, int lineNumber, int indent) {
  if (stream == nullptr) return;
  try {
    WriteAll(stream,
             tarvil::detail::BuildLogMessage(text ? text : "", blankLines, lineNumber, indent));
  } catch (const std::exception&) {
  }
}

void WriteLogMessage(std::ostream& stream, const char* text, int blankLines, int lineNumber,
                     int indent) {
  if (stream.fail() || stream.bad()) return;
  try {
    stream << tarvil::detail::BuildLogMessage(text ? text : "", blankLines, lineNumber, indent);
    stream.flush();
  } catch (const std::exception&) {
  }
}

void WriteLogMessage(FILE* stream, unsigned int textId, int blankLines, int lineNumber,
                     int indent) {
  if (stream == nullptr) return;
  CString text;
  text.LoadString(textId);
  WriteLogMessage(stream, text.GetString(), blankLines, lineNumber, indent);
}

void WriteLogMessage(CString& out, const char* text, int blankLines, int lineNumber, int indent) {
  try {
    out = CString(std::string_view(
        tarvil::detail::BuildLogMessage(text ? text : "", blankLines, lineNumber, indent)));
  } catch (const std::exception&) {
  }
}

char* FormatLogHeader(const char* title, const char* jobName, int width) {
  try {
    return CopyOut(tarvil::detail::BuildLogHeader(title ? title : "", jobName ? jobName : "",
                                                  width, CurrentDate()));
  } catch (const std::exception&) {
    return nullptr;
  }
}

void WriteLogHeader(FILE* stream, const char* title, const char* jobName, int width) {
  if (stream == nullptr) return;
  try {
    WriteAll(stream, tarvil::detail::BuildLogHeader(title ? title : "", jobName ? jobName : "",
                                                    width, CurrentDate()));
  } catch (const std::exception&) {
  }
}

void WriteLogHeader(std::ostream& stream, const char* title, const char* jobName, int width) {
  if (!stream.good()) return;
  try {
    stream << tarvil::detail::BuildLogHeader(title ? title : "", jobName ? jobName : "", width,
                                             CurrentDate());
    stream.flush();
  } catch (const std::exception&) {
  }
}

void WriteLogHeader(FILE* stream, unsigned int titleId, const char* jobName, int width) {
  if (stream == nullptr) return;
  CString title;
  title.LoadString(titleId);
  WriteLogHeader(stream, title.GetString(), jobName, width);
}
