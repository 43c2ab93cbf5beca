#include "platform/controls/edit_control.h"

#include <gtest/gtest.h>

#include <cstring>

#include "headless_fixture.h"
#include "platform/core/focus.h"
#include "platform/services/clipboard.h"

namespace lexiv::testing {
namespace {

class EditTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.CreateTop(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    CreateParams p;
    p.style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    p.parent = frame.hwnd();
    p.id = 108;
    p.rect = RECT{0, 0, 80, 16};  // ten cells
    ASSERT_TRUE(edit.Create(p));
    SetFocus(edit.hwnd());
    log.clear();
  }
  void Keys(const std::string& keys) { PressKeys(keys); }
  std::pair<DWORD, DWORD> Sel() {
    DWORD start = 0, end = 0;
    SendMessage(edit.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
  std::vector<WORD> Codes() {
    std::vector<WORD> codes;
    for (const Received& r : log)
      if (r.message == WM_COMMAND && HwndFromParam(r.lParam) == edit.hwnd()) codes.push_back(HIWORD(r.wParam));
    log.clear();
    return codes;
  }

  std::vector<Received> log;
  RecordingWindow frame{"frame", &log, {WM_COMMAND}};
  EditControl edit;
};

TEST_F(EditTest, TypingAndCaretKeysKeepDoubleByteCharactersWhole) {
  struct Case {
    const char* keys;
    const char* text;
    DWORD selStart, selEnd, caret;
  };
  const Case cases[] = {
      {"\"abc\"", "abc", 3, 3, 3},
      {"\"aあb\"", "aあb", 4, 4, 4},
      {"\"aあb\" Left Left", "aあb", 1, 1, 1},
      {"\"aあb\" Home Right Right", "aあb", 3, 3, 3},
      {"\"aあb\" Left Shift+Left", "aあb", 1, 3, 1},
      {"\"aあb\" Home Shift+Right Shift+Right Shift+Left", "aあb", 0, 1, 1},
      {"\"aあb\" Left BackSpace", "ab", 1, 1, 1},
      {"\"aあb\" Home Right Delete", "ab", 1, 1, 1},
      {"\"aあb\" Shift+Home \"x\"", "x", 1, 1, 1},
      {"\"aあb\" Home Shift+End Left", "aあb", 0, 0, 0},
      {"\"aあb\" Home Shift+End Right", "aあb", 4, 4, 4},
      {"\"aあb\" Home Shift+Right \"い\"", "いあb", 2, 2, 2},
      {"\"ab\" Home BackSpace End Delete", "ab", 2, 2, 2},
  };
  for (const Case& c : cases) {
    SetWindowText(edit.hwnd(), "");
    Keys(c.keys);
    EXPECT_EQ(WindowText(edit.hwnd()), c.text) << c.keys;
    EXPECT_EQ(Sel(), std::make_pair(c.selStart, c.selEnd)) << c.keys;
    EXPECT_EQ(edit.CaretPos(), c.caret) << c.keys;
  }
}

TEST_F(EditTest, TextLimitCutsTypedAndPastedTextAtACharacterBoundary) {
  SendMessage(edit.hwnd(), EM_LIMITTEXT, 5, 0);
  struct Case {
    const char* start;
    const char* typed;
    const char* pasted;
    const char* text;
    bool maxText;
  };
  const Case cases[] = {
      {"abc", "あ", "", "abcあ", false},
      {"abcd", "あ", "", "abcd", true},
      {"abcd", "e", "", "abcde", false},
      {"ab", "", "あいう", "abあ", true},
      {"ab", "", "cd\r\nef", "abcd", false},
  };
  for (const Case& c : cases) {
    SetWindowText(edit.hwnd(), c.start);
    SendMessage(edit.hwnd(), EM_SETSEL, 99, 99);
    if (*c.typed) {
      ASSERT_EQ(driver.Type(c.typed), 0);
    }
    if (*c.pasted) {
      PutClipboardTextFromOutside(c.pasted);
      driver.PressKey("Ctrl+V");
    }
    PumpPending();
    EXPECT_EQ(WindowText(edit.hwnd()), c.text) << c.start << " + " << c.typed << c.pasted;
    const std::vector<WORD> codes = Codes();
    EXPECT_EQ(std::find(codes.begin(), codes.end(), EN_MAXTEXT) != codes.end(), c.maxText) << c.start;
  }
  // The program's own text is not limited.
  SetWindowText(edit.hwnd(), "abcdefgh");
  EXPECT_EQ(GetWindowTextLength(edit.hwnd()), 8);
}

TEST_F(EditTest, SetSelSnapsToCharacterStartsAndMinusOneKeepsTheCaret) {
  SetWindowText(edit.hwnd(), "aあい");  // a=0, あ=1..2, い=3..4
  struct Case {
    LPARAM start, end;
    DWORD selStart, selEnd;
  };
  const Case cases[] = {
      {2, 2, 1, 1},   // inside あ: back to its start
      {0, 2, 0, 3},   // the high end takes the whole character
      {4, 1, 1, 5},   // backwards, both ends widened
      {0, -1, 0, 5},  // everything
      {3, 99, 3, 5},  // clamped to the end
  };
  for (const Case& c : cases) {
    SendMessage(edit.hwnd(), EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
    EXPECT_EQ(Sel(), std::make_pair(c.selStart, c.selEnd)) << c.start << "," << c.end;
  }
  SendMessage(edit.hwnd(), EM_SETSEL, 1, 3);
  SendMessage(edit.hwnd(), EM_SETSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(Sel(), std::make_pair(DWORD{3}, DWORD{3}));
}

TEST_F(EditTest, OneLineAnswersLineMessages) {
  SetWindowText(edit.hwnd(), "aあい");
  SendMessage(edit.hwnd(), EM_SETSEL, 0, -1);
  EXPECT_EQ(SendMessage(edit.hwnd(), EM_LINELENGTH, static_cast<WPARAM>(-1), 0), 5);  // the search box's enable rule
  EXPECT_EQ(SendMessage(edit.hwnd(), EM_LINEINDEX, 0, 0), 0);
  EXPECT_EQ(SendMessage(edit.hwnd(), EM_LINEINDEX, 1, 0), -1);
  EXPECT_EQ(SendMessage(edit.hwnd(), EM_LINEFROMCHAR, 4, 0), 0);
  struct Case {
    WORD capacity;
    std::string copied;
  };
  for (const Case& c : {Case{10, "aあい"}, Case{3, "aあ"}, Case{2, "a"}}) {
    char buffer[16];
    std::memset(buffer, 'z', sizeof buffer);
    std::memcpy(buffer, &c.capacity, sizeof c.capacity);
    const LRESULT n = SendMessage(edit.hwnd(), EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer));
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(n)), c.copied) << c.capacity;
    if (n >= 2) {
      EXPECT_EQ(buffer[n], 'z') << "no NUL, nothing past the copied line";
    }
  }
}

TEST_F(EditTest, ClipboardCopyCutAndPaste) {
  SetWindowText(edit.hwnd(), "aあい");
  SendMessage(edit.hwnd(), EM_SETSEL, 1, 3);
  SendMessage(edit.hwnd(), WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), "あ");
  SendMessage(edit.hwnd(), WM_CUT, 0, 0);
  EXPECT_EQ(WindowText(edit.hwnd()), "aい");
  SendMessage(edit.hwnd(), EM_SETSEL, 3, 3);
  SendMessage(edit.hwnd(), WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(edit.hwnd()), "aいあ");
  EXPECT_EQ(Sel(), std::make_pair(DWORD{5}, DWORD{5}));

