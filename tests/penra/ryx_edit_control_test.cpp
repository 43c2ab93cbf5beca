#include "penra/ryx_edit_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/control_classes.h"
#include "platform/controls/edit_messages.h"
#include "platform/headless_fixture.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::testing {
namespace {

using penra::RyxEditControl;

std::string Sjis(const char8_t* utf8) {
  std::string sjis;
  EXPECT_TRUE(Utf8ToSjis(reinterpret_cast<const char*>(utf8), sjis));
  return sjis;
}

class RyxEditControlTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.CreateTop());
    CreateParams params;
    params.style = WS_CHILD | WS_VISIBLE | ES_MULTILINE;
    params.parent = owner.hwnd();
    params.id = 1;
    params.rect = RECT{0, 0, 320, 160};
    ASSERT_TRUE(edit.Create(params));
  }
  void Show(const std::string& text, std::size_t anchor, std::size_t caret) {
    SetWindowText(edit.hwnd(), text.c_str());
    SendMessage(edit.hwnd(), EM_SETSEL, anchor, caret);
  }
  // A message with (capacity, buffer): the buffer as written up to its NUL, the result, and
  // whether anything beyond capacity + 1 bytes was touched.
  struct Filled {
    std::string text;
    LRESULT result = 0;
    bool nulInside = false;
    bool overrun = false;
  };
  Filled Fill(UINT message, std::size_t capacity) {
    std::vector<char> buffer(capacity + 1 + 8, '#');
    Filled filled;
    filled.result = SendMessage(edit.hwnd(), message, capacity, reinterpret_cast<LPARAM>(buffer.data()));
    const std::string_view written(buffer.data(), capacity + 1);
    const std::size_t nul = written.find('\0');
    filled.nulInside = nul != std::string_view::npos;
    filled.text = std::string(written.substr(0, nul));
    filled.overrun = std::string_view(buffer.data() + capacity + 1, 8) != "########";
    return filled;
  }

  RecordingWindow owner{"owner", nullptr};
  RyxEditControl edit;
};

TEST_F(RyxEditControlTest, IsAMultiLineEditUnderItsOwnClassName) {
  char name[32] = {};
  ASSERT_GT(GetClassName(edit.hwnd(), name, sizeof name), 0);
  EXPECT_STREQ(name, "RyxEditCtrl");
  // The ordinary edit messages answer as the multi-line edit's do.
  Show("one\r\ntwo", 6, 6);
  EXPECT_EQ(SendMessage(edit.hwnd(), EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessage(edit.hwnd(), EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
  // Made by name, as a dialog description or another test makes it.
  penra::RegisterRyxEditClass();
  const std::unique_ptr<Window> made = MakeControl("RyxEditCtrl");
  EXPECT_NE(dynamic_cast<RyxEditControl*>(made.get()), nullptr);
}

struct CaptureCase {
  const char* label;
  std::string text;
  std::size_t anchor, caret;
  LRESULT hasSelection;
  LRESULT length;        // 461 with a selection, 462 without
  std::size_t capacity;  // for 463 with a selection, 464 without
  std::string written;
  LRESULT result;  // 463: bytes written; 464: the offset of the caret's text
};

TEST_F(RyxEditControlTest, SelectionAndCaretTextWithinTheCapacity) {
  const std::string longLine(300, 'a');
  const std::vector<CaptureCase> cases = {
      {"a selection", "abc def", 4, 7, 1, 3, 3, "def", 3},
      {"a selection taken backwards", "abc def", 7, 4, 1, 3, 3, "def", 3},
      {"a selection cut to the capacity", "abc def", 0, 7, 1, 7, 5, "abc d", 5},
      {"a selection across a line end", "ab\r\ncd", 1, 5, 1, 4, 4, "b\r\nc", 4},
      {"a double-byte character at the cut is left out", Sjis(u8"東京都"), 0, 6, 1, 6, 3, Sjis(u8"東"), 2},
      {"no selection: the caret's line, the caret mid-line", "first\r\nhello world\r\nlast", 13, 13, 0, 11, 11,
       "hello world", 6},
      {"no selection, room too small: the start of the line goes first", "first\r\nhello world\r\nlast", 13, 13, 0, 11,
       7, "o world", 2},
      {"no selection, room smaller than the caret's text: its start is kept", "first\r\nhello world\r\nlast", 13, 13, 0,
       11, 3, "wor", 0},
      {"no selection, a double-byte character at the front cut", Sjis(u8"東京都庁"), 6, 6, 0, 8, 3, Sjis(u8"庁"), 0},
      {"no selection, a double-byte character at the end cut", Sjis(u8"東京都庁"), 2, 2, 0, 8, 5, Sjis(u8"京都"), 0},
      {"the caret at the line's end: the offset is the NUL's", "first\r\nsecond", 5, 5, 0, 5, 5, "first", 5},
      {"the caret on an empty text", "", 0, 0, 0, 0, 0, "", 0},
      {"a long line: a bounded stretch before the caret", longLine + "XYZ", 303, 303, 0, 256, 256,
       std::string(253, 'a') + "XYZ", 256},
      {"a long line, the caret before its end", longLine + "XYZ", 300, 300, 0, 259, 259, std::string(256, 'a') + "XYZ",
       256},
  };
  for (const CaptureCase& c : cases) {
    SCOPED_TRACE(c.label);
    Show(c.text, c.anchor, c.caret);
    EXPECT_EQ(SendMessage(edit.hwnd(), penra::kRyxHasSelection, 0, 0), c.hasSelection);
    const bool selected = c.hasSelection != 0;
    EXPECT_EQ(SendMessage(edit.hwnd(), selected ? penra::kRyxSelectionLength : penra::kRyxCaretTextLength, 0, 0),
              c.length);
    const Filled filled = Fill(selected ? penra::kRyxGetSelection : penra::kRyxGetCaretText, c.capacity);
    EXPECT_TRUE(filled.nulInside);
    EXPECT_FALSE(filled.overrun);
    EXPECT_EQ(filled.text, c.written);
    EXPECT_EQ(filled.result, c.result);
    if (!selected) EXPECT_LE(static_cast<std::size_t>(filled.result), filled.text.size());
    EXPECT_TRUE(IsWellFormedSjis(filled.text));
  }
}

TEST_F(RyxEditControlTest, ANullBufferGetsNothing) {
  Show("abc", 0, 3);
  EXPECT_EQ(SendMessage(edit.hwnd(), penra::kRyxGetSelection, 3, 0), 0);
  EXPECT_EQ(SendMessage(edit.hwnd(), penra::kRyxGetCaretText, 3, 0), 0);
}

}  // namespace
}  // namespace lexiv::testing
