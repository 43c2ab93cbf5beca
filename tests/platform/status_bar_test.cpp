#include "platform/controls/status_bar.h"

#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/core/accessibility.h"
#include "platform/core/frame_window.h"

namespace lexiv::testing {
namespace {

class StatusBarTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.CreateTop(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    CreateParams p;
    p.style = WS_CHILD | WS_VISIBLE;
    p.parent = frame.hwnd();
    p.rect = RECT{0, 184, 320, 200};
    ASSERT_TRUE(bar.Create(p));
  }
  RecordingWindow frame{"frame", nullptr};
  StatusBar bar;
};

TEST_F(StatusBarTest, PanesKeepTheirWidthsAndTexts) {
  const int edges[] = {200, 240, -1};
  ASSERT_TRUE(SendMessage(bar.hwnd(), SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
  SendMessage(bar.hwnd(), SB_SETTEXT, 1, reinterpret_cast<LPARAM>("ｶﾅ"));
  SendMessage(bar.hwnd(), SB_SETTEXT, 2 | SBT_NOBORDERS, reinterpret_cast<LPARAM>("NUM"));
  SetWindowText(bar.hwnd(), "検索文字が見つかりません。");  // the message bar writes pane 0

  struct Case {
    WPARAM pane;
    std::string text;
    WORD kind;
    RECT rect;
  };
  const Case cases[] = {
      {0, "検索文字が見つかりません。", 0, {0, 0, 200, 16}},
      {1, "ｶﾅ", 0, {200, 0, 240, 16}},
      {2, "NUM", SBT_NOBORDERS, {240, 0, 320, 16}},
  };
  for (const Case& c : cases) {
    char buffer[64] = {};
    const LRESULT answer = SendMessage(bar.hwnd(), SB_GETTEXT, c.pane, reinterpret_cast<LPARAM>(buffer));
    EXPECT_EQ(buffer, c.text) << c.pane;
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(answer)), c.text.size()) << c.pane;
    EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(answer)), c.kind) << c.pane;
    RECT r;
    ASSERT_TRUE(SendMessage(bar.hwnd(), SB_GETRECT, c.pane, reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(r, c.rect) << c.pane;
  }
  EXPECT_EQ(WindowText(bar.hwnd()), "検索文字が見つかりません。");
  EXPECT_FALSE(SendMessage(bar.hwnd(), SB_SETTEXT, 3, reinterpret_cast<LPARAM>("x"))) << "no such pane";
  EXPECT_FALSE(SendMessage(bar.hwnd(), SB_SETPARTS, 0, reinterpret_cast<LPARAM>(edges)));

  // Fewer panes keep the texts of those that remain.
  const int two[] = {100, -1};
  SendMessage(bar.hwnd(), SB_SETPARTS, 2, reinterpret_cast<LPARAM>(two));
  EXPECT_EQ(bar.PaneText(1), "ｶﾅ");
  EXPECT_EQ(bar.PaneText(2), "");
}

TEST_F(StatusBarTest, SimpleModeShowsItsOwnText) {
  SetWindowText(bar.hwnd(), "pane");
  SendMessage(bar.hwnd(), SB_SIMPLE, TRUE, 0);
  SendMessage(bar.hwnd(), SB_SETTEXT, SB_SIMPLEID, reinterpret_cast<LPARAM>("simple"));
  std::vector<std::string> lines;
  bar.DescribeContents(lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"simple: simple"}));
  SendMessage(bar.hwnd(), SB_SIMPLE, FALSE, 0);
  EXPECT_EQ(bar.PaneText(0), "pane");
}

TEST_F(StatusBarTest, ServesAsTheFramesMessageBarAndReportsChanges) {
  FrameWindow main;
  CreateParams p;
  p.style = WS_OVERLAPPEDWINDOW;
  p.rect = RECT{0, 0, 320, 200};
  ASSERT_TRUE(main.Create(p));
  main.SetMessageBar(bar.hwnd());
  std::vector<AccessEvent> events;
  AccessSubscription subscription([&](const AccessEvent& e) { events.push_back(e); });
  main.SetMessageText("準備完了");
  EXPECT_EQ(bar.PaneText(0), "準備完了");
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, AccessEventKind::kValueChanged);
  EXPECT_EQ(events[0].role, ROLE_SYSTEM_STATUSBAR);
  EXPECT_EQ(events[0].value, "準備完了");
  main.SetMessageText("準備完了");
  EXPECT_EQ(events.size(), 1u) << "the same text again is no change";
}

}  // namespace
}  // namespace lexiv::testing
