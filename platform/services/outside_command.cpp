#include "platform/services/outside_command.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace lexiv::platform {

namespace {

long long NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace

std::optional<std::string> RunOutsideCommand(const std::vector<std::string>& arguments, int timeoutMs,
                                             const std::string& stdinText) {
  if (arguments.empty()) return std::nullopt;
  int out[2], in[2];
  if (pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
  if (pipe2(in, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    return std::nullopt;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  std::vector<std::string> copies = arguments;
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  if (spawned != 0) {
    close(in[1]);
    close(out[0]);
    return std::nullopt;
  }
  // The input is small (a clipboard text): written whole, or given up when the tool stops reading.
  // A tool that exits before reading it must not end this program with SIGPIPE.
  struct sigaction pipeAction {};
  if (sigaction(SIGPIPE, nullptr, &pipeAction) == 0 && pipeAction.sa_handler == SIG_DFL) signal(SIGPIPE, SIG_IGN);
  const long long deadline = NowMs() + timeoutMs;
  std::size_t written = 0;
  fcntl(in[1], F_SETFL, O_NONBLOCK);
  std::string output;
  bool outputOpen = true;
  while (outputOpen || written < stdinText.size()) {
    const long long left = deadline - NowMs();
    if (left <= 0) break;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {written < stdinText.size() ? in[1] : -1, POLLOUT, 0}};
    if (poll(fds, 2, static_cast<int>(left)) < 0 && errno != EINTR) break;
    if (fds[1].revents & (POLLOUT | POLLERR | POLLHUP)) {
      const ssize_t n = write(in[1], stdinText.data() + written, stdinText.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      else if (n < 0 && errno != EAGAIN && errno != EINTR) written = stdinText.size();
    }
    if (written >= stdinText.size() && in[1] >= 0) {
      close(in[1]);
      in[1] = -1;
    }
    if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
      char buffer[4096];
      const ssize_t n = read(out[0], buffer, sizeof buffer);
      if (n > 0) output.append(buffer, static_cast<std::size_t>(n));
      else if (n == 0 || errno != EINTR) outputOpen = false;
    }
  }
  if (in[1] >= 0) close(in[1]);
  close(out[0]);
  int status = 0;
  // Whatever is left of the time for the tool to exit; then it is stopped.
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return std::nullopt;
    if (NowMs() >= deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return std::nullopt;
    }
    timespec pause{0, 1000000};
    nanosleep(&pause, nullptr);
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return output;
}

}  // namespace lexiv::platform
