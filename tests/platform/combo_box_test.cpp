#include "platform/controls/combo_box.h"

#include <gtest/gtest.h>

#include <memory>

#include "control_fixture.h"
#include "platform/core/focus.h"

namespace lexiv::testing {
namespace {

constexpr UINT kComboId = 30;

class ComboBoxTest : public HeadlessTest {
 protected:
  void SetUp() override { ASSERT_TRUE(parent.CreateTop()); }
  HWND MakeCombo(int selected) {
    combo = std::make_unique<ComboBox>();
    const HWND h = MakeChild(*combo, parent.hwnd(), kComboId, CBS_DROPDOWNLIST | WS_TABSTOP);
    for (const char* t : {"白黒反転", "標準", "青"}) SendMessage(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    SendMessage(h, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SetFocus(h);
    PumpPending();
    parent.notices.clear();
    return h;
  }
  NoticeParent parent;
  std::unique_ptr<ComboBox> combo;
};

TEST_F(ComboBoxTest, KeysOpenStepAndCloseTheList) {
  struct Case {
    const char* name;
    std::vector<const char*> keys;
    bool dropped;
    int selected;
    std::vector<WORD> codes;
  };
  const std::vector<Case> cases = {
      {"Down steps a closed list", {"Down"}, false, 1, {CBN_SELCHANGE}},
      {"Up on the first item stays", {"Up"}, false, 0, {}},
      {"Alt+Down opens", {"Alt+Down"}, true, 0, {CBN_DROPDOWN}},
      {"F4 opens", {"F4"}, true, 0, {CBN_DROPDOWN}},
      {"Enter keeps the choice made in the open list",
       {"F4", "Down", "Enter"},
       false,
       1,
       {CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}},
      {"Escape goes back to the choice it opened with",
       {"Alt+Down", "End", "Escape"},
       false,
       0,
       {CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELENDCANCEL, CBN_CLOSEUP}},
      {"Alt+Up closes", {"Alt+Down", "Alt+Up"}, false, 0, {CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}},
  };
  for (const Case& c : cases) {
    const HWND h = MakeCombo(0);
    for (const char* key : c.keys) driver.PressKey(key);
    PumpPending();
    EXPECT_EQ(SendMessage(h, CB_GETDROPPEDSTATE, 0, 0) != 0, c.dropped) << c.name;
    EXPECT_EQ(SendMessage(h, CB_GETCURSEL, 0, 0), c.selected) << c.name;
    std::vector<WORD> codes;
    for (const Notice& n : parent.notices)
      if (n.code != CBN_SETFOCUS && n.code != CBN_KILLFOCUS) codes.push_back(static_cast<WORD>(n.code));
    EXPECT_EQ(codes, c.codes) << c.name;
  }
}

TEST_F(ComboBoxTest, TheShownTextIsTheChoiceAndLosingTheFocusClosesTheList) {
  const HWND h = MakeCombo(2);
  EXPECT_EQ(WindowText(h), "青");
  EXPECT_EQ(SetWindowText(h, "標準"), TRUE);
  EXPECT_EQ(SendMessage(h, CB_GETCURSEL, 0, 0), 1);
  char text[9];  // CB_GETLBTEXTLEN + 1
  EXPECT_EQ(SendMessage(h, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text)), 8);
  EXPECT_STREQ(text, "白黒反転");
  EXPECT_EQ(SendMessage(h, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text)), CB_ERR);

  SendMessage(h, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_TRUE(SendMessage(h, CB_GETDROPPEDSTATE, 0, 0));
  SetFocus(parent.hwnd());
  EXPECT_FALSE(SendMessage(h, CB_GETDROPPEDSTATE, 0, 0));
  std::vector<WORD> codes;
  for (const Notice& n : parent.notices) codes.push_back(static_cast<WORD>(n.code));
  EXPECT_EQ(codes, std::vector<WORD>({CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_KILLFOCUS}));
}

}  // namespace
}  // namespace lexiv::testing
