// What a driver gives the user-interface thread: its clock, input (delivered through the
// functions of input.h, focus.h and drop_target.h), beeps and the screen. The headless driver
// serves tests; the terminal driver serves people.
#pragma once

#include "platform/core/clock.h"
#include "platform/win_types.h"

namespace lexiv::platform {

class Driver {
 public:
  virtual ~Driver() = default;
  virtual Clock& GetClock() = 0;
  // The thread has nothing to do: deliver input, or wait for it at most timeoutMs (INFINITE: no
  // limit; the time of the next timer otherwise). False when no input will ever come again.
  virtual bool WaitForInput(DWORD timeoutMs) = 0;
  // A busy loop found the queue empty: deliver input that is ready. A driver for people may
  // wait a few milliseconds for it, so that the loop does not spin, and refresh the screen.
  virtual void PollInput() = 0;
  // MessageBeep: the driver decides what a beep is.
  virtual void Beep(UINT type) = 0;
  // The thread is about to wait: bring the screen up to date.
  virtual void Present() {}
  // The screen in logical pixels; a maximised window fills it.
  virtual RECT ScreenRect() const { return RECT{0, 0, 640, 480}; }
  // Another program borrows the terminal (program_on_terminal.h): the driver gives up its
  // screen and modes before, and takes them back and redraws everything after.
  virtual void SuspendScreen() {}
  virtual void ResumeScreen() {}
};

// type: 0xFFFFFFFF for the simple beep, or MB_ICONHAND, MB_ICONQUESTION, ... Always TRUE.
BOOL MessageBeep(UINT type);

}  // namespace lexiv::platform
