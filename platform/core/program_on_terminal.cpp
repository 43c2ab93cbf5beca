#include "platform/core/program_on_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/core/ui_thread.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {
namespace {

// With SIGTTOU blocked, a process in the background may hand the terminal's foreground on.
void GiveTerminalTo(pid_t group) {
  if (!isatty(STDIN_FILENO)) return;
  sigset_t block, previous;
  sigemptyset(&block);
  sigaddset(&block, SIGTTOU);
  sigprocmask(SIG_BLOCK, &block, &previous);
  tcsetpgrp(STDIN_FILENO, group);
  sigprocmask(SIG_SETMASK, &previous, nullptr);
}

int OpenPidDescriptor(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
  (void)pid;
  return -1;
#endif
}

}  // namespace

int RunProgramOnThisTerminal(const std::vector<std::string>& arguments) {
  if (arguments.empty() || arguments.front().empty()) return -1;
  std::vector<std::string> fileSystemArguments;
  for (const std::string& argument : arguments) fileSystemArguments.push_back(FileSystemName(argument));
  std::vector<char*> argv;
  for (std::string& argument : fileSystemArguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  UiThread* ui = UiThread::Current();
  if (ui != nullptr) ui->driver.SuspendScreen();
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    if (ui != nullptr) ui->driver.ResumeScreen();
    return -1;
  }
  const pid_t ourGroup = getpgrp();
  const pid_t child = fork();
  if (child == 0) {
    setpgid(0, 0);
    GiveTerminalTo(getpid());
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    for (int s : {SIGPIPE, SIGCHLD, SIGINT, SIGQUIT, SIGTSTP, SIGTTOU, SIGTTIN, SIGWINCH}) signal(s, SIG_DFL);
    execvp(argv[0], argv.data());
    const int error = errno;
    (void)!write(report[1], &error, sizeof error);
    _exit(127);
  }
  close(report[1]);
  if (child < 0) {
    close(report[0]);
    if (ui != nullptr) ui->driver.ResumeScreen();
    return -1;
  }
  setpgid(child, child);  // both sides set it, whichever runs first
  GiveTerminalTo(child);
  int execError = 0;
  ssize_t got;
  while ((got = read(report[0], &execError, sizeof execError)) < 0 && errno == EINTR) {
  }
  close(report[0]);

  // Wait for the child, answering the session meanwhile.
  const int pidFd = OpenPidDescriptor(child);
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child || (done < 0 && errno != EINTR)) break;
    pollfd fds[2];
    nfds_t n = 0;
    fds[n++] = pollfd{pidFd, POLLIN, 0};
    const int sessionFd = ui != nullptr && ui->remote ? ui->remote->WaitDescriptor() : -1;
    if (sessionFd >= 0) fds[n++] = pollfd{sessionFd, POLLIN, 0};
    // Without a pid descriptor the wait looks again every 20 ms.
    const int ready = poll(pidFd >= 0 ? fds : fds + 1, pidFd >= 0 ? n : n - 1, pidFd >= 0 ? -1 : 20);
    if (ready > 0 && sessionFd >= 0 && ui->remote) ui->remote->ServeSentMessages();
  }
  if (pidFd >= 0) close(pidFd);
  GiveTerminalTo(ourGroup);
  if (ui != nullptr) ui->driver.ResumeScreen();
  return got == 0 ? 0 : -1;
}

}  // namespace lexiv::platform
