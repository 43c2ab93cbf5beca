// The headword list and the search box between the panes: opening an entry, going back to it,
// the caption over the focused view, the two-column form's header, and a quiet start.
#include <gtest/gtest.h>

#include <string>

#include "access/speech_scenario.h"
#include "app/main_frame.h"
#include "app/settings_store.h"
#include "app_fixture.h"
#include "platform/controls/list_view_messages.h"
#include "platform/controls/splitter.h"
#include "platform/controls/status_bar.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "views/caption_bar.h"
#include "views/mean_view.h"
#include "views/search_box.h"
#include "views/title_view.h"

namespace lexiv::testing {
namespace {

class ListPanesTest : public AppFixture {
 protected:
  CMainFrame& Start(const char* commandLine = "lexiv") {
    WriteDword(HKEY_CURRENT_USER, kSettingsKey, "TitleMean", 0);
    EXPECT_EQ(NewApp().Start(commandLine), 0);
    return *app->mainFrame();
  }
  // Runs scenario lines (UTF-8, as scenario files are); the windows are named as in the
  // program's scenarios.
  void Run(const char8_t* steps) { Run(std::string(reinterpret_cast<const char*>(steps))); }
  void Run(const std::string& steps) {
    CMainFrame& frame = *app->mainFrame();
    ScenarioRunner runner{driver};
    runner.NameWindow("box", frame.SearchBox()->hwnd());
    runner.NameWindow("list", frame.TitleView()->hwnd());
    runner.NameWindow("meaning", frame.MeanView()->hwnd());
    access::AddSpeechSteps(runner, reader);
    const ScenarioResult result = runner.Run(steps, "steps");
    EXPECT_EQ(result.failures, 0) << result.report;
  }
  std::string LastSaid() const {
    const std::vector<std::string> texts = reader.SpokenTexts();
    return texts.empty() ? std::string() : texts.back();
  }
  std::vector<bool> HighlightedCaptions() {
    const CCaptionBar& caption = *app->mainFrame()->CaptionBar();
    return {caption.PaneHighlighted(0), caption.PaneHighlighted(1)};
  }
};

TEST_F(ListPanesTest, EnterOpensTheEntryAndTheCaptionFollowsTheFocus) {
  CMainFrame& frame = Start();
  EXPECT_EQ(HighlightedCaptions(), (std::vector<bool>{false, false})) << "the box has the focus";
  Run(u8"type はし\nkey Enter\nexpect focus list\nkey Down\n");
  EXPECT_EQ(HighlightedCaptions(), (std::vector<bool>{true, false}));
  frame.Flags().externalRequest = 1;
  Run(u8"key Enter\nexpect focus meaning\n");
  EXPECT_EQ(HighlightedCaptions(), (std::vector<bool>{false, true}));
  EXPECT_EQ(frame.MeanView()->CurrentPosition(), 23880) << "端, the second はし";
  EXPECT_EQ(frame.Flags().externalRequest, 0u);
}

struct GoingBack {
  const char* from;    // the window the user leaves the meaning for
  const char* goBack;  // the step that goes back
};

class GoingBackTest : public ListPanesTest, public ::testing::WithParamInterface<GoingBack> {};

TEST_P(GoingBackTest, ReturnsToTheOpenedEntrySayingPass) {
  const GoingBack& c = GetParam();
  CMainFrame& frame = Start();
  Run(u8"type はし\nkey Enter\nkey Enter\nexpect focus meaning\n");
  const std::string leave = std::string(c.from) == "list" ? "key Shift+Backspace\n" : "key Alt+F11\n";
  Run(leave + "expect focus " + c.from + "\n" + c.goBack + "\nexpect focus meaning\n");
  EXPECT_EQ(LastSaid(), "パス") << Report();
  EXPECT_EQ(frame.MeanView()->CurrentPosition(), 23801) << "橋 stays the entry";
}

INSTANTIATE_TEST_SUITE_P(FromListAndBox, GoingBackTest,
                         ::testing::Values(GoingBack{"list", "key Escape"}, GoingBack{"list", "rclick list"},
                                           GoingBack{"box", "key Escape"}, GoingBack{"box", "rclick box"}),
                         [](const ::testing::TestParamInfo<GoingBack>& info) {
                           std::string name = std::string(info.param.from) + "_" + info.param.goBack;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

TEST_F(ListPanesTest, TheTwoColumnFormShowsItsHeaderAtTheSavedWidths) {
  WriteDword(HKEY_CURRENT_USER, kSettingsKey, "TitleDispForm", 1);
  WriteDword(HKEY_CURRENT_USER, kSettingsKey, "TitleWidth1", 96);
  WriteDword(HKEY_CURRENT_USER, kSettingsKey, "TitleWidth2", 40);
  CMainFrame& frame = Start();
  Run(u8"type はし\nkey Enter\nexpect focus list\n");
  const HWND list = frame.TitleView()->hwnd();
  EXPECT_EQ(GetWindowLong(list, GWL_STYLE) & LVS_NOCOLUMNHEADER, 0);
  struct Column {
    const char* heading;
    int width;
    const char* firstItem;
  };
  const Column columns[] = {{"見出し語", 96, "橋"}, {"読み", 40, "はし"}};
  for (int i = 0; i < 2; ++i) {
    char heading[32] = {};
    LVCOLUMN column;
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = heading;
    column.cchTextMax = sizeof heading;
    ASSERT_TRUE(SendMessage(list, LVM_GETCOLUMN, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(heading, columns[i].heading);
    EXPECT_EQ(column.cx, columns[i].width);
    EXPECT_EQ(column.fmt, LVCFMT_LEFT);
    char text[32] = {};
    LVITEM item;
    item.iSubItem = i;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(list, LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, columns[i].firstItem);
  }
  LVCOLUMN third;
  EXPECT_FALSE(SendMessage(list, LVM_GETCOLUMN, 2, reinterpret_cast<LPARAM>(&third)));
}

TEST_F(ListPanesTest, TheOneColumnFormsFitTheColumnToThePane) {
  CMainFrame& frame = Start();
  Run(u8"type はし\nkey Enter\nexpect focus list\n");
  const HWND list = frame.TitleView()->hwnd();
  EXPECT_NE(GetWindowLong(list, GWL_STYLE) & LVS_NOCOLUMNHEADER, 0);
  EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), frame.SplitColumnWidth() - 16);
  LVCOLUMN second;
  EXPECT_FALSE(SendMessage(list, LVM_GETCOLUMN, 1, reinterpret_cast<LPARAM>(&second)));
}

// Moving the split by keys (表示 > 分割位置変更, eight Right, Enter): the caption over the list and
// the list's column follow the wider pane.
TEST_F(ListPanesTest, AKeyboardSplitMoveTakesTheCaptionAndTheColumnAlong) {
  CMainFrame& frame = Start();
  Run(u8"type はし\nkey Enter\nexpect focus list\n");
  const int before = frame.SplitColumnWidth();
  SendMessage(frame.hwnd(), WM_COMMAND, ID_WINDOW_SPLIT, 0);
  Run(u8"key Right Right Right Right Right Right Right Right\nkey Enter\nexpect focus list\n");
  const int width = frame.SplitColumnWidth();
  EXPECT_EQ(width, before + 8 * Splitter::kKeyboardStep);
  RECT caption{};
  SendMessage(frame.CaptionBarWindow(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&caption));
  EXPECT_EQ(caption.right, width - 2);
  EXPECT_EQ(SendMessage(frame.TitleView()->hwnd(), LVM_GETCOLUMNWIDTH, 0, 0), width - 16);
}

TEST_F(ListPanesTest, AQuietStartKeepsTheBoxSilentOnceOnly) {
  CMainFrame& frame = Start("lexiv /APP");
  EXPECT_EQ(frame.Flags().activation, 1u) << "still to be used by the next pane";
  Run(u8"expect speech 国語辞典\nexpect no speech\n"
      u8"type はし\nkey Enter\nexpect speech 見出し語␞3件␞\nexpect speech 橋\n"
      u8"key Alt+F11\nexpect speech 読み方␞はし\n");
}

}  // namespace
}  // namespace lexiv::testing
