#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/core/accessibility.h"
#include "platform/core/focus.h"

namespace lexiv::testing {
namespace {

const std::vector<UINT> kFocusMessages = {WM_SETFOCUS, WM_KILLFOCUS, WM_ACTIVATE, WM_ACTIVATEAPP};

class FocusTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.CreateTop(WS_OVERLAPPEDWINDOW));
    ASSERT_TRUE(list.CreateChild(frame.hwnd(), 1));
    ASSERT_TRUE(view.CreateChild(frame.hwnd(), 2));
    ASSERT_TRUE(dialog.CreateTop(WS_POPUP));
  }
  // The messages, with the other window of each named instead of given by handle.
  std::vector<std::string> Take() {
    std::vector<std::string> out;
    for (const Received& r : log) {
      std::string line = r.window + " ";
      switch (r.message) {
        case WM_SETFOCUS: line += "setfocus from " + Name(HwndFromParam(r.wParam)); break;
        case WM_KILLFOCUS: line += "killfocus to " + Name(HwndFromParam(r.wParam)); break;
        case WM_ACTIVATE:
          line += (LOWORD(r.wParam) == WA_INACTIVE ? "deactivate, other " : "activate, other ") +
                  Name(HwndFromParam(r.lParam));
          break;
        case WM_ACTIVATEAPP: line += r.wParam ? "app active" : "app inactive"; break;
      }
      out.push_back(line);
    }
    log.clear();
    return out;
  }
  std::string Name(HWND h) {
    for (RecordingWindow* w : {&frame, &list, &view, &dialog})
      if (h && w->hwnd() == h) return w->name();
    return h ? "other" : "none";
  }

  std::vector<Received> log;
  RecordingWindow frame{"frame", &log, kFocusMessages};
  RecordingWindow list{"list", &log, kFocusMessages};
  RecordingWindow view{"view", &log, kFocusMessages};
  RecordingWindow dialog{"dialog", &log, kFocusMessages};
};

TEST_F(FocusTest, FocusAndActivationMessagesNameTheOtherWindow) {
  struct Step {
    const char* name;
    std::function<void()> act;
    std::vector<std::string> expected;
  };
  const std::vector<Step> steps = {
      {"showing the frame activates the application (every top-level window hears it), then the frame takes the focus",
       [&] { ShowWindow(frame.hwnd(), SW_SHOWNORMAL); },
       {"dialog app active", "frame app active", "frame activate, other none", "frame setfocus from none"}},
      {"focus moves between panes",
       [&] { SetFocus(list.hwnd()); },
       {"frame killfocus to list", "list setfocus from frame"}},
      {"and on",
       [&] { SetFocus(view.hwnd()); },
       {"list killfocus to view", "view setfocus from list"}},
      {"focusing the focused window sends nothing", [&] { SetFocus(view.hwnd()); }, {}},
      {"focusing another top-level window activates it first",
       [&] { SetFocus(dialog.hwnd()); },
       {"view killfocus to none", "frame deactivate, other dialog", "dialog activate, other frame",
        "dialog setfocus from none"}},
      {"destroying the active window gives activation back to another one",
       [&] { DestroyWindow(dialog.hwnd()); },
       {"dialog killfocus to none", "dialog deactivate, other none", "frame activate, other none",
        "frame setfocus from none"}},
      {"another application takes the foreground",
       [&] { DeactivateApplication(HWND{}); },
       {"frame deactivate, other none", "frame app inactive", "frame killfocus to none"}},
      {"coming back activates the last active window",
       [&] { ActivateApplication(); },
       {"frame app active", "frame activate, other none", "frame setfocus from none"}},
  };
  for (const Step& step : steps) {
    log.clear();
    step.act();
    EXPECT_EQ(Take(), step.expected) << step.name;
  }
}

