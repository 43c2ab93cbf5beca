#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"

namespace lexiv::testing {
namespace {

class KeyboardStateTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(w.CreateTop());
    SetFocus(w.hwnd());
    log.clear();
  }
  std::vector<Received> log;
  RecordingWindow w{"w", &log, {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP}};
};

TEST_F(KeyboardStateTest, StateFollowsTheKeyMessagesAsTheyAreTaken) {
  struct Case {
    const char* name;
    std::vector<std::pair<UINT, bool>> keys;  // injected, then taken
    UINT vk;
    short expected;
  };
  const std::vector<Case> cases = {
      {"pressed and toggled", {{VK_SHIFT, true}}, VK_SHIFT, static_cast<short>(0xFF81)},
      {"released keeps the toggle", {{VK_SHIFT, false}}, VK_SHIFT, 1},
      {"a second press toggles back", {{VK_SHIFT, true}, {VK_SHIFT, false}}, VK_SHIFT, 0},
      {"auto-repeat does not toggle", {{VK_CAPITAL, true}, {VK_CAPITAL, true}, {VK_CAPITAL, true}}, VK_CAPITAL,
       static_cast<short>(0xFF81)},
      {"the left-hand key moves the generic one", {{VK_LCONTROL, true}}, VK_CONTROL, static_cast<short>(0xFF81)},
  };
  for (const Case& c : cases) {
    for (const auto& [vk, down] : c.keys) InjectKey(vk, down);
    PumpPending();
    EXPECT_EQ(GetKeyState(static_cast<int>(c.vk)), c.expected) << c.name;
  }
}

TEST_F(KeyboardStateTest, StateChangesWhenTheMessageIsTakenNotWhenTheKeyIsPressed) {
  InjectKey(VK_SHIFT, true);
  EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  Msg msg;
  ASSERT_TRUE(PeekMessage(&msg, HWND{}, 0, 0, PM_NOREMOVE));
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  ASSERT_TRUE(PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE));
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);

  // A handler may set the thread's state itself (range mode holds Shift down this way).
  BYTE state[256];
  ASSERT_TRUE(GetKeyboardState(state));
  EXPECT_EQ(state[VK_SHIFT] & 0x80, 0x80);
  state[VK_SHIFT] = 0;
  ASSERT_TRUE(SetKeyboardState(state));
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(KeyboardStateTest, KeyMessagesCarryTheWindowsBits) {
  struct Case {
    const char* name;
    const char* chord;
    int downs;
    std::vector<std::pair<UINT, LPARAM>> expected;  // message, lParam of the main key only
  };
  const LPARAM downBits = 1;
  const LPARAM upBits = 1 | KF_PREVIOUS_STATE_BIT | KF_TRANSITION_BIT;
  const LPARAM ext = KF_EXTENDED_BIT;
  const LPARAM down = static_cast<LPARAM>(ScanCodeOf(VK_DOWN)) << 16;
  const LPARAM f = static_cast<LPARAM>(ScanCodeOf('F')) << 16;
  const LPARAM f10 = static_cast<LPARAM>(ScanCodeOf(VK_F10)) << 16;
  const std::vector<Case> cases = {
      {"an arrow is an extended key", "Down", 1, {{WM_KEYDOWN, downBits | down | ext}, {WM_KEYUP, upBits | down | ext}}},
      {"auto-repeat sets the previous-state bit",
       "Down",
       3,
       {{WM_KEYDOWN, downBits | down | ext},
        {WM_KEYDOWN, downBits | KF_PREVIOUS_STATE_BIT | down | ext},
        {WM_KEYDOWN, downBits | KF_PREVIOUS_STATE_BIT | down | ext},
        {WM_KEYUP, upBits | down | ext}}},
      {"Alt makes system keys with the Alt bit",
       "Alt+F",
       1,
       {{WM_SYSKEYDOWN, downBits | KF_ALTDOWN_BIT | f}, {WM_SYSKEYUP, upBits | KF_ALTDOWN_BIT | f}}},
      {"Ctrl+Alt is not a system key", "Ctrl+Alt+F", 1, {{WM_KEYDOWN, downBits | f}, {WM_KEYUP, upBits | f}}},
      {"F10 is a system key", "F10", 1, {{WM_SYSKEYDOWN, downBits | f10}, {WM_SYSKEYUP, upBits | f10}}},
  };
  for (const Case& c : cases) {
    log.clear();
    ASSERT_EQ(driver.HoldKey(c.chord, c.downs), 0);
    PumpPending();
    std::vector<std::pair<UINT, LPARAM>> got;
    for (const Received& r : log)
      if (r.wParam != VK_CONTROL && r.wParam != VK_MENU && r.wParam != VK_SHIFT) got.emplace_back(r.message, r.lParam);
    EXPECT_EQ(got, c.expected) << c.name;
  }
}

TEST_F(KeyboardStateTest, WithoutFocusKeysReachTheActiveWindowAsSystemKeys) {
  ShowWindow(w.hwnd(), SW_SHOWNORMAL);
  SetFocus(HWND{});
  log.clear();
  driver.PressKey("Down");
  PumpPending();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].message, WM_SYSKEYDOWN);
  EXPECT_EQ(log[1].message, WM_SYSKEYUP);
}

TEST_F(KeyboardStateTest, AHookSeesKeysAsTheyAreTakenAndMaySwallowThem) {
  std::vector<std::pair<int, WPARAM>> seen;
  const int id = InstallKeyboardHook([&](int code, WPARAM vk, LPARAM) -> LRESULT {
    seen.emplace_back(code, vk);
    return vk == VK_F12 ? 1 : 0;
  });
  InjectKey(VK_F12, true);
  InjectKey('Q', true);
  Msg msg;
  ASSERT_TRUE(PeekMessage(&msg, HWND{}, 0, 0, PM_NOREMOVE));  // F12 is swallowed on sight
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>('Q'));
  PumpPending();
  RemoveKeyboardHook(id);
  EXPECT_EQ(seen, (std::vector<std::pair<int, WPARAM>>{{HC_NOREMOVE, VK_F12}, {HC_NOREMOVE, 'Q'}, {HC_ACTION, 'Q'}}));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].wParam, static_cast<WPARAM>('Q'));
}

}  // namespace
}  // namespace lexiv::testing
