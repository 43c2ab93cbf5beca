#include "platform/terminal/terminal_control_painters.h"

#include <gtest/gtest.h>

#include <cstring>

#include "control_fixture.h"
#include "platform/controls/button_messages.h"
#include "platform/controls/dialog.h"
#include "platform/controls/edit_control.h"
#include "platform/controls/list_view.h"
#include "platform/controls/rich_edit_control.h"
#include "platform/controls/static_control.h"
#include "platform/core/bitmap_table.h"
#include "platform/controls/status_bar.h"
#include "platform/controls/toolbar.h"
#include "platform/core/focus.h"
#include "platform/core/string_table.h"
#include "platform/terminal/terminal_canvas.h"
#include "platform/terminal/terminal_renderer.h"

namespace lexiv::testing {
namespace {

// Canvas rows are UTF-8; ordinary literals here are Shift-JIS.
std::string U(const char8_t* utf8) { return reinterpret_cast<const char*>(utf8); }

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

// A frame at the screen's origin: its client pixel (x, y) is cell (x / 8, 1 + y / 16).
class TerminalPaintersTest : public HeadlessTest {
 protected:
  void SetUp() override { ASSERT_TRUE(frame.CreateTop()); }
  TerminalCanvas Render() {
    TerminalCanvas canvas(50, 20);
    RenderScreen(canvas);
    return canvas;
  }
  NoticeParent frame;
};

// Two columns, eight and six cells wide, with texts cut at the column's edge.
HWND MakeWordList(ListView& list, HWND parent, DWORD style) {
  const HWND h = MakeChild(list, parent, 1, LVS_REPORT | LVS_SINGLESEL | style, RECT{0, 0, 200, 80});
  const char* titles[] = {"語", "読み"};
  const int widths[] = {64, 48};
  for (int c = 0; c < 2; ++c) {
    LVCOLUMN column;
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(titles[c]);
    column.cx = widths[c];
    SendMessage(h, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
  const char* rows[][2] = {{"漢字漢字漢字", "かな"}, {"abc", "x"}, {"長い見出し語", "12"}};
  for (int i = 0; i < 3; ++i) {
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>(rows[i][0]);
    SendMessage(h, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(rows[i][1]);
    SendMessage(h, LVM_SETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  LVITEM focus;
  focus.state = focus.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessage(h, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&focus));
  return h;
}

TEST_F(TerminalPaintersTest, ListViewColumnsLineUpWithDoubleByteTextAndTheCursorIsOnTheFocusedItem) {
  ListView list;
  const HWND h = MakeWordList(list, frame.hwnd(), 0);
  SetFocus(h);
  TerminalCanvas canvas = Render();
  // A text cut to its column ends in an ellipsis.
  const std::vector<std::string> expected{U(u8"語      読み"), U(u8"漢字…  かな"), "abc     x", U(u8"長い…  12")};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(canvas.RowText(1 + i), expected[static_cast<std::size_t>(i)]) << i;
  // The second column starts in the same cell on every row.
  for (int row = 1; row <= 4; ++row) EXPECT_FALSE(canvas.At(8, row).glyph.empty()) << row;
  EXPECT_EQ(canvas.cursorRow(), 3);
  EXPECT_EQ(canvas.cursorColumn(), 0);
  EXPECT_TRUE(canvas.At(0, 3).attributes & kCellReverse);
  EXPECT_TRUE(canvas.At(20, 3).attributes & kCellReverse);
  EXPECT_FALSE(canvas.At(0, 2).attributes & kCellReverse);

  // Without a header the items start on the first row; without the focus the selection hides.
  ListView bare;
  MakeWordList(bare, frame.hwnd(), LVS_NOCOLUMNHEADER);
  MoveWindow(bare.hwnd(), 0, 160, 200, 48, TRUE);
  canvas = Render();
  EXPECT_EQ(canvas.RowText(11), U(u8"漢字…  かな"));
  EXPECT_FALSE(canvas.At(0, 12).attributes & kCellReverse);
}

TEST_F(TerminalPaintersTest, ListViewShowsTheColoursTheProgramGaveAndTheTerminalsOwnOtherwise) {
  struct Case {
    COLORREF background, text, textBackground;  // CLR_DEFAULT: not given
    COLORREF shownBackground, shownText, shownTextBackground;
  };
  const Case cases[] = {
      {CLR_DEFAULT, CLR_DEFAULT, CLR_DEFAULT, kTerminalDefaultColor, kTerminalDefaultColor, kTerminalDefaultColor},
      {kBlue, kYellow, kGreen, kBlue, kYellow, kGreen},
      {kBlue, kYellow, CLR_NONE, kBlue, kYellow, kBlue},
  };
  for (const Case& c : cases) {
    ListView list;
    const HWND h = MakeWordList(list, frame.hwnd(), 0);
    if (c.background != CLR_DEFAULT) SendMessage(h, LVM_SETBKCOLOR, 0, c.background);
    if (c.text != CLR_DEFAULT) SendMessage(h, LVM_SETTEXTCOLOR, 0, c.text);
    if (c.textBackground != CLR_DEFAULT) SendMessage(h, LVM_SETTEXTBKCOLOR, 0, c.textBackground);
    const TerminalCanvas canvas = Render();
    EXPECT_EQ(canvas.At(0, 2).foreground, c.shownText);
    EXPECT_EQ(canvas.At(0, 2).background, c.shownTextBackground);
    EXPECT_EQ(canvas.At(0, 5).background, c.shownBackground) << "below the items";
  }
}

CHARFORMAT ColourAndBold(COLORREF color) {
  CHARFORMAT cf;
  cf.dwMask = CFM_COLOR | CFM_BOLD;
  cf.crTextColor = color;
  cf.dwEffects = CFE_BOLD;
  return cf;
}

TEST_F(TerminalPaintersTest, RichEditShowsFormatsSelectionAndTheCaret) {
  // Ten cells a line: the second paragraph wraps after five double-byte characters.
  RichEditControl edit;
  const HWND h = MakeChild(edit, frame.hwnd(), 2, 0, RECT{0, 0, 80, 64}, "赤字abc\r\n長い行をここで折り返す");
  SendMessage(h, EM_SETSEL, 0, 4);
  CHARFORMAT red = ColourAndBold(kRed);
  SendMessage(h, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&red));
  SetFocus(h);
  // From "い" to "折": the caret on "折".
  SendMessage(h, EM_SETSEL, 11, 23);

  TerminalCanvas canvas = Render();
  const std::vector<std::string> expected{U(u8"赤字abc"), U(u8"長い行をこ"), U(u8"こで折り返"), U(u8"す")};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(canvas.RowText(1 + i), expected[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(canvas.cursorColumn(), 4);
  EXPECT_EQ(canvas.cursorRow(), 3);
  EXPECT_TRUE(canvas.At(2, 2).attributes & kCellReverse);
  EXPECT_TRUE(canvas.At(2, 3).attributes & kCellReverse);
  EXPECT_FALSE(canvas.At(0, 2).attributes & kCellReverse);
  EXPECT_FALSE(canvas.At(4, 3).attributes & kCellReverse);
  // Formats: red and bold; text without a colour of its own on the terminal's background.
  EXPECT_EQ(canvas.At(0, 1).foreground, kRed);
  EXPECT_TRUE(canvas.At(0, 1).attributes & kCellBold);
  EXPECT_EQ(canvas.At(4, 1).foreground, kTerminalDefaultColor);
  EXPECT_EQ(canvas.At(9, 1).background, kTerminalDefaultColor);

  // A background of its own: uncoloured text becomes black on it.
  SendMessage(h, EM_SETBKGNDCOLOR, 0, kYellow);
  canvas = Render();
  EXPECT_EQ(canvas.At(4, 1).foreground, RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(9, 1).background, kYellow);
  EXPECT_EQ(canvas.At(0, 1).foreground, kRed);
}

TEST_F(TerminalPaintersTest, RichEditLineLongerThanTheWindowContinuesOnTheNextRow) {
  // At 9 points six double-byte characters fit a line of 80 pixels: twelve cells in ten.
  RichEditControl edit;
  const HWND h = MakeChild(edit, frame.hwnd(), 2, 0, RECT{0, 0, 80, 64}, "あいうえおか");
  SendMessage(h, EM_SETSEL, 0, -1);
  CHARFORMAT small;
  small.dwMask = CFM_SIZE;
  small.yHeight = 9 * kTwipsPerPoint;
  SendMessage(h, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&small));
  SendMessage(h, EM_SETSEL, 12, 12);
  SetFocus(h);
  ASSERT_EQ(SendMessage(h, EM_GETLINECOUNT, 0, 0), 1);
  const TerminalCanvas canvas = Render();
  EXPECT_EQ(canvas.RowText(1), U(u8"あいうえお"));
  EXPECT_EQ(canvas.RowText(2), U(u8"か"));
  EXPECT_EQ(canvas.cursorColumn(), 2);
  EXPECT_EQ(canvas.cursorRow(), 2);
}

TEST_F(TerminalPaintersTest, StatusBarPanesAtTheirWidths) {
  StatusBar bar;
  const HWND h = MakeChild(bar, frame.hwnd(), 3, 0, RECT{0, 96, 200, 112});
  const int edges[] = {64, 128, -1};
  SendMessage(h, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  SendMessage(h, SB_SETTEXT, 0, reinterpret_cast<LPARAM>("状態"));
  SendMessage(h, SB_SETTEXT, 1, reinterpret_cast<LPARAM>("12/345"));
  SendMessage(h, SB_SETTEXT, 2, reinterpret_cast<LPARAM>("長いテキストが切れる"));
  EXPECT_EQ(Render().RowText(7), U(u8"状態    12/345  長いテ…"));
  SendMessage(h, SB_SIMPLE, TRUE, 0);
  SendMessage(h, SB_SETTEXT, SB_SIMPLEID, reinterpret_cast<LPARAM>("簡易表示"));
  EXPECT_EQ(Render().RowText(7), U(u8"簡易表示"));
}

TEST_F(TerminalPaintersTest, AnIconShowsAMarkOfItsKindAndNoName) {
  const struct {
    UINT icon;
    const char8_t* mark;
  } cases[] = {{IDI_HAND, u8"×"}, {IDI_QUESTION, u8"?"}, {IDI_EXCLAMATION, u8"!"}, {IDI_ASTERISK, u8"i"}, {IDI_APPLICATION, u8""}};
  StaticControl icon;
  const HWND h = MakeChild(icon, frame.hwnd(), 4, SS_ICON, RECT{0, 96, 40, 112});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.icon);
    SendMessage(h, STM_SETICON, c.icon, 0);
    const TerminalCanvas canvas = Render();
    EXPECT_EQ(canvas.RowText(7), U(c.mark));
    if (*c.mark) {
      EXPECT_TRUE(canvas.At(0, 7).attributes & kCellBold);
    }
  }
}

TEST_F(TerminalPaintersTest, APictureIsDrawnTwoCellsAPixelAndAnUnknownOneNotAtAll) {
  ASSERT_TRUE(SetBitmap(9001, Picture{{"#..#", ".##."}}));
  StaticControl picture;
  const HWND h = MakeChild(picture, frame.hwnd(), 5, SS_BITMAP, RECT{0, 96, 64, 128});
  SendMessage(h, STM_SETIMAGE, IMAGE_BITMAP, 9001);
  TerminalCanvas canvas = Render();
  EXPECT_EQ(canvas.RowText(7), "##    ##");
  EXPECT_EQ(canvas.RowText(8), "  ####");
  SendMessage(h, STM_SETIMAGE, IMAGE_BITMAP, 9002);
  canvas = Render();
  EXPECT_EQ(canvas.RowText(7), "");
  // Rows of unequal length are no picture.
  EXPECT_FALSE(SetBitmap(9003, Picture{{"##", "#"}}));
  EXPECT_EQ(FindBitmap(9003), nullptr);
}

TEST_F(TerminalPaintersTest, ToolbarButtonsGrayOnesDimAndTheEmbeddedFieldInPlace) {
  constexpr int kSearch = 0x7E10, kBack = 0x7E11;
  SetString(kSearch, "検索する\n検");
  SetString(kBack, "戻る\n戻");
  Toolbar bar;
  const HWND h = MakeChild(bar, frame.hwnd(), 4, 0, RECT{0, 0, 400, 22});
  TBBUTTON buttons[] = {
      {0, kSearch, TBSTATE_ENABLED, TBSTYLE_BUTTON},
      {0, kBack, 0, TBSTYLE_BUTTON},
      {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP},
  };
  SendMessage(h, TB_ADDBUTTONS, 3, reinterpret_cast<LPARAM>(buttons));
  EditControl field;
  MakeChild(field, h, 5, 0, RECT{0, 0, 10, 16}, "語");
  ASSERT_TRUE(bar.EmbedControl(2, 5, 80, field.hwnd()));

  const TerminalCanvas canvas = Render();
  EXPECT_EQ(canvas.RowText(1), U(u8"検 戻 語"));
  EXPECT_TRUE(canvas.At(0, 1).attributes & kCellReverse);
  EXPECT_FALSE(canvas.At(2, 1).attributes & kCellReverse) << "a cell between buttons";
  EXPECT_TRUE(canvas.At(3, 1).attributes & kCellDim);
  EXPECT_FALSE(canvas.At(3, 1).attributes & kCellReverse);
  EXPECT_TRUE(canvas.At(6, 1).attributes & kCellUnderline) << "the field's own look";
}

// A bar built on the status bar under another class name, as the caption bar is.
class CaptionLikeBar : public StatusBar {
 public:
  std::string_view ClassName() const override { return "LexivCaptionBar"; }
};

TEST_F(TerminalPaintersTest, SmallTerminalPinsTheStatusBarNotABarBuiltOnIt) {
  CaptionLikeBar caption;
  SetWindowText(MakeChild(caption, frame.hwnd(), 6, 0, RECT{0, 0, 200, 16}), "見出し語");
  StatusBar status;
  SetWindowText(MakeChild(status, frame.hwnd(), 7, 0, RECT{0, 280, 200, 296}), "準備完了");
  TerminalCanvas canvas(50, 6);
  RenderScreen(canvas);
  EXPECT_EQ(canvas.RowText(1), U(u8"見出し語")) << "drawn as a status bar";
  EXPECT_EQ(canvas.RowText(5), U(u8"準備完了"));
}

// A 40 x 13 terminal with an owner window at ownerRect. Show opens a 160 x 64 dialog "確認" of
// the given controls over it, draws the screen once the dialog waits, then presses key.
struct DialogOnTerminal {
  explicit DialogOnTerminal(const RECT& ownerRect) {
    driver.SetScreenRect(ScreenRectForTerminal(40, 13));
    CreateParams p;
    p.text = "親";
    p.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    p.rect = ownerRect;
    owner.Create(p);
  }
  int Show(const std::vector<DialogControl>& controls, const char* key) {
    DialogTemplate description;
    description.caption = "確認";
    description.width = 160;
    description.height = 64;
    description.controls = controls;
    Dialog dialog(description);
    driver.Then([this, key] {
      RenderScreen(canvas);
      driver.PressKey(key);
    });
    return dialog.DoModal(owner.hwnd());
  }

  HeadlessDriver driver;
  UiThread ui{driver};
  NoticeParent owner;
  TerminalCanvas canvas{40, 13};
};

// The dialog centres itself in pixels over its owner; on the terminal it shows centred over the
// owner's cells, its caption on the line above it.
TEST(TerminalDialogTest, DialogShowsCentredOverItsOwner) {
  struct Case {
    RECT owner;
    int left, top;  // the dialog's first cell
  };
  const Case cases[] = {
      {RECT{80, 32, 320, 160}, 15, 5},  // 240 x 128 owner: 40 x 32 pixels to each side
      {RECT{0, 0, 320, 192}, 10, 5},    // an owner filling the 40 x 13 terminal
      {RECT{0, 0, 320, 32}, 10, 1},     // a dialog taller than its owner stays on the screen
  };
  for (const Case& c : cases) {
    DialogOnTerminal screen(c.owner);
    ASSERT_TRUE(IsWindow(screen.owner.hwnd()));
    const std::vector<DialogControl> controls = {
        {"Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, RECT{56, 40, 104, 56}}};
    ASSERT_EQ(screen.Show(controls, "Enter"), IDOK);
    const TerminalCanvas& canvas = screen.canvas;
    // The caption on the line above the dialog, or on the top line when there is none.
    const int titleRow = std::max(c.top - 1, 0);
    EXPECT_EQ(canvas.At(c.left + 1, titleRow).glyph, U(u8"確")) << c.left << "," << c.top;
    EXPECT_TRUE(canvas.At(c.left, titleRow).attributes & kCellReverse);
    // The button 56 pixels in and 40 down: 7 cells and 2 rows into the dialog.
    EXPECT_EQ(canvas.At(c.left + 7, c.top + 2).glyph, "[");
    EXPECT_EQ(canvas.cursorRow(), c.top + 2);
  }
}

// A dialog is a box over what it covers: a border on either side and below, nothing of the
// owner's text inside; a text of two lines shows on two rows; a caption wider than its button
// keeps both brackets and ends in an ellipsis.
TEST(TerminalDialogTest, DialogIsABoxOverTheOwnerWithItsLinesAndButtonsWhole) {
  DialogOnTerminal screen(RECT{0, 0, 320, 192});
  ASSERT_TRUE(IsWindow(screen.owner.hwnd()));
  StaticControl filler;
  CreateParams f;
  f.className = "Static";
  f.text = std::string(40, 'Z');
  f.style = WS_CHILD | WS_VISIBLE;
  f.parent = screen.owner.hwnd();
  f.rect = RECT{0, 0, 320, 192};
  ASSERT_TRUE(filler.Create(f));
  const std::vector<DialogControl> controls = {{"Static", "一行目\n二行目", 10, 0, RECT{8, 0, 152, 32}},
                                               {"Button", "キャンセル", IDCANCEL, WS_TABSTOP, RECT{56, 40, 104, 56}}};
  ASSERT_EQ(screen.Show(controls, "Escape"), IDCANCEL);
  const TerminalCanvas& canvas = screen.canvas;
  const int left = 10, top = 5, right = 30, bottom = 9;  // the dialog's 20 x 4 cells
  for (int row = top; row < bottom; ++row) {
    EXPECT_EQ(canvas.At(left - 1, row).glyph, "|") << row;
    EXPECT_EQ(canvas.At(right, row).glyph, "|") << row;
    for (int column = left; column < right; ++column) EXPECT_NE(canvas.At(column, row).glyph, "Z") << column << "," << row;
  }
  EXPECT_EQ(canvas.At(left - 1, bottom).glyph, "+");
  EXPECT_EQ(canvas.At(left + 5, bottom).glyph, "-");
  EXPECT_EQ(canvas.At(right, bottom).glyph, "+");
  EXPECT_EQ(canvas.At(left + 1, top).glyph, U(u8"一"));
  EXPECT_EQ(canvas.At(left + 1, top + 1).glyph, U(u8"二")) << "the second line on the next row";
  // The button: 6 cells 7 cells in, two rows down.
  EXPECT_EQ(canvas.At(left + 7, top + 2).glyph, "[");
  EXPECT_EQ(canvas.At(left + 8, top + 2).glyph, U(u8"キ"));
  EXPECT_EQ(canvas.At(left + 10, top + 2).glyph, U(u8"…"));
  EXPECT_EQ(canvas.At(left + 12, top + 2).glyph, "]");
}

}  // namespace
}  // namespace lexiv::testing
