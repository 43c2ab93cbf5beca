// A synthesised click brings the window under the pointer forward and reaches nothing else.
#include "headless_fixture.h"
#include "platform/core/focus.h"
#include "platform/core/pointer.h"
#include "platform/core/session.h"

namespace lexiv::testing {
namespace {

using PointerTest = HeadlessTest;

TEST_F(PointerTest, AClickAtAWindowsTopEdgeOnlyActivatesIt) {
  std::vector<Received> log;
  const std::vector<UINT> buttons = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEACTIVATE};
  RecordingWindow behind("behind", &log, buttons);
  RecordingWindow child("child", &log, buttons);
  RecordingWindow front("front", &log, buttons);
  ASSERT_TRUE(behind.CreateTop());
  ASSERT_TRUE(child.CreateChild(behind.hwnd(), 1));
  ASSERT_TRUE(front.CreateTop());
  MoveWindow(front.hwnd(), 400, 300, 100, 100, TRUE);
  SetForegroundWindow(front.hwnd());
  ASSERT_EQ(GetActiveWindow(), front.hwnd());

  // As the lookup does: to the middle of the top edge, two pixels down, press, release, back.
  POINT saved;
  SetCursorPos(5, 5);
  GetCursorPos(&saved);
  RECT rect;
  GetWindowRect(behind.hwnd(), &rect);
  SetCursorPos((rect.left + rect.right) / 2, rect.top + 2);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  SetCursorPos(saved.x, saved.y);
  PumpPending();
  EXPECT_EQ(GetActiveWindow(), behind.hwnd());
  EXPECT_TRUE(log.empty()) << log.size() << " button messages reached a window";
  POINT now;
  GetCursorPos(&now);
  EXPECT_EQ(now, (POINT{5, 5}));

  // A press over no window of ours does nothing.
  SetForegroundWindow(front.hwnd());
  SetCursorPos(2000, 2000);
  mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  EXPECT_EQ(GetActiveWindow(), front.hwnd());
  // Relative moves.
  mouse_event(MOUSEEVENTF_MOVE, static_cast<DWORD>(-10), 5, 0, 0);
  GetCursorPos(&now);
  EXPECT_EQ(now, (POINT{1990, 2005}));
}

TEST_F(PointerTest, ThreadInputJoinsOnlyLiveThreads) {
  EXPECT_TRUE(AttachThreadInput(GetCurrentProcessId(), GetCurrentProcessId(), TRUE));
  EXPECT_FALSE(AttachThreadInput(0, GetCurrentProcessId(), TRUE));
  EXPECT_FALSE(AttachThreadInput(GetCurrentProcessId(), 0x7FFFFFF0, TRUE));
}

}  // namespace
}  // namespace lexiv::testing
