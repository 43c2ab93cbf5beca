#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/core/menu.h"

namespace lexiv::testing {
namespace {

class MenuTest : public HeadlessTest {
 protected:
  void SetUp() override {
    zoom = CreatePopupMenu();
    for (UINT id = 32801; id <= 32803; ++id) AppendMenu(zoom, MF_STRING, id, ("拡大" + std::to_string(id - 32800)).c_str());
    view = CreatePopupMenu();
    AppendMenu(view, MF_POPUP, ToWParam(zoom), "拡大率切替(&K)");
    AppendMenu(view, MF_SEPARATOR, 0, nullptr);
    AppendMenu(view, MF_STRING, 32817, "表示フォント(&F)...");
    AppendMenu(view, MF_STRING, 59393, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)");
    bar = CreateMenu();
    AppendMenu(bar, MF_POPUP, ToWParam(view), "表示(&V)");
    AppendMenu(bar, MF_STRING, 57664, "R&&D");
  }
  HMENU zoom, view, bar;
};

TEST_F(MenuTest, StatesByPositionAndByCommand) {
  // A popup reports its item count in the high byte, as the system does.
  EXPECT_EQ(GetMenuState(view, 0, MF_BYPOSITION), MF_POPUP | (3u << 8));
  EXPECT_EQ(MenuItemFlags(view, 0), MF_POPUP);
  EXPECT_EQ(GetMenuState(view, 1, MF_BYPOSITION), MF_SEPARATOR);
  EXPECT_EQ(GetMenuState(bar, 99999, MF_BYCOMMAND), 0xFFFFFFFFu);

  // By command the search goes down into popups.
  EXPECT_EQ(EnableMenuItem(bar, 32802, MF_BYCOMMAND | MF_GRAYED), 0u);
  EXPECT_EQ(GetMenuState(zoom, 1, MF_BYPOSITION), MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(bar, 32802, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
  // By position on the bar: the whole popup.
  EnableMenuItem(bar, 0, MF_BYPOSITION | MF_GRAYED);
  EXPECT_EQ(MenuItemFlags(bar, 0), MF_POPUP | MF_GRAYED);

  ASSERT_TRUE(CheckMenuRadioItem(zoom, 32801, 32803, 32803, MF_BYCOMMAND));
  EXPECT_EQ(MenuItemFlags(zoom, 2), MF_CHECKED | MFT_RADIOCHECK);
  ASSERT_TRUE(CheckMenuRadioItem(zoom, 32801, 32803, 32801, MF_BYCOMMAND));
  EXPECT_EQ(MenuItemFlags(zoom, 0), MF_CHECKED | MFT_RADIOCHECK);
  EXPECT_EQ(MenuItemFlags(zoom, 2), 0u);

  std::vector<int> path;
  HMENU holder;
  int position = -1;
  ASSERT_TRUE(FindMenuCommand(bar, 32803, &holder, &position, &path));
  EXPECT_EQ(holder, zoom);
  EXPECT_EQ(position, 2);
  EXPECT_EQ(path, (std::vector<int>{0, 0}));
}

TEST_F(MenuTest, LabelsAndMnemonics) {
  struct Case {
    HMENU menu;
    int position;
    const char* label;
    char mnemonic;
  };
  const Case cases[] = {
      {bar, 0, "表示(V)", 'V'},
      {bar, 1, "R&D", 0},
      {view, 2, "表示フォント(F)...", 'F'},
      {view, 3, "ｽﾃｰﾀｽ ﾊﾞｰ(S)", 'S'},
      {zoom, 0, "拡大1", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MenuItemLabel(c.menu, c.position), c.label);
    EXPECT_EQ(MenuItemMnemonic(c.menu, c.position), c.mnemonic) << c.label;
  }
  char buffer[8];
  EXPECT_EQ(GetMenuString(view, 2, buffer, sizeof buffer, MF_BYPOSITION), 6);  // three characters fit in 7 bytes
  EXPECT_STREQ(buffer, "表示フ");
}

TEST_F(MenuTest, DestroyingAWindowDestroysItsMenuBar) {
  Window w;
  CreateParams p;
  p.menu = bar;
  ASSERT_TRUE(w.Create(p));
  EXPECT_EQ(GetMenu(w.hwnd()), bar);
  DestroyWindow(w.hwnd());
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(IsMenu(zoom));
}

}  // namespace
}  // namespace lexiv::testing
