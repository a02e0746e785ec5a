// ToolProcess.cpp: spawning the tarvil program with pipes on all three
// streams.
#include "ToolProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

extern char** environ;

namespace tarvil::tooltest {

std::string ToolPath() {
  const char* path = std::getenv("TARVIL_TOOL");
  if (path != nullptr && *path != '\0') return path;
  return TARVIL_TOOL_BUILT;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarvil-tool-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& contents) const {
  const std::string path = m_path + "/" + name;
  std::ofstream file(path, std::ios::binary);
  file << contents;
  return path;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

namespace {

void ClosePipe(int fds[2]) {
  for (int i = 0; i < 2; ++i) {
    if (fds[i] >= 0) ::close(fds[i]);
    fds[i] = -1;
  }
}

// The environment of a run (see RunTool), as "NAME=value" texts.
std::vector<std::string> RunEnvironment(const TempDir& home,
                                        const std::map<std::string, std::string>& extra) {
  std::map<std::string, std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::size_t equals = text.find('=');
    if (equals != std::string::npos) environment[text.substr(0, equals)] = text.substr(equals + 1);
  }
  environment.erase("LANG");
  environment.erase("LC_NUMERIC");
  // (Built from a std::string: g++ 12 warns falsely about assigning the
  // literal to a map element here.)
  environment["LC_ALL"] = std::string("C");
  environment["TARVIL_USER_REGISTRY"] = home.Path() + "/user.reg";
  environment["TARVIL_MACHINE_REGISTRY"] = home.Path() + "/machine.reg";
  environment["TMPDIR"] = home.Path();
  for (const auto& [name, value] : extra) environment[name] = value;
  std::vector<std::string> envText;
  for (const auto& [name, value] : environment) envText.push_back(name + "=" + value);
  return envText;
}

// Pointers to `texts`, ended by a null pointer, as exec wants them.
std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// The program, its arguments and its environment (see RunTool), as exec
// wants them. With limits, the shell sets them (its ulimit counts the
// address space in KiB and file sizes in blocks of 512 bytes) and then
// becomes the program: this process, which may already take more than the
// limit, is left as it is.
struct Invocation {
  Invocation(const std::vector<std::string>& args, const TempDir& home,
             const std::map<std::string, std::string>& extra, const RunLimits& limits = {})
      : tool(ToolPath()), program(tool), envText(RunEnvironment(home, extra)), argText{tool} {
    if (limits.addressSpaceBytes != 0 || limits.fileSizeBytes != 0) {
      std::string script;
      if (limits.addressSpaceBytes != 0) {
        script += "ulimit -v " + std::to_string(limits.addressSpaceBytes / 1024) + "; ";
      }
      if (limits.fileSizeBytes != 0) {
        script += "ulimit -f " + std::to_string((limits.fileSizeBytes + 511) / 512) +
                  "; trap '' XFSZ; ";
      }
      program = "/bin/sh";
      argText = {program, "-c", script + "exec \"$0\" \"$@\"", tool};
    }
    argText.insert(argText.end(), args.begin(), args.end());
    envp = Pointers(envText);
    argv = Pointers(argText);
  }
  std::string tool;
  std::string program;  // what is started: the tool, or the shell that sets its limits
  std::vector<std::string> envText;
  std::vector<std::string> argText;
  std::vector<char*> envp;
  std::vector<char*> argv;
};

}  // namespace

ToolResult RunTool(const std::vector<std::string>& args, const std::string& input,
                   const TempDir& home, const std::map<std::string, std::string>& extra,
                   const std::string& outputPath, const RunLimits& limits) {
  Invocation run(args, home, extra, limits);
  const std::string& tool = run.tool;
  std::vector<char*>& envp = run.envp;
  std::vector<char*>& argv = run.argv;

  int in[2] = {-1, -1};
  int out[2] = {-1, -1};
  int err[2] = {-1, -1};
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 ||
      ::pipe2(err, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  if (outputPath.empty()) {
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY, 0);
  }
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  posix_spawn_file_actions_addchdir_np(&actions, home.Path().c_str());
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, run.program.c_str(), &actions, nullptr, argv.data(),
                                    envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  in[0] = out[1] = err[1] = -1;
  if (spawned != 0) {
    ClosePipe(in);
    ClosePipe(out);
    ClosePipe(err);
    throw std::runtime_error("cannot start " + tool + ": " + std::strerror(spawned));
  }

  // Feed standard input while draining both outputs, so that neither side
  // waits on a full pipe: a write never blocks.
  signal(SIGPIPE, SIG_IGN);
  ::fcntl(in[1], F_SETFL, ::fcntl(in[1], F_GETFL) | O_NONBLOCK);
  ToolResult result;
  std::size_t written = 0;
  if (input.empty()) ClosePipe(in);
  char buffer[65536];
  while (out[0] >= 0 || err[0] >= 0) {
    pollfd fds[3];
    int count = 0;
    if (in[1] >= 0) fds[count++] = {in[1], POLLOUT, 0};
    if (out[0] >= 0) fds[count++] = {out[0], POLLIN, 0};
    if (err[0] >= 0) fds[count++] = {err[0], POLLIN, 0};
    if (::poll(fds, count, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < count; ++i) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == in[1]) {
        const ssize_t n = ::write(in[1], input.data() + written,
                                  std::min<std::size_t>(input.size() - written, sizeof buffer));
        if (n > 0) written += static_cast<std::size_t>(n);
        const bool wait = n < 0 && (errno == EAGAIN || errno == EINTR);
        if ((n < 0 && !wait) || written == input.size()) ClosePipe(in);
        continue;
      }
      const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
      std::string& sink = fds[i].fd == out[0] ? result.out : result.err;
      if (n > 0) {
        sink.append(buffer, static_cast<std::size_t>(n));
      } else if (fds[i].fd == out[0]) {
        ClosePipe(out);
      } else {
        ClosePipe(err);
      }
    }
  }
  ClosePipe(in);
  int status = 0;
  rusage usage{};
  while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.maxRssKiB = usage.ru_maxrss;
  return result;
}

int RunToolIntoClosedPipe(const std::vector<std::string>& args, const TempDir& home,
                          const std::map<std::string, std::string>& extra) {
  Invocation run(args, home, extra);
  const std::string& tool = run.tool;
  std::vector<char*>& envp = run.envp;
  std::vector<char*>& argv = run.argv;

  int out[2] = {-1, -1};
  if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  // The reader goes first, so that even the first write finds none.
  ::close(out[0]);
  out[0] = -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, home.Path().c_str());
  // A pipe's writer is stopped by SIGPIPE, as in a shell pipeline, even
  // though this process ignores it.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t pipeSignal;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &pipeSignal);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, tool.c_str(), &actions, &attributes, argv.data(),
                                    envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ClosePipe(out);
  if (spawned != 0) {
    throw std::runtime_error("cannot start " + tool + ": " + std::strerror(spawned));
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

}  // namespace tarvil::tooltest
