// RegularFile.cpp: reading a whole regular file, refusing whatever else
// stands at its path.
#include "RegularFile.h"

#include <cerrno>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvil::platform {

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

FileRead ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& contents,
                         int* errorNumber) {
  contents.clear();
  const auto give = [&](FileRead result, int error) {
    if (result != FileRead::kRead) contents.clear();
    if (errorNumber != nullptr) *errorNumber = error;
    return result;
  };
  // Without O_NONBLOCK, opening a pipe waits for a writer; for a regular
  // file the flag changes nothing.
  int opened;
  do {
    opened = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (opened < 0 && errno == EINTR);
  if (opened < 0) {
    const int error = errno;
    return give(error == ENOENT || error == ENOTDIR ? FileRead::kMissing : FileRead::kFailed,
                error);
  }
  const Descriptor fd(opened);
  struct stat info;
  if (::fstat(fd.Get(), &info) != 0) return give(FileRead::kFailed, errno);
  if (!S_ISREG(info.st_mode)) return give(FileRead::kNotRegular, 0);
  // A sparse file reports its full length here, so it is refused before a
  // byte of it is read.
  if (info.st_size < 0 || static_cast<unsigned long long>(info.st_size) > maxBytes) {
    return give(FileRead::kTooLarge, 0);
  }
  try {
    contents.reserve(static_cast<std::size_t>(info.st_size));
    // Read a chunk at a time: large enough for few system calls, small
    // enough for the stack.
    constexpr std::size_t kChunkBytes = 64 * 1024;
    char buffer[kChunkBytes];
    for (;;) {
      // One byte beyond the limit is enough to tell a file that grew past it.
      const std::size_t room = maxBytes - contents.size();
      const ssize_t got = ::read(fd.Get(), buffer, room < sizeof buffer ? room + 1 : sizeof buffer);
      if (got < 0) {
        if (errno == EINTR) continue;
        return give(FileRead::kFailed, errno);
      }
      if (got == 0) break;
      contents.append(buffer, static_cast<std::size_t>(got));
      if (contents.size() > maxBytes) return give(FileRead::kTooLarge, 0);
    }
  } catch (const std::bad_alloc&) {
    return give(FileRead::kFailed, ENOMEM);
  }
  return give(FileRead::kRead, 0);
}

}  // namespace tarvil::platform
