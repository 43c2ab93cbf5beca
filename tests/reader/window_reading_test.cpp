// The reader watching the program's windows on the headless driver: dialogs are read when they
// open and as the focus moves, the program's own windows are left to the program, and the
// reader's keys reach its commands and the program's command callback.
#include <string>
#include <vector>

#include "platform/controls/button_messages.h"
#include "platform/controls/control_classes.h"
#include "platform/controls/dialog.h"
#include "platform/controls/list_box_messages.h"
#include "platform/controls/static_control.h"
#include "platform/core/accessibility.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/headless/headless_driver.h"
#include "reader/access_narrator.h"
#include "voxa_library.h"

namespace lexiv::testing {
namespace {

using namespace lexiv::platform;

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::vector<std::string> g_commandsSeen;
int g_commandAnswer = 0;
int RecordCommand(const char* name) {
  g_commandsSeen.push_back(name);
  return g_commandAnswer;
}
int AnswerStatus(int, VoxaValue) { return 1; }

class ReaderWatchTest : public VoxaLogTest {
 protected:
  void SetUp() override {
    VoxaLogTest::SetUp();
    if (HasFatalFailure()) return;
    // Dialog descriptions name their labels "Static"; make sure the class is the real control.
    RegisterControlClass("Static", [] { return std::unique_ptr<Window>(new StaticControl()); });
    CreateParams params;
    params.text = "国語辞典";
    params.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    params.rect = RECT{0, 0, 640, 400};
    ASSERT_TRUE(main_.Create(params));
    for (Window* pane : {&leftPane_, &rightPane_}) {
      CreateParams child;
      child.style = WS_VISIBLE | WS_CHILD;
      child.parent = main_.hwnd();
      child.rect = RECT{0, 0, 100, 100};
      ASSERT_TRUE(pane->Create(child));
    }
    SetFocus(leftPane_.hwnd());
    savedAutoRead_ = voxa->SetStatus(0x20002, 0x6080101, 0);
    voxa->SetStatus(0x20001, reinterpret_cast<VoxaValue>(&AnswerStatus), 0);
    voxa->SetStatus(0x20004, reinterpret_cast<VoxaValue>(&RecordCommand), 0);
    g_commandsSeen.clear();
    g_commandAnswer = 0;
    ClearLog();
  }
  void TearDown() override {
    voxa->SetStatus(0x20004, 0, 0);
    voxa->SetStatus(0x20001, 0, 0);
    voxa->SetStatus(0x20002, savedAutoRead_, 0);
    VoxaLogTest::TearDown();
  }

  // Runs a dialog made of the controls, with the keys pressed one after the other while it runs.
  void RunDialog(const std::string& caption, std::vector<DialogControl> controls, const std::vector<std::string>& keys) {
    DialogTemplate description;
    description.caption = caption;
    description.width = 300;
    description.height = 120;
    description.controls = std::move(controls);
    Dialog dialog(description);
    for (const std::string& key : keys) driver.Then([this, key] { driver.PressKey(key); });
    dialog.DoModal(main_.hwnd());
  }

  static DialogControl Control(const char* className, const char* text, UINT id, DWORD style) {
    DialogControl control;
    control.className = className;
    control.text = text;
    control.id = id;
    control.style = WS_CHILD | WS_VISIBLE | style;
    control.rect = RECT{10, 10, 90, 30};
    return control;
  }

