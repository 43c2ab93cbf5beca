#include <gtest/gtest.h>

#include "platform/core/key_names.h"

namespace lexiv::testing {
namespace {

using namespace lexiv::platform;

TEST(KeyNamesTest, ChordsParseAsTheyAreWritten) {
  struct Case {
    const char* name;
    int result;
    KeyChord chord;
    UINT character;
  };
  const Case cases[] = {
      {"Ctrl+Shift+F11", 0, {VK_F11, true, true, false}, 0},
      {"Down", 0, {VK_DOWN, false, false, false}, 0},
      {"alt+f", 0, {'F', false, false, true}, 'f'},
      {"Shift+BackSpace", 0, {VK_BACK, false, true, false}, 0x08},
      {"Ctrl+M", 0, {'M', true, false, false}, 0x0D},
      {"Shift+A", 0, {'A', false, true, false}, 'A'},
      {"Escape", 0, {VK_ESCAPE, false, false, false}, 0x1B},
      {"Ctrl+Shift+Alt+Tab", 0, {VK_TAB, true, true, true}, 0},
      {"F24", 0, {VK_F24, false, false, false}, 0},
      {"F25", -1, {}, 0},
      {"Hyper+A", -1, {}, 0},
      {"Ctrl+", -1, {}, 0},
      {"", -1, {}, 0},
  };
  for (const Case& c : cases) {
    KeyChord chord;
    ASSERT_EQ(ParseKeyChord(c.name, &chord), c.result) << c.name;
    if (c.result != 0) continue;
    EXPECT_EQ(chord.vk, c.chord.vk) << c.name;
    EXPECT_EQ(chord.ctrl, c.chord.ctrl) << c.name;
    EXPECT_EQ(chord.shift, c.chord.shift) << c.name;
    EXPECT_EQ(chord.alt, c.chord.alt) << c.name;
    EXPECT_EQ(CharacterOfKey(chord), c.character) << c.name;
    KeyChord again;
    ASSERT_EQ(ParseKeyChord(ChordName(chord), &again), 0) << ChordName(chord);
    EXPECT_EQ(again.vk, chord.vk);
  }
}

}  // namespace
}  // namespace lexiv::testing
