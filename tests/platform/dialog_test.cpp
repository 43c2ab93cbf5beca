#include "platform/controls/dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "headless_fixture.h"
#include "platform/controls/button_messages.h"
#include "platform/controls/list_box_messages.h"
#include "platform/core/accessibility.h"
#include "platform/core/focus.h"
#include "platform/headless/scenario_runner.h"

namespace lexiv::testing {
namespace {

constexpr UINT kList = 13;
constexpr UINT kCase = 10;
constexpr UINT kWide = 11;
constexpr UINT kNarrow = 12;
constexpr UINT kOpenInner = 20;

// A find-options dialog: a list of places, a check box, two radio buttons, OK and Cancel.
DialogTemplate OptionsDialog() {
  DialogTemplate t;
  t.caption = "検索";
  t.width = 200;
  t.height = 120;
  t.controls = {
      {"ListBox", "", kList, WS_TABSTOP | WS_GROUP | LBS_NOTIFY, RECT{4, 4, 100, 68}},
      {"Button", "大文字と小文字を区別する(&C)", kCase, WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, RECT{104, 4, 196, 20}},
      {"Button", "広く(&W)", kWide, WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, RECT{104, 24, 196, 40}},
      {"Button", "狭く(&N)", kNarrow, BS_AUTORADIOBUTTON, RECT{104, 44, 196, 60}},
      {"Button", "実行", IDOK, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, RECT{40, 90, 96, 110}},
      {"Button", "ｷｬﾝｾﾙ", IDCANCEL, WS_TABSTOP, RECT{104, 90, 160, 110}},
  };
  return t;
}

// Fills the list, chooses the wide search; optionally names another default, grays a button or
// the close item. Keeps what OK saw.
class OptionsDialogUnderTest : public Dialog {
 public:
  OptionsDialogUnderTest() : Dialog(OptionsDialog()) {}
  UINT defaultId = 0;
  UINT disabledId = 0;
  bool closeItem = true;
  int chosenPlace = -2;
  UINT caseChecked = 0;

 protected:
  BOOL OnInitDialog() override {
    for (const char* place : {"見出し語", "意味"}) SendDlgItemMessage(hwnd(), kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(place));
    SendDlgItemMessage(hwnd(), kList, LB_SETCURSEL, 0, 0);
    CheckDlgButton(hwnd(), kWide, BST_CHECKED);
    if (defaultId) SendMessage(hwnd(), DM_SETDEFID, defaultId, 0);
    if (disabledId) EnableWindow(GetDlgItem(hwnd(), static_cast<int>(disabledId)), FALSE);
    if (!closeItem) EnableCloseItem(false);
    return TRUE;
  }
  void OnOK() override {
    chosenPlace = static_cast<int>(SendDlgItemMessage(hwnd(), kList, LB_GETCURSEL, 0, 0));
    caseChecked = IsDlgButtonChecked(hwnd(), kCase);
    Dialog::OnOK();
  }
};

class DialogTest : public HeadlessTest {
 protected:
  void SetUp() override { ASSERT_TRUE(owner.CreateTop()); }
  // Runs the dialog over the owner with keys typed one after the other while it waits; the
  // ids of the windows that got the focus on the way (0: the owner, when the dialog has gone).
  int Run(OptionsDialogUnderTest& dialog, const std::vector<const char*>& keys, std::vector<int>* focusTrail = nullptr) {
    AccessSubscription watch([&](const AccessEvent& e) {
      if (e.kind == AccessEventKind::kFocusChanged && focusTrail != nullptr) focusTrail->push_back(GetDlgCtrlID(e.hwnd));
    });
    for (const char* key : keys) driver.Then([this, key] { driver.PressKey(key); });
    return dialog.DoModal(owner.hwnd());
  }
  RecordingWindow owner{"owner", nullptr};
};

TEST_F(DialogTest, EnterEscapeAndTheDefaultButton) {
  struct Case {
    const char* name;
    std::vector<const char*> keys;
    UINT defaultId;
    UINT disabledId;
    int result;
    std::size_t beeps;
  };
  const std::vector<Case> cases = {
      {"Enter presses the default button", {"Enter"}, 0, 0, IDOK, 0},
      {"Escape cancels", {"Escape"}, 0, 0, IDCANCEL, 0},
      {"Enter on a push button presses that button", {"Shift+Tab", "Enter"}, 0, 0, IDCANCEL, 0},
      {"Space presses the focused button", {"Shift+Tab", "Space"}, 0, 0, IDCANCEL, 0},
      {"a default named at initialisation", {"Enter"}, IDCANCEL, 0, IDCANCEL, 0},
      {"a disabled default button beeps", {"Enter", "Escape"}, 0, IDOK, IDCANCEL, 1},
      {"a disabled Cancel button leaves Escape without effect", {"Escape", "Enter"}, 0, IDCANCEL, IDOK, 0},
      {"Alt+F4 cancels", {"Alt+F4"}, 0, 0, IDCANCEL, 0},
      {"the input ends with the dialog open", {}, 0, 0, -1, 0},
  };
  for (const Case& c : cases) {
    OptionsDialogUnderTest dialog;
    dialog.defaultId = c.defaultId;
    dialog.disabledId = c.disabledId;
    driver.ClearBeeps();
    EXPECT_EQ(Run(dialog, c.keys), c.result) << c.name;
    EXPECT_EQ(driver.Beeps().size(), c.beeps) << c.name;
    EXPECT_FALSE(IsWindow(dialog.hwnd())) << c.name;
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd())) << c.name;
  }
}

