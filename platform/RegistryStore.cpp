// RegistryStore.cpp: where the hive files are, reading them, and rewriting
// them atomically under an advisory lock.
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Registry.h"
#include "RegistryStoreInternal.h"
#include "RegularFile.h"

namespace tarvil::platform::registry {

namespace {

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
// False with errno set when `folder` is not a folder at the end.
// The folders of the hive files hold the user's settings: the user's alone.
constexpr mode_t kPrivateFolderMode = 0700;

bool MakeFolders(const std::string& folder) {
  struct stat st;
  const auto isFolder = [&] {
    if (::stat(folder.c_str(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode)) errno = ENOTDIR;
    return S_ISDIR(st.st_mode);
  };
  if (::stat(folder.c_str(), &st) == 0) return isFolder();
  for (std::size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
    const std::string prefix = folder.substr(0, at);
    if (::mkdir(prefix.c_str(), kPrivateFolderMode) != 0 && errno != EEXIST) return false;
    if (at == std::string::npos) break;
  }
  return isFolder();
}

// Unlinks `path` without changing errno, which tells why a write failed.
void RemoveKeepingErrno(const std::string& path) {
  const int error = errno;
  ::unlink(path.c_str());
  errno = error;
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

// Temporary files are named after the file they replace: a dot, its name, a
// dot and six letters or digits (".registry.reg.Ab12Cd"), beside it.
constexpr std::size_t kTempSuffixLength = 6;
constexpr const char kTempAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// A temporary file this old was left by a writer that was stopped on the way.
constexpr time_t kStaleTempSeconds = 60 * 60;

std::string TempPrefix(const std::string& target) { return "." + NameOf(target) + "."; }

bool IsTempName(const std::string& name, const std::string& prefix) {
  if (name.size() != prefix.size() + kTempSuffixLength) return false;
  if (name.compare(0, prefix.size(), prefix) != 0) return false;
  for (std::size_t i = prefix.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

// Six characters of the temporary names; a name that is taken is drawn again.
std::string TempSuffix() {
  static std::atomic<unsigned long long> counter{0};
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  using U = unsigned long long;
  U x = static_cast<U>(now.tv_nsec) ^ (static_cast<U>(now.tv_sec) << 20) ^
        (static_cast<U>(::getpid()) << 40) ^ ((counter.fetch_add(1) + 1) * 0x9E3779B97F4A7C15ull);
  // splitmix64's finaliser spreads every input bit over the result.
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  std::string suffix;
  for (std::size_t i = 0; i < kTempSuffixLength; ++i, x /= sizeof kTempAlphabet - 1)
    suffix += kTempAlphabet[x % (sizeof kTempAlphabet - 1)];
  return suffix;
}

bool FillTemporary(int fd, mode_t mode, const std::string& bytes) {
  return ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
}

// Writes the new file without a name (O_TMPFILE), so that a writer stopped
// on the way leaves nothing behind, then names it and renames it over the
// target. False when the file system or the kernel does not offer this, or
// any step fails; nothing of it is then left.
bool ReplaceThroughUnnamed(const std::string& folder, const std::string& target, mode_t mode,
                           const std::string& bytes) {
#ifdef O_TMPFILE
  // The user's alone until FillTemporary gives it the mode of the file it
  // replaces.
  constexpr mode_t kUnnamedMode = 0600;
  Fd fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, kUnnamedMode));
  if (fd.get() < 0 || !FillTemporary(fd.get(), mode, bytes)) return false;
  // Linking an open file by its descriptor needs a privilege; its name in
  // /proc does not.
  char self[64];
  std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd.get());
  const std::string prefix = folder + "/" + TempPrefix(target);
  // Names drawn before giving up: with 6 random characters a clash is rare,
  // so many in a row mean that something else is wrong.
  constexpr int kNameAttempts = 100;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string temp = prefix + TempSuffix();
    if (::linkat(AT_FDCWD, self, AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    if (::rename(temp.c_str(), target.c_str()) == 0) return true;
    RemoveKeepingErrno(temp);
    return false;
  }
#else
  (void)folder, (void)target, (void)mode, (void)bytes;
#endif
  return false;
}

// Writes the new file under a temporary name, then renames it over the
// target. A writer stopped on the way leaves the temporary file, which a
// later writer removes once it is stale (RemoveStaleTemporaries).
bool ReplaceThroughNamed(const std::string& folder, const std::string& target, mode_t mode,
                         const std::string& bytes) {
  std::string temp = folder + "/" + TempPrefix(target) + "XXXXXX";
  Fd fd(::mkstemp(temp.data()));
  if (fd.get() < 0) return false;
  bool ok = FillTemporary(fd.get(), mode, bytes);
  ok = ::close(fd.release()) == 0 && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) RemoveKeepingErrno(temp);
  return ok;
}

bool ReplaceFile(const std::string& target, const std::string& bytes) {
  const std::string folder = FolderOf(target);
  struct stat st;
  // The permission bits of the file replaced (set-id and sticky bits too),
  // or those of a new file readable by all and written by its owner.
  constexpr mode_t kPermissionBits = 07777;
  constexpr mode_t kNewFileMode = 0644;
  const mode_t mode =
      ::stat(target.c_str(), &st) == 0 ? (st.st_mode & kPermissionBits) : kNewFileMode;
  if (!ReplaceThroughUnnamed(folder, target, mode, bytes) &&
      !ReplaceThroughNamed(folder, target, mode, bytes))
    return false;
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return true;
}

// Removes the temporary files of `target` in its folder (`folder`, open)
// that are older than an hour: writers that were stopped between creating
// one and renaming it left them. Runs under the folder's lock, so no writer
// that takes the lock is that far in; the age spares any other.
void RemoveStaleTemporaries(int folder, const std::string& target) {
  const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listed < 0) return;
  DIR* dir = ::fdopendir(listed);
  if (dir == nullptr) {
    ::close(listed);
    return;
  }
  const std::string prefix = TempPrefix(target);
  std::vector<std::string> stale;
  const time_t now = ::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsTempName(name, prefix)) continue;
    struct stat st;
    if (::fstatat(listed, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
        now - st.st_mtime >= kStaleTempSeconds)
      stale.push_back(name);
  }
  for (const std::string& name : stale) ::unlinkat(listed, name.c_str(), 0);
  ::closedir(dir);
}

}  // namespace

Document ReadHive(const std::string& path) {
  if (path.empty()) return Document{};
  std::string bytes;
  switch (ReadRegularFile(path, kMaxSettingsFileBytes, bytes)) {
    case FileRead::kRead: return Parse(bytes);
    case FileRead::kMissing: return Document{};
    default: {
      Document unreadable;
      unreadable.whole = false;
      return unreadable;
    }
  }
}

bool ModifyHive(const std::string& path, const std::function<bool(Document&)>& edit,
                Document& after) {
  if (path.empty()) {
    errno = ENOENT;
    return false;
  }
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
  if (!doc.whole) {
    errno = EBADMSG;
    return false;
  }
  if (!edit(doc)) {
    after = doc;
    return true;
  }
  RemoveStaleTemporaries(lock.get(), target);
  if (!ReplaceFile(target, Serialise(doc))) return false;
  after = doc;
  return true;
}

}  // namespace tarvil::platform::registry
