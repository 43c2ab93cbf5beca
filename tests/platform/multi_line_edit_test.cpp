// The edit control with ES_MULTILINE: ten cells wide and three lines high, so texts wrap and the
// view scrolls.
#include <gtest/gtest.h>

#include <cstring>

#include "headless_fixture.h"
#include "platform/controls/edit_control.h"
#include "platform/controls/rich_edit_messages.h"
#include "platform/core/focus.h"
#include "platform/services/clipboard.h"

namespace lexiv::testing {
namespace {

class MultiLineEditTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.CreateTop(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    CreateParams p;
    p.className = "Edit";
    p.style = WS_CHILD | WS_VISIBLE | ES_MULTILINE;
    p.parent = frame.hwnd();
    p.id = 109;
    p.rect = RECT{0, 0, 80, 48};
    ASSERT_TRUE(edit.Create(p));
    SetFocus(edit.hwnd());
  }
  std::pair<DWORD, DWORD> Sel() {
    DWORD start = 0, end = 0;
    SendMessage(edit.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam = 0) { return SendMessage(edit.hwnd(), message, wParam, lParam); }

  RecordingWindow frame{"frame", nullptr, {}};
  EditControl edit;
};

TEST_F(MultiLineEditTest, KeysEditAndMoveThroughLinesWrapsAndWords) {
  struct Case {
    const char* keys;
    const char* text;
    DWORD selStart, selEnd;
  };
  const Case cases[] = {
      {"\"ab\" Return \"cd\"", "ab\r\ncd", 6, 6},
      {"\"abcd\" Return \"x\" Up", "abcd\r\nx", 1, 1},
      // The column is kept across a short line.
      {"\"ab\" Return \"cdef\" Up Down", "ab\r\ncdef", 8, 8},
      {"\"ab\" Return \"cdef\" Up Up", "ab\r\ncdef", 2, 2},
      {"\"ab\" Return \"cd\" Down", "ab\r\ncd", 6, 6},
      // Thirteen characters wrap after ten cells: the second line starts at byte 10.
      {"\"0123456789abc\" Ctrl+Home Down", "0123456789abc", 10, 10},
      {"\"0123456789abc\" Up End", "0123456789abc", 10, 10},
      {"\"aあいう\" Home Right Right", "aあいう", 3, 3},
      {"\"ab\" Return BackSpace", "ab", 2, 2},
      {"\"ab\" Return \"c\" Ctrl+Home End Delete", "abc", 2, 2},
      {"\"ab\" Return \"cd\" Ctrl+Home Shift+Down", "ab\r\ncd", 0, 4},
      {"\"ab\" Return \"cd\" Ctrl+End Shift+Home", "ab\r\ncd", 4, 6},
      {"\"abc def\" Ctrl+Home Ctrl+Right", "abc def", 4, 4},
      {"\"漢字かな\" Ctrl+Home Ctrl+Right", "漢字かな", 4, 4},
      {"\"漢字かな\" Ctrl+Left", "漢字かな", 4, 4},
      // A line end is a stop of its own: the end of "ab", then the start of "cd".
      {"\"ab\" Return \"cd\" Ctrl+Home Ctrl+Right", "ab\r\ncd", 2, 2},
      {"\"ab\" Return \"cd\" Ctrl+Home Ctrl+Right Ctrl+Right", "ab\r\ncd", 4, 4},
      {"\"ab\" Return \"cd\" Ctrl+Left Ctrl+Left", "ab\r\ncd", 2, 2},
      // A run of typing is one change; a move ends it; a second undo takes the undo back.
      {"\"abc\" Ctrl+Z", "", 0, 0},
      {"\"abc\" Ctrl+Z Ctrl+Z", "abc", 3, 3},
      {"\"ab\" Left \"x\" Ctrl+Z", "ab", 1, 1},
      {"\"ab\" Shift+Home Delete Ctrl+Z", "ab", 0, 2},
  };
  for (const Case& c : cases) {
    SetWindowText(edit.hwnd(), "");
    Send(EM_EMPTYUNDOBUFFER, 0);
    PressKeys(c.keys);
    EXPECT_EQ(WindowText(edit.hwnd()), c.text) << c.keys;
    EXPECT_EQ(Sel(), std::make_pair(c.selStart, c.selEnd)) << c.keys;
  }
}

TEST_F(MultiLineEditTest, PasteKeepsLinesWithCrLfAndPageKeysMoveByTheWindowsHeight) {
  PutClipboardTextFromOutside("x\ny\rz");
  PressKeys("Ctrl+V");
  EXPECT_EQ(WindowText(edit.hwnd()), "x\r\ny\r\nz");

  SetWindowText(edit.hwnd(), "1\r\n2\r\n3\r\n4\r\n5\r\n6");
  PressKeys("Ctrl+Home Next");
  EXPECT_EQ(Sel(), std::make_pair(DWORD{9}, DWORD{9})) << "three lines down: the start of line 3";
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 3);
  const LRESULT first = Send(EM_GETFIRSTVISIBLELINE, 0);
  EXPECT_LE(first, 3);
  EXPECT_GE(first, 1) << "the caret's line stays in the three lines shown";
  PressKeys("Prior");
  EXPECT_EQ(Sel(), std::make_pair(DWORD{0}, DWORD{0}));
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE, 0), 0);
}

