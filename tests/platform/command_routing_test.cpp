#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/core/accelerators.h"
#include "platform/core/focus.h"
#include "platform/core/frame_window.h"
#include "platform/core/input.h"
#include "platform/core/menu.h"
#include "platform/core/string_table.h"

namespace lexiv::testing {
namespace {

enum : UINT {
  kCmdViewOnly = 200,   // handled by the view
  kCmdBoth = 201,       // handled by the view and the frame: the view wins
  kCmdFrame = 202,      // handled by the frame, enabled by a rule
  kCmdApp = 203,        // handled by the application
  kCmdNobody = 204,     // no handler anywhere: gray
  kCmdOffMenu = 205,    // a frame command with no menu item, disabled by its rule
  kCmdChecked = 206,    // a rule that checks
  kCmdRadio = 207,      // a rule that sets the radio mark
};

std::vector<std::string>* g_calls = nullptr;

class TestView : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  void OnViewOnly() { g_calls->push_back("view 200"); }
  void OnBoth() { g_calls->push_back("view 201"); }
};

const MessageMap& TestView::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<TestView>(Window::ClassMessageMap())
                                    .OnCommand(kCmdViewOnly, &TestView::OnViewOnly)
                                    .OnCommand(kCmdBoth, &TestView::OnBoth);
  return map;
}

class TestFrame : public FrameWindow {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  bool frameEnabled = true;
  bool offMenuEnabled = true;
  void OnBoth() { g_calls->push_back("frame 201"); }
  void OnFrame() { g_calls->push_back("frame 202"); }
  void OnUpdateFrame(CommandUI& ui) { ui.Enable(frameEnabled); }
  void OnOffMenu() { g_calls->push_back("frame 205"); }
  void OnUpdateOffMenu(CommandUI& ui) { ui.Enable(offMenuEnabled); }
  void OnUpdateChecked(CommandUI& ui) { ui.SetCheck(1); }
  void OnUpdateRadio(CommandUI& ui) { ui.SetRadio(true); }
  void OnAny(UINT) {}
};

const MessageMap& TestFrame::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<TestFrame>(FrameWindow::ClassMessageMap())
                                    .OnCommand(kCmdBoth, &TestFrame::OnBoth)
                                    .OnCommand(kCmdFrame, &TestFrame::OnFrame)
                                    .OnUpdateCommand(kCmdFrame, &TestFrame::OnUpdateFrame)
                                    .OnCommand(kCmdOffMenu, &TestFrame::OnOffMenu)
                                    .OnUpdateCommand(kCmdOffMenu, &TestFrame::OnUpdateOffMenu)
                                    .OnCommandRange(kCmdChecked, kCmdRadio, &TestFrame::OnAny)
                                    .OnUpdateCommand(kCmdChecked, &TestFrame::OnUpdateChecked)
                                    .OnUpdateCommand(kCmdRadio, &TestFrame::OnUpdateRadio);
  return map;
}

class TestApp : public CommandTarget {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  void OnApp() { g_calls->push_back("app 203"); }
};

const MessageMap& TestApp::ClassMessageMap() {
  static const MessageMap map =
      MessageMapOf<TestApp>(CommandTarget::ClassMessageMap()).OnCommand(kCmdApp, &TestApp::OnApp);
  return map;
}

class CommandRoutingTest : public HeadlessTest {
 protected:
  void SetUp() override {
    g_calls = &calls;
    SetApplication(&app);
    popup = CreatePopupMenu();
    for (UINT id : {kCmdViewOnly, kCmdBoth, kCmdFrame, kCmdApp, kCmdNobody, kCmdChecked, kCmdRadio})
      AppendMenu(popup, MF_STRING, id, ("item " + std::to_string(id)).c_str());
    bar = CreateMenu();
    AppendMenu(bar, MF_POPUP, ToWParam(popup), "&Commands");
    CreateParams p;
    p.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    p.menu = bar;
    ASSERT_TRUE(frame.Create(p));
    CreateParams v;
    v.style = WS_CHILD | WS_VISIBLE;
    v.parent = frame.hwnd();
    v.id = 1;
    ASSERT_TRUE(view.Create(v));
    CreateParams s;
    s.style = WS_CHILD | WS_VISIBLE;
    s.parent = frame.hwnd();
    s.id = 2;
    ASSERT_TRUE(status.Create(s));
    frame.SetMessageBar(status.hwnd());
    SetFocus(view.hwnd());
  }
  void TearDown() override {
    SetApplication(nullptr);
    g_calls = nullptr;
  }
  UINT StateAfterOpening(UINT id) {
    SendMessage(frame.hwnd(), WM_INITMENUPOPUP, ToWParam(popup), 0);
    return GetMenuState(popup, id, MF_BYCOMMAND);
  }

