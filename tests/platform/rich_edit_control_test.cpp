#include "platform/controls/rich_edit_control.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "headless_fixture.h"
#include "platform/core/caret.h"
#include "platform/core/focus.h"
#include "platform/services/clipboard.h"

namespace lexiv::testing {
namespace {

constexpr LONG kTwips12 = 240;

CHARFORMAT Format(DWORD mask, LONG twips, COLORREF color = 0, DWORD effects = 0, const char* face = "") {
  CHARFORMAT cf;
  cf.dwMask = mask;
  cf.yHeight = twips;
  cf.crTextColor = color;
  cf.dwEffects = effects;
  std::strncpy(cf.szFaceName, face, LF_FACESIZE - 1);
  return cf;
}

// A parent that records the selection changes it hears.
class SelectionParent : public RecordingWindow {
 public:
  SelectionParent() : RecordingWindow("parent", nullptr) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      const auto* change = reinterpret_cast<const SELCHANGE*>(lParam);
      if (change->nmhdr.code == EN_SELCHANGE) changes.push_back(change->chrg);
    }
    return RecordingWindow::WindowProc(message, wParam, lParam);
  }
  std::vector<CHARRANGE> changes;
};

class RichEditTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateTop(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    Make(80, 160);  // ten cells wide, ten 12-point lines high
  }
  void Make(int width, int height) {
    control = std::make_unique<RichEditControl>();
    CreateParams p;
    p.style = WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOVSCROLL;
    p.parent = parent.hwnd();
    p.id = 2;
    p.rect = RECT{0, 0, width, height};
    ASSERT_TRUE(control->Create(p));
  }
  void Insert(const char* text, const CHARFORMAT& cf) {
    SendMessage(edit().hwnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    SendMessage(edit().hwnd(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text));
  }
  void SetText(const char* text) { SetWindowText(edit().hwnd(), text); }
  LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) { return SendMessage(edit().hwnd(), message, w, l); }
  void SetSel(LONG from, LONG to) {
    CHARRANGE r{from, to};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
  }
  CHARRANGE GetSel() {
    CHARRANGE r;
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  std::vector<std::string> DisplayLines() {
    std::vector<std::string> out;
    const LRESULT count = Send(EM_GETLINECOUNT);
    for (LRESULT i = 0; i < count; ++i) {
      char buffer[256] = {};
      const WORD capacity = sizeof buffer - 1;
      std::memcpy(buffer, &capacity, sizeof capacity);
      const LRESULT n = Send(EM_GETLINE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
      out.emplace_back(buffer, static_cast<std::size_t>(n));
    }
    return out;
  }
  void Keys(const std::vector<std::string>& keys) {
    for (const std::string& k : keys) {
      ASSERT_EQ(driver.PressKey(k), 0) << k;
      PumpPending();
    }
  }

  SelectionParent parent;
  std::unique_ptr<RichEditControl> control;
  RichEditControl& edit() { return *control; }
};

TEST_F(RichEditTest, WrapsAtTheLastFittingCharacterByWidthAndSize) {
  struct Case {
    const char* name;
    int width;
    LONG twips;
    const char* text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"ten cells at 12 points", 80, kTwips12, "abcdefghijkl", {"abcdefghij", "kl"}},
      {"five cells at 24 points", 80, 2 * kTwips12, "abcdefghijkl", {"abcde", "fghij", "kl"}},
      {"a double-byte character that would straddle the edge goes down", 80, kTwips12, "abcdefghiあ", {"abcdefghi", "あ"}},
      {"double-byte characters fill eleven cells with five", 88, kTwips12, "あいうえおか", {"あいうえお", "か"}},
      {"a paragraph end takes no room", 80, kTwips12, "abcdefghij\r\nk", {"abcdefghij", "k"}},
      {"a final paragraph end leaves an empty line", 80, kTwips12, "ab\r\n", {"ab", ""}},
      {"an empty text is one line", 80, kTwips12, "", {""}},
      {"a character wider than the window still takes a line", 8, kTwips12, "あい", {"あ", "い"}},
  };
  for (const Case& c : cases) {
    Make(c.width, 160);
    const CHARFORMAT size = Format(CFM_SIZE, c.twips);
    Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&size));
    Insert(c.text, size);
    EXPECT_EQ(DisplayLines(), c.lines) << c.name;
  }
}