// "ab", a line end, "0123456789" wrapped from "0123456789xyz", a line end, and the empty last
// line: lines start at 0, 4, 14 and 19.
TEST_F(MultiLineEditTest, LineMessagesCountDisplayLines) {
  SetWindowText(edit.hwnd(), "ab\r\n0123456789xyz\r\n");
  EXPECT_EQ(Send(EM_GETLINECOUNT, 0), 4);
  struct Answer {
    UINT message;
    WPARAM wParam;
    LRESULT expected;
  };
  const Answer answers[] = {
      {EM_LINEFROMCHAR, 0, 0},  {EM_LINEFROMCHAR, 2, 0},  {EM_LINEFROMCHAR, 4, 1},  {EM_LINEFROMCHAR, 14, 2},
      {EM_LINEFROMCHAR, 19, 3}, {EM_LINEFROMCHAR, 99, 3}, {EM_LINEINDEX, 0, 0},     {EM_LINEINDEX, 1, 4},
      {EM_LINEINDEX, 2, 14},    {EM_LINEINDEX, 3, 19},    {EM_LINEINDEX, 4, static_cast<LRESULT>(-1)},
      {EM_LINELENGTH, 0, 2},    {EM_LINELENGTH, 4, 10},   {EM_LINELENGTH, 16, 3},   {EM_LINELENGTH, 19, 0},
  };
  for (const Answer& a : answers)
    EXPECT_EQ(Send(a.message, a.wParam), a.expected) << "message 0x" << std::hex << a.message << " " << std::dec << a.wParam;

  char buffer[16] = {};
  const WORD four = 4;
  std::memcpy(buffer, &four, sizeof four);
  EXPECT_EQ(Send(EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer)), 4);
  EXPECT_EQ(std::string(buffer, 4), "0123") << "cut to the size in the buffer's first word";
  const WORD ten = 10;
  std::memcpy(buffer, &ten, sizeof ten);
  EXPECT_EQ(Send(EM_GETLINE, 2, reinterpret_cast<LPARAM>(buffer)), 3);
  EXPECT_EQ(std::string(buffer, 3), "xyz") << "without the line end";
  EXPECT_EQ(Send(EM_GETLINE, 3, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_EQ(Send(EM_GETLINE, 4, reinterpret_cast<LPARAM>(buffer)), 0);

  Send(EM_SETSEL, 1, 15);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 0) << "the line of the selection's start";
  EXPECT_EQ(Send(EM_LINELENGTH, static_cast<WPARAM>(-1)), 3) << "a before it on line 0, yz after it on line 2";
  Send(EM_SETSEL, 19, 19);
  EXPECT_EQ(Send(EM_LINEINDEX, static_cast<WPARAM>(-1)), 19);
}

// The lookup sends these to any edit; a plain edit has no event mask or options and says so.
TEST_F(MultiLineEditTest, RichEditOnlyMessagesHaveNoEffectAndTextIsNotUnicode) {
  SetWindowText(edit.hwnd(), "abc");
  EXPECT_EQ(Send(EM_GETEVENTMASK, 0), 0);
  EXPECT_EQ(Send(EM_SETEVENTMASK, 0, ENM_SELCHANGE), 0);
  EXPECT_EQ(Send(EM_GETEVENTMASK, 0), 0);
  EXPECT_EQ(Send(EM_SETOPTIONS, ECOOP_SET, 0), 0);
  EXPECT_EQ(WindowText(edit.hwnd()), "abc");
  EXPECT_FALSE(IsWindowUnicode(edit.hwnd()));
}

TEST_F(MultiLineEditTest, ReplaceSelWithoutUndoForgetsTheLastChange) {
  PressKeys("\"ab\"");
  EXPECT_TRUE(Send(EM_CANUNDO, 0));
  Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("c"));
  EXPECT_FALSE(Send(EM_CANUNDO, 0));
  PressKeys("Ctrl+Z");
  EXPECT_EQ(WindowText(edit.hwnd()), "abc");
  Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("d"));
  PressKeys("Ctrl+Z");
  EXPECT_EQ(WindowText(edit.hwnd()), "abc");
}

}  // namespace
}  // namespace lexiv::testing
