#include "platform/controls/list_view.h"

#include <gtest/gtest.h>

#include <memory>

#include "control_fixture.h"
#include "platform/core/accessibility.h"
#include "platform/core/focus.h"
#include "platform/core/font.h"

namespace lexiv::testing {
namespace {

constexpr UINT kListId = 7;
constexpr UINT kBoth = LVIS_FOCUSED | LVIS_SELECTED;

class ListViewTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateTop());
    parent.ignored = {LVN_ITEMCHANGING, LVN_KEYDOWN, static_cast<UINT>(NM_SETFOCUS), static_cast<UINT>(NM_KILLFOCUS)};
  }
  // A list of count items "item0".., in a window showing `rows` items below no header.
  HWND MakeList(int count, int rows = 4, DWORD style = LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER) {
    list = std::make_unique<ListView>();
    const HWND h = MakeChild(*list, parent.hwnd(), kListId, style, RECT{0, 0, 200, 16 * rows});
    LVCOLUMN column;
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>("見出し語");
    column.cx = 150;
    SendMessage(h, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < count; ++i) {
      std::string text = "item" + std::to_string(i);
      LVITEM item;
      item.mask = LVIF_TEXT | LVIF_PARAM;
      item.iItem = i;
      item.pszText = text.data();
      item.lParam = 1000 + i;
      EXPECT_EQ(SendMessage(h, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)), i);
    }
    return h;
  }
  void SetState(int index, UINT state, UINT mask) {
    LVITEM item;
    item.state = state;
    item.stateMask = mask;
    SendMessage(list->hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  int Focused() { return static_cast<int>(SendMessage(list->hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)); }
  int Selected() { return static_cast<int>(SendMessage(list->hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }

  NoticeParent parent;
  std::unique_ptr<ListView> list;
};

Notice Changed(int item, UINT oldState, UINT newState) {
  return Notice{kListId, static_cast<int>(LVN_ITEMCHANGED), item, oldState, newState};
}

TEST_F(ListViewTest, StateChangesAreToldWithOldAndNewState) {
  struct Step {
    int index;
    UINT state;
    UINT mask;
  };
  struct Case {
    const char* name;
    DWORD style;
    std::vector<Step> steps;
    std::vector<Notice> expected;
    int focused;
    int selected;
  };
  const DWORD single = LVS_REPORT | LVS_SINGLESEL;
  const std::vector<Case> cases = {
      {"select and focus one item", single, {{1, kBoth, kBoth}}, {Changed(1, 0, kBoth)}, 1, 1},
      {"moving both takes them from the old item in one change",
       single,
       {{1, kBoth, kBoth}, {3, kBoth, kBoth}},
       {Changed(1, 0, kBoth), Changed(1, kBoth, 0), Changed(3, 0, kBoth)},
       3,
       3},
      {"the focus alone moves; the selection stays", single,
       {{0, kBoth, kBoth}, {2, LVIS_FOCUSED, LVIS_FOCUSED}},
       {Changed(0, 0, kBoth), Changed(0, kBoth, LVIS_SELECTED), Changed(2, 0, LVIS_FOCUSED)},
       2,
       0},
      {"setting a state an item already has tells nothing", single, {{1, kBoth, kBoth}, {1, kBoth, kBoth}},
       {Changed(1, 0, kBoth)}, 1, 1},
      {"clearing under the mask only", single, {{2, kBoth, kBoth}, {2, 0, LVIS_SELECTED}},
       {Changed(2, 0, kBoth), Changed(2, kBoth, LVIS_FOCUSED)}, 2, -1},
      {"a list with several selections keeps the old one", LVS_REPORT,
       {{0, LVIS_SELECTED, LVIS_SELECTED}, {2, LVIS_SELECTED, LVIS_SELECTED}},
       {Changed(0, 0, LVIS_SELECTED), Changed(2, 0, LVIS_SELECTED)}, -1, 0},
      {"a bad index changes nothing", single, {{9, kBoth, kBoth}}, {}, -1, -1},
  };
  for (const Case& c : cases) {
    MakeList(4, 4, c.style);
    parent.notices.clear();
    for (const Step& s : c.steps) SetState(s.index, s.state, s.mask);
    EXPECT_EQ(parent.notices, c.expected) << c.name;
    EXPECT_EQ(Focused(), c.focused) << c.name;
    EXPECT_EQ(Selected(), c.selected) << c.name;
    DestroyWindow(list->hwnd());
  }
}

TEST_F(ListViewTest, AParentRefusingTheChangeKeepsTheOldState) {
  class Refusing : public NoticeParent {
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_ITEMCHANGING) return TRUE;
      return NoticeParent::WindowProc(message, wParam, lParam);
    }
  } refusing;
  ASSERT_TRUE(refusing.CreateTop());
  ListView other;
  const HWND h = MakeChild(other, refusing.hwnd(), kListId, LVS_REPORT);
  LVITEM item;
  item.mask = LVIF_TEXT;
  item.pszText = const_cast<char*>("a");
  SendMessage(h, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
  item.state = kBoth;
  item.stateMask = kBoth;
  EXPECT_EQ(SendMessage(h, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item)), FALSE);
  EXPECT_EQ(SendMessage(h, LVM_GETITEMSTATE, 0, kBoth), 0);
}

TEST_F(ListViewTest, KeysMoveFocusAndSelectionWithoutWrapping) {
  struct Case {
    const char* name;
    int start;  // -1: no item focused
    const char* keys;
    int expected;
    int top;
  };
  // Ten items, four to a page.
  const Case cases[] = {
      {"Down from nothing takes the first", -1, "Down", 0, 0},
      {"Down", 0, "Down", 1, 0},
      {"Down on the last item stays", 9, "Down", 9, 6},
      {"Up on the first item stays", 0, "Up", 0, 0},
      {"End", 0, "End", 9, 6},
      {"Home", 9, "Home", 0, 0},
      {"PageDown first reaches the page's bottom", 0, "PageDown", 3, 0},
      {"PageDown from the bottom turns a page", 3, "PageDown", 6, 3},
      {"PageDown stops at the last item", 8, "PageDown", 9, 6},
      {"PageUp first reaches the page's top", 9, "PageUp", 6, 6},
      {"PageUp from the top turns a page", 9, "PageUp PageUp", 3, 3},
      {"PageUp stops at the first item", 2, "PageUp PageUp", 0, 0},
      {"Left and Right leave the item", 4, "Left Right", 4, 1},
  };
  for (const Case& c : cases) {
    const HWND h = MakeList(10, 4);
    SetFocus(h);
    if (c.start >= 0) {
      SetState(c.start, kBoth, kBoth);
      SendMessage(h, LVM_ENSUREVISIBLE, static_cast<WPARAM>(c.start), FALSE);
    }
    std::string keys = c.keys;
    for (std::size_t pos = 0; pos < keys.size();) {
      const std::size_t end = std::min(keys.find(' ', pos), keys.size());
      driver.PressKey(keys.substr(pos, end - pos));
      pos = end + 1;
    }
    PumpPending();
    EXPECT_EQ(Focused(), c.expected) << c.name;
    EXPECT_EQ(Selected(), c.expected) << c.name;
    EXPECT_EQ(SendMessage(h, LVM_GETSELECTEDCOUNT, 0, 0), 1) << c.name;
    EXPECT_EQ(SendMessage(h, LVM_GETSELECTIONMARK, 0, 0), c.expected) << c.name;
    EXPECT_EQ(SendMessage(h, LVM_GETTOPINDEX, 0, 0), c.top) << c.name;
    DestroyWindow(h);
  }
}

TEST_F(ListViewTest, AKeyMoveTellsTheOldItemThenTheNewOne) {
  const HWND h = MakeList(3);
  SetFocus(h);
  SetState(0, kBoth, kBoth);
  parent.notices.clear();
  driver.PressKey("Down");
  driver.PressKey("Enter");
  PumpPending();
  const std::vector<Notice> expected = {Changed(0, kBoth, LVIS_FOCUSED), Changed(0, LVIS_FOCUSED, 0), Changed(1, 0, kBoth),
                                        Notice{kListId, static_cast<int>(NM_RETURN)}};
  EXPECT_EQ(parent.notices, expected);
}

TEST_F(ListViewTest, ItemsPerPageFollowTheHeightTheHeaderAndTheFont) {
  struct Case {
    const char* name;
    int height;
    bool header;
    int fontHeight;  // 0: the system font
    int perPage;
  };
  const Case cases[] = {
      {"system font, no header", 160, false, 0, 10},
      {"a partly shown item does not count", 170, false, 0, 10},
      {"the header takes one line", 160, true, 0, 9},
      {"a larger font", 160, false, -32, 5},
      {"too low for one item", 10, false, 0, 0},
  };
  for (const Case& c : cases) {
    const DWORD style = LVS_REPORT | (c.header ? 0 : LVS_NOCOLUMNHEADER);
    list = std::make_unique<ListView>();
    const HWND h = MakeChild(*list, parent.hwnd(), kListId, style, RECT{0, 0, 100, c.height});
    LOGFONT description;
    description.lfHeight = c.fontHeight;
    const HFONT font = CreateFontIndirect(&description);
    if (c.fontHeight != 0) SendMessage(h, WM_SETFONT, ToWParam(font), TRUE);
    EXPECT_EQ(SendMessage(h, LVM_GETCOUNTPERPAGE, 0, 0), c.perPage) << c.name;
    DestroyWindow(h);
    DeleteObject(font);
  }
}

TEST_F(ListViewTest, ColumnsTextsDataAndColours) {
  const HWND h = MakeList(2, 4, LVS_REPORT);
  LVCOLUMN column;
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<char*>("読み");
  column.cx = 80;
  EXPECT_EQ(SendMessage(h, LVM_INSERTCOLUMN, 1, reinterpret_cast<LPARAM>(&column)), 1);
  LVITEM sub;
  sub.iSubItem = 1;
  sub.pszText = const_cast<char*>("あい");
  EXPECT_TRUE(SendMessage(h, LVM_SETITEMTEXT, 1, reinterpret_cast<LPARAM>(&sub)));
  EXPECT_TRUE(SendMessage(h, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(120, 0)));
  EXPECT_EQ(SendMessage(h, LVM_GETCOLUMNWIDTH, 0, 0), 120);

  char buffer[4];
  LVITEM get;
  get.iSubItem = 1;
  get.pszText = buffer;
  get.cchTextMax = sizeof buffer;
  // "あい" is four bytes: a three-byte buffer takes one whole character.
  EXPECT_EQ(SendMessage(h, LVM_GETITEMTEXT, 1, reinterpret_cast<LPARAM>(&get)), 2);
  EXPECT_STREQ(buffer, "あ");
  get.iSubItem = 0;
  EXPECT_EQ(SendMessage(h, LVM_GETITEMTEXT, 1, reinterpret_cast<LPARAM>(&get)), 3);
  EXPECT_STREQ(buffer, "ite");

  LVITEM data;
  data.mask = LVIF_PARAM;
  data.iItem = 1;
  EXPECT_TRUE(SendMessage(h, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&data)));
  EXPECT_EQ(data.lParam, 1001);

  SendMessage(h, LVM_SETBKCOLOR, 0, RGB(0, 0, 0));
  SendMessage(h, LVM_SETTEXTCOLOR, 0, RGB(255, 255, 255));
  SendMessage(h, LVM_SETTEXTBKCOLOR, 0, RGB(0, 0, 0));
  EXPECT_EQ(SendMessage(h, LVM_GETBKCOLOR, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(SendMessage(h, LVM_GETTEXTCOLOR, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(SendMessage(h, LVM_GETTEXTBKCOLOR, 0, 0), RGB(0, 0, 0));

  SetState(1, kBoth, kBoth);
  std::vector<std::string> lines;
  list->DescribeContents(lines);
  const std::vector<std::string> expected = {"header: [見出し語 120] [読み 80]", "   item0", ">* item1 | あい"};
  EXPECT_EQ(lines, expected);

  EXPECT_TRUE(SendMessage(h, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(SendMessage(h, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessage(h, LVM_GETSELECTIONMARK, 0, 0), -1);
}

TEST_F(ListViewTest, ClicksAndFocusAreToldToTheParent) {
  const HWND h = MakeList(5);
  parent.notices.clear();
  parent.ignored = {LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_KEYDOWN};
  driver.Click(h, POINT{10, 16 * 2 + 3});
  driver.DoubleClick(h, POINT{10, 16 * 2 + 3});
  driver.Click(h, POINT{10, 16 * 4 + 3}, HeadlessDriver::Button::kRight);
  PumpPending();
  EXPECT_EQ(GetFocus(), h);
  EXPECT_EQ(Focused(), 4);
  std::vector<int> codes;
  for (const Notice& n : parent.notices) codes.push_back(n.code);
  const std::vector<int> expected = {static_cast<int>(NM_SETFOCUS), static_cast<int>(NM_CLICK), static_cast<int>(NM_CLICK),
                                     static_cast<int>(NM_DBLCLK), static_cast<int>(NM_RCLICK)};
  EXPECT_EQ(codes, expected);
  EXPECT_EQ(parent.notices[3].item, 2);
}

TEST_F(ListViewTest, SelectionIsAnAccessEventWithTheItemAsValue) {
  const HWND h = MakeList(3);
  std::vector<AccessEvent> events;
  AccessSubscription watch([&](const AccessEvent& e) {
    if (e.kind == AccessEventKind::kSelectionChanged) events.push_back(e);
  });
  SetState(2, kBoth, kBoth);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].hwnd, h);
  EXPECT_EQ(events[0].role, ROLE_SYSTEM_LIST);
  EXPECT_EQ(events[0].value, "item2");
}

}  // namespace
}  // namespace lexiv::testing