TEST_F(RichEditTest, MixedSizesShareALineByTheirWidths) {
  Insert("ab", Format(CFM_SIZE, 2 * kTwips12));  // four cells
  Insert("cdefghi", Format(CFM_SIZE, kTwips12));  // six more fit, the seventh does not
  EXPECT_EQ(DisplayLines(), (std::vector<std::string>{"abcdefgh", "i"}));
  // Zoom as the meaning view does it: everything at 24 points.
  const CHARFORMAT zoom = Format(CFM_SIZE, 2 * kTwips12);
  SetSel(0, -1);
  Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&zoom));
  EXPECT_EQ(DisplayLines(), (std::vector<std::string>{"abcde", "fghi"}));
  // Narrowing the window wraps again.
  MoveWindow(edit().hwnd(), 0, 0, 40, 160, TRUE);
  EXPECT_EQ(DisplayLines(), (std::vector<std::string>{"ab", "cd", "ef", "gh", "i"}));
}

TEST_F(RichEditTest, LineArithmeticOverWrappedLinesAndParagraphEnds) {
  // Lines: 0 "abcdefghij" 0..10 wrapped; 1 "klm" 10..13 + "\r\n"; 2 "あいう" 15..21 + "\r\n"; 3 "" 23.
  SetText("abcdefghijklm\r\nあいう\r\n");
  struct Case {
    UINT message;
    WPARAM wParam;
    LRESULT expected;
  };
  const Case cases[] = {
      {EM_GETLINECOUNT, 0, 4},
      {EM_LINEFROMCHAR, 0, 0},  {EM_LINEFROMCHAR, 9, 0},  {EM_LINEFROMCHAR, 10, 1}, {EM_LINEFROMCHAR, 13, 1},
      {EM_LINEFROMCHAR, 14, 1}, {EM_LINEFROMCHAR, 15, 2}, {EM_LINEFROMCHAR, 23, 3}, {EM_LINEFROMCHAR, 99, 3},
      {EM_LINEINDEX, 0, 0},     {EM_LINEINDEX, 1, 10},    {EM_LINEINDEX, 2, 15},    {EM_LINEINDEX, 3, 23},
      {EM_LINEINDEX, 4, -1},
      {EM_LINELENGTH, 0, 10},   {EM_LINELENGTH, 10, 3},   {EM_LINELENGTH, 16, 6},   {EM_LINELENGTH, 23, 0},
      {EM_LINELENGTH, 99, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Send(c.message, c.wParam), c.expected) << "message 0x" << std::hex << c.message << std::dec << " " << c.wParam;

  // The selection 11..17 touches lines 1 and 2: 3 + 6 bytes, 2 + 2 of them selected.
  SetSel(11, 17);
  EXPECT_EQ(Send(EM_LINELENGTH, static_cast<WPARAM>(-1)), 5);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 1);

  // EM_GETLINE stops at the buffer's size without splitting a character, and writes a NUL only
  // when there is room.
  char buffer[8];
  std::memset(buffer, 'z', sizeof buffer);
  const WORD capacity = 5;
  std::memcpy(buffer, &capacity, sizeof capacity);
  ASSERT_EQ(Send(EM_GETLINE, 2, reinterpret_cast<LPARAM>(buffer)), 4);
  EXPECT_EQ(std::string(buffer, 5), std::string("あい") + '\0');
  EXPECT_EQ(buffer[5], 'z');
}