TEST_F(DialogTest, TabOrderWrapsAndArrowsStayInTheirGroup) {
  struct Case {
    const char* name;
    std::vector<const char*> keys;
    std::vector<int> trail;
    UINT checkedRadio;
  };
  const int ok = IDOK;
  const int cancel = IDCANCEL;
  const std::vector<Case> cases = {
      {"Tab goes round the tab stops", {"Tab", "Tab", "Tab", "Tab", "Tab"}, {kList, kCase, kWide, ok, cancel, kList, 0}, kWide},
      {"Shift+Tab goes back round", {"Shift+Tab", "Shift+Tab"}, {kList, cancel, ok, 0}, kWide},
      {"Down in a radio group chooses the next", {"Tab", "Tab", "Down"}, {kList, kCase, kWide, kNarrow, 0}, kNarrow},
      {"arrows wrap within the group", {"Tab", "Tab", "Up", "Up"}, {kList, kCase, kWide, kNarrow, kWide, 0}, kWide},
      {"Down in the list moves its choice, not the focus", {"Down"}, {kList, 0}, kWide},
      {"a mnemonic presses its button", {"Alt+N"}, {kList, kNarrow, 0}, kNarrow},
  };
  for (const Case& c : cases) {
    OptionsDialogUnderTest dialog;
    std::vector<const char*> keys = c.keys;
    std::vector<int> trail;
    UINT checked = 0;
    // The radio choice as it stood when the last event came.
    AccessSubscription radios([&](const AccessEvent&) {
      if (IsWindow(dialog.hwnd())) checked = IsDlgButtonChecked(dialog.hwnd(), kNarrow) ? kNarrow : kWide;
    });
    keys.push_back("Escape");
    Run(dialog, keys, &trail);
    EXPECT_EQ(trail, c.trail) << c.name;
    EXPECT_EQ(checked, c.checkedRadio) << c.name;
  }
}

TEST_F(DialogTest, OkSeesTheControlsBeforeTheDialogGoes) {
  OptionsDialogUnderTest dialog;
  EXPECT_EQ(Run(dialog, {"Down", "Alt+C", "Enter"}), IDOK);
  EXPECT_EQ(dialog.chosenPlace, 1);
  EXPECT_EQ(dialog.caseChecked, BST_CHECKED);
}

TEST_F(DialogTest, AGrayCloseItemIgnoresAltF4ButNotEscape) {
  OptionsDialogUnderTest dialog;
  dialog.closeItem = false;
  int stillOpen = 0;
  driver.Then([&] { driver.PressKey("Alt+F4"); });
  driver.Then([&] { stillOpen = IsWindow(dialog.hwnd()); driver.PressKey("Escape"); });
  EXPECT_EQ(dialog.DoModal(owner.hwnd()), IDCANCEL);
  EXPECT_TRUE(stillOpen);
}

