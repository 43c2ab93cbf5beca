// The terminal's modes while the program runs: raw input, the alternate screen, bracketed
// paste, focus reports, mouse reports and (when the terminal has it) the kitty keyboard
// protocol. The object that turns them on puts everything back in its destructor, and a signal
// that ends the program (SIGINT, SIGTERM, SIGHUP, SIGQUIT) or a crash (SIGSEGV, SIGBUS, SIGFPE,
// SIGILL, SIGABRT) restores the terminal first: the restoring bytes are prepared in advance and
// written with write(2), and the saved terminal attributes set back with tcsetattr, both safe
// inside a signal handler. SIGWINCH wakes the driver through a pipe.
#pragma once

#include <string>

namespace lexiv::platform {

class TerminalModes {
 public:
  // 0 when both descriptors are terminals; -1 with a message otherwise.
  static int CheckTerminal(int inFd, int outFd, std::string* error);

  // Saves the attributes of inFd and switches the modes on (mouse reports only when asked).
  TerminalModes(int inFd, int outFd, bool mouseReports);
  ~TerminalModes();
  TerminalModes(const TerminalModes&) = delete;
  TerminalModes& operator=(const TerminalModes&) = delete;

  // Turns on the kitty keyboard protocol with these flags (its restore joins the exit path).
  void EnableKittyProtocol(int flags);
  // The read end of the pipe that a window-size change makes readable; drain it after waking.
  int resizeFd() const;
  void DrainResize() const;

  // Puts the terminal back (also called by the destructor; harmless twice).
  void Restore();
};

}  // namespace lexiv::platform