  HeadlessDriver driver;
  UiThread ui{driver};
  Window main_;
  Window leftPane_;
  Window rightPane_;
  VoxaValue savedAutoRead_ = 0;
};

TEST_F(ReaderWatchTest, ADialogIsReadWhenItOpensAndAsTheFocusMoves) {
  RunDialog("国語辞典",
            {Control("Static", "辞書の初期化に失敗しました。", 100, SS_LEFT),
             Control("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP),
             Control("Button", "語尾を表示(&E)", 101, BS_AUTOCHECKBOX | WS_TABSTOP),
             Control("Button", "ｷｬﾝｾﾙ", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP)},
            {"Tab", "Space", "Tab", "Escape"});
  const std::vector<std::string> expected{
      U8(u8"Reader\t国語辞典␞辞書の初期化に失敗しました。"),
      U8(u8"Reader\tOK␞ボタン"),
      U8(u8"Reader\t語尾を表示␞チェックボックス␞チェック なし"),
      U8(u8"Reader\tチェック あり"),
      U8(u8"Reader\tｷｬﾝｾﾙ␞ボタン"),
  };
  EXPECT_EQ(LogLinesOf("Reader"), expected) << "focus back in the main window is not read";
}

TEST_F(ReaderWatchTest, TheManualListSpeaksItsListAndTheReaderOnlyItsButtons) {
  voxa->SetStatus(0x20002, 0x20040, 0);
  ClearLog();
  RunDialog("マニュアル一覧",
            {Control("ListBox", "", 1002, WS_TABSTOP), Control("Button", "開く", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP),
             Control("Button", "ｷｬﾝｾﾙ", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP)},
            {"Tab", "Escape"});
  const std::vector<std::string> expected{U8(u8"Reader\t開く␞ボタン")};
  EXPECT_EQ(LogLinesOf("Reader"), expected);
}

TEST_F(ReaderWatchTest, TheProgramsOwnPanesAreNotReadTwice) {
  // The program announces its pane itself; the reader adds nothing.
  SetFocus(rightPane_.hwnd());
  voxa->PRead("国語辞典\xFE意味", 4, 1);
  SetFocus(leftPane_.hwnd());
  const std::vector<std::string> expected{U8(u8"VOXAPRead\t国語辞典␞意味\t4\t1")};
  EXPECT_EQ(LogLines(), expected);
}

TEST_F(ReaderWatchTest, ReaderKeysGoToTheProgramFirstThenToTheReader) {
  // Handled by the program: the reader says nothing more; the key never reaches the window.
  g_commandAnswer = 1;
  driver.PressKey("Ctrl+Shift+T");
  driver.Run();
  EXPECT_EQ(g_commandsSeen, std::vector<std::string>{"ReadActiveTitle"});
  EXPECT_TRUE(LogLinesOf("Reader").empty());

  // Left to the reader: it reads the active window's title.
  g_commandAnswer = 0;
  driver.PressKey("Ctrl+Shift+T");
  driver.Run();
  const std::vector<std::string> title{U8(u8"Reader\t国語辞典")};
  EXPECT_EQ(LogLinesOf("Reader"), title);

  // Ctrl alone silences; Ctrl with another key does not.
  ClearLog();
  driver.PressKey("Ctrl+C");
  driver.PressKey("Shift+Ctrl");
  driver.Run();
  EXPECT_TRUE(LogLinesOf("ReaderStop").empty());
  driver.PressKey("Ctrl");
  driver.Run();
  EXPECT_EQ(LogLinesOf("ReaderStop").size(), 1u);
}

TEST(AccessNarratorTest, MenusAreReadAsTheProgramsValueAllows) {
  struct Case {
    std::uint32_t autoRead;
    DWORD state;
    std::string said;  // Shift-JIS, phrases joined by 0xFE
  };
  const Case cases[] = {
      {0x6080101, 0, "検索...\xFE" "Ctrl+F"},
      {0x6080101, STATE_SYSTEM_UNAVAILABLE, "検索...\xFE使用不可\xFE" "Ctrl+F"},
      {0x0001, STATE_SYSTEM_UNAVAILABLE, "検索..."},
      {0x6080100, 0, ""},  // the find dialog's value reads no menus
  };
  for (const Case& c : cases) {
    AccessEvent event;
    event.kind = AccessEventKind::kMenuItemHighlighted;
    event.role = ROLE_SYSTEM_MENUITEM;
    event.name = "検索(&F)...\tCtrl+F";
    event.state = c.state;
    EXPECT_EQ(reader::NarrateEvent(event, c.autoRead), c.said) << std::hex << c.autoRead << " " << c.state;
  }
}

}  // namespace
}  // namespace lexiv::testing
