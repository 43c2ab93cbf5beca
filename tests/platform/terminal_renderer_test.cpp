#include "platform/terminal/terminal_renderer.h"

#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/controls/control_colors.h"
#include "platform/controls/edit_control.h"
#include "platform/core/focus.h"
#include "platform/core/menu.h"
#include "platform/terminal/terminal_canvas.h"
#include "platform/terminal/terminal_glyphs.h"

namespace lexiv::testing {
namespace {

// Canvas rows are UTF-8; ordinary literals here are Shift-JIS.
std::string U(const char8_t* utf8) { return reinterpret_cast<const char*>(utf8); }

// A window that lists lines, as a list or a status bar does in the screen model.
class LinesWindow : public Window {
 public:
  LinesWindow(std::string className, std::vector<std::string> lines, int role = ROLE_SYSTEM_CLIENT)
      : className_(std::move(className)), lines_(std::move(lines)), role_(role) {}
  std::string_view ClassName() const override { return className_; }
  int AccessRole() const override { return role_; }
  void DescribeContents(std::vector<std::string>& lines) const override { lines = lines_; }

 private:
  std::string className_;
  std::vector<std::string> lines_;
  int role_;
};

// A frame of 240 x 128 pixels (30 x 8 cells) with a menu bar, a label on its first row, a pane
// of lines below it and a status bar on its last row.
class TerminalRendererTest : public HeadlessTest {
 protected:
  void SetUp() override {
    const HMENU bar = CreateMenu();
    const HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, 100, "挨拶(&G)\tCtrl+G");
    AppendMenu(bar, MF_POPUP, ToWParam(popup), "操作(&F)");
    CreateParams p;
    p.text = "見本";
    p.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    p.rect = RECT{0, 0, 240, 128};
    p.menu = bar;
    ASSERT_TRUE(frame.Create(p));
    Child(label, "ラベルabc", 1, RECT{0, 0, 240, 16});
    Child(pane, "", 2, RECT{16, 16, 240, 112});
    Child(status, "", 3, RECT{0, 112, 240, 128});
    SetFocus(pane.hwnd());
  }
  void Child(Window& w, const char* text, UINT id, RECT rect) {
    CreateParams p;
    p.text = text;
    p.style = WS_CHILD | WS_VISIBLE;
    p.parent = frame.hwnd();
    p.id = id;
    p.rect = rect;
    ASSERT_TRUE(w.Create(p));
  }
  std::vector<std::string> Rows(const TerminalCanvas& canvas) {
    std::vector<std::string> rows;
    for (int r = 0; r < canvas.rows(); ++r) rows.push_back(canvas.RowText(r));
    return rows;
  }

  RecordingWindow frame{"frame", nullptr};
  Window label;
  LinesWindow pane{"LexivList", {"一行目", "2行目 \xF1\x60"}};  // sense marker 21
  LinesWindow status{"StatusLine", {"状態"}, ROLE_SYSTEM_STATUSBAR};
};

TEST_F(TerminalRendererTest, WindowsAppearWhereTheirRectanglesAreWithDoubleByteTextInTwoCells) {
  TerminalCanvas canvas(30, 10);
  const TerminalLayout layout = RenderScreen(canvas);
  EXPECT_EQ(layout.originRow, 1);
  const std::vector<std::string> expected{
      U(u8" 見本   操作(F)"), U(u8"ラベルabc"), U(u8"  一行目"), U(u8"  2行目 ㉑"), "", "", "", "", U(u8"状態"), "",
  };
  EXPECT_EQ(Rows(canvas), expected);
  // The double-byte text takes two cells a character: "abc" starts at column 6.
  EXPECT_EQ(canvas.At(6, 1).glyph, "a");
  EXPECT_EQ(canvas.At(1, 1).glyph, "");
  // The cursor is on the focused pane.
  EXPECT_EQ(canvas.cursorColumn(), 2);
  EXPECT_EQ(canvas.cursorRow(), 2);
}

TEST_F(TerminalRendererTest, SmallTerminalKeepsTheFocusedPaneAndTheStatusLine) {
  // Five rows: the bar and four for a layout that needs eight. The focused pane is taller than
  // what is left: its top comes right under the bar, the status line keeps the last row.
  TerminalCanvas canvas(30, 5);
  RenderScreen(canvas);
  EXPECT_EQ(canvas.RowText(4), U(u8"状態"));
  EXPECT_EQ(canvas.RowText(1), U(u8"  一行目"));
  EXPECT_EQ(canvas.cursorRow(), 1);
  // Focus near the bottom moves the view up.
  Window lower;
  Child(lower, "下", 4, RECT{0, 96, 240, 112});
  SetFocus(lower.hwnd());
  const TerminalLayout layout = RenderScreen(canvas);
  EXPECT_LT(layout.originRow, 1);
  EXPECT_EQ(canvas.RowText(canvas.cursorRow()), U(u8"下"));
  EXPECT_EQ(canvas.RowText(4), U(u8"状態"));
}

TEST_F(TerminalRendererTest, RegisteredPainterDrawsItsClassWithColoursAndCursor) {
  RegisterTerminalPainter("LexivList", [](HWND, TerminalPaintContext& context) {
    context.SetColors(RGB(0, 0, 0), RGB(0, 255, 255));
    context.Clear();
    context.Write(0, 1, "選択");
    context.SetCursor(0, 1);
  });
  TerminalCanvas canvas(30, 10);
  RenderScreen(canvas);
  RegisterTerminalPainter("LexivList", PaintWindowDefault);
  EXPECT_EQ(canvas.RowText(3), U(u8"  選択"));
  EXPECT_EQ(canvas.At(2, 3).background, RGB(0, 255, 255));
  EXPECT_EQ(canvas.At(20, 6).background, RGB(0, 255, 255));
  EXPECT_EQ(canvas.At(1, 3).background, kTerminalDefaultColor);
  EXPECT_EQ(canvas.cursorRow(), 3);
  EXPECT_EQ(canvas.cursorColumn(), 2);
}

// A parent that gives its edit fields colours of their own.
class ColoringParent : public Window {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CTLCOLOREDIT && answer) {
      auto* colors = reinterpret_cast<ControlColors*>(wParam);
      colors->text = RGB(255, 255, 0);
      colors->background = RGB(0, 0, 128);
      return 1;
    }
    return Window::WindowProc(message, wParam, lParam);
  }
  bool answer = true;
};

