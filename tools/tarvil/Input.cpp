// Input.cpp: line and file reading for the tool.
#include "Input.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace tarvil::tool {

bool LineReader::Fail(Stop stop) {
  m_stop = stop;
  return false;
}

bool LineReader::Next(std::string& line) {
  if (Failed()) return false;
  line.clear();
  bool any = false;
  int c = EOF;
  errno = 0;
  try {
    while ((c = getc_unlocked(m_file)) != EOF) {
      any = true;
      if (c == '\n') break;
      // The byte past the limit may still be the "\r" of a "\r\n" line end;
      // the one after it may not.
      if (line.size() > kMaxLineBytes) {
        ++m_lineNumber;
        return Fail(Stop::kTooLong);
      }
      line.push_back(static_cast<char>(c));
    }
  } catch (const std::bad_alloc&) {
    ++m_lineNumber;
    return Fail(Stop::kNoMemory);
  }
  if (c == EOF && std::ferror(m_file)) {
    m_errorNumber = errno != 0 ? errno : EIO;
    return Fail(Stop::kReadError);
  }
  if (!any) return false;
  ++m_lineNumber;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > kMaxLineBytes) return Fail(Stop::kTooLong);
  return true;
}

std::string LineReader::Problem() const {
  const std::string line = "line " + std::to_string(m_lineNumber);
  switch (m_stop) {
    case Stop::kReadError: return std::strerror(m_errorNumber);
    case Stop::kTooLong: return line + " is longer than " + SizeText(kMaxLineBytes);
    case Stop::kNoMemory: return line + " is too long to be held in memory";
    default: return std::string();
  }
}

std::string SizeText(std::size_t bytes) {
  constexpr std::size_t kMiB = 1024 * 1024;
  if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

platform::FileRead ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                 std::string& contents, std::string& problem) {
  using platform::FileRead;
  int errorNumber = 0;
  const FileRead read = platform::ReadRegularFile(path, maxBytes, contents, &errorNumber);
  switch (read) {
    case FileRead::kRead: problem.clear(); break;
    case FileRead::kNotRegular: problem = "not a regular file"; break;
    case FileRead::kTooLarge: problem = "larger than " + SizeText(maxBytes); break;
    default: problem = std::strerror(errorNumber != 0 ? errorNumber : EIO); break;
  }
  return read;
}

}  // namespace tarvil::tool
