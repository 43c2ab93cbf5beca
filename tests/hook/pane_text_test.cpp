// What a lookup takes from a tmux pane's rows, selection and buffer, in Shift-JIS.
#include "hook/pane_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace lexiv::hook {
namespace {

// tmux hands over UTF-8; this file's plain literals are Shift-JIS.
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class PaneTextTest : public ::testing::Test {
 protected:
  // Cells are counted as tmux counts them, in a UTF-8 locale.
  void SetUp() override { std::setlocale(LC_CTYPE, "C.UTF-8"); }
};

TEST_F(PaneTextTest, TheCaretTextStartsAtTheCharacterUnderTheCursor) {
  const struct {
    const char* what;
    std::string row;
    std::string next;
    bool wraps;
    int column;
    const char* sjis;  // the expected text; this file's literals are Shift-JIS
  } cases[] = {
      {"start of the row", U8(u8"橋を渡る"), U8(u8""), false, 0, "橋を渡る"},
      {"first cell of a wide character", U8(u8"橋を渡る"), U8(u8""), false, 2, "を渡る"},
      {"second cell of a wide character", U8(u8"橋を渡る"), U8(u8""), false, 3, "を渡る"},
      {"narrow and wide mixed", U8(u8"ab 橋"), U8(u8""), false, 3, "橋"},
      {"at the end of the row", U8(u8"橋を渡る"), U8(u8"次の行"), false, 8, ""},
      {"blanks only after the cursor", U8(u8"橋   "), U8(u8"次"), false, 2, ""},
      {"on into the next row after a line break", U8(u8"橋を"), U8(u8"渡る"), false, 0, "橋を\r\n渡る"},
      {"a row that wraps goes on directly", U8(u8"橋を"), U8(u8"渡る"), true, 2, "を渡る"},
      {"a character Shift-JIS lacks ends the text", U8(u8"橋😀を"), U8(u8""), false, 0, "橋"},
      {"and ends it before the next row", U8(u8"橋😀"), U8(u8"渡る"), false, 0, "橋"},
  };
  for (const auto& c : cases) EXPECT_EQ(PaneCaretText(c.row, c.next, c.wraps, c.column), c.sjis) << c.what;
}

TEST_F(PaneTextTest, TheCaretTextHoldsAtMostFortyCharacters) {
  std::string row;
  for (int i = 0; i < 50; ++i) row += U8(u8"あ");
  std::string expected;
  for (int i = 0; i < 40; ++i) expected += "あ";
  EXPECT_EQ(PaneCaretText(row, U8(u8"い"), false, 0), expected);
  // Thirty-nine from the row: the line break would not fit whole, so the next row is left out.
  EXPECT_EQ(PaneCaretText(row.substr(0, 39 * 3), U8(u8"い"), false, 0), expected.substr(0, 39 * 2));
}

TEST_F(PaneTextTest, TheBufferGivesItsFirstFortyBytesWithoutACutCharacter) {
  std::string buffer = "a";
  for (int i = 0; i < 30; ++i) buffer += U8(u8"あ");
  std::string expected = "a";
  for (int i = 0; i < 19; ++i) expected += "あ";  // 39 bytes: the 20th would straddle byte 40
  EXPECT_EQ(PaneClipboardText(buffer), expected);
  EXPECT_EQ(PaneClipboardText(U8(u8"朝")), "朝");
  // (Outside the macro, which would spell the emoji in the test's message.)
  const std::string emojiFirst = U8(u8"😀朝");
  EXPECT_EQ(PaneClipboardText(emojiFirst), "");
  EXPECT_EQ(PaneClipboardText(""), "");
}

TEST_F(PaneTextTest, ASelectionIsCutToTheLargestTextOnACharacterBoundary) {
  std::string selection = "a";
  for (int i = 0; i < 3000; ++i) selection += U8(u8"あ");
  const std::string text = PaneSelectionText(selection);
  EXPECT_EQ(text.size(), 4095u);  // "a" and 2,047 double-byte characters
  EXPECT_EQ(PaneSelectionText(U8(u8"雨") + "\xFF"), "雨");  // not UTF-8 from there on
}

}  // namespace
}  // namespace lexiv::hook
