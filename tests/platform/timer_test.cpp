#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/core/timers.h"

namespace lexiv::testing {
namespace {

struct Fired {
  UINT_PTR id;
  DWORD at;
  friend bool operator==(const Fired&, const Fired&) = default;
};

void PrintTo(const Fired& f, std::ostream* os) { *os << "timer " << f.id << " at " << f.at; }

class TimerWindow : public Window {
 public:
  std::vector<Fired> fired;
  std::vector<UINT_PTR> oneShot;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TIMER) {
      fired.push_back(Fired{wParam, static_cast<DWORD>(GetMessageTime())});
      if (std::find(oneShot.begin(), oneShot.end(), wParam) != oneShot.end()) KillTimer(hwnd(), wParam);
      return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
  }
};

using TimerTest = HeadlessTest;

TEST_F(TimerTest, AdvancingTheVirtualClockFiresDueTimersInOrder) {
  struct Timer {
    UINT_PTR id;
    UINT period;
    bool oneShot;
  };
  struct Case {
    const char* name;
    std::vector<Timer> timers;
    std::uint32_t advance;
    std::vector<Fired> expected;  // times relative to the start
  };
  const std::vector<Case> cases = {
      {"nothing before the period", {{1, 500, true}}, 499, {}},
      {"a one-shot timer fires once", {{1, 500, true}}, 2000, {{1, 500}}},
      {"a periodic timer fires each period", {{1, 300, false}}, 1000, {{1, 300}, {1, 600}, {1, 900}}},
      {"two timers interleave by due time",
       {{1, 400, false}, {2, 250, false}},
       1000,
       {{2, 250}, {1, 400}, {2, 500}, {2, 750}, {1, 800}, {2, 1000}}},
      {"periods below the minimum are raised to it", {{1, 1, true}}, 100, {{1, 10}}},
  };
  for (const Case& c : cases) {
    TimerWindow w;
    CreateParams p;
    ASSERT_TRUE(w.Create(p));
    const DWORD start = GetTickCount();
    for (const Timer& t : c.timers) {
      EXPECT_EQ(SetTimer(w.hwnd(), t.id, t.period), t.id);
      if (t.oneShot) w.oneShot.push_back(t.id);
    }
    driver.RunFor(c.advance);
    for (Fired& f : w.fired) f.at -= start;
    EXPECT_EQ(w.fired, c.expected) << c.name;
    EXPECT_EQ(GetTickCount() - start, c.advance) << c.name;
    DestroyWindow(w.hwnd());
  }
}

TEST_F(TimerTest, ElapsesMissedWhileBusyCoalesceAndSleepsMoveTheClock) {
  TimerWindow w;
  CreateParams p;
  ASSERT_TRUE(w.Create(p));
  const DWORD start = GetTickCount();
  SetTimer(w.hwnd(), 7, 100);
  Sleep(350);  // the thread is busy for three and a half periods
  EXPECT_EQ(GetTickCount() - start, 350u);
  PumpPending();
  ASSERT_EQ(w.fired.size(), 1u);
  driver.RunFor(50);  // the next elapse keeps the original rhythm: 400
  ASSERT_EQ(w.fired.size(), 2u);
  EXPECT_EQ(w.fired[1].at - start, 400u);
}

TEST_F(TimerTest, KilledTimersAndTimersOfDestroyedWindowsStaySilent) {
  TimerWindow w;
  CreateParams p;
  ASSERT_TRUE(w.Create(p));
  SetTimer(w.hwnd(), 1, 100);
  SetTimer(w.hwnd(), 2, 100);
  EXPECT_TRUE(KillTimer(w.hwnd(), 1));
  EXPECT_FALSE(KillTimer(w.hwnd(), 1));
  driver.RunFor(150);
  EXPECT_EQ(w.fired.size(), 1u);
  const HWND gone = w.hwnd();
  DestroyWindow(gone);
  EXPECT_EQ(SetTimer(gone, 3, 100), 0u);
  driver.RunFor(500);
  EXPECT_EQ(w.fired.size(), 1u);
}

}  // namespace
}  // namespace lexiv::testing
