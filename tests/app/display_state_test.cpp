#include "views/display_state.h"
#include "views/find_state.h"
#include "views/headword_reading_options.h"

#include <gtest/gtest.h>

#include <string>

namespace lexiv {
namespace {

TEST(DisplayStateTest, ColourPairsSelectTheFirstMatchingScheme) {
  struct Case {
    platform::COLORREF text;
    platform::COLORREF background;
    int found;
    int scheme;
  };
  // Each case starts from "黒黄" (3).
  for (const Case c : {Case{0xFFFFFF, 0x000000, 1, 2}, Case{0x000000, 0xFFFFFF, 1, 1}, Case{0x000000, 0x000000, 1, 0},
                       Case{0xFF0000, 0x00FFFF, 1, 8}, Case{0xFFFFFF, 0xFFFFFF, 0, 3}, Case{0x123456, 0x000000, 0, 3}}) {
    DisplayState state;
    state.SetColorIndex(3);
    EXPECT_EQ(state.SelectColors(c.text, c.background), c.found) << std::hex << c.text << " on " << c.background;
    EXPECT_EQ(state.colorIndex(), c.scheme) << std::hex << c.text << " on " << c.background;
  }
}

TEST(DisplayStateTest, TheStandardSchemeShowsTheSystemColours) {
  DisplayState state;
  state.SetSystemColorSource([] { return ColorPair{0x00C0C0, 0x101010}; });
  state.SetColorIndex(0);
  EXPECT_EQ(state.BackgroundColor(), 0x00C0C0u);
  EXPECT_EQ(state.TextColor(), 0x101010u);
  state.SetColorIndex(7);
  EXPECT_EQ(state.BackgroundColor(), 0xFF0000u);
  EXPECT_EQ(state.TextColor(), 0x00FFFFu);
}

TEST(DisplayStateTest, FontsAreChosenByTheirFaceNames) {
  DisplayState state;
  EXPECT_EQ(state.SelectFontByName("ＭＳ 明朝"), 1);
  EXPECT_EQ(state.fontIndex(), 1);
  EXPECT_EQ(state.SelectFontByName(nullptr), 0);
  EXPECT_EQ(state.fontIndex(), 1);
  // The radio caption without the space is not a face name.
  EXPECT_EQ(state.SelectFontByName("ＭＳ明朝"), 0);
  EXPECT_EQ(state.fontIndex(), 0);
  char name[4];
  state.SetFontIndex(1);
  state.CopyFontName(name, sizeof name);
  EXPECT_STREQ(name, "Ｍ");  // cut on a character boundary
}

TEST(FindStateTest, AProposedTextKeepsAtMost256Bytes) {
  FindState find;
  find.ProposeText(std::string(300, 'a'));
  EXPECT_EQ(find.text(), std::string(256, 'a'));
  find.ProposeText(std::string(255, 'a') + "漢");
  EXPECT_EQ(find.text(), std::string(255, 'a'));
  find.SetCaseOption(1);
  EXPECT_EQ(find.MatchCaseFlag(), 4u);
}

}  // namespace
}  // namespace lexiv
