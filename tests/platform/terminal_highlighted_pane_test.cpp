#include <gtest/gtest.h>

#include "control_fixture.h"
#include "platform/controls/status_bar.h"
#include "platform/terminal/terminal_canvas.h"
#include "platform/terminal/terminal_renderer.h"

namespace lexiv::testing {
namespace {

// A bar whose second pane stands out, as the caption over the focused view does.
class SecondPaneHighlighted : public StatusBar {
 public:
  bool PaneHighlighted(int pane) const override { return pane == 1; }
};

// A bar of captions: each text centred in its pane.
class CenteredCaptions : public StatusBar {
 public:
  bool PanesCentered() const override { return true; }
};

// The bar on a frame of its own with the panes "list" (8 cells) and "mean" (12 cells), drawn.
TerminalCanvas RenderTwoPanes(StatusBar& bar) {
  HeadlessDriver driver;
  UiThread ui{driver};
  NoticeParent frame;
  TerminalCanvas canvas(30, 4);
  if (!frame.CreateTop()) return canvas;
  const HWND h = MakeChild(bar, frame.hwnd(), 3, 0, RECT{0, 0, 160, 16});
  const int edges[] = {64, -1};
  SendMessage(h, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  SendMessage(h, SB_SETTEXT, 0, reinterpret_cast<LPARAM>("list"));
  SendMessage(h, SB_SETTEXT, 1, reinterpret_cast<LPARAM>("mean"));
  RenderScreen(canvas);
  DestroyWindow(h);
  return canvas;
}

TEST(TerminalHighlightedPaneTest, AHighlightedPaneIsReversedAcrossItsWidth) {
  SecondPaneHighlighted bar;
  const TerminalCanvas canvas = RenderTwoPanes(bar);
  EXPECT_EQ(canvas.RowText(1), "list    mean");
  for (int column = 0; column < 8; ++column)
    EXPECT_FALSE(canvas.At(column, 1).attributes & kCellReverse) << "plain pane, cell " << column;
  for (int column = 8; column < 20; ++column)
    EXPECT_TRUE(canvas.At(column, 1).attributes & kCellReverse) << "highlighted pane, cell " << column;
}

TEST(TerminalHighlightedPaneTest, CaptionsStandInTheMiddleOfTheirPanes) {
  CenteredCaptions bar;
  const TerminalCanvas canvas = RenderTwoPanes(bar);
  EXPECT_EQ(canvas.RowText(1), "  list      mean");
}

}  // namespace
}  // namespace lexiv::testing
