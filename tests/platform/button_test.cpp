#include "platform/controls/button.h"

#include <gtest/gtest.h>

#include <memory>

#include "control_fixture.h"
#include "platform/core/focus.h"

namespace lexiv::testing {
namespace {

class ButtonTest : public HeadlessTest {
 protected:
  void SetUp() override { ASSERT_TRUE(parent.CreateTop()); }
  HWND Add(UINT id, DWORD style) {
    buttons.push_back(std::make_unique<Button>());
    return MakeChild(*buttons.back(), parent.hwnd(), id, style, RECT{0, static_cast<LONG>(id) * 20, 80, static_cast<LONG>(id) * 20 + 20}, "b");
  }
  LRESULT Check(UINT id) { return SendMessage(GetDlgItem(parent.hwnd(), static_cast<int>(id)), BM_GETCHECK, 0, 0); }
  NoticeParent parent;
  std::vector<std::unique_ptr<Button>> buttons;
};

TEST_F(ButtonTest, RadioButtonsChooseWithinTheirGroup) {
  // Group one: 1, 2, 3; group two: 4, 5.
  Add(1, BS_AUTORADIOBUTTON | WS_GROUP);
  Add(2, BS_AUTORADIOBUTTON);
  Add(3, BS_AUTORADIOBUTTON);
  Add(4, BS_AUTORADIOBUTTON | WS_GROUP);
  Add(5, BS_AUTORADIOBUTTON);
  struct Case {
    UINT clicked;
    std::vector<LRESULT> checks;
  };
  const Case cases[] = {
      {1, {1, 0, 0, 0, 0}},
      {3, {0, 0, 1, 0, 0}},
      {5, {0, 0, 1, 0, 1}},
      {4, {0, 0, 1, 1, 0}},
      {3, {0, 0, 1, 1, 0}},
  };
  for (const Case& c : cases) {
    SendMessage(GetDlgItem(parent.hwnd(), static_cast<int>(c.clicked)), BM_CLICK, 0, 0);
    std::vector<LRESULT> checks;
    for (UINT id = 1; id <= 5; ++id) checks.push_back(Check(id));
    EXPECT_EQ(checks, c.checks) << "after clicking " << c.clicked;
  }
  EXPECT_EQ(parent.notices.size(), 5u);
  EXPECT_EQ(parent.notices.back(), (Notice{3, BN_CLICKED}));
}

TEST_F(ButtonTest, SpaceAndClicksPressButtons) {
  struct Case {
    const char* name;
    DWORD style;
    bool enabled;
    int presses;
    LRESULT check;
    std::size_t clicks;
  };
  const Case cases[] = {
      {"a check box toggles on each press", BS_AUTOCHECKBOX, true, 3, BST_CHECKED, 3},
      {"a push button only tells", BS_PUSHBUTTON, true, 2, BST_UNCHECKED, 2},
      {"a plain check box is checked by its owner", BS_CHECKBOX, true, 1, BST_UNCHECKED, 1},
      {"a disabled button cannot be pressed", BS_AUTOCHECKBOX, false, 2, BST_UNCHECKED, 0},
  };
  for (const Case& c : cases) {
    buttons.clear();
    parent.notices.clear();
    const HWND h = Add(1, c.style);
    SetFocus(h);
    EnableWindow(h, c.enabled ? TRUE : FALSE);
    for (int i = 0; i < c.presses; ++i) {
      if (i % 2 == 0)
        driver.PressKey("Space");
      else
        driver.Click(h, POINT{3, 3});
    }
    PumpPending();
    EXPECT_EQ(SendMessage(h, BM_GETCHECK, 0, 0), c.check) << c.name;
    EXPECT_EQ(parent.notices.size(), c.clicks) << c.name;
  }
}

TEST_F(ButtonTest, AHeldSpacePressesOnce) {
  const HWND h = Add(1, BS_AUTOCHECKBOX);
  SetFocus(h);
  driver.HoldKey("Space", 4);
  PumpPending();
  EXPECT_EQ(SendMessage(h, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(parent.notices.size(), 1u);
}

}  // namespace
}  // namespace lexiv::testing
