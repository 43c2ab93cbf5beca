#include "platform/terminal/terminal_state.h"

#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/services/end_signal_command.h"

namespace lexiv::platform {

namespace {

constexpr int kEndSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int kSignalCount = sizeof kEndSignals / sizeof kEndSignals[0];

// Everything the signal handlers touch is prepared before they are installed.
struct RestoreState {
  int inFd = -1;
  int outFd = -1;
  struct termios saved {};
  char bytes[128] = {};
  std::size_t length = 0;
  char kittyBytes[16] = {};
  std::size_t kittyLength = 0;
  volatile sig_atomic_t kittyOn = 0;
  volatile sig_atomic_t active = 0;
  int resizePipe[2] = {-1, -1};
  struct sigaction previous[kSignalCount] {};
  struct sigaction previousWinch {};
};

RestoreState g_state;

void WriteAll(int fd, const char* bytes, std::size_t length) {
  while (length > 0) {
    const ssize_t n = write(fd, bytes, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes += n;
    length -= static_cast<std::size_t>(n);
  }
}

// Async-signal-safe.
void RestoreNow() {
  if (!g_state.active) return;
  g_state.active = 0;
  if (g_state.kittyOn) WriteAll(g_state.outFd, g_state.kittyBytes, g_state.kittyLength);
  WriteAll(g_state.outFd, g_state.bytes, g_state.length);
  tcsetattr(g_state.inFd, TCSAFLUSH, &g_state.saved);
}

void OnEndSignal(int signal) {
  const int savedErrno = errno;
  RestoreNow();
  // What the program changed outside itself is put back as its orderly exit would have.
  RunEndSignalCommand();
  // Die of the same signal, as the shell expects.
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  sigaction(signal, &dfl, nullptr);
  errno = savedErrno;
  raise(signal);
}

void OnWindowChange(int) {
  const int savedErrno = errno;
  const char c = 'w';
  if (g_state.resizePipe[1] >= 0) (void)!write(g_state.resizePipe[1], &c, 1);
  errno = savedErrno;
}

void Append(const char* text) {
  const std::size_t n = std::strlen(text);
  if (g_state.length + n > sizeof g_state.bytes) return;
  std::memcpy(g_state.bytes + g_state.length, text, n);
  g_state.length += n;
}

}  // namespace

int TerminalModes::CheckTerminal(int inFd, int outFd, std::string* error) {
  if (!isatty(inFd)) {
    if (error) *error = "standard input is not a terminal";
    return -1;
  }
  if (!isatty(outFd)) {
    if (error) *error = "standard output is not a terminal";
    return -1;
  }
  return 0;
}

TerminalModes::TerminalModes(int inFd, int outFd, bool mouseReports) {
  g_state.inFd = inFd;
  g_state.outFd = outFd;
  tcgetattr(inFd, &g_state.saved);
  g_state.length = 0;
  // Undo in the reverse order of turning on. The cursor is shown and the colours reset last.
  if (mouseReports) Append("\x1b[?1006l\x1b[?1000l");
  Append("\x1b[?1004l\x1b[?2004l\x1b[?1049l\x1b[?25h\x1b[0m");
  std::memcpy(g_state.kittyBytes, "\x1b[<u", 4);
  g_state.kittyLength = 4;
  g_state.kittyOn = 0;

  if (pipe(g_state.resizePipe) == 0) {
    for (int fd : g_state.resizePipe) {
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
      fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
  }

  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  for (int i = 0; i < kSignalCount; ++i) sigaction(kEndSignals[i], &action, &g_state.previous[i]);
  struct sigaction winch {};
  winch.sa_handler = OnWindowChange;
  sigemptyset(&winch.sa_mask);
  winch.sa_flags = SA_RESTART;
  sigaction(SIGWINCH, &winch, &g_state.previousWinch);

  // Raw input: no echo, no line editing, no signals from keys (Ctrl+C is a command here), no
  // flow control (Ctrl+S and Ctrl+Q are keys too), eight-bit bytes.
  struct termios raw = g_state.saved;
  raw.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
  raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  raw.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
  raw.c_cflag |= CS8;
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  g_state.active = 1;
  tcsetattr(inFd, TCSAFLUSH, &raw);
  std::string on = "\x1b[?1049h\x1b[?2004h\x1b[?1004h";
  if (mouseReports) on += "\x1b[?1000h\x1b[?1006h";
  WriteAll(outFd, on.data(), on.size());
}

TerminalModes::~TerminalModes() {
  Restore();
  for (int i = 0; i < kSignalCount; ++i) sigaction(kEndSignals[i], &g_state.previous[i], nullptr);
  sigaction(SIGWINCH, &g_state.previousWinch, nullptr);
  for (int& fd : g_state.resizePipe) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

void TerminalModes::EnableKittyProtocol(int flags) {
  char on[16];
  const int n = std::snprintf(on, sizeof on, "\x1b[>%du", flags);
  g_state.kittyOn = 1;
  if (n > 0) WriteAll(g_state.outFd, on, static_cast<std::size_t>(n));
}

int TerminalModes::resizeFd() const { return g_state.resizePipe[0]; }

void TerminalModes::DrainResize() const {
  char buffer[64];
  while (g_state.resizePipe[0] >= 0 && read(g_state.resizePipe[0], buffer, sizeof buffer) > 0) {
  }
}

void TerminalModes::Restore() { RestoreNow(); }

}  // namespace lexiv::platform
