#include "platform/controls/help_viewer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "headless_fixture.h"
#include "platform/controls/edit_control.h"
#include "platform/controls/edit_messages.h"
#include "platform/core/focus.h"
#include "platform/services/shift_jis_text.h"
#include "support/temp_dir.h"

namespace lexiv::testing {
namespace {

class HelpViewerTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(owner.CreateTop());
    SetFocus(owner.hwnd());
  }
  // A help file in the test's directory, written as UTF-8 (name and text).
  std::string WriteHelp(const char8_t* name, const char8_t* text) {
    std::ofstream(dir.path() / reinterpret_cast<const char*>(name), std::ios::binary)
        << reinterpret_cast<const char*>(text);
    return dir.dir() + ScenarioText(name);
  }
  static std::string ScenarioText(const char8_t* utf8) {
    std::string sjis;
    Utf8ToSjis(reinterpret_cast<const char*>(utf8), sjis);
    return sjis;
  }
  TempDir dir;
  RecordingWindow owner{"owner", nullptr};
};

TEST_F(HelpViewerTest, ShowsTheFileInAReadOnlyEditAndEscapeGivesTheFocusBack) {
  const std::string file = WriteHelp(u8"付表.HLP", u8"付表\n一行目\n二行目\n");
  ASSERT_TRUE(WinHelpA(owner.hwnd(), file.c_str(), HELP_FINDER, 0));
  const HWND edit = HelpViewerEdit();
  ASSERT_TRUE(edit);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(WindowText(HelpViewerWindow()), ScenarioText(u8"付表"));
  EXPECT_EQ(WindowText(edit), ScenarioText(u8"付表\r\n一行目\r\n二行目\r\n"));
  EXPECT_TRUE(GetWindowLong(edit, GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(GetWindowLong(edit, GWL_STYLE) & ES_MULTILINE);
  // Typing changes nothing; the caret walks the lines.
  PressKeys("Down \"x\"");
  EXPECT_EQ(WindowText(edit), ScenarioText(u8"付表\r\n一行目\r\n二行目\r\n"));
  EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
  PressKeys("Escape");
  EXPECT_FALSE(HelpViewerWindow());
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(GetFocus(), owner.hwnd());
}

TEST_F(HelpViewerTest, OneViewerAtATimeAndQuitClosesIt) {
  const std::string first = WriteHelp(u8"付表.HLP", u8"一");
  const std::string second = WriteHelp(u8"度量衡.HLP", u8"二");
  ASSERT_TRUE(WinHelpA(owner.hwnd(), first.c_str(), HELP_FINDER, 0));
  const HWND viewer = HelpViewerWindow();
  ASSERT_TRUE(WinHelpA(owner.hwnd(), second.c_str(), HELP_CONTENTS, 0));
  EXPECT_EQ(HelpViewerWindow(), viewer);
  EXPECT_EQ(WindowText(HelpViewerEdit()), ScenarioText(u8"二"));
  EXPECT_TRUE(WinHelpA(owner.hwnd(), nullptr, HELP_QUIT, 0));
  EXPECT_FALSE(HelpViewerWindow());
  EXPECT_EQ(GetFocus(), owner.hwnd());
}

TEST_F(HelpViewerTest, RefusesQuietlyWhatItCannotShow) {
  const std::string good = WriteHelp(u8"付表.HLP", u8"付表");
  std::ofstream(dir.path() / "bad.HLP", std::ios::binary) << "\xff\xfe not UTF-8";
  struct Case {
    const char* label;
    std::string file;
    unsigned int command;
  };
  const std::vector<Case> cases = {
      {"missing file", dir.dir() + ScenarioText(u8"略号・略語表.HLP"), HELP_FINDER},
      {"not UTF-8 text", dir.dir() + "bad.HLP", HELP_FINDER},
      {"a directory", dir.dir(), HELP_FINDER},
      {"unknown command", good, 0x0105},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_FALSE(WinHelpA(owner.hwnd(), c.file.c_str(), c.command, 0));
    EXPECT_FALSE(HelpViewerWindow());
    EXPECT_EQ(GetFocus(), owner.hwnd());
  }
  EXPECT_FALSE(WinHelpA(owner.hwnd(), nullptr, HELP_FINDER, 0));
}

}  // namespace
}  // namespace lexiv::testing