TEST_F(RichEditTest, CaretKeysStepWholeCharactersAndShiftExtends) {
  // a=0 あ=1 \r\n=3 い=5 b=7 end=8
  SetText("aあ\r\nいb");
  struct Case {
    LONG start;
    std::vector<std::string> keys;
    LONG cpMin, cpMax;
  };
  const Case cases[] = {
      {0, {"Right"}, 1, 1},
      {1, {"Right"}, 3, 3},
      {3, {"Right"}, 5, 5},
      {8, {"Left"}, 7, 7},
      {5, {"Left"}, 3, 3},
      {3, {"Left"}, 1, 1},
      {1, {"Shift+Right"}, 1, 3},
      {7, {"Shift+Left", "Shift+Left"}, 3, 7},
      {2, {"Right"}, 3, 3},  // set inside あ, the caret starts from its first byte
      {6, {"Home"}, 5, 5},
      {0, {"End"}, 3, 3},
      {1, {"Ctrl+End"}, 8, 8},
      {7, {"Ctrl+Home"}, 0, 0},
      {1, {"Shift+Ctrl+End"}, 1, 8},
      {1, {"Shift+Right", "Left"}, 1, 1},  // an arrow without Shift collapses
      {1, {"Shift+Right", "Right"}, 3, 3},
  };
  SetFocus(edit().hwnd());
  for (const Case& c : cases) {
    SetSel(c.start, c.start);
    Keys(c.keys);
    const CHARRANGE sel = GetSel();
    EXPECT_EQ(sel.cpMin, c.cpMin) << c.start << " " << c.keys.front();
    EXPECT_EQ(sel.cpMax, c.cpMax) << c.start << " " << c.keys.front();
  }
}

TEST_F(RichEditTest, UpAndDownKeepTheColumnInCells) {
  // Lines "abcd" 0..4, "あいう" 6..12, "xyz" 14..17.
  SetText("abcd\r\nあいう\r\nxyz");
  struct Case {
    LONG start;
    std::vector<std::string> keys;
    LONG caret;
  };
  const Case cases[] = {
      {2, {"Down"}, 8},                  // two cells in: after あ
      {2, {"Down", "Down"}, 16},          // and before z
      {3, {"Down"}, 8},                   // い straddles the third cell: its start
      {3, {"Down", "Down"}, 17},          // the column is kept from the first line
      {16, {"Up", "Up"}, 2},
      {17, {"Down"}, 17},                 // the last line: the caret stays
      {1, {"Up"}, 1},                     // the first line: the caret stays
      {4, {"Down", "Right", "Down"}, 17}, // another key forgets the column
  };
  SetFocus(edit().hwnd());
  for (const Case& c : cases) {
    SetSel(c.start, c.start);
    Keys(c.keys);
    EXPECT_EQ(GetSel().cpMax, c.caret) << c.start << " " << c.keys.size();
  }
}

TEST_F(RichEditTest, PageKeysMoveByTheVisibleLines) {
  Make(80, 48);  // three 12-point lines
  SetText("0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7");
  SetFocus(edit().hwnd());
  SetSel(0, 0);
  Keys({"Next"});
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 3);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 3);
  Keys({"Shift+Next", "Shift+Next"});
  EXPECT_EQ(GetSel().cpMin, 9);
  EXPECT_EQ(GetSel().cpMax, 21) << "capped at the last line";
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 5) << "the last line stays at the bottom";
  Keys({"Prior"});
  EXPECT_EQ(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 4);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 2);
}

TEST_F(RichEditTest, SelectionChangesAreNotifiedWhileTheMaskAsksForThem) {
  SetText("abcあい");
  Send(EM_SETEVENTMASK, 0, ENM_SELCHANGE);
  SetFocus(edit().hwnd());
  SetSel(1, 2);
  SetSel(1, 2);  // no change, no notification
  SetSel(4, 4);  // inside あ: snapped back
  Keys({"Shift+Right"});
  Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("x"));
  EXPECT_EQ(Send(EM_SETEVENTMASK, 0, 0), static_cast<LRESULT>(ENM_SELCHANGE)) << "returns the previous mask";
  SetSel(0, 0);
  Keys({"Right"});
  const std::vector<CHARRANGE> expected = {{1, 2}, {3, 3}, {3, 5}, {4, 4}};
  EXPECT_EQ(parent.changes, expected);
}

