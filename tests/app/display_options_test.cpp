// The display choices of the option dialogs outlive the run: what the user chose is in the hive
// after exit and is shown again at the next start; a cancelled dialog leaves the hive as it was.
#include <gtest/gtest.h>

#include <string>

#include "access/speech_scenario.h"
#include "app/settings_store.h"
#include "app_fixture.h"

namespace lexiv::testing {
namespace {

class DisplayOptionsTest : public AppFixture {
 protected:
  // Starts the program, runs the keys (scenario lines) and exits through Escape and Enter in the
  // search box, which saves the settings.
  void RunAndExit(const std::string& lines, const std::function<void()>& beforeKeys = {}) {
    ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
    if (beforeKeys) beforeKeys();
    ScenarioRunner runner{driver};
    const ScenarioResult result = runner.Run(lines + "key Escape\nkey Enter\n", "display options");
    EXPECT_EQ(result.failures, 0) << result.report << Report();
    app->Shutdown();
  }
  std::optional<DWORD> Saved(const char* name) const { return ReadDword(HKEY_CURRENT_USER, kSettingsKey, name); }
  std::optional<std::string> SavedFont() const { return ReadValue(HKEY_CURRENT_USER, kSettingsKey, "FontName"); }
};

TEST_F(DisplayOptionsTest, TheChosenFontAndSchemeAreSavedAndComeBack) {
  // The mincho face, and two steps down the list from 白黒反転: 黒黄反転.
  RunAndExit("key Alt+V F\nkey Right\nkey Tab\nkey Down\nkey Down\nkey Enter\n");
  EXPECT_EQ(SavedFont(), std::string("ＭＳ 明朝") + '\0');
  EXPECT_EQ(Saved("TextColor"), 0x000000u);
  EXPECT_EQ(Saved("TextBkColor"), 0x00FFFFu);

  // The dialog shows the display state's choice (the scenario view_display_font shows that).
  ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
  EXPECT_EQ(app->mainFrame()->Display().fontIndex(), 1);
  EXPECT_EQ(app->mainFrame()->Display().colorIndex(), 4);
}

TEST_F(DisplayOptionsTest, TheStandardSchemeSavesTheSystemColoursOfTheMoment) {
  // 標準 is the first item, two steps up from 白黒反転. The system shows green on black now.
  RunAndExit("key Alt+V F\nkey Tab\nkey Up\nkey Up\nkey Enter\n", [this] {
    app->mainFrame()->Display().SetSystemColorSource([] { return ColorPair{0x000000, 0x00FF00}; });
  });
  EXPECT_EQ(Saved("TextColor"), 0x00FF00u);
  EXPECT_EQ(Saved("TextBkColor"), 0x000000u);
  // Saved as a pair, they choose the scheme with that pair at the next start (黒緑). With the
  // default system colours (black on white) 標準 comes back as 白黒.
  RunAndExit("key Alt+V F\nkey Tab\nkey Up\nkey Up\nkey Up\nkey Up\nkey Up\nkey Enter\n",
             [this] { EXPECT_EQ(app->mainFrame()->Display().colorIndex(), 5); });
  EXPECT_EQ(Saved("TextColor"), 0x000000u);
  EXPECT_EQ(Saved("TextBkColor"), 0xFFFFFFu);
  ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
  EXPECT_EQ(app->mainFrame()->Display().colorIndex(), 1);
}

TEST_F(DisplayOptionsTest, CancelledDialogsLeaveTheHiveByteForByte) {
  RunAndExit("key F6\n");
  const std::string before = UserHiveText();
  ASSERT_FALSE(before.empty());
  RunAndExit(
      "key Alt+V F\nkey Right\nkey Tab\nkey Down\nkey Escape\n"
      "key F5\nkey Space\nkey Escape\n");
  EXPECT_EQ(UserHiveText(), before);
}

}  // namespace
}  // namespace lexiv::testing
