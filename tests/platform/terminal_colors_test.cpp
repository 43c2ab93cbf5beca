#include "platform/terminal/terminal_colors.h"

#include <gtest/gtest.h>

namespace lexiv::platform {
namespace {

TEST(TerminalColorsTest, SchemeColoursAreExactInEveryMode) {
  struct Case {
    COLORREF color;
    int palette256;
    int basic8;
    int trueColor;
  };
  const Case cases[] = {
      {0x000000, 16, 0, 0x000000},   // black
      {0xFFFFFF, 231, 7, 0xFFFFFF},  // white
      {0x00FFFF, 226, 3, 0xFFFF00},  // yellow (COLORREF is blue-green-red)
      {0x00FF00, 46, 2, 0x00FF00},   // green
      {0xFF0000, 21, 4, 0x0000FF},   // blue
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TerminalColorNumber(c.color, TerminalColorMode::kPalette256), c.palette256) << std::hex << c.color;
    EXPECT_EQ(TerminalColorNumber(c.color, TerminalColorMode::kBasic8), c.basic8) << std::hex << c.color;
    EXPECT_EQ(TerminalColorNumber(c.color, TerminalColorMode::kTrueColor), c.trueColor) << std::hex << c.color;
  }
}

TEST(TerminalColorsTest, OtherColoursTakeTheNearestEntry) {
  EXPECT_EQ(NearestPalette256(RGB(128, 128, 128)), 244);  // grey ramp 128 beats cube 135
  EXPECT_EQ(NearestPalette256(RGB(200, 30, 30)), 16 + 36 * 4);  // (215, 0, 0)
  EXPECT_EQ(NearestBasic8(RGB(200, 30, 30)), 1);
  EXPECT_EQ(NearestBasic8(RGB(127, 127, 127)), 0);
}

TEST(TerminalColorsTest, DefaultColourAndModeChoice) {
  for (TerminalColorMode mode : {TerminalColorMode::kBasic8, TerminalColorMode::kPalette256, TerminalColorMode::kTrueColor})
    EXPECT_EQ(TerminalColorNumber(kTerminalDefaultColor, mode), -1);
  EXPECT_EQ(ChooseColorMode("truecolor", 256, true), TerminalColorMode::kTrueColor);
  EXPECT_EQ(ChooseColorMode("24bit", 256, true), TerminalColorMode::kTrueColor);
  // Without a description that takes RGB values, true colour cannot be written: nearest of 256.
  EXPECT_EQ(ChooseColorMode("truecolor", 256, false), TerminalColorMode::kPalette256);
  EXPECT_EQ(ChooseColorMode(nullptr, 256, false), TerminalColorMode::kPalette256);
  EXPECT_EQ(ChooseColorMode(nullptr, 8, false), TerminalColorMode::kBasic8);
}

}  // namespace
}  // namespace lexiv::platform
