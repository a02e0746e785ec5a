// BomFile.cpp: a bill of materials named by a user, opened once and read in
// chunks, and read_bom_file over it.
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bom.h"

namespace tarvil {
namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

}  // namespace

BomFile::BomFile(const std::filesystem::path& path) {
  int opened;
  do {
    // Without O_NONBLOCK, opening a pipe waits for a writer.
    opened = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (opened < 0 && errno == EINTR);
  if (opened < 0) {
    problem_ = std::strerror(errno);
    return;
  }
  struct stat info {};
  if (::fstat(opened, &info) != 0) {
    problem_ = std::strerror(errno);
  } else if (S_ISDIR(info.st_mode)) {
    problem_ = std::strerror(EISDIR);
  } else if (!S_ISREG(info.st_mode)) {
    problem_ = "not a regular file";
  } else {
    fd_ = opened;
    return;
  }
  ::close(opened);
}

BomFile::~BomFile() {
  if (fd_ >= 0) ::close(fd_);
}

long BomFile::read(char* buffer, std::size_t size) {
  if (fd_ < 0) return -1;
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got >= 0) return static_cast<long>(got);
    if (errno != EINTR) {
      problem_ = std::strerror(errno);
      return -1;
    }
  }
}

BomProblem read_bom_file(const std::filesystem::path& path, BomOptions options,
                         BomReader::RowHandler on_row, BomReader::LayoutHandler on_layout) {
  BomFile file(path);
  const std::string shown = "'" + path.string() + "'";
  if (!file.ok()) return {BomStop::unreadable, "cannot open " + shown + ": " + file.problem()};
  BomReader reader(std::move(options), std::move(on_row), std::move(on_layout));
  std::vector<char> chunk(kChunkBytes);
  for (;;) {
    const long got = file.read(chunk.data(), chunk.size());
    if (got < 0) return {BomStop::unreadable, "cannot read " + shown + ": " + file.problem()};
    if (got == 0) break;
    if (!reader.feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)))) break;
  }
  return reader.finish();
}

}  // namespace tarvil