// How a lookup borrows a selection: with the scroll options off the view stays where it is.
TEST_F(RichEditTest, ASelectionSetWithoutTheScrollOptionsLeavesTheViewWhereItIs) {
  SetText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n14");
  const LRESULT saved = Send(EM_GETOPTIONS);
  Send(EM_SETOPTIONS, ECOOP_SET, static_cast<LPARAM>(saved & ~DWORD{0x1C0}));
  SetSel(36, 38);
  EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
  Send(EM_SETOPTIONS, ECOOP_SET, saved);
  SetSel(0, 0);
  SetSel(36, 38);
  EXPECT_GT(Send(EM_GETFIRSTVISIBLELINE), 0) << "with ECO_AUTOVSCROLL the caret's line comes into view";
}

TEST_F(RichEditTest, ReplaceSelInsertsInTheCurrentFormat) {
  const COLORREF red = RGB(255, 0, 0);
  const DWORD labelMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_BOLD | CFM_ITALIC;
  Insert("見出し", Format(labelMask, kTwips12, red, CFE_BOLD, "明朝"));
  Insert("本文", Format(CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_BOLD, kTwips12, 0, 0, "明朝"));
  Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("続き"));  // goes on in the format before it
  struct Case {
    LONG from, to;
    DWORD maskHas, maskLacks;
    COLORREF color;
    bool bold;
  };
  const Case cases[] = {
      {0, 6, labelMask, 0, red, true},
      {6, 14, CFM_COLOR | CFM_BOLD, 0, 0, false},
      {0, 14, CFM_SIZE | CFM_FACE, CFM_COLOR | CFM_BOLD, red, true},
  };
  for (const Case& c : cases) {
    SetSel(c.from, c.to);
    CHARFORMAT cf;
    const auto mask = static_cast<DWORD>(Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
    EXPECT_EQ(mask & c.maskHas, c.maskHas) << c.from << "-" << c.to;
    EXPECT_EQ(mask & c.maskLacks, 0u) << c.from << "-" << c.to;
    EXPECT_EQ(cf.crTextColor, c.color) << c.from;
    EXPECT_EQ((cf.dwEffects & CFE_BOLD) != 0, c.bold) << c.from;
    EXPECT_STREQ(cf.szFaceName, "明朝");
  }
  std::vector<std::string> lines;
  edit().DescribeContents(lines);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "0: [12pt #FF0000 bold '明朝']見出し[12pt #000000 '明朝']本文 \\") << "ten cells: wrapped before the third run";
  // A format of the wrong size is refused.
  CHARFORMAT bad = Format(CFM_SIZE, 480);
  bad.cbSize = 4;
  EXPECT_EQ(Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&bad)), FALSE);
}

