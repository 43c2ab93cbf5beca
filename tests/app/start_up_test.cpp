// Start-up and shutdown as the user meets them: the settings a start takes, a failed start, the
// exit question and what the exit leaves in the user's hive.
#include <gtest/gtest.h>

#include <string>

#include "access/message_box.h"
#include "access/speech.h"
#include "app/settings_store.h"
#include "app_fixture.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "support/temp_dir.h"

namespace lexiv::testing {
namespace {

constexpr char kGoodbye[] = "国語辞典\xFE終わり";

bool Said(const access::FakeReader& reader, const std::string& text) {
  for (const std::string& said : reader.SpokenTexts())
    if (said == text) return true;
  return false;
}

// The message box that is open: its text and caption.
struct OpenBox {
  std::string caption;
  std::string text;
};
OpenBox ReadOpenBox() {
  const HWND box = GetActiveWindow();
  return OpenBox{WindowText(box), WindowText(GetDlgItem(box, access::kMessageTextId))};
}

class StartUpTest : public AppFixture {};

TEST_F(StartUpTest, AFirstStartTakesEveryDefaultAndWritesNothing) {
  ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
  const ApplicationState& s = app->state();
  EXPECT_EQ(s.dirs.productDir, std::string(LEXIV_BIN_DIR) + "/");
  EXPECT_EQ(s.dirs.dllDir, s.dirs.productDir);
  EXPECT_EQ(s.dirs.dicDir, s.dirs.productDir + "Dic/Yomigo/");
  EXPECT_EQ(s.dirs.manual, "");
  EXPECT_FALSE(s.settings.HasWindowPos());
  EXPECT_STREQ(s.settings.fontName, "ＭＳ ゴシック");
  EXPECT_EQ(s.settings.textBkColor, 0x000000u);
  EXPECT_EQ(s.settings.textColor, 0xFFFFFFu);
  EXPECT_EQ(s.settings.zoomMode, 0u);
  EXPECT_EQ(s.settings.zoomRate, 1u);
  EXPECT_EQ(s.settings.splitPos, 150u);
  EXPECT_EQ(s.settings.titleDispForm, 0u);
  EXPECT_EQ(s.settings.titleWidth1, 75u);
  EXPECT_EQ(s.settings.titleWidth2, 75u);
  EXPECT_EQ(s.settings.titleIme, 1u);
  EXPECT_EQ(s.settings.titleMean, 1u);
  // White text on black is the scheme "白黒反転".
  EXPECT_EQ(s.display.colorIndex(), 2);
  EXPECT_EQ(s.display.fontIndex(), 0);
  EXPECT_EQ(s.startupIncomplete, 0u);
  EXPECT_NE(s.productVersionMS, 0u);
  const HWND main = app->mainFrame()->hwnd();
  EXPECT_EQ(WindowText(main), "国語辞典");
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(GetFocus(), app->mainFrame()->SearchBox()->hwnd());
  EXPECT_FALSE(std::filesystem::exists(hiveDir() / "user.reg"));
}

TEST_F(StartUpTest, AMissingDictionaryIsToldAndLeavesTheHivesAlone) {
  TempDir emptyDictionary;
  WriteString(HKEY_CURRENT_USER, kDirectoriesKey, "DicDir", emptyDictionary.path().string());
  WriteDword(HKEY_CURRENT_USER, kSettingsKey, "ZoomRate", 9);
  const std::string before = UserHiveText();
  OpenBox seen;
  driver.Then([&] {
    seen = ReadOpenBox();
    driver.PressKey("Enter");
  });
  EXPECT_EQ(NewApp().Start("lexiv"), -1);
  app->Shutdown();
  EXPECT_EQ(seen.caption, "国語辞典");
  EXPECT_EQ(seen.text, kDictionaryFailureMessage);
  EXPECT_EQ(app->state().dirs.dicDir, emptyDictionary.dir());
  ASSERT_EQ(driver.Beeps().size(), 1u);
  EXPECT_EQ(driver.Beeps()[0], MB_ICONHAND);
  EXPECT_EQ(UserHiveText(), before);
  EXPECT_FALSE(Said(reader, kGoodbye)) << Report();
  EXPECT_EQ(reader.StatusValue(access::kReaderCommandCallback), 0) << "the reader keeps no callback of a window that is gone";
}

// The reader's status question 10: is the focus in the meaning pane?
TEST_F(StartUpTest, TheReaderCanAskWhetherTheMeaningPaneHasTheFocus) {
  ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
  PumpPending();
  EXPECT_EQ(reader.CallStatusCallback(10, 0), 0) << "the search box has the focus";
  ASSERT_EQ(driver.Type("あさ"), 0);
  driver.PressKey("Enter");
  PumpPending();
  driver.PressKey("Enter");
  PumpPending();
  ASSERT_EQ(GetFocus(), app->mainFrame()->MeanView()->hwnd()) << Report();
  EXPECT_EQ(reader.CallStatusCallback(10, 0), 1);
}

TEST_F(StartUpTest, EscapeAsksAndOkSavesTheSettingsAndSaysGoodbye) {
  ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
  OpenBox seen;
  driver.Then([&] { driver.PressKey("Escape"); });
  driver.Then([&] {
    seen = ReadOpenBox();
    driver.PressKey("Enter");
  });
  driver.Run();
  app->Shutdown();
  EXPECT_EQ(seen.caption, "国語辞典");
  EXPECT_EQ(seen.text, "国語辞典を終了しますか");
  ASSERT_FALSE(reader.SpokenTexts().empty());
  EXPECT_EQ(reader.SpokenTexts().back(), kGoodbye) << Report();
  for (const char* name : {"TextBkColor", "TextColor", "ZoomMode", "ZoomRate", "SplitPos", "TitleDispForm",
                           "TitleWidth1", "TitleWidth2", "TitleIme", "TitleMean"})
    EXPECT_TRUE(ReadDword(HKEY_CURRENT_USER, kSettingsKey, name)) << name;
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettingsKey, "SplitPos"), 150u);
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettingsKey, "TextColor"), 0xFFFFFFu);
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kSettingsKey, "FontName"), std::string("ＭＳ ゴシック") + '\0');
  const auto placement = ReadValue(HKEY_CURRENT_USER, kSettingsKey, "WindowPos");
  ASSERT_TRUE(placement);
  EXPECT_EQ(placement->size(), 44u);
}

