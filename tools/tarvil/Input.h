// Input.h: reading texts one per line, from standard input or a file.
//
// Lines may be of any length and may end in "\n" or "\r\n" (the last one may
// have no line end at all). A NUL byte inside a line is kept, so that the
// caller can refuse the line instead of silently cutting it.
#ifndef TARVIL_TOOL_INPUT_H
#define TARVIL_TOOL_INPUT_H

#include <cstdio>
#include <string>

namespace tarvil::tool {

class LineReader {
 public:
  // Reads `file`, which stays owned by the caller.
  explicit LineReader(std::FILE* file) : m_file(file) {}
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Next: the next line without its line end; false at the end of the file
  // or on a read error (then Failed() tells which).
  bool Next(std::string& line);
  // The 1-based number of the line Next returned last.
  long LineNumber() const { return m_lineNumber; }
  // True when reading stopped on an error; ErrorNumber() is its errno.
  bool Failed() const { return m_errorNumber != 0; }
  int ErrorNumber() const { return m_errorNumber; }

 private:
  std::FILE* m_file;
  char* m_buffer = nullptr;
  std::size_t m_capacity = 0;
  long m_lineNumber = 0;
  int m_errorNumber = 0;
};

// ReadWholeFile: the bytes of the file at `path`. False with errno in
// `errorNumber` when it cannot be opened or read (a directory included).
bool ReadWholeFile(const std::string& path, std::string& contents, int& errorNumber);

}  // namespace tarvil::tool

#endif
