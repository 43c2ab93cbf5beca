#include "platform/services/outside_command.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

extern char** environ;

namespace lexiv::platform {
namespace {

constexpr std::size_t kMaxOutputBytes = std::size_t{16} << 20;

std::uint64_t NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000 + static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
}

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

bool CommandIsAvailable(const std::string& name) {
  if (name.empty()) return false;
  if (name.find('/') != std::string::npos) return IsExecutableFile(name);
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = dirs.find(':', start);
    const std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (IsExecutableFile((dir.empty() ? std::string(".") : dir) + "/" + name)) return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}

OutsideCommandResult RunOutsideCommand(const std::vector<std::string>& arguments, std::string_view input,
                                       bool captureOutput, int timeoutMs) {
  OutsideCommandResult result;
  if (arguments.empty() || arguments.front().empty()) return result;
  std::vector<std::string> copies = arguments;
  std::vector<char*> argv;
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);

  // Sockets rather than pipes: a write to a tool that has already gone then fails with EPIPE
  // (MSG_NOSIGNAL) instead of raising SIGPIPE in this program.
  int in[2] = {-1, -1}, out[2] = {-1, -1};
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, in) != 0) return result;
  if (captureOutput && socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, out) != 0) {
    close(in[0]);
    close(in[1]);
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[1], 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  if (captureOutput)
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  else
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGCHLD);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  // Its own process group, so that a time-out ends whatever it started too.
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t child = -1;
  if (posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ) != 0) child = -1;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(in[1]);
  if (captureOutput) close(out[1]);
  if (child < 0) {
    close(in[0]);
    if (captureOutput) close(out[0]);
    return result;
  }
  const std::uint64_t deadline = NowMs() + static_cast<std::uint64_t>(timeoutMs > 0 ? timeoutMs : 0);
  fcntl(in[0], F_SETFL, O_NONBLOCK);
  int inFd = in[0];
  int outFd = captureOutput ? out[0] : -1;
  std::size_t written = 0;
  if (input.empty()) {
    close(inFd);
    inFd = -1;
  }
  bool timedOut = false;
  while (inFd >= 0 || outFd >= 0) {
    const std::uint64_t now = NowMs();
    if (now >= deadline) {
      timedOut = true;
      break;
    }
    pollfd fds[2];
    int n = 0;
    if (inFd >= 0) fds[n++] = pollfd{inFd, POLLOUT, 0};
    if (outFd >= 0) fds[n++] = pollfd{outFd, POLLIN, 0};
    const int ready = poll(fds, static_cast<nfds_t>(n), static_cast<int>(deadline - now));
    if (ready < 0 && errno != EINTR) break;
    for (int i = 0; i < n && ready > 0; ++i) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == inFd) {
        const ssize_t sent = send(inFd, input.data() + written, input.size() - written, MSG_NOSIGNAL);
        if (sent > 0) written += static_cast<std::size_t>(sent);
        if ((sent < 0 && errno != EAGAIN && errno != EINTR) || written == input.size()) {
          close(inFd);
          inFd = -1;
        }
      } else {
        char buffer[4096];
        const ssize_t got = read(outFd, buffer, sizeof buffer);
        if (got > 0 && result.output.size() + static_cast<std::size_t>(got) <= kMaxOutputBytes) {
          result.output.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR) || got > 0) {
          close(outFd);
          outFd = -1;
        }
      }
    }
  }
  if (inFd >= 0) close(inFd);
  if (outFd >= 0) close(outFd);
  int status = 0;
  for (;;) {
    if (timedOut) {
      kill(-child, SIGKILL);
      kill(child, SIGKILL);
      while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
      }
      return result;
    }
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) break;
    if (done < 0 && errno != EINTR) return result;
    if (NowMs() >= deadline) {
      timedOut = true;
      continue;
    }
    timespec pause{0, 1000000};
    nanosleep(&pause, nullptr);
  }
  if (timedOut) return result;
  result.finished = true;
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::optional<std::string> RunOutsideCommand(const std::vector<std::string>& arguments, int timeoutMs,
                                             const std::string& stdinText) {
  OutsideCommandResult result = RunOutsideCommand(arguments, stdinText, true, timeoutMs);
  if (!result.Succeeded()) return std::nullopt;
  return std::move(result.output);
}

}  // namespace lexiv::platform
