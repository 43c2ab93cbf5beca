#include "platform/controls/splitter.h"

#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/core/focus.h"

namespace lexiv::testing {
namespace {

class SplitterTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(top.CreateTop());
    CreateParams p;
    p.style = WS_CHILD | WS_VISIBLE;
    p.parent = top.hwnd();
    p.rect = RECT{0, 30, 300, 230};
    ASSERT_TRUE(splitter.Create(p));
    ASSERT_TRUE(left.CreateChild(splitter.hwnd(), Splitter::PaneId(0)));
    ASSERT_TRUE(right.CreateChild(splitter.hwnd(), Splitter::PaneId(1)));
    ASSERT_TRUE(outside.CreateChild(top.hwnd(), 5));
  }
  RECT Rect(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    POINT origin{0, 0};
    ClientToScreen(splitter.hwnd(), &origin);
    return RECT{r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
  }
  RecordingWindow top{"top", nullptr};
  Splitter splitter;
  RecordingWindow left{"left", nullptr};
  RecordingWindow right{"right", nullptr};
  RecordingWindow outside{"outside", nullptr};
};

TEST_F(SplitterTest, TheSplitLaysOutBothColumns) {
  struct Case {
    int asked;
    int width;
  };
  const int bar = Splitter::kBarWidth;
  for (const Case c : {Case{90, 90}, Case{0, 0}, Case{-5, 0}, Case{1000, 300 - bar}}) {
    splitter.SetColumnWidth(c.asked);
    EXPECT_EQ(splitter.ColumnWidth(), c.width) << c.asked;
    EXPECT_EQ(Rect(left.hwnd()), (RECT{0, 0, c.width, 200})) << c.asked;
    EXPECT_EQ(Rect(right.hwnd()), (RECT{c.width + bar, 0, 300, 200})) << c.asked;
  }
  // A wider splitter gives the room to the second column.
  splitter.SetColumnWidth(90);
  MoveWindow(splitter.hwnd(), 0, 30, 500, 200, TRUE);
  EXPECT_EQ(Rect(right.hwnd()), (RECT{90 + bar, 0, 500, 200}));
}

TEST_F(SplitterTest, TheActivePaneIsTheOneThatHadTheFocusLast) {
  EXPECT_EQ(splitter.ActiveColumn(), -1);
  SetFocus(right.hwnd());
  EXPECT_EQ(splitter.ActivePane(), right.hwnd());
  SetFocus(outside.hwnd());
  EXPECT_EQ(splitter.ActiveColumn(), 1);
  splitter.SetActivePane(0);
  EXPECT_EQ(GetFocus(), left.hwnd());
  EXPECT_EQ(splitter.ActiveColumn(), 0);
}

TEST_F(SplitterTest, TheSplitMovesByKeys) {
  struct Case {
    const char* name;
    std::vector<const char*> keys;
    int width;
  };
  const std::vector<Case> cases = {
      {"Right twice and Enter keeps it", {"Right", "Right", "Enter"}, 100 + 2 * Splitter::kKeyboardStep},
      {"Ctrl moves one pixel", {"Ctrl+Left", "Enter"}, 99},
      {"Escape puts it back", {"Left", "Left", "Escape"}, 100},
  };
  for (const Case& c : cases) {
    splitter.SetColumnWidth(100);
    SetFocus(right.hwnd());
    SendMessage(splitter.hwnd(), WM_COMMAND, ID_WINDOW_SPLIT, 0);
    EXPECT_TRUE(splitter.InKeyboardSplit());
    EXPECT_EQ(GetFocus(), splitter.hwnd());
    for (const char* key : c.keys) driver.PressKey(key);
    PumpPending();
    EXPECT_EQ(splitter.ColumnWidth(), c.width) << c.name;
    EXPECT_FALSE(splitter.InKeyboardSplit()) << c.name;
    EXPECT_EQ(GetFocus(), right.hwnd()) << c.name;
  }
}

}  // namespace
}  // namespace lexiv::testing
