// The driver for tests: input is injected by name, time is virtual, beeps are recorded, and the
// screen is a model read back from the windows.
//
// Steps: a test (or the scenario runner) queues steps. A plain step (Then) runs when the program
// waits for input with nothing to do (a blocking GetMessage), like a user who lets each action
// finish. A timed step (ThenAfter) runs a given time after the step before it, even while the
// program is busy in a polling loop (a wait for speech): that is how a key interrupts. Time moves
// only by Advance, by timed steps and by the program's own Sleep: a blocking wait jumps to the
// next timer's due time, a poll costs one millisecond. When steps and advance are used up, a
// blocking wait ends (GetMessage returns -1 and every loop unwinds), and a poll lets a
// millisecond pass, so busy waits on the clock end by themselves.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/driver.h"
#include "platform/core/input_context.h"
#include "platform/core/key_names.h"
#include "platform/win_types.h"

namespace lexiv::platform {

class HeadlessDriver final : public Driver {
 public:
  HeadlessDriver() = default;

  // Driver.
  Clock& GetClock() override { return clock_; }
  bool WaitForInput(DWORD timeoutMs) override;
  void PollInput() override;
  void Beep(UINT type) override { beeps_.push_back(type); }
  RECT ScreenRect() const override { return screen_; }

  VirtualClock& clock() { return clock_; }
  void SetScreenRect(const RECT& rect) { screen_ = rect; }

  // Input, delivered now to the input queue. Modifiers of a chord go down before the key and
  // up after it. -1 for an unknown key name.
  int PressKey(std::string_view chord);
  // The key goes down, repeats (auto-repeat: the previous-state bit set) and comes up once.
  int HoldKey(std::string_view chord, int downCount);
  void KeyDown(UINT vk, UINT character = 0);
  void KeyUp(UINT vk);
  // Shift-JIS text typed character by character: ASCII letters and digits on their keys, other
  // single bytes as VK_PACKET with WM_CHAR, double-byte characters through the input method
  // (VK_PROCESSKEY with WM_IME_CHAR). -1 for a truncated double-byte character (nothing typed).
  int Type(std::string_view sjisText);
  enum class Button { kLeft, kRight };
  void Click(HWND hwnd, POINT clientPoint, Button button = Button::kLeft);
  void DoubleClick(HWND hwnd, POINT clientPoint, Button button = Button::kLeft);
  // Drops Shift-JIS text (CF_TEXT) or files (CF_HDROP) on a window; returns the effect.
  DWORD DropText(HWND hwnd, std::string_view sjisText);
  DWORD DropFiles(HWND hwnd, std::string_view paths);

  // The input method: a composition (Shift-JIS text, one attribute byte a text byte, the
  // conversion mode) opens in the input context of the window that has the focus, as a user's
  // typing would open it; false when nothing has the focus or its window has no context.
  bool OpenComposition(std::string_view sjisText, std::vector<BYTE> attributes,
                       DWORD conversion = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE);
  bool CloseComposition();

  // Steps and time.
  void Then(std::function<void()> step);
  void ThenAfter(std::uint32_t ms, std::function<void()> step);
  // Lets ms of virtual time pass (taken by the next waits and polls, see above).
  void Advance(std::uint32_t ms);
  // Runs the thread's message loop until the steps, the advance and the queue are used up (or
  // WM_QUIT). Returns the quit code, or -1 when the input ran out.
  int Run();
  // Advance(ms), then Run().
  int RunFor(std::uint32_t ms);
  bool Exhausted() const { return exhausted_; }
  // For programs that other programs of a session drive (the session's tests): with no steps
  // left, a blocking wait waits in real time for what the session sends, and virtual time keeps
  // pace with real time, so the program runs until WM_QUIT rather than until its steps end.
  void ServeSessionWhenIdle(bool serve) { serveSession_ = serve; }
  std::size_t PendingSteps() const { return steps_.size(); }
  void ClearSteps() { steps_.clear(); }

  // Output.
  const std::vector<UINT>& Beeps() const { return beeps_; }
  void ClearBeeps() { beeps_.clear(); }

 private:
  void NewInput() { exhausted_ = false; }
  bool WaitForSession(DWORD timeoutMs);
  bool serveSession_ = false;
  void PressChord(const KeyChord& chord, int downCount);
  struct Step {
    std::function<void()> run;
    bool timed = false;
    std::uint32_t afterMs = 0;
  };
  void RunStep();
  // The time the front step becomes due (timed steps only).
  std::uint64_t FrontDueMs() const { return lastStepMs_ + steps_.front().afterMs; }
  void IdlePollGuard();

  VirtualClock clock_;
  RECT screen_{0, 0, 640, 480};
  std::deque<Step> steps_;
  std::uint64_t lastStepMs_ = 0;
  std::uint64_t advanceUntilMs_ = 0;
  bool exhausted_ = false;
  std::uint64_t idlePollMs_ = 0;
  std::vector<UINT> beeps_;
};

}  // namespace lexiv::platform
