#include "platform/terminal/terminal_driver.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/core/program_on_terminal.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/services/process_launcher.h"
#include "platform/services/program_log.h"
#include "platform/terminal/terminal_renderer.h"
#include "platform/terminal/terminal_screen.h"
#include "platform/terminal/terminal_state.h"

namespace lexiv::platform {

namespace {

// Kitty keyboard protocol flags: disambiguate escape codes (1) and report event types (2), so
// modified keys are unambiguous and their releases are real.
constexpr int kKittyFlags = 1 | 2;
// How long the start-up probe waits for the terminal's answer.
constexpr int kProbeWaitMs = 500;

}  // namespace

BeepStyle BeepStyleFromSetting(const char* value) {
  if (value == nullptr) return BeepStyle::kBell;
  if (std::strcmp(value, "flash") == 0) return BeepStyle::kFlash;
  if (std::strcmp(value, "off") == 0) return BeepStyle::kOff;
  return BeepStyle::kBell;
}

TerminalDriver::TerminalDriver() = default;

TerminalDriver::~TerminalDriver() {
  SetTerminalLender({});
  // The screen is closed before the modes are restored: curses leaves its own state first.
  screen_.reset();
  modes_.reset();
  // Lines the program reported while the screen was open can be read now.
  SetScreenOpen(false);
}

int TerminalDriver::Start(std::string* error) {
  if (TerminalModes::CheckTerminal(STDIN_FILENO, STDOUT_FILENO, error) != 0) return -1;
  beep_ = BeepStyleFromSetting(std::getenv("LEXIV_BEEP"));
  const char* mouse = std::getenv("LEXIV_MOUSE");
  const bool mouseReports = mouse == nullptr || std::strcmp(mouse, "off") != 0;
  mouseReports_ = mouseReports;
  modes_ = std::make_unique<TerminalModes>(STDIN_FILENO, STDOUT_FILENO, mouseReports);
  screen_ = std::make_unique<TerminalScreen>();
  if (screen_->Open(stdout, stdin, error) != 0) {
    screen_.reset();
    modes_.reset();
    return -1;
  }
  screen_->Size(&columns_, &rows_);
  SetScreenOpen(true);

  // Ask whether the terminal speaks the kitty keyboard protocol; the device-attributes request
  // after it is answered by every terminal, so its answer ends the wait.
  std::fflush(stdout);
  static const char kProbe[] = "\x1b[?u\x1b[c";
  (void)!write(STDOUT_FILENO, kProbe, sizeof kProbe - 1);
  bool kitty = false;
  const std::uint64_t until = clock_.NowMs() + kProbeWaitMs;
  for (bool answered = false; !answered;) {
    const std::uint64_t now = clock_.NowMs();
    if (now >= until) break;
    pollfd fd{STDIN_FILENO, POLLIN, 0};
    const int ready = poll(&fd, 1, static_cast<int>(until - now));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    char buffer[256];
    const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) break;
    std::vector<TerminalEvent> events;
    decoder_.Feed(std::string_view(buffer, static_cast<std::size_t>(n)), clock_.NowMs(), events);
    for (TerminalEvent& e : events) {
      if (e.kind == TerminalEvent::Kind::kKittyFlags)
        kitty = true;
      else if (e.kind == TerminalEvent::Kind::kDeviceAttributes)
        answered = true;
      else
        early_.push_back(std::move(e));
    }
  }
  if (kitty) {
    modes_->EnableKittyProtocol(kKittyFlags);
    decoder_.SetReleasesReported(true);
  }
  kitty_ = kitty;
  // Platform programs started from here without tmux or a desktop borrow this terminal.
  SetTerminalLender(RunProgramOnThisTerminal);
  return 0;
}

void TerminalDriver::SuspendScreen() {
  if (!screen_) return;
  screen_.reset();
  modes_.reset();
  // Lines reported while the screen was open can be read now, before the other program draws.
  SetScreenOpen(false);
}

void TerminalDriver::ResumeScreen() {
  if (screen_) return;
  modes_ = std::make_unique<TerminalModes>(STDIN_FILENO, STDOUT_FILENO, mouseReports_);
  if (kitty_) modes_->EnableKittyProtocol(kKittyFlags);
  screen_ = std::make_unique<TerminalScreen>();
  std::string error;
  if (screen_->Open(stdout, stdin, &error) != 0) {
    screen_.reset();
    ReportToLog("The terminal could not be taken back: " + error);
    return;
  }
  SetScreenOpen(true);
  OnResize();  // the other program may have left the terminal another size
  Present();
}