  std::vector<std::string> calls;
  TestApp app;
  TestFrame frame;
  TestView view;
  Window status;
  HMENU popup;
  HMENU bar;
};

TEST_F(CommandRoutingTest, CommandsGoToTheFocusedViewThenTheFrameThenTheApplication) {
  struct Case {
    UINT id;
    bool viewFocused;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {kCmdViewOnly, true, {"view 200"}},
      {kCmdBoth, true, {"view 201"}},
      {kCmdBoth, false, {"frame 201"}},
      {kCmdViewOnly, false, {}},
      {kCmdApp, true, {"app 203"}},
      {kCmdNobody, true, {}},
  };
  for (const Case& c : cases) {
    SetFocus(c.viewFocused ? view.hwnd() : frame.hwnd());
    calls.clear();
    SendMessage(frame.hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(c.id), 0), 0);
    EXPECT_EQ(calls, c.expected) << "command " << c.id << (c.viewFocused ? " with the view focused" : "");
  }
}

TEST_F(CommandRoutingTest, OpeningAMenuRunsTheEnableRulesAndGraysCommandsWithoutHandlers) {
  struct Case {
    UINT id;
    bool frameEnabled;
    UINT expected;  // MF_GRAYED, MF_CHECKED, MFT_RADIOCHECK bits
  };
  const Case cases[] = {
      {kCmdViewOnly, true, 0},
      {kCmdApp, true, 0},
      {kCmdNobody, true, MF_GRAYED},
      {kCmdFrame, true, 0},
      {kCmdFrame, false, MF_GRAYED},
      {kCmdChecked, true, MF_CHECKED},
      {kCmdRadio, true, MF_CHECKED | MFT_RADIOCHECK},
  };
  for (const Case& c : cases) {
    frame.frameEnabled = c.frameEnabled;
    EXPECT_EQ(StateAfterOpening(c.id) & (MF_GRAYED | MF_CHECKED | MFT_RADIOCHECK), c.expected) << "command " << c.id;
  }
  // The view's commands are gray once the focus has left the view.
  SetFocus(frame.hwnd());
  EXPECT_EQ(StateAfterOpening(kCmdViewOnly) & MF_GRAYED, MF_GRAYED);
}

TEST_F(CommandRoutingTest, AcceleratorsTranslateAfterPreTranslationAndRespectGrayItems) {
  const ACCEL keys[] = {
      {FVIRTKEY | FCONTROL, 'F', kCmdFrame},
      {FVIRTKEY | FCONTROL | FSHIFT, VK_F11, kCmdBoth},
      {FVIRTKEY | FALT, VK_F11, kCmdApp},
      {FVIRTKEY, VK_NEXT, kCmdOffMenu},
  };
  frame.SetAccelerators(CreateAcceleratorTable(keys, 4));
  struct Case {
    const char* keys;
    bool frameEnabled;
    bool offMenuEnabled;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"Ctrl+F", true, true, {"frame 202"}},
      {"Ctrl+F", false, true, {}},
      {"F", true, true, {}},
      {"Ctrl+Shift+F", true, true, {}},
      {"Ctrl+Shift+F11", true, true, {"view 201"}},
      {"Shift+F11", true, true, {}},
      {"Alt+F11", true, true, {"app 203"}},
      {"PageDown", true, true, {"frame 205"}},
      {"PageDown", true, false, {}},
  };
  for (const Case& c : cases) {
    frame.frameEnabled = c.frameEnabled;
    frame.offMenuEnabled = c.offMenuEnabled;
    calls.clear();
    ASSERT_EQ(driver.PressKey(c.keys), 0) << c.keys;
    PumpPending();
    EXPECT_EQ(calls, c.expected) << c.keys << (c.frameEnabled ? "" : " (rule says disabled)");
  }
}

TEST_F(CommandRoutingTest, AGrayBarItemDisablesTheAcceleratorsOfItsPopup) {
  const ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'F', kCmdFrame}};
  frame.SetAccelerators(CreateAcceleratorTable(keys, 1));
  EnableMenuItem(bar, 0, MF_BYPOSITION | MF_GRAYED);
  driver.PressKey("Ctrl+F");
  PumpPending();
  EXPECT_TRUE(calls.empty());
  EnableMenuItem(bar, 0, MF_BYPOSITION | MF_ENABLED);
  driver.PressKey("Ctrl+F");
  PumpPending();
  EXPECT_EQ(calls, std::vector<std::string>{"frame 202"});
}

