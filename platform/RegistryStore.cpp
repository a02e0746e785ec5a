// RegistryStore.cpp: where the hive files are, reading them, and rewriting
// them atomically under an advisory lock.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Registry.h"
#include "RegistryStoreInternal.h"

namespace tarvil::platform::registry {

namespace {

// A hive file is a handful of settings; anything larger is not one.
constexpr off_t kMaxHiveBytes = 16 * 1024 * 1024;

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// mkdir -p, private to the user for the folders it creates.
bool MakeFolders(const std::string& folder) {
  struct stat st;
  if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  for (std::size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
    const std::string prefix = folder.substr(0, at);
    if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (at == std::string::npos) break;
  }
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The file a write must replace: the target of a symbolic link, so that a
// linked settings file stays linked.
bool ResolveTarget(const std::string& path, std::string& target) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
    target = path;
    return true;
  }
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return false;  // a dangling link: leave it alone
  target = real;
  std::free(real);
  return true;
}

bool ReplaceFile(const std::string& target, const std::string& bytes) {
  const std::string folder = FolderOf(target);
  std::string temp = folder + "/." + NameOf(target) + ".XXXXXX";
  Fd fd(::mkstemp(temp.data()));
  if (fd.get() < 0) return false;
  struct stat st;
  const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  bool ok = ::fchmod(fd.get(), mode) == 0 && WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
  ok = ::close(fd.release()) == 0 && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return true;
}

}  // namespace

Document ReadHive(const std::string& path) {
  if (path.empty()) return Document{};
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return Document{};
    Document unreadable;
    unreadable.whole = false;
    return unreadable;
  }
  Document unreadable;
  unreadable.whole = false;
  struct stat st;
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxHiveBytes)
    return unreadable;
  std::string bytes;
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return unreadable;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
    if (bytes.size() > static_cast<std::size_t>(kMaxHiveBytes)) return unreadable;
  }
  return Parse(bytes);
}

bool ModifyHive(const std::string& path, const std::function<bool(Document&)>& edit,
                Document& after) {
  if (path.empty()) return false;
  std::string target;
  if (!ResolveTarget(path, target)) return false;
  const std::string folder = FolderOf(target);
  if (!MakeFolders(folder)) return false;

  // Writers of the same folder take turns; readers need no lock, since the
  // file is only ever replaced whole.
  Fd lock(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (lock.get() < 0) return false;
  while (::flock(lock.get(), LOCK_EX) != 0 && errno == EINTR) {
  }

  Document doc = ReadHive(target);
  if (!doc.whole) return false;
  if (!edit(doc)) {
    after = doc;
    return true;
  }
  if (!ReplaceFile(target, Serialise(doc))) return false;
  after = doc;
  return true;
}

}  // namespace tarvil::platform::registry