void TerminalDriver::Deliver(std::vector<TerminalEvent>& events) {
  if (UiThread::Current() == nullptr) {
    for (TerminalEvent& e : events) early_.push_back(std::move(e));
    events.clear();
    return;
  }
  const std::uint64_t now = clock_.NowMs();
  for (const TerminalEvent& e : events) delivery_.Deliver(e, now);
  events.clear();
}

void TerminalDriver::OnResize() {
  modes_->DrainResize();
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) return;
  columns_ = size.ws_col;
  rows_ = size.ws_row;
  screen_->Resize(columns_, rows_);
  if (UiThread::Current() == nullptr) return;
  // Maximised windows follow the screen (MoveWindow sends them WM_SIZE); the others keep their
  // place and the renderer keeps the focused one in view.
  const RECT screen = ScreenRect();
  for (HWND top = GetTopWindow(HWND{}); top; top = GetWindow(top, GW_HWNDNEXT))
    if (IsZoomed(top)) MoveWindow(top, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top, TRUE);
}

bool TerminalDriver::ReadAndDeliver(int timeoutMs) {
  if (inputClosed_) return false;
  if (!early_.empty() && UiThread::Current() != nullptr) {
    std::vector<TerminalEvent> events = std::move(early_);
    early_.clear();
    Deliver(events);
    return true;
  }
  // An unfinished escape sequence is decided when its time-out passes.
  const std::uint64_t deadline = decoder_.NextDeadlineMs();
  const std::uint64_t now = clock_.NowMs();
  if (deadline != UINT64_MAX) {
    const int untilDeadline = deadline > now ? static_cast<int>(deadline - now) : 0;
    timeoutMs = timeoutMs < 0 ? untilDeadline : std::min(timeoutMs, untilDeadline);
  }
  // Other programs of the session wake the wait too: their messages are answered as soon as
  // the thread looks at its queue.
  UiThread* ui = UiThread::Current();
  const int sessionFd = ui != nullptr && ui->remote ? ui->remote->WaitDescriptor() : -1;
  pollfd fds[3] = {{STDIN_FILENO, POLLIN, 0}, {modes_->resizeFd(), POLLIN, 0}, {sessionFd, POLLIN, 0}};
  const int ready = poll(fds, 3, timeoutMs);
  std::vector<TerminalEvent> events;
  if (ready > 0 && (fds[1].revents & POLLIN)) OnResize();
  if (ready > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
    char buffer[4096];
    const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
      inputClosed_ = true;
      return false;
    }
    if (n > 0) decoder_.Feed(std::string_view(buffer, static_cast<std::size_t>(n)), clock_.NowMs(), events);
  }
  decoder_.Flush(clock_.NowMs(), events);
  Deliver(events);
  return true;
}

bool TerminalDriver::WaitForInput(DWORD timeoutMs) {
  if (!modes_) return false;
  return ReadAndDeliver(timeoutMs == INFINITE ? -1 : static_cast<int>(std::min<DWORD>(timeoutMs, 1u << 30)));
}

void TerminalDriver::PollInput() {
  if (!modes_) return;
  // Busy waits (for speech to end) poll in a loop: rather than spinning, each poll that follows
  // another at once waits a few milliseconds for input, and the screen keeps up with what the
  // wait changes. A look on its own (is a key waiting?) takes only what has arrived: it stands
  // between a key and its speech.
  const std::uint64_t now = clock_.NowMs();
  const bool looping = lastPollMs_ != 0 && now - lastPollMs_ <= static_cast<std::uint64_t>(kPollWaitMs);
  if (looping && now - lastPresentMs_ >= kPollPresentIntervalMs) Present();
  const int waitMs = looping ? kPollWaitMs : 0;
  // A terminal that has gone away gives no input to wait for; the pause still holds.
  if (!ReadAndDeliver(waitMs) && waitMs > 0) poll(nullptr, 0, waitMs);
  lastPollMs_ = clock_.NowMs();
}

void TerminalDriver::Beep(UINT type) {
  (void)type;
  if (!screen_) return;
  if (beep_ == BeepStyle::kBell) screen_->Bell();
  if (beep_ == BeepStyle::kFlash) screen_->Flash();
}

void TerminalDriver::Present() {
  if (!screen_ || UiThread::Current() == nullptr) return;
  lastPresentMs_ = clock_.NowMs();
  canvas_ = TerminalCanvas(columns_, rows_);
  const TerminalLayout layout = RenderScreen(canvas_);
  delivery_.SetOrigin(layout.originColumn, layout.originRow);
  screen_->Show(canvas_);
}

RECT TerminalDriver::ScreenRect() const { return ScreenRectForTerminal(columns_, rows_); }

}  // namespace lexiv::platform
