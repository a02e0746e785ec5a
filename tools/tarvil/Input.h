// Input.h: reading texts one per line, from standard input or a file, and
// reading whole files.
//
// Lines may be up to kMaxLineBytes long and may end in "\n" or "\r\n" (the
// last one may have no line end at all). A NUL byte inside a line is kept,
// so that the caller can refuse the line instead of silently cutting it.
#ifndef TARVIL_TOOL_INPUT_H
#define TARVIL_TOOL_INPUT_H

#include <cstddef>
#include <cstdio>
#include <string>

#include <tarvil/RegularFile.h>

namespace tarvil::tool {

// The longest line read, line end not counted: ample for any value or name,
// and the bound of the memory one line may take.
inline constexpr std::size_t kMaxLineBytes = 1024 * 1024;

class LineReader {
 public:
  // Reads `file`, which stays owned by the caller.
  explicit LineReader(std::FILE* file) : m_file(file) {}
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Next: the next line without its line end. False at the end of the
  // input, and when reading stops before it (then Failed() is true): a read
  // error, or a line longer than kMaxLineBytes or too long for the memory.
  bool Next(std::string& line);
  // The 1-based number of the line Next returned last, or of the line that
  // stopped it.
  long LineNumber() const { return m_lineNumber; }
  bool Failed() const { return m_stop != Stop::kNone; }
  // Problem: why reading stopped, for a message: the read error's text, or
  // "line N is longer than 1 MiB" and the like.
  std::string Problem() const;

 private:
  enum class Stop { kNone, kReadError, kTooLong, kNoMemory };
  bool Fail(Stop stop);

  std::FILE* m_file;
  long m_lineNumber = 0;
  Stop m_stop = Stop::kNone;
  int m_errorNumber = 0;
};

// SizeText: a byte count as people read it ("16 MiB", "1 MiB", "300 bytes").
std::string SizeText(std::size_t bytes);

// ReadWholeFile: the bytes of the regular file at `path`, at most `maxBytes`
// of them, through the library's own reader (RegularFile.h). Any outcome
// but kRead leaves `contents` empty and a short reason in `problem`
// ("No such file or directory", "not a regular file", "larger than 16 MiB").
platform::FileRead ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                 std::string& contents, std::string& problem);

}  // namespace tarvil::tool

#endif
