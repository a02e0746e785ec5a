// ToolProcess.h: runs the tarvil program as a separate process, feeding its
// standard input and collecting its output, with registries private to the
// test.
#ifndef TARVIL_TESTS_TOOLPROCESS_H
#define TARVIL_TESTS_TOOLPROCESS_H

#include <map>
#include <string>
#include <vector>

namespace tarvil::tooltest {

struct ToolResult {
  int status = -1;  // exit status; -1 when the process did not exit normally
  std::string out;
  std::string err;
  long maxRssKiB = 0;  // peak resident set of the process (wait4's ru_maxrss)
};

// The program under test: $TARVIL_TOOL, else the one built with the tests.
std::string ToolPath();

// A temporary directory, removed with its contents.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return m_path; }
  // Writes `contents` to the file `name` in the directory; returns its path.
  std::string Write(const std::string& name, const std::string& contents) const;

 private:
  std::string m_path;
};

// Limits the program starts with; 0 leaves a limit as it is. With a file
// size limit, SIGXFSZ is ignored, so that a write past it fails with EFBIG
// as a write to a full disk fails. The address space is counted in KiB and
// file sizes in blocks of 512 bytes (rounded up).
struct RunLimits {
  unsigned long long addressSpaceBytes = 0;  // RLIMIT_AS
  unsigned long long fileSizeBytes = 0;      // RLIMIT_FSIZE
};

// RunTool: runs the program with `args` and `input` on standard input. The
// environment is the test's own, with the C locale and with both registries
// pointing into `home` (files that do not exist unless the test wrote them),
// then `extra` on top. With `outputPath`, standard output goes to that file
// instead of being collected. `limits` apply to the program only.
ToolResult RunTool(const std::vector<std::string>& args, const std::string& input,
                   const TempDir& home, const std::map<std::string, std::string>& extra = {},
                   const std::string& outputPath = std::string(), const RunLimits& limits = {});

// RunToolIntoClosedPipe: runs the program as RunTool does, with no input
// and with its standard output a pipe whose reader is gone before the
// program starts, as in "tarvil ... | head -1" once head has left; SIGPIPE
// has its default action. Returns the wait status.
int RunToolIntoClosedPipe(const std::vector<std::string>& args, const TempDir& home,
                          const std::map<std::string, std::string>& extra = {});

// Lines: `text` split at "\n" (a final line end does not add a line).
std::vector<std::string> Lines(const std::string& text);

}  // namespace tarvil::tooltest

#endif