  SendMessage(edit.hwnd(), EM_SETREADONLY, TRUE, 0);
  SendMessage(edit.hwnd(), EM_SETSEL, 0, 1);
  SendMessage(edit.hwnd(), WM_CUT, 0, 0);
  SendMessage(edit.hwnd(), WM_PASTE, 0, 0);
  Keys("\"x\" BackSpace");
  EXPECT_EQ(WindowText(edit.hwnd()), "aいあ");
  SendMessage(edit.hwnd(), WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), "a") << "copying still works when read-only";
}

TEST_F(EditTest, NotifiesTheParentOfFocusAndChanges) {
  SetFocus(frame.hwnd());
  SetFocus(edit.hwnd());
  Keys("\"a\" Left Shift+Right");
  SetWindowText(edit.hwnd(), "b");
  SetFocus(frame.hwnd());
  EXPECT_EQ(Codes(), (std::vector<WORD>{EN_KILLFOCUS, EN_SETFOCUS, EN_CHANGE, EN_CHANGE, EN_KILLFOCUS}));
}

TEST_F(EditTest, ScrollsToKeepTheCaretInTheTenCells) {
  Keys("\"abcdefghijkl\"");
  EXPECT_EQ(edit.ScrollPos(), 3u);
  Keys("Home");
  EXPECT_EQ(edit.ScrollPos(), 0u);
  SendMessage(edit.hwnd(), EM_SETSEL, 12, 12);
  EXPECT_EQ(edit.ScrollPos(), 0u) << "only EM_SCROLLCARET scrolls to a selection set by the program";
  SendMessage(edit.hwnd(), EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(edit.ScrollPos(), 3u);
}

}  // namespace
}  // namespace lexiv::testing