// A dialog with one button that opens a second dialog over the first.
class OuterDialog : public Dialog {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  OuterDialog() : Dialog(Description()) {}
  int innerResult = 0;
  static DialogTemplate Description() {
    DialogTemplate t;
    t.caption = "外";
    t.width = 100;
    t.height = 60;
    t.controls = {{"Button", "開く", kOpenInner, WS_TABSTOP, RECT{4, 4, 60, 24}},
                  {"Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, RECT{4, 30, 60, 50}}};
    return t;
  }

 private:
  void OnOpenInner() {
    OptionsDialogUnderTest inner;
    innerResult = inner.DoModal(hwnd());
  }
};

const MessageMap& OuterDialog::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<OuterDialog>(Dialog::ClassMessageMap()).OnCommand(kOpenInner, &OuterDialog::OnOpenInner);
  return map;
}

TEST_F(DialogTest, ANestedDialogDisablesItsOwnerAndGivesTheFocusBack) {
  SetFocus(owner.hwnd());
  OuterDialog outer;
  struct Seen {
    bool ownerEnabled;
    bool outerEnabled;
    std::string active;
    int focusId;
  };
  std::vector<Seen> seen;
  auto look = [&] {
    seen.push_back({IsWindowEnabled(owner.hwnd()) != FALSE, IsWindowEnabled(outer.hwnd()) != FALSE, WindowText(GetActiveWindow()),
                    GetDlgCtrlID(GetFocus())});
  };
  RECT outerRect{};
  driver.Then([&] {
    GetWindowRect(outer.hwnd(), &outerRect);
    look();
    driver.PressKey("Enter");
  });
  driver.Then([&] {
    look();
    driver.PressKey("Escape");
  });
  driver.Then([&] {
    look();
    driver.PressKey("Escape");
  });
  EXPECT_EQ(outer.DoModal(owner.hwnd()), IDCANCEL);
  EXPECT_EQ(outer.innerResult, IDCANCEL);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ((std::vector<bool>{seen[0].ownerEnabled, seen[0].outerEnabled}), (std::vector<bool>{false, true}));
  EXPECT_EQ(seen[0].focusId, static_cast<int>(kOpenInner));
  EXPECT_EQ((std::vector<bool>{seen[1].ownerEnabled, seen[1].outerEnabled}), (std::vector<bool>{false, false}));
  EXPECT_EQ(seen[1].active, "検索");
  EXPECT_EQ(seen[1].focusId, static_cast<int>(kList));
  EXPECT_EQ(seen[2].active, "外");
  EXPECT_EQ(seen[2].focusId, static_cast<int>(kOpenInner));
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  EXPECT_EQ(GetFocus(), owner.hwnd());
  // Centred over the owner (0, 0, 320, 200).
  EXPECT_EQ(outerRect, (RECT{110, 70, 210, 130}));
}

TEST_F(DialogTest, OpeningIsAnnouncedWithTheCaptionBeforeTheFocus) {
  std::vector<std::string> events;
  AccessSubscription watch([&](const AccessEvent& e) {
    if (e.kind == AccessEventKind::kDialogOpened) events.push_back("opened " + e.name + " / " + e.value);
    if (e.kind == AccessEventKind::kFocusChanged) events.push_back("focus " + e.name);
  });
  OptionsDialogUnderTest dialog;
  dialog.defaultId = IDOK;
  driver.Then([&] { SendMessage(dialog.hwnd(), WM_NEXTDLGCTL, ToWParam(GetDlgItem(dialog.hwnd(), IDCANCEL)), TRUE); });
  driver.Then([&] { driver.PressKey("Escape"); });
  dialog.DoModal(owner.hwnd());
  const std::vector<std::string> expected = {"opened 検索 / ", "focus ", "focus ｷｬﾝｾﾙ", "focus owner"};
  EXPECT_EQ(events, expected);
}

// The dialog scenarios: a host window opens the options dialog with F5 and shows its answer.
class DialogHost : public Window {
 public:
  Window answer;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_KEYDOWN && wParam == VK_F5) {
      OptionsDialogUnderTest dialog;
      const int result = dialog.DoModal(hwnd());
      const std::string text = result == IDOK ? "OK " + std::to_string(dialog.chosenPlace) + " " + std::to_string(dialog.caseChecked)
                                              : "cancel";
      SetWindowText(answer.hwnd(), text.c_str());
      return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
  }
};

TEST(DialogScenarioTest, DialogScenariosPass) {
  const std::filesystem::path dir = std::filesystem::path(LEXIV_SOURCE_DIR) / "tests/scenarios/dialog";
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().extension() == ".scn") files.push_back(entry.path());
  ASSERT_FALSE(files.empty());
  for (const auto& file : files) {
    HeadlessDriver driver;
    UiThread ui{driver};
    DialogHost host;
    CreateParams p;
    p.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    p.rect = RECT{0, 0, 320, 200};
    ASSERT_TRUE(host.Create(p));
    CreateParams a;
    a.style = WS_CHILD | WS_VISIBLE;
    a.parent = host.hwnd();
    a.id = 1;
    ASSERT_TRUE(host.answer.Create(a));
    SetFocus(host.hwnd());
    ScenarioRunner runner{driver};
    runner.NameWindow("host", host.hwnd());
    runner.NameWindow("answer", host.answer.hwnd());
    const std::map<std::string, UINT, std::less<>> controls = {
        {"list", kList}, {"case", kCase}, {"wide", kWide}, {"narrow", kNarrow}, {"ok", IDOK}, {"cancel", IDCANCEL}};
    runner.SetWindowResolver([controls](std::string_view name) -> HWND {
      if (name == "dialog") return ClassNameOf(GetActiveWindow()) == "#32770" ? GetActiveWindow() : HWND{};
      const auto it = controls.find(name);
      return it == controls.end() ? HWND{} : GetDlgItem(GetActiveWindow(), static_cast<int>(it->second));
    });
    runner.AddVerb("expect checked", [&runner](std::string_view name) -> std::string {
      const HWND h = runner.Resolve(name);
      if (!h) return "no window named \"" + std::string(name) + "\"";
      return SendMessage(h, BM_GETCHECK, 0, 0) == BST_CHECKED ? "" : std::string(name) + " is not checked";
    });
    const ScenarioResult result = runner.RunFile(file.string());
    EXPECT_EQ(result.failures, 0) << result.report;
  }
}

}  // namespace
}  // namespace lexiv::testing
