#include "platform/services/process_launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/services/joined_session.h"
#include "platform/services/outside_command.h"
#include "platform/services/program_log.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Splits from position bytePos on with the argument rules (backslashes and quotes).
void SplitArgumentsInto(std::string_view text, std::size_t bytePos, std::vector<std::string>& arguments) {
  for (;;) {
    while (bytePos < text.size() && IsBlank(text[bytePos])) ++bytePos;
    if (bytePos >= text.size()) return;
    std::string argument;
    bool quoted = false;
    while (bytePos < text.size()) {
      char c = text[bytePos];
      if (!quoted && IsBlank(c)) break;
      std::size_t charBytes = SjisCharBytesAt(text, bytePos);
      if (charBytes == 2) {
        argument.append(text.substr(bytePos, 2));
        bytePos += 2;
      } else if (c == '\\') {
        std::size_t backslashes = 0;
        while (bytePos < text.size() && text[bytePos] == '\\') ++backslashes, ++bytePos;
        if (bytePos < text.size() && text[bytePos] == '"') {
          argument.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) {
            argument += '"';
            ++bytePos;
          }
        } else {
          argument.append(backslashes, '\\');
        }
      } else if (c == '"') {
        if (quoted && bytePos + 1 < text.size() && text[bytePos + 1] == '"') {
          argument += '"';
          bytePos += 2;
        } else {
          quoted = !quoted;
          ++bytePos;
        }
      } else {
        argument += c;
        ++bytePos;
      }
    }
    arguments.push_back(std::move(argument));
  }
}

// Runs in the forked child: only async-signal-safe calls, then exec. Reports an exec failure
// through the pipe, whose write end closes on a successful exec.
[[noreturn]] void ExecDetached(char* const* argv, int reportFd) {
  pid_t grandchild = ::fork();
  if (grandchild != 0) {
    if (grandchild < 0) {
      int error = errno;
      (void)!::write(reportFd, &error, sizeof error);
    }
    ::_exit(0);
  }
  ::setsid();
  int nullFd = ::open("/dev/null", O_RDWR);
  if (nullFd >= 0) {
    ::dup2(nullFd, 0);
    ::dup2(nullFd, 1);
    ::dup2(nullFd, 2);
    if (nullFd > 2) ::close(nullFd);
  }
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  ::signal(SIGPIPE, SIG_DFL);
  ::signal(SIGCHLD, SIG_DFL);
  ::execvp(argv[0], argv);
  int error = errno;
  (void)!::write(reportFd, &error, sizeof error);
  ::_exit(127);
}

