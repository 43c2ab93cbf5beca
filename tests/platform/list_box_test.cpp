#include "platform/controls/list_box.h"

#include <gtest/gtest.h>

#include <memory>

#include "control_fixture.h"
#include "platform/controls/owner_draw.h"
#include "platform/core/focus.h"

namespace lexiv::testing {
namespace {

constexpr UINT kBoxId = 12;

// A parent that answers the item height and frees the items' data as an owner-drawn list's
// owner must.
class OwnerParent : public NoticeParent {
 public:
  std::vector<UINT_PTR> freed;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_MEASUREITEM) {
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 20;
      return TRUE;
    }
    if (message == WM_DELETEITEM) {
      const auto* gone = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
      EXPECT_EQ(gone->CtlType, ODT_LISTBOX);
      freed.push_back(gone->itemData);
      return TRUE;
    }
    return NoticeParent::WindowProc(message, wParam, lParam);
  }
};

class ListBoxTest : public HeadlessTest {
 protected:
  void SetUp() override { ASSERT_TRUE(parent.CreateTop()); }
  HWND MakeBox(DWORD style, const std::vector<const char*>& texts) {
    box = std::make_unique<ListBox>();
    const HWND h = MakeChild(*box, parent.hwnd(), kBoxId, style, RECT{0, 0, 100, 64});
    for (const char* t : texts) SendMessage(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    parent.notices.clear();
    return h;
  }
  OwnerParent parent;
  std::unique_ptr<ListBox> box;
};

TEST_F(ListBoxTest, StringsInOrderOfAdding_OrSorted) {
  struct Case {
    DWORD style;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {0, {"pear", "Apple", "fig"}},
      {LBS_SORT, {"Apple", "fig", "pear"}},
  };
  for (const Case& c : cases) {
    const HWND h = MakeBox(c.style, {"pear", "Apple", "fig"});
    std::vector<std::string> texts;
    for (int i = 0; i < SendMessage(h, LB_GETCOUNT, 0, 0); ++i) {
      std::string text(static_cast<std::size_t>(SendMessage(h, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)), '\0');
      SendMessage(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
      texts.push_back(text);
    }
    EXPECT_EQ(texts, c.expected);
    EXPECT_EQ(SendMessage(h, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("kiwi")), 1);
    EXPECT_EQ(SendMessage(h, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("kiwi")), LB_ERR);
    EXPECT_EQ(SendMessage(h, LB_GETTEXTLEN, 9, 0), LB_ERR);
  }
}

TEST_F(ListBoxTest, KeysAndClicksNotifyOnlyWithNotifyStyleAndOnlyOnChange) {
  struct Case {
    const char* name;
    DWORD style;
    int start;
    const char* key;
    int expected;
    std::vector<Notice> notices;
  };
  const Notice change{kBoxId, LBN_SELCHANGE};
  const std::vector<Case> cases = {
      {"Down moves and notifies", LBS_NOTIFY, 0, "Down", 1, {change}},
      {"Down on the last item stays silent", LBS_NOTIFY, 3, "Down", 3, {}},
      {"Up from nothing takes the first", LBS_NOTIFY, -1, "Up", 0, {change}},
      {"End", LBS_NOTIFY, 0, "End", 3, {change}},
      {"without the notify style nothing is told", 0, 0, "Down", 1, {}},
  };
  for (const Case& c : cases) {
    const HWND h = MakeBox(c.style, {"a", "b", "c", "d"});
    SendMessage(h, LB_SETCURSEL, static_cast<WPARAM>(c.start), 0);
    SetFocus(h);
    parent.notices.clear();
    driver.PressKey(c.key);
    PumpPending();
    EXPECT_EQ(SendMessage(h, LB_GETCURSEL, 0, 0), c.expected) << c.name;
    EXPECT_EQ(parent.notices, c.notices) << c.name;
  }

  const HWND h = MakeBox(LBS_NOTIFY, {"a", "b", "c"});
  driver.Click(h, POINT{5, 16 + 2});
  driver.DoubleClick(h, POINT{5, 16 + 2});
  PumpPending();
  EXPECT_EQ(SendMessage(h, LB_GETCURSEL, 0, 0), 1);
  const std::vector<Notice> expected = {{kBoxId, LBN_SETFOCUS}, {kBoxId, LBN_SELCHANGE}, {kBoxId, LBN_DBLCLK}};
  EXPECT_EQ(parent.notices, expected);
}

TEST_F(ListBoxTest, OwnerDrawnItemsCarryDataThatTheParentFrees) {
  const HWND h = MakeBox(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, {});
  EXPECT_EQ(SendMessage(h, LB_GETITEMHEIGHT, 0, 0), 20);
  for (UINT_PTR data : {101u, 102u, 103u}) {
    const LRESULT index = SendMessage(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(SendMessage(h, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)), LB_OKAY);
  }
  EXPECT_EQ(SendMessage(h, LB_GETITEMDATA, 1, 0), 102);
  EXPECT_EQ(SendMessage(h, LB_GETITEMDATA, 5, 0), LB_ERR);
  EXPECT_EQ(SendMessage(h, LB_DELETESTRING, 1, 0), 2);
  EXPECT_EQ(parent.freed, std::vector<UINT_PTR>({102}));
  DestroyWindow(h);
  EXPECT_EQ(parent.freed, std::vector<UINT_PTR>({102, 101, 103}));
}

TEST_F(ListBoxTest, OwnerDrawnWithoutStringsKeepsTheAddedValueAsData) {
  const HWND h = MakeBox(LBS_OWNERDRAWFIXED, {});
  EXPECT_EQ(SendMessage(h, LB_ADDSTRING, 0, 4242), 0);
  EXPECT_EQ(SendMessage(h, LB_GETITEMDATA, 0, 0), 4242);
  SendMessage(h, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(parent.freed, std::vector<UINT_PTR>({4242}));
  EXPECT_EQ(SendMessage(h, LB_GETCOUNT, 0, 0), 0);
}

}  // namespace
}  // namespace lexiv::testing