TEST_F(CommandRoutingTest, TheMenuLoopOpensInitialisesShowsPromptsAndChooses) {
  SetString(kCmdViewOnly, "first prompt\nfirst");
  SetString(kCmdBoth, "second prompt\nsecond");
  driver.PressKey("Alt+C");  // opens the popup, the first item highlighted
  driver.Then([&] {
    EXPECT_EQ(WindowText(status.hwnd()), "first prompt");
    driver.PressKey("Down");
  });
  driver.Then([&] {
    EXPECT_EQ(WindowText(status.hwnd()), "second prompt");
    driver.PressKey("Enter");
  });
  driver.Run();
  EXPECT_EQ(calls, std::vector<std::string>{"view 201"});
  EXPECT_EQ(WindowText(status.hwnd()), "");
}

// A bar that refreshes its buttons from the frame's enable rules in the idle pass.
class IdleBar : public Window {
 public:
  TestFrame* frame = nullptr;
  std::vector<std::pair<UINT, bool>> buttons;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_IDLEUPDATECMDUI) return Window::WindowProc(message, wParam, lParam);
    buttons.clear();
    for (UINT id : {kCmdFrame, kCmdNobody, kCmdViewOnly}) {
      CommandUI ui(id);
      frame->UpdateCommandUI(ui);
      buttons.emplace_back(id, ui.enabled().value_or(true));
    }
    return 0;
  }
};

TEST_F(CommandRoutingTest, TheIdlePassRefreshesBarsFromTheEnableRules) {
  IdleBar bar;
  bar.frame = &frame;
  CreateParams p;
  p.style = WS_CHILD | WS_VISIBLE;
  p.parent = frame.hwnd();
  ASSERT_TRUE(bar.Create(p));
  frame.frameEnabled = false;
  driver.Run();
  EXPECT_EQ(bar.buttons, (std::vector<std::pair<UINT, bool>>{{kCmdFrame, false}, {kCmdNobody, false}, {kCmdViewOnly, true}}));
  frame.frameEnabled = true;
  SetFocus(frame.hwnd());
  driver.Run();
  EXPECT_EQ(bar.buttons, (std::vector<std::pair<UINT, bool>>{{kCmdFrame, true}, {kCmdNobody, false}, {kCmdViewOnly, false}}));
}

// A control whose own notifications come back to it through its parent.
class ReflectingControl : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  LRESULT OnItemChanged(NMHDR*) {
    g_calls->push_back("control took its notification");
    return 5;
  }
  void OnChange() { g_calls->push_back("control took its command"); }
};

const MessageMap& ReflectingControl::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<ReflectingControl>(Window::ClassMessageMap())
                                    .OnReflectedNotify(NM_FIRST - 101, &ReflectingControl::OnItemChanged)
                                    .OnReflectedCommand(0x300, &ReflectingControl::OnChange);
  return map;
}

class NotifiedParent : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  LRESULT OnReturn(NMHDR* header) {
    g_calls->push_back("parent took NM_RETURN from " + std::to_string(header->idFrom));
    return 0;
  }
  void OnControlCommand() { g_calls->push_back("parent took 0x301"); }
};

const MessageMap& NotifiedParent::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<NotifiedParent>(Window::ClassMessageMap())
                                    .OnNotify(9, NM_RETURN, &NotifiedParent::OnReturn)
                                    .OnControlCommand(9, 0x301, &NotifiedParent::OnControlCommand);
  return map;
}

TEST_F(CommandRoutingTest, NotificationsAreReflectedToTheControlBeforeTheParentSeesThem) {
  NotifiedParent parent;
  ReflectingControl control;
  CreateParams p;
  ASSERT_TRUE(parent.Create(p));
  CreateParams c;
  c.style = WS_CHILD;
  c.parent = parent.hwnd();
  c.id = 9;
  ASSERT_TRUE(control.Create(c));
  struct Case {
    UINT message;
    UINT code;
    LRESULT result;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {WM_NOTIFY, NM_FIRST - 101, 5, {"control took its notification"}},
      {WM_NOTIFY, NM_RETURN, 0, {"parent took NM_RETURN from 9"}},
      {WM_COMMAND, 0x300, 0, {"control took its command"}},
      {WM_COMMAND, 0x301, 0, {"parent took 0x301"}},
  };
  for (const Case& k : cases) {
    calls.clear();
    NMHDR header{control.hwnd(), 9, k.code};
    const LRESULT result =
        k.message == WM_NOTIFY
            ? SendMessage(parent.hwnd(), WM_NOTIFY, 9, reinterpret_cast<LPARAM>(&header))
            : SendMessage(parent.hwnd(), WM_COMMAND, MAKEWPARAM(9, static_cast<WORD>(k.code)), ToLParam(control.hwnd()));
    EXPECT_EQ(result, k.result);
    EXPECT_EQ(calls, k.expected) << std::hex << k.code;
  }
}

}  // namespace
}  // namespace lexiv::testing