TEST_F(TerminalRendererTest, AnEditTakesTheColoursItsParentGives) {
  ShowWindow(pane.hwnd(), SW_HIDE);
  ColoringParent holder;
  Child(holder, "", 5, RECT{0, 16, 240, 32});
  EditControl field;
  CreateParams p;
  p.text = "はし";
  p.style = WS_CHILD | WS_VISIBLE;
  p.parent = holder.hwnd();
  p.id = 6;
  p.rect = RECT{0, 0, 80, 16};
  ASSERT_TRUE(field.Create(p));
  TerminalCanvas canvas(30, 10);
  RenderScreen(canvas);
  EXPECT_EQ(canvas.RowText(2).substr(0, 6), U(u8"はし"));
  for (int column : {0, 9}) {
    EXPECT_EQ(canvas.At(column, 2).foreground, RGB(255, 255, 0)) << column;
    EXPECT_EQ(canvas.At(column, 2).background, RGB(0, 0, 128)) << column;
  }
  // A parent that does not answer leaves the terminal's own colours.
  holder.answer = false;
  SetWindowText(field.hwnd(), "はしご");
  RenderScreen(canvas);
  EXPECT_EQ(canvas.At(0, 2).background, kTerminalDefaultColor);
  EXPECT_EQ(canvas.At(0, 2).foreground, kTerminalDefaultColor);
}

// Another program's edit class, derived from the edit, is drawn line by line as the edit is.
TEST_F(TerminalRendererTest, AControlDerivedFromTheEditIsDrawnAsAnEdit) {
  class OwnEdit : public EditControl {
   public:
    std::string_view ClassName() const override { return "OwnEditClass"; }
  };
  ShowWindow(pane.hwnd(), SW_HIDE);
  OwnEdit edit;
  CreateParams p;
  p.text = "一行目\r\n二行目";
  p.style = WS_CHILD | WS_VISIBLE | ES_MULTILINE;
  p.parent = frame.hwnd();
  p.id = 7;
  p.rect = RECT{0, 16, 240, 64};
  ASSERT_TRUE(edit.Create(p));
  TerminalCanvas canvas(30, 10);
  RenderScreen(canvas);
  EXPECT_EQ(canvas.RowText(2).substr(0, 9), U(u8"一行目"));
  EXPECT_EQ(canvas.RowText(3).substr(0, 9), U(u8"二行目"));
}

TEST_F(TerminalRendererTest, NothingChangesWhenNothingHappened) {
  TerminalCanvas first(30, 10), second(30, 10);
  RenderScreen(first);
  RenderScreen(second);
  EXPECT_EQ(first, second);
  SetWindowText(label.hwnd(), "変更");
  RenderScreen(second);
  EXPECT_FALSE(first == second);
}

TEST(TerminalGlyphsTest, UserDefinedCharactersHaveVisibleSubstitutes) {
  struct Case {
    std::string sjis;
    const char8_t* utf8;
  };
  const Case cases[] = {
      {"\xF1\x58", u8"★"}, {"\xF1\x59", u8"☆"}, {"\xF1\x60", u8"㉑"}, {"\xF1\x63", u8"㉔"},
      {"\xF1\x6F", u8"⓿"}, {"\xF1\x78", u8"❾"}, {"\xF2\x40", u8"〓"}, {"\x82\xA0", u8"あ"},
      {"\xB1", u8"ｱ"},     {"A", u8"A"},
  };
  for (const Case& c : cases) {
    const TerminalGlyph g = GlyphAt(c.sjis, 0);
    EXPECT_EQ(g.utf8, reinterpret_cast<const char*>(c.utf8)) << c.sjis;
    EXPECT_EQ(g.cells, static_cast<int>(c.sjis.size()));
  }
  // A lead byte at the end never reads past the text.
  EXPECT_EQ(GlyphAt("a\x82", 1).bytes, 1u);
}

TEST(TerminalCanvasTest, OverwritingHalfOfATwoCellCharacterClearsTheOtherHalf) {
  TerminalCanvas canvas(6, 1);
  canvas.Write(0, 0, "あい", canvas.Bounds(), kTerminalDefaultColor, kTerminalDefaultColor);
  EXPECT_EQ(canvas.RowText(0), U(u8"あい"));
  canvas.Write(1, 0, "x", canvas.Bounds(), kTerminalDefaultColor, kTerminalDefaultColor);
  EXPECT_EQ(canvas.RowText(0), U(u8" xい"));
  // A two-cell character cut by the clip is left out.
  canvas.Write(5, 0, "う", canvas.Bounds(), kTerminalDefaultColor, kTerminalDefaultColor);
  EXPECT_EQ(canvas.RowText(0), U(u8" xい"));
}

}  // namespace
}  // namespace lexiv::testing