// Forks twice so that the started program is adopted by init and never becomes our zombie.
int StartDetached(const std::vector<std::string>& arguments) {
  if (arguments.empty() || arguments.front().empty()) return -1;
  std::vector<std::string> fileSystemArguments;
  for (const std::string& argument : arguments) fileSystemArguments.push_back(FileSystemName(argument));
  std::vector<char*> argv;
  for (std::string& argument : fileSystemArguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return -1;
  pid_t child = ::fork();
  if (child == 0) ExecDetached(argv.data(), report[1]);
  ::close(report[1]);
  if (child < 0) {
    ::close(report[0]);
    return -1;
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int execError = 0;
  ssize_t got;
  while ((got = ::read(report[0], &execError, sizeof execError)) < 0 && errno == EINTR) {
  }
  ::close(report[0]);
  return got == 0 ? 0 : -1;
}

ProgramStarter& CurrentStarter() {
  static ProgramStarter starter;
  return starter;
}

TerminalLender& CurrentLender() {
  static TerminalLender lender;
  return lender;
}

bool Exists(std::string_view path, struct stat& info) {
  return ::stat(FileSystemName(path).c_str(), &info) == 0;
}

bool Exists(std::string_view path) {
  struct stat info {};
  return Exists(path, info);
}

bool IsExecutableFile(std::string_view path) {
  struct stat info {};
  return Exists(path, info) && S_ISREG(info.st_mode) && ::access(FileSystemName(path).c_str(), X_OK) == 0;
}

bool EnvironmentSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

bool DesktopReachable() { return EnvironmentSet("DISPLAY") || EnvironmentSet("WAYLAND_DISPLAY"); }

bool EndsWithExe(std::string_view name) {
  if (name.size() < 5) return false;
  std::string_view tail = name.substr(name.size() - 4);
  return tail[0] == '.' && (tail[1] | 0x20) == 'e' && (tail[2] | 0x20) == 'x' && (tail[3] | 0x20) == 'e';
}

// A name ending in ".exe" that does not exist stands for the name without it.
std::string WithoutMissingExe(std::string_view name) {
  if (EndsWithExe(name) && !Exists(name)) return std::string(name.substr(0, name.size() - 4));
  return std::string(name);
}

std::string RealDirectory(const std::string& fileSystemPath) {
  char resolved[PATH_MAX];
  return ::realpath(fileSystemPath.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

// How long tmux may take to open a window before the start counts as failed.
constexpr int kTmuxStartTimeoutMs = 3000;

// The variables a program started in a new tmux window must see as we do: tmux gives a new window
// the server's environment, not ours.
constexpr const char* kPassedVariables[] = {"LEXIV_SESSION_DIR", "LEXIV_REGISTRY_DIR", "VOXA_LOG"};

int StartInTmuxWindow(const std::vector<std::string>& arguments) {
  std::vector<std::string> command = {"tmux", "new-window"};
  for (const char* variable : kPassedVariables) {
    const char* value = std::getenv(variable);
    std::string text = value != nullptr ? value : "";
    // A program that joined the session in its default place names it, so the new one joins the
    // same session whatever the server's environment says.
    if (text.empty() && std::strcmp(variable, "LEXIV_SESSION_DIR") == 0) text = CurrentSession().directory;
    if (!text.empty()) command.insert(command.end(), {"-e", std::string(variable) + "=" + text});
  }
  char cwd[PATH_MAX];
  if (::getcwd(cwd, sizeof cwd) != nullptr) command.insert(command.end(), {"-c", cwd});
  command.push_back("--");
  for (const std::string& argument : arguments) command.push_back(FileSystemName(argument));
  if (RunOutsideCommand(command, {}, false, kTmuxStartTimeoutMs).Succeeded()) return 0;
  ReportToLog("tmux could not open a window for " + arguments.front() + ".");
  return -1;
}

// A program that needs a terminal: a tmux window, a terminal emulator's window, or ours.
int StartOnTerminal(const std::vector<std::string>& arguments) {
  if (const ProgramStarter& starter = CurrentStarter()) return starter(arguments) == 0 ? 0 : -1;
  if (EnvironmentSet("TMUX") && CommandIsAvailable("tmux")) return StartInTmuxWindow(arguments);
  if (DesktopReachable() && CommandIsAvailable("x-terminal-emulator")) {
    std::vector<std::string> command = {"x-terminal-emulator", "-e"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return StartDetached(command);
  }
  if (const TerminalLender& lender = CurrentLender()) return lender(arguments) == 0 ? 0 : -1;
  return StartDetached(arguments);
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  std::size_t bytePos = 0;
  while (bytePos < commandLine.size() && IsBlank(commandLine[bytePos])) ++bytePos;
  if (bytePos >= commandLine.size()) return arguments;
  std::string program;
  bool quoted = commandLine[bytePos] == '"';
  if (quoted) ++bytePos;
  while (bytePos < commandLine.size()) {
    char c = commandLine[bytePos];
    if (quoted ? c == '"' : IsBlank(c)) {
      ++bytePos;
      break;
    }
    std::size_t charBytes = SjisCharBytesAt(commandLine, bytePos);
    program.append(commandLine.substr(bytePos, charBytes));
    bytePos += charBytes;
  }
  arguments.push_back(std::move(program));
  SplitArgumentsInto(commandLine, bytePos, arguments);
  return arguments;
}

std::vector<std::string> SplitArguments(std::string_view argumentText) {
  std::vector<std::string> arguments;
  SplitArgumentsInto(argumentText, 0, arguments);
  return arguments;
}

void ReplaceProgramStarter(ProgramStarter starter) { CurrentStarter() = std::move(starter); }

void SetTerminalLender(TerminalLender lender) { CurrentLender() = std::move(lender); }

std::string PlatformProgramDirectory() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  std::string exe(path, static_cast<std::size_t>(n));
  const std::size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string() : ProgramName(exe.substr(0, slash + 1));
}

std::string FindPlatformProgram(std::string_view nameOrPath) {
  const std::string directory = PlatformProgramDirectory();
  if (directory.empty() || nameOrPath.empty()) return {};
  const std::string ours = RealDirectory(FileSystemName(directory));
  // A bare name is looked for in our directory, and the ".exe" rule applies there.
  const std::string path =
      WithoutMissingExe(nameOrPath.find('/') == std::string_view::npos ? directory + std::string(nameOrPath) : std::string(nameOrPath));
  if (!IsExecutableFile(path)) return {};
  const std::string fileSystemPath = FileSystemName(path);
  const std::string parent = RealDirectory(fileSystemPath.substr(0, fileSystemPath.rfind('/') + 1));
  return !ours.empty() && parent == ours ? path : std::string();
}

int StartProgram(const std::vector<std::string>& arguments) {
  if (arguments.empty() || arguments.front().empty()) return -1;
  if (const ProgramStarter& starter = CurrentStarter()) return starter(arguments) == 0 ? 0 : -1;
  const std::string platformProgram = FindPlatformProgram(arguments.front());
  if (!platformProgram.empty()) {
    std::vector<std::string> onTerminal = arguments;
    onTerminal.front() = platformProgram;
    return StartOnTerminal(onTerminal);
  }
  return StartDetached(arguments);
}

int StartProgramWithCommandLine(std::string_view commandLine) { return StartProgram(SplitCommandLine(commandLine)); }

int OpenWithAssociatedProgram(std::string_view path) {
  struct stat info {};
  if (path.empty() || !Exists(path, info)) return -1;
  if (!DesktopReachable()) {
    for (const char* variable : {"VISUAL", "EDITOR", "PAGER"}) {
      if (!EnvironmentSet(variable)) continue;
      // The variable may carry options ("less -R"); it is split, never given to a shell.
      std::vector<std::string> arguments = SplitArguments(ProgramName(std::getenv(variable)));
      if (arguments.empty()) continue;
      arguments.emplace_back(path);
      return StartOnTerminal(arguments);
    }
  }
  return StartProgram({"xdg-open", std::string(path)});
}

std::intptr_t ShellExecuteA(HWND, const char* operation, const char* file, const char* parameters,
                            const char*, int) {
  if (operation != nullptr && std::strcmp(operation, "open") != 0) return SE_ERR_NOASSOC;
  if (file == nullptr) return SE_ERR_FNF;
  std::string_view target = file;
  if (target.size() >= 2 && target.front() == '"' && target.back() == '"') target = target.substr(1, target.size() - 2);
  if (target.empty()) return SE_ERR_FNF;
  const std::string withoutExe = WithoutMissingExe(target);
  target = withoutExe;

  struct stat info {};
  bool exists = Exists(target, info);
  bool executable = exists && S_ISREG(info.st_mode) && ::access(FileSystemName(target).c_str(), X_OK) == 0;
  bool bareName = target.find('/') == std::string_view::npos;
  if (executable || (!exists && bareName)) {
    // A program in the current directory is named by path, or exec would look only along PATH.
    std::vector<std::string> arguments{(executable && bareName ? "./" : "") + std::string(target)};
    if (parameters != nullptr) SplitArgumentsInto(parameters, 0, arguments);
    return StartProgram(arguments) == 0 ? kShellExecuteSucceeded : SE_ERR_FNF;
  }
  if (!exists) return SE_ERR_FNF;
  return OpenWithAssociatedProgram(target) == 0 ? kShellExecuteSucceeded : SE_ERR_NOASSOC;
}

}  // namespace lexiv::platform
