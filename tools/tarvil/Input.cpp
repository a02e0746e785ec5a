// Input.cpp: line and file reading for the tool.
#include "Input.h"

#include <cerrno>
#include <cstdlib>
#include <sys/types.h>

namespace tarvil::tool {

LineReader::~LineReader() { std::free(m_buffer); }

bool LineReader::Next(std::string& line) {
  if (m_errorNumber != 0) return false;
  errno = 0;
  const ssize_t length = ::getline(&m_buffer, &m_capacity, m_file);
  if (length < 0) {
    if (std::ferror(m_file)) m_errorNumber = errno != 0 ? errno : EIO;
    return false;
  }
  std::size_t size = static_cast<std::size_t>(length);
  if (size > 0 && m_buffer[size - 1] == '\n') --size;
  if (size > 0 && m_buffer[size - 1] == '\r') --size;
  line.assign(m_buffer, size);
  ++m_lineNumber;
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& contents, int& errorNumber) {
  contents.clear();
  errorNumber = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    errorNumber = errno != 0 ? errno : ENOENT;
    return false;
  }
  char buffer[65536];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
    contents.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file)) {
    errorNumber = errno != 0 ? errno : EIO;
    std::fclose(file);
    return false;
  }
  std::fclose(file);
  return true;
}

}  // namespace tarvil::tool
