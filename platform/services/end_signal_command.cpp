#include "platform/services/end_signal_command.h"

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern char** environ;

namespace lexiv::platform {

namespace {

constexpr std::size_t kMaxArguments = 16;
constexpr std::size_t kArgumentBytes = 8192;

// Fixed storage: the signal handler reads it and allocates nothing.
struct PreparedCommand {
  char bytes[kArgumentBytes] = {};
  char* argv[kMaxArguments + 1] = {};
  volatile sig_atomic_t ready = 0;
};

PreparedCommand g_command;

std::string FindAlongPath(const std::string& name) {
  if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0 ? name : std::string();
  const char* path = std::getenv("PATH");
  std::string rest = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t at = 0;
  while (at <= rest.size()) {
    std::size_t end = rest.find(':', at);
    if (end == std::string::npos) end = rest.size();
    const std::string dir = end > at ? rest.substr(at, end - at) : ".";
    const std::string candidate = dir + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    at = end + 1;
  }
  return {};
}

}  // namespace

bool SetEndSignalCommand(const std::vector<std::string>& arguments) {
  g_command.ready = 0;
  if (arguments.empty() || arguments.size() > kMaxArguments) return arguments.empty();
  std::vector<std::string> resolved = arguments;
  resolved[0] = FindAlongPath(arguments[0]);
  if (resolved[0].empty()) return false;
  std::size_t used = 0;
  for (std::size_t i = 0; i < resolved.size(); ++i) {
    const std::size_t length = resolved[i].size() + 1;
    if (used + length > kArgumentBytes) return false;
    std::memcpy(g_command.bytes + used, resolved[i].c_str(), length);
    g_command.argv[i] = g_command.bytes + used;
    used += length;
  }
  g_command.argv[resolved.size()] = nullptr;
  g_command.ready = 1;
  return true;
}

void RunEndSignalCommand() {
  if (!g_command.ready) return;
  g_command.ready = 0;
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    execve(g_command.argv[0], g_command.argv, environ);
    _exit(127);
  }
  // A hung command must not keep the program from ending: a second at most, then it is killed.
  for (int i = 0; i < 100; ++i) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) return;
    const struct timespec tick = {0, 10 * 1000 * 1000};
    nanosleep(&tick, nullptr);
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

}  // namespace lexiv::platform
