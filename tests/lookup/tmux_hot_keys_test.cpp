// The hot keys as tmux key names for the root key table: every superset of the configured
// modifiers, the keys tmux has no name for left out and listed, and "TmuxKeys" read from the file.
#include "lookup/tmux_hot_keys.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace lexiv::lookup {
namespace {

struct TmuxCase {
  const char* name;
  const char* iniText;
  std::vector<std::string> keys;  // "name command"
  std::vector<std::string> skipped;
};

class TmuxHotKeysTest : public ::testing::TestWithParam<TmuxCase> {
 protected:
  HotKeyConfig Load(const char* text) {
    const std::string path = dir_.dir() + "LEXIV.INI";
    std::ofstream(path) << text;
    return LoadHotKeyConfig(path);
  }
  testing::TempDir dir_;
};

TEST_P(TmuxHotKeysTest, BindsEachConfiguredKeyWithEverySupersetOfItsModifiers) {
  const TmuxCase& c = GetParam();
  const TmuxHotKeys keys = TmuxHotKeysOf(Load(c.iniText));
  std::vector<std::string> named;
  for (const TmuxHotKey& k : keys.keys) named.push_back(k.key + " " + std::to_string(k.command));
  EXPECT_EQ(named, c.keys);
  EXPECT_EQ(keys.skipped, c.skipped);
}

INSTANTIATE_TEST_SUITE_P(
    Configurations, TmuxHotKeysTest,
    ::testing::Values(
        TmuxCase{"Defaults", "", {"C-S-F11 100", "C-M-S-F11 100"}, {}},
        TmuxCase{"CtrlAlone",
                 "[DLLSection]\nModifyKey=CTRL\nSearchKey=F11\nClipSearchKey=PGUP\n",
                 {"C-F11 100", "C-S-F11 100", "C-M-F11 100", "C-M-S-F11 100", "C-NPage 101", "C-S-NPage 101",
                  "C-M-NPage 101", "C-M-S-NPage 101"},
                 {}},
        // With NONE the key counts only when no modifier is held.
        TmuxCase{"None", "[DLLSection]\nModifyKey=NONE\nSearchKey=F12,NUM5,A\n", {"F12 100", "KP5 100", "a 100"}, {}},
        TmuxCase{"AllThree", "[DLLSection]\nModifyKey=ALT,CTRL,SHIFT\nSearchKey=;\nClipSearchKey=\\\n",
                 {"C-M-S-; 100", "C-M-S-\\ 101"},
                 {}},
        // A key under both entries is the caret lookup's, as in the hot-key test.
        TmuxCase{"KeyUnderBoth", "[DLLSection]\nModifyKey=ALT,CTRL,SHIFT\nSearchKey=F11\nClipSearchKey=F11,F10\n",
                 {"C-M-S-F11 100", "C-M-S-F10 101"},
                 {}},
        TmuxCase{"NoTmuxName",
                 "[DLLSection]\nModifyKey=NONE\nSearchKey=NFER,XFER,EQUAL,F13\nClipSearchKey=SEPARATOR,F9\n",
                 {"F9 101"},
                 {"NFER", "XFER", "EQUAL", "F13", "SEPARATOR"}},
        // A letter held as a modifier is no chord a terminal reports: nothing is bound.
        TmuxCase{"LetterAsModifier", "[DLLSection]\nModifyKey=CTRL,A\nSearchKey=F11\n", {}, {"ModifyKey"}}),
    [](const ::testing::TestParamInfo<TmuxCase>& info) { return std::string(info.param.name); });

TEST(TmuxKeysSetting, OnUnlessTheFileSwitchesItOff) {
  testing::TempDir dir;
  const std::string path = dir.dir() + "LEXIV.INI";
  const struct {
    const char* text;
    bool on;
  } cases[] = {
      {"", true},
      {"[DLLSection]\nTmuxKeys=1\n", true},
      {"[DLLSection]\nTmuxKeys=0\n", false},
      {"[DLLSection]\nTmuxKeys=Off\n", false},
      {"[DLLSection]\nTmuxKeys=no\n", false},
      {"[Other]\nTmuxKeys=0\n", true},
  };
  for (const auto& c : cases) {
    std::ofstream(path) << c.text;
    EXPECT_EQ(LoadHotKeyConfig(path).tmuxKeys, c.on) << c.text;
  }
}

}  // namespace
}  // namespace lexiv::lookup
