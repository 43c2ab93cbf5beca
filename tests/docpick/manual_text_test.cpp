// How a manual file's bytes become the text box's text.
#include "docpick/manual_text.h"

#include <gtest/gtest.h>

#include "platform/services/shift_jis_text.h"

namespace lexiv::docpick {
namespace {

std::string Utf8(const std::string& sjis) {
  std::string utf8;
  platform::SjisToUtf8(sjis, utf8);
  return utf8;
}

TEST(ManualTextTest, Utf8OrShiftJisWithEveryLineEndMadeCrLf) {
  struct Case {
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      {"plain\nascii", "plain\r\nascii"},
      {Utf8("説明です。") + "\n", "説明です。\r\n"},
      {"\xEF\xBB\xBF" + Utf8("印"), "印"},                           // the byte order mark goes
      {"説明\r\n二行\r三行\n", "説明\r\n二行\r\n三行\r\n"},          // Shift-JIS as it is
      {Utf8("絵") + "\xF0\x9F\x98\x80" + Utf8("文字"), "絵〓文字"},  // a character Shift-JIS lacks
      {"\xE3\x81", "\xE3\x81"},                                      // cut UTF-8 is no UTF-8
  };
  for (const Case& c : cases) EXPECT_EQ(ManualTextFromBytes(c.bytes), c.text) << c.bytes;
}

TEST(ManualTextTest, TheFirstLineAndTheTextFileRule) {
  EXPECT_EQ(FirstLine("一行目\r\n二行目"), "一行目");
  EXPECT_EQ(FirstLine("一行だけ"), "一行だけ");
  EXPECT_TRUE(IsTextFileName("/a/GUIDE.TXT"));
  EXPECT_TRUE(IsTextFileName("/a/Notes.Txt"));
  EXPECT_FALSE(IsTextFileName("/a/notes.md"));
  EXPECT_FALSE(IsTextFileName("tx"));
}

}  // namespace
}  // namespace lexiv::docpick
