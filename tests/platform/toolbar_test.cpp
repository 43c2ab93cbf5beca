#include "platform/controls/toolbar.h"

#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/core/frame_window.h"

namespace lexiv::testing {
namespace {

constexpr UINT kToolbarId = 59392;
constexpr int kBack = 32782;
constexpr int kForward = 32783;
constexpr int kAbout = 57664;
constexpr int kUnhandled = 40000;

// A frame whose history can go back but not forward, with an about box that counts its runs.
class ToolFrame : public FrameWindow {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  bool canGoForward = false;
  int aboutRuns = 0;

 private:
  void OnBack() {}
  void OnForward() {}
  void OnAbout() { ++aboutRuns; }
  void OnUpdateForward(CommandUI& ui) { ui.Enable(canGoForward); }
};

const MessageMap& ToolFrame::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<ToolFrame>(FrameWindow::ClassMessageMap())
                                    .OnCommand(kBack, &ToolFrame::OnBack)
                                    .OnCommand(kForward, &ToolFrame::OnForward)
                                    .OnUpdateCommand(kForward, &ToolFrame::OnUpdateForward)
                                    .OnCommand(kAbout, &ToolFrame::OnAbout);
  return map;
}

class ToolbarTest : public HeadlessTest {
 protected:
  void SetUp() override {
    CreateParams p;
    p.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    p.rect = RECT{0, 0, 400, 300};
    ASSERT_TRUE(frame.Create(p));
    CreateParams t;
    t.style = WS_CHILD | WS_VISIBLE;
    t.parent = frame.hwnd();
    t.id = kToolbarId;
    t.rect = RECT{0, 0, 400, 22};
    ASSERT_TRUE(bar.Create(t));
    // search box place (separator), back, forward, separator, unhandled, about
    const TBBUTTON buttons[] = {
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP},
        {0, kBack, TBSTATE_ENABLED, TBSTYLE_BUTTON},
        {0, kForward, TBSTATE_ENABLED, TBSTYLE_BUTTON},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP},
        {0, kUnhandled, TBSTATE_ENABLED, TBSTYLE_BUTTON},
        {0, kAbout, TBSTATE_ENABLED, TBSTYLE_BUTTON},
    };
    ASSERT_TRUE(SendMessage(bar.hwnd(), TB_ADDBUTTONS, 6, reinterpret_cast<LPARAM>(buttons)));
  }
  bool Enabled(int id) { return SendMessage(bar.hwnd(), TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) != 0; }

  ToolFrame frame;
  Toolbar bar;
};

TEST_F(ToolbarTest, TheIdlePassGraysButtonsByTheirEnableRules) {
  struct Case {
    bool canGoForward;
    bool forward;
  };
  for (const Case c : {Case{false, false}, Case{true, true}, Case{false, false}}) {
    frame.canGoForward = c.canGoForward;
    PumpPending();
    EXPECT_TRUE(Enabled(kBack));
    EXPECT_EQ(Enabled(kForward), c.forward);
    EXPECT_FALSE(Enabled(kUnhandled)) << "a command nobody handles is gray";
    EXPECT_TRUE(Enabled(kAbout));
  }
  std::vector<std::string> lines;
  bar.DescribeContents(lines);
  EXPECT_EQ(lines, std::vector<std::string>({"| 32782 32783(gray) | 40000(gray) 57664"}));
}

TEST_F(ToolbarTest, AControlSitsInASeparatorsPlaceAndHitsFindButtons) {
  Window box;
  CreateParams p;
  p.style = WS_CHILD | WS_VISIBLE;
  p.parent = bar.hwnd();
  p.id = 108;
  p.rect = RECT{0, 0, 10, 18};
  ASSERT_TRUE(box.Create(p));
  ASSERT_TRUE(bar.EmbedControl(0, 108, 176, box.hwnd()));
  RECT r;
  GetWindowRect(box.hwnd(), &r);
  EXPECT_EQ(r, (RECT{0, 2, 176, 20}));

  struct Case {
    POINT point;
    LRESULT index;
  };
  const Case cases[] = {
      {{5, 5}, -1},                                   // over the control: a separator's place
      {{176 + 3, 5}, 1},                              // back
      {{176 + 24 + 3, 5}, 2},                         // forward
      {{176 + 48 + 2, 5}, -4},                        // the plain separator
      {{176 + 48 + Toolbar::kSeparatorWidth + 24 + 1, 5}, 5},  // about
      {{399, 5}, -7},                                 // past every button
  };
  for (const Case& c : cases) {
    POINT point = c.point;
    EXPECT_EQ(SendMessage(bar.hwnd(), TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)), c.index) << point.x;
  }

  const POINT about{176 + 48 + Toolbar::kSeparatorWidth + 24 + 1, 5};
  driver.Click(bar.hwnd(), about);
  PumpPending();
  EXPECT_EQ(frame.aboutRuns, 1);
  SendMessage(bar.hwnd(), TB_ENABLEBUTTON, kAbout, FALSE);
  driver.Click(bar.hwnd(), about);
  // Without the idle pass, which would enable the button again.
  Msg msg;
  while (PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE)) ProcessMessage(msg);
  EXPECT_EQ(frame.aboutRuns, 1);
}

}  // namespace
}  // namespace lexiv::testing