TEST_F(StartUpTest, CancellingTheQuestionSaysPassAndKeepsRunning) {
  ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
  const HWND box = app->mainFrame()->SearchBox()->hwnd();
  driver.Then([&] { driver.PressKey("Escape"); });
  driver.Then([&] { driver.PressKey("Escape"); });
  driver.Run();
  EXPECT_TRUE(Said(reader, "パス")) << Report();
  EXPECT_TRUE(IsWindow(app->mainFrame()->hwnd()));
  EXPECT_EQ(GetFocus(), box);
  EXPECT_FALSE(std::filesystem::exists(hiveDir() / "user.reg"));
}

TEST_F(StartUpTest, ThePlacementSavedAtCloseFollowsTheWindowState) {
  struct Case {
    int show;
    bool savedAtAll;       // false: all 44 bytes zero
    bool restoreMaximized; // WPF_RESTORETOMAXIMIZED in the flags
  };
  for (const Case c : {Case{SW_MINIMIZE, false, false}, Case{SW_MAXIMIZE, true, true}, Case{SW_RESTORE, true, false}}) {
    SCOPED_TRACE(c.show);
    ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
    ShowWindow(app->mainFrame()->hwnd(), c.show);
    PostMessage(app->mainFrame()->hwnd(), WM_CLOSE, 0, 0);
    driver.Run();
    app->Shutdown();
    const auto bytes = ReadValue(HKEY_CURRENT_USER, kSettingsKey, "WindowPos");
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), sizeof(WINDOWPLACEMENT));
    WINDOWPLACEMENT saved;
    std::memcpy(&saved, bytes->data(), sizeof saved);
    EXPECT_EQ(*bytes != std::string(44, '\0'), c.savedAtAll);
    EXPECT_EQ((saved.flags & WPF_RESTORETOMAXIMIZED) != 0, c.restoreMaximized);
    // The next start comes up maximised exactly when it was closed maximised.
    ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
    EXPECT_EQ(IsZoomed(app->mainFrame()->hwnd()) != 0, c.show == SW_MAXIMIZE);
    app.reset();
    // The destroyed window's quit request must not end the next case's loop.
    Msg left;
    while (PeekMessage(&left, HWND{}, 0, 0, PM_REMOVE)) {}
  }
}

TEST_F(StartUpTest, MinimizeOnTheCommandLineStartsMinimised) {
  ASSERT_EQ(NewApp().Start("lexiv /APP /MINIMIZE"), 0) << Report();
  EXPECT_TRUE(IsIconic(app->mainFrame()->hwnd()));
  EXPECT_EQ(app->state().suppressAnnouncement, 0u);
}

}  // namespace
}  // namespace lexiv::testing
