// The command table and what is made from it: keys that collide, the menu bar, the search bar,
// and which commands are gray because nothing handles them yet.
#include "app/command_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app_fixture.h"
#include "platform/core/command_ui.h"
#include "platform/core/menu.h"
#include "views/command_ids.h"

namespace lexiv::testing {
namespace {

TEST(CommandTableTest, NoTwoCommandsShareAKeyOrAnId) {
  std::map<std::pair<int, int>, UINT> owners;
  for (const ACCEL& key : AcceleratorEntriesOfTable()) {
    const auto [it, fresh] = owners.emplace(std::make_pair(key.fVirt, key.key), key.cmd);
    EXPECT_TRUE(fresh) << "key " << key.key << " with " << int(key.fVirt) << " is bound to " << it->second << " and "
                       << key.cmd;
  }
  std::set<UINT> ids;
  for (const CommandEntry& entry : CommandTable()) EXPECT_TRUE(ids.insert(entry.id).second) << entry.id;
}

TEST(CommandTableTest, TheSearchBarHoldsOnlyCommandsOfTheTable) {
  for (int place : SearchBarLayout())
    if (place > 0) {
      EXPECT_NE(FindCommand(static_cast<UINT>(place)), nullptr) << place;
    }
}

TEST(CommandTableTest, TheMenuBarHasItsPopupsItemsAndSeparatorsInOrder) {
  HeadlessDriver driver;
  UiThread ui{driver};
  const HMENU bar = BuildMenuBar();
  ASSERT_EQ(GetMenuItemCount(bar), 5);
  const char* const popups[] = {"操作(F)", "読み(R)", "編集(E)", "表示(V)", "ﾍﾙﾌﾟ(H)"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(MenuItemLabel(bar, i), popups[i]);
  // Item ids by position, 0 for a separator, -1 for the zoom submenu.
  const std::vector<std::vector<int>> layout = {
      {32778, 32779, 32780, 0, 32781, 32782, 32783, 0, 32784, 32785, 0, 57665},
      {32843, 0, 32810, 32833, 32811},
      {32814, 32815, 0, 32818, 32819},
      {-1, 32817, 0, 59393, 57653},
      {57670, 0, 57664},
  };
  for (int p = 0; p < 5; ++p) {
    const HMENU popup = GetSubMenu(bar, p);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(layout[p].size())) << popups[p];
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
      const UINT flags = MenuItemFlags(popup, i);
      const int expected = layout[p][i];
      if (expected == -1)
        EXPECT_TRUE(flags & MF_POPUP);
      else if (expected == 0)
        EXPECT_TRUE(flags & MF_SEPARATOR) << popups[p] << " " << i;
      else
        EXPECT_EQ(GetMenuItemID(popup, i), static_cast<UINT>(expected)) << popups[p] << " " << i;
    }
  }
  const HMENU zoom = GetSubMenu(GetSubMenu(bar, 3), 0);
  ASSERT_EQ(GetMenuItemCount(zoom), 8);
  EXPECT_EQ(GetMenuItemID(zoom, 0), 33007u);
  EXPECT_EQ(GetMenuItemID(zoom, 7), 32807u);
  char text[64];
  GetMenuString(GetSubMenu(bar, 2), 4, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "次を検索(&I)\tAlt+↓");
  DestroyMenu(bar);
}

class CommandStateTest : public AppFixture {};

TEST_F(CommandStateTest, CommandsWithoutTheirActionsAreGrayAndTheOthersFollowTheirRules) {
  // Every command has its action but Ctrl+V, which the search box takes before the table.
  for (const CommandEntry& entry : CommandTable())
    EXPECT_EQ(entry.handler == nullptr, entry.id == ID_PASTE) << entry.id;

  ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
  CMainFrame& frame = *app->mainFrame();
  struct Case {
    UINT id;
    bool enabled;
  };
  auto check = [&frame](std::initializer_list<Case> cases, const char* when) {
    for (const Case c : cases) {
      CommandUI ui(c.id);
      frame.UpdateCommandUI(ui);
      EXPECT_EQ(ui.enabled().value_or(true), c.enabled) << c.id << " " << when;
    }
  };
  check({Case{ID_APP_EXIT, true}, Case{ID_SEARCH_BY_READING, true}, Case{ID_WINDOW_SPLIT_MOVE, true},
         Case{ID_DISPLAY_FONT, true}, Case{ID_APP_ABOUT, true}, Case{ID_ZOOM_1, true}, Case{ID_ZOOM_CYCLE, true},
         Case{ID_HEADWORD_READING, true}, Case{ID_VIEW_STATUS_BAR, true}, Case{ID_APPENDIX_FIRST, true},
         Case{ID_SPEED_TOGGLE, true}, Case{ID_SPEAK_POSITION, true}, Case{ID_READ_AGAIN, true},
         Case{ID_ONLINE_MANUALS, true}, Case{ID_HISTORY_BACK, false}, Case{ID_HISTORY_FORWARD, false},
         Case{ID_NEXT_ENTRY, false}, Case{ID_SEARCH_AT_CURSOR, false}, Case{ID_GO_TO_HEADWORDS, false},
         Case{ID_SEARCH_BOX_ENTER, false}, Case{ID_READ_LINE, false}, Case{ID_READ_ALL, false}, Case{ID_FIND, false},
         Case{ID_FIND_NEXT, false}, Case{ID_FIND_PREVIOUS, false}},
        "in the empty search box");
  frame.History().Push(100);
  frame.History().Push(200);
  check({Case{ID_HISTORY_BACK, true}}, "with a history");
  reader.SetReaderStatus(0);
  check({Case{ID_SPEED_TOGGLE, false}, Case{ID_CURRENT_GUIDE, false}, Case{ID_SPEAK_POSITION, false},
         Case{ID_READ_INPUT_STATUS, true}},
        "without a reader");
}

}  // namespace
}  // namespace lexiv::testing
