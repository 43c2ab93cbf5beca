// The driver for people: the platform on a real terminal. Input is read from standard input by
// our own decoder and handed to the thread; the screen is drawn with ncursesw before the thread
// waits; the terminal's modes are restored on every exit.
//
// Settings (environment): LEXIV_BEEP=bell (default), flash (a visible flash of the screen) or
// off; LEXIV_MOUSE=off leaves the mouse to the terminal (for selecting text with it).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/driver.h"
#include "platform/terminal/terminal_canvas.h"
#include "platform/terminal/terminal_input_decoder.h"
#include "platform/terminal/terminal_input_delivery.h"

namespace lexiv::platform {

class TerminalModes;
class TerminalScreen;

enum class BeepStyle { kBell, kFlash, kOff };
// The beep setting from the value of LEXIV_BEEP (null or unknown: the bell).
BeepStyle BeepStyleFromSetting(const char* value);

class TerminalDriver final : public Driver {
 public:
  TerminalDriver();
  ~TerminalDriver() override;

  // Takes over the terminal. -1 with a message when standard input or output is not a terminal
  // or the terminal cannot be used; the program should then exit with status 2.
  int Start(std::string* error);

  Clock& GetClock() override { return clock_; }
  bool WaitForInput(DWORD timeoutMs) override;
  // Takes the input that has arrived. When it follows another poll at once (a loop), it also
  // waits at most kPollWaitMs for input, and presents the screen when it was not presented for
  // kPollPresentIntervalMs (only what changed is written).
  void PollInput() override;
  void Beep(UINT type) override;
  void Present() override;
  RECT ScreenRect() const override;
  // A program started on this terminal has it meanwhile: curses and the modes are given up, and
  // taken back with everything redrawn.
  void SuspendScreen() override;
  void ResumeScreen() override;

 private:
  // Waits at most timeoutMs (-1: no limit) for bytes or a size change; returns false when the
  // terminal is gone.
  bool ReadAndDeliver(int timeoutMs);
  void Deliver(std::vector<TerminalEvent>& events);
  void OnResize();

  SystemClock clock_;
  std::unique_ptr<TerminalModes> modes_;
  std::unique_ptr<TerminalScreen> screen_;
  TerminalInputDecoder decoder_;
  TerminalInputDelivery delivery_;
  TerminalCanvas canvas_;
  std::vector<TerminalEvent> early_;  // read before the thread existed
  int columns_ = 80;
  int rows_ = 24;
  BeepStyle beep_ = BeepStyle::kBell;
  bool inputClosed_ = false;
  bool kitty_ = false;
  bool mouseReports_ = true;
  std::uint64_t lastPresentMs_ = 0;
  std::uint64_t lastPollMs_ = 0;

  static constexpr int kPollWaitMs = 5;
  static constexpr std::uint64_t kPollPresentIntervalMs = 40;
};

}  // namespace lexiv::platform
