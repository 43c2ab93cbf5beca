// What a zoom level changes on a terminal: the meaning's characters grow with the level, so its
// lines wrap at fewer cells, and above level 2 the status bar gives its row to the text. The
// headword list keeps its size.
#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/text_positions.h"
#include "views/command_ids.h"
#include "views/mean_view.h"

namespace lexiv::testing {
namespace {

class ZoomLayoutTest : public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
    driver.Run();
  }
  CMainFrame& frame() { return *app->mainFrame(); }
  void Command(UINT id) {
    SendMessage(frame().hwnd(), WM_COMMAND, id, 0);
    driver.Run();
  }
  // The cells of the widest display line of the meaning.
  int WidestLineCells() {
    const CMeanView& view = *frame().MeanView();
    const std::string text = WindowText(view.hwnd());
    int widest = 0;
    for (const DisplayLine& line : view.Lines()) {
      int cells = 0;
      for (std::size_t at = line.start; at < line.End(); at += SjisCharBytesAt(text, at))
        cells += CharCellsAt(text, at);
      widest = std::max(widest, cells);
    }
    return widest;
  }
};

TEST_F(ZoomLayoutTest, EachLevelWrapsTheMeaningAtItsOwnWidthAndHidesTheStatusBarAboveTwo) {
  std::vector<SearchHit> hits(8);
  ASSERT_GE(frame().Engine().SearchHeadwords("あさ", 0, 0, hits.data(), 8), 1);
  std::int32_t position = hits[0].entryPos;
  CMeanView& view = *frame().MeanView();
  ASSERT_EQ(view.ShowEntry(0, position, 1, 0, 0, 0, 0), 1);
  RECT pane;
  GetClientRect(view.hwnd(), &pane);
  const int paneCells = static_cast<int>(pane.Width()) / 8;
  const int listLines = static_cast<int>(frame().TitleView()->ItemCount());

  std::size_t previousLines = 0;
  for (int level = 0; level <= 7; ++level) {
    SCOPED_TRACE("level " + std::to_string(level));
    Command(level == 0 ? ID_ZOOM_NORMAL : ID_ZOOM_1 + static_cast<UINT>(level) - 1);
    EXPECT_EQ(frame().ZoomLevel(), level);
    // A cell of the enlarged text is (level + 1) cells of the screen wide.
    const int capacity = paneCells / (level + 1);
    const int widest = WidestLineCells();
    EXPECT_LE(widest * (level + 1), paneCells);
    // A wrapped line is full but for at most one double-byte character.
    EXPECT_GE(widest, capacity - 1);
    EXPECT_GT(view.Lines().size(), previousLines);
    previousLines = view.Lines().size();
    EXPECT_EQ(IsWindowVisible(frame().StatusBarWindow()) != FALSE, level <= 2);
    EXPECT_EQ(frame().TitleView()->ItemCount(), listLines);
  }
}

TEST_F(ZoomLayoutTest, AnEnlargedScreenSavedAtExitComesBackAtTheNextStart) {
  Command(ID_ZOOM_1 + 3);
  app->Shutdown();
  reader.ClearCalls();
  ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
  driver.Run();
  EXPECT_EQ(frame().ZoomLevel(), 4);
  EXPECT_FALSE(IsWindowVisible(frame().StatusBarWindow()));
  // It came back silently: the start says only the title and the box.
  for (const std::string& text : reader.SpokenTexts()) EXPECT_EQ(text.find("拡大"), std::string::npos) << text;
}

}  // namespace
}  // namespace lexiv::testing