TEST_F(RichEditTest, FindForwardBackwardAndNeverOnATrailByte) {
  // "ア" is 0x83 0x41: its trail byte reads as 'A'.
  SetText("Abc アbc abc\r\nABC");
  struct Case {
    const char* name;
    const char* pattern;
    LONG cpMin, cpMax;
    WPARAM flags;
    LRESULT found;
  };
  const Case cases[] = {
      {"forward, case folded", "abc", 0, -1, FR_DOWN, 0},
      {"forward, matching case", "abc", 0, -1, FR_DOWN | FR_MATCHCASE, 9},
      {"forward from inside the text", "abc", 1, -1, FR_DOWN, 9},
      {"a trail byte never starts a match", "Abc", 1, -1, FR_DOWN | FR_MATCHCASE, -1},
      {"the double-byte character matches whole", "アb", 0, -1, FR_DOWN, 4},
      {"backward: the last match in the range", "abc", 0, 12, 0, 9},
      {"backward: a match crossing the range's end is no match", "abc", 0, 11, 0, 0},
      {"backward with the ends given the other way round", "abc", 18, 1, 0, 14},
      {"across the paragraph end", "c\r\nA", 0, -1, FR_DOWN, 11},
      {"no match", "xyz", 0, -1, FR_DOWN, -1},
      {"an empty pattern finds nothing", "", 0, -1, FR_DOWN, -1},
  };
  for (const Case& c : cases) {
    FINDTEXTEX find;
    find.chrg = CHARRANGE{c.cpMin, c.cpMax};
    find.lpstrText = c.pattern;
    EXPECT_EQ(Send(EM_FINDTEXTEX, c.flags, reinterpret_cast<LPARAM>(&find)), c.found) << c.name;
    if (c.found >= 0) {
      const auto end = static_cast<LONG>(c.found + static_cast<LRESULT>(std::strlen(c.pattern)));
      EXPECT_EQ(find.chrgText, (CHARRANGE{static_cast<LONG>(c.found), end})) << c.name;
    }
  }
}

TEST_F(RichEditTest, SelectedTextCopyAndOptions) {
  SetText("abあい\r\nx");
  SetSel(2, 8);
  char buffer[16] = {};
  EXPECT_EQ(Send(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 6);
  EXPECT_STREQ(buffer, "あい\r\n");
  Send(WM_COPY);
  EXPECT_EQ(ClipboardText(), "あい\r\n");
  // Read-only: no typing, no paste.
  PutClipboardTextFromOutside("zz");
  Send(WM_PASTE);
  Send(WM_CHAR, 'q');
  EXPECT_EQ(WindowText(edit().hwnd()), "abあい\r\nx");

  struct Case {
    WPARAM op;
    DWORD bits;
    DWORD result;
  };
  const DWORD start = ECO_AUTOVSCROLL | ECO_READONLY;
  EXPECT_EQ(static_cast<DWORD>(Send(EM_GETOPTIONS)), start) << "the styles give the first options";
  for (const Case& c : {Case{ECOOP_AND, ~DWORD{0x1C0}, ECO_READONLY}, Case{ECOOP_OR, ECO_NOHIDESEL, ECO_READONLY | ECO_NOHIDESEL},
                        Case{ECOOP_XOR, ECO_READONLY, ECO_NOHIDESEL}, Case{ECOOP_SET, start, start}})
    EXPECT_EQ(static_cast<DWORD>(Send(EM_SETOPTIONS, c.op, static_cast<LPARAM>(c.bits))), c.result) << c.op;

  // The word-break procedure is kept and handed back.
  EXPECT_EQ(Send(EM_SETWORDBREAKPROCEX, 0, 0x1234), 0);
  EXPECT_EQ(Send(EM_SETWORDBREAKPROCEX, 0, 0x5678), 0x1234);
}

TEST_F(RichEditTest, BlockCaretTakesTheSizeOfTheCharacterAtTheCaret) {
  const CHARFORMAT big = Format(CFM_SIZE, 2 * kTwips12);
  Insert("aあ\r\n", big);
  SetFocus(edit().hwnd());
  edit().SetBlockCaret(true);
  struct Case {
    LONG pos;
    LONG width, height;
  };
  for (const Case& c : {Case{0, 16, 32}, Case{1, 32, 32}, Case{3, 16, 32}}) {
    SetSel(c.pos, c.pos);
    const CaretState caret = CurrentCaret();
    EXPECT_EQ(caret.owner, edit().hwnd());
    EXPECT_EQ(caret.size.cx, c.width) << c.pos;
    EXPECT_EQ(caret.size.cy, c.height) << c.pos;
  }
  SetSel(0, 1);
  EXPECT_EQ(CurrentCaret().size.cx, 1) << "a selection shows a thin caret";
  SetFocus(parent.hwnd());
  EXPECT_FALSE(CurrentCaret().owner);
}

}  // namespace
}  // namespace lexiv::testing
