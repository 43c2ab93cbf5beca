#include "platform/controls/caret_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace lexiv::platform {
namespace {

// Text "aあ\r\nb" in Shift-JIS: a(0) あ(1-2) CR LF(3-4) b(5), end 6.
const std::string kText = "a\x82\xA0\r\nb";

struct CaretKeyCase {
  const char* name;
  UINT vk;
  bool shift;
  bool ctrl;
  std::size_t anchor, caret;
  std::size_t expectedAnchor, expectedCaret;
};

class CaretKeyTableTest : public ::testing::TestWithParam<CaretKeyCase> {};

TEST_P(CaretKeyTableTest, MovesTheSelectionOnAOneLineControl) {
  const CaretKeyCase& c = GetParam();
  CaretKeyView view;
  view.text = kText;
  view.anchor = c.anchor;
  view.caret = c.caret;
  view.lineEnd = kText.size();
  const auto move = CaretKeyMove(c.vk, c.shift, c.ctrl, view);
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(move->anchor, c.expectedAnchor);
  EXPECT_EQ(move->caret, c.expectedCaret);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CaretKeyTableTest,
    ::testing::Values(
        CaretKeyCase{"RightStepsOverADoubleByteCharacter", VK_RIGHT, false, false, 1, 1, 3, 3},
        CaretKeyCase{"RightStepsOverCrLfWhole", VK_RIGHT, false, false, 3, 3, 5, 5},
        CaretKeyCase{"LeftStepsBackOverCrLfWhole", VK_LEFT, false, false, 5, 5, 3, 3},
        CaretKeyCase{"LeftStepsBackOverADoubleByteCharacter", VK_LEFT, false, false, 3, 3, 1, 1},
        CaretKeyCase{"LeftAtTheStartStays", VK_LEFT, false, false, 0, 0, 0, 0},
        CaretKeyCase{"RightAtTheEndStays", VK_RIGHT, false, false, 6, 6, 6, 6},
        CaretKeyCase{"LeftCollapsesASelectionToItsStart", VK_LEFT, false, false, 5, 1, 1, 1},
        CaretKeyCase{"RightCollapsesASelectionToItsEnd", VK_RIGHT, false, false, 5, 1, 5, 5},
        CaretKeyCase{"ShiftRightGrowsFromTheAnchor", VK_RIGHT, true, false, 0, 1, 0, 3},
        CaretKeyCase{"ShiftLeftShrinksTowardTheAnchor", VK_LEFT, true, false, 0, 3, 0, 1},
        CaretKeyCase{"ShiftHomeSelectsToTheStart", VK_HOME, true, false, 5, 5, 5, 0},
        CaretKeyCase{"EndGoesToTheEnd", VK_END, false, false, 1, 1, 6, 6}),
    [](const ::testing::TestParamInfo<CaretKeyCase>& info) { return std::string(info.param.name); });

TEST(CaretKeysTest, VerticalKeysAreNotCaretKeysOfAOneLineControl) {
  CaretKeyView view;
  view.text = kText;
  view.lineEnd = kText.size();
  for (UINT vk : {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT}) EXPECT_FALSE(CaretKeyMove(vk, false, false, view)) << vk;
  EXPECT_FALSE(CaretKeyMove('A', false, false, view));
}

// Three lines of two characters: "ab", "cd", "ef"; the kept column gives the second character.
TEST(CaretKeysTest, LinesOfAControlOfSeveralLines) {
  const std::string text = "abcdef";
  CaretKeyView view;
  view.text = text;
  view.anchor = view.caret = 3;  // "d" on line 1
  view.lineStart = 2;
  view.lineEnd = 4;
  view.line = 1;
  view.lastLine = 2;
  view.pageLines = 5;
  view.positionOnLine = [](int line) { return static_cast<std::size_t>(line * 2 + 1); };

  auto move = CaretKeyMove(VK_UP, false, false, view);
  ASSERT_TRUE(move);
  EXPECT_EQ(move->caret, 1u);
  EXPECT_EQ(move->targetLine, 0);
  move = CaretKeyMove(VK_HOME, false, false, view);
  EXPECT_EQ(move->caret, 2u) << "Home goes to the line's start";
  move = CaretKeyMove(VK_HOME, false, true, view);
  EXPECT_EQ(move->caret, 0u) << "Ctrl+Home goes to the text's start";
  move = CaretKeyMove(VK_END, true, false, view);
  EXPECT_EQ(move->anchor, 3u);
  EXPECT_EQ(move->caret, 4u);
  move = CaretKeyMove(VK_NEXT, false, false, view);
  EXPECT_EQ(move->targetLine, 2) << "a page past the last line stops on it";
  EXPECT_EQ(move->caret, 5u);

  view.line = 2;
  view.anchor = view.caret = 5;
  move = CaretKeyMove(VK_DOWN, false, false, view);
  EXPECT_EQ(move->caret, 5u) << "Down on the last line stays";
  EXPECT_EQ(move->targetLine, 2);
}

}  // namespace
}  // namespace lexiv::platform