TEST_F(FocusTest, DisablingOrHidingTheFocusWindowAndTheForeground) {
  ShowWindow(frame.hwnd(), SW_SHOWNORMAL);
  SetFocus(view.hwnd());
  EXPECT_TRUE(IsApplicationActive());
  EXPECT_EQ(GetForegroundWindow(), frame.hwnd());
  log.clear();
  EnableWindow(view.hwnd(), FALSE);
  EXPECT_EQ(Take(), std::vector<std::string>{"view killfocus to none"});
  EXPECT_FALSE(GetFocus());
  EnableWindow(view.hwnd(), TRUE);

  // A lookup's caller in another application.
  const HWND caller = CreateForeignWindow("editor");
  EXPECT_TRUE(IsWindow(caller));
  SetFocus(list.hwnd());
  EXPECT_TRUE(SetForegroundWindow(caller));
  EXPECT_EQ(GetForegroundWindow(), caller);
  EXPECT_FALSE(IsApplicationActive());
  EXPECT_FALSE(GetFocus());
  EXPECT_TRUE(SetForegroundWindow(list.hwnd()));
  EXPECT_EQ(GetForegroundWindow(), frame.hwnd());
  EXPECT_TRUE(IsApplicationActive());
  DestroyWindow(caller);
  EXPECT_FALSE(IsWindow(caller));
}

TEST_F(FocusTest, FocusChangesRaiseAccessibilityEvents) {
  std::vector<AccessEvent> events;
  AccessSubscription subscription([&](const AccessEvent& e) { events.push_back(e); });
  ShowWindow(frame.hwnd(), SW_SHOWNORMAL);
  events.clear();
  SetWindowText(list.hwnd(), "見出し語一覧");
  SetFocus(list.hwnd());
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, AccessEventKind::kFocusChanged);
  EXPECT_EQ(events[0].hwnd, list.hwnd());
  EXPECT_EQ(events[0].name, "見出し語一覧");
  EXPECT_TRUE(events[0].state & STATE_SYSTEM_FOCUSED);
}

// A pane that answers mouse activation as told.
class ClickTarget : public RecordingWindow {
 public:
  using RecordingWindow::RecordingWindow;
  LRESULT answer = MA_ACTIVATE;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_MOUSEACTIVATE) return answer;
    return RecordingWindow::WindowProc(message, wParam, lParam);
  }
};

TEST_F(FocusTest, ClicksActivateThroughMouseActivationAndMayBeEaten) {
  struct Case {
    const char* name;
    LRESULT answer;
    bool enabled;
    bool frameActivated;
    std::vector<UINT> delivered;
  };
  const std::vector<Case> cases = {
      {"activate", MA_ACTIVATE, true, true, {WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {"no activation", MA_NOACTIVATE, true, false, {WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {"activate and eat", MA_ACTIVATEANDEAT, true, true, {WM_LBUTTONUP}},
      {"no activation, eat", MA_NOACTIVATEANDEAT, true, false, {WM_LBUTTONUP}},
      {"a disabled window gets no click", MA_ACTIVATE, false, false, {}},
  };
  std::vector<Received> clicks;
  ClickTarget pane("pane", &clicks, {WM_LBUTTONDOWN, WM_LBUTTONUP});
  ASSERT_TRUE(pane.CreateChild(frame.hwnd(), 3));
  ShowWindow(frame.hwnd(), SW_SHOWNORMAL);
  for (const Case& c : cases) {
    ShowWindow(dialog.hwnd(), SW_SHOWNORMAL);
    ASSERT_EQ(GetActiveWindow(), dialog.hwnd());
    pane.answer = c.answer;
    EnableWindow(pane.hwnd(), c.enabled);
    clicks.clear();
    driver.Click(pane.hwnd(), POINT{5, 5});
    PumpPending();
    std::vector<UINT> delivered;
    for (const Received& r : clicks) delivered.push_back(r.message);
    EXPECT_EQ(delivered, c.delivered) << c.name;
    EXPECT_EQ(GetActiveWindow() == frame.hwnd(), c.frameActivated) << c.name;
  }
}

}  // namespace
}  // namespace lexiv::testing
