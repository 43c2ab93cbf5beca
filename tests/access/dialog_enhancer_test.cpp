#include "access/dialog_enhancer.h"

#include <string>
#include <vector>

#include "dialog_fixture.h"
#include "key_test_dialog.h"
#include "platform/controls/control_classes.h"

namespace lexiv::access {
namespace {

constexpr UINT kUpDownGetBuddy = WM_USER + 106;
constexpr DWORD kUpDownArrowKeys = 0x0020;

// An up-down control whose buddy is the edit 110.
class FakeUpDown : public Window {
 public:
  std::string_view ClassName() const override { return "msctls_updown32"; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kUpDownGetBuddy) return static_cast<LRESULT>(ToLParam(GetDlgItem(GetParent(hwnd()), 110)));
    return Window::WindowProc(message, wParam, lParam);
  }
};

DialogTemplate EnhancedTemplate() {
  DialogTemplate description = KeyTestTemplate();
  description.controls.push_back(KeyTestControl("Edit", "", 110, WS_TABSTOP | WS_GROUP, 9));
  description.controls.push_back(KeyTestControl("msctls_updown32", "", 111, kUpDownArrowKeys | WS_GROUP, 9));
  return description;
}

// An ordinary dialog that attaches the enhancer as it starts, and notes what its parent hears.
class EnhancedDialog : public Dialog {
 public:
  explicit EnhancedDialog(int honourSetting) : Dialog(EnhancedTemplate()), honourSetting_(honourSetting) {
    enhancer.SetEnterHandler([this](HWND control) {
      heard += " enter:" + std::to_string(GetDlgCtrlID(control));
      return takeEnter;
    });
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if ((id == 106 && code == LBN_SELCHANGE) || (id == 107 && code == CBN_SELCHANGE)) heard += " selchange:" + std::to_string(id);
      if (id == 105 && code == BN_CLICKED) heard += " clicked:105";
    }
    return Dialog::WindowProc(message, wParam, lParam);
  }

  DialogEnhancer enhancer;
  int attachResult = -1;
  int takeEnter = 0;
  std::string heard;

 protected:
  BOOL OnInitDialog() override {
    FillKeyTestControls(hwnd());
    attachResult = enhancer.AttachEnhancer(hwnd(), honourSetting_);
    return TRUE;
  }

 private:
  int honourSetting_;
};

constexpr const char* kFullWidthSpace = "全角空白";
// Shift held by the user across several keys.
constexpr const char* kShiftDown = "Shift押下";
constexpr const char* kShiftUp = "Shift解放";

class DialogEnhancerTest : public DialogFixture {
 protected:
  DialogEnhancerTest() {
    RegisterControlClass("msctls_updown32", [] { return std::unique_ptr<Window>(new FakeUpDown()); });
  }

  std::string Run(int honourSetting, int startId, const std::vector<const char*>& keys, int takeEnter = 0) {
    EnhancedDialog dialog(honourSetting);
    dialog.takeEnter = takeEnter;
    std::string observed;
    Then([&] { SendMessage(dialog.hwnd(), WM_NEXTDLGCTL, ToWParam(GetDlgItem(dialog.hwnd(), startId)), TRUE); });
    for (const char* key : keys)
      Then([this, key] {
        if (std::string_view(key) == kFullWidthSpace)
          driver.Type("\x81\x40");
        else if (std::string_view(key) == kShiftDown)
          driver.KeyDown(VK_SHIFT);
        else if (std::string_view(key) == kShiftUp)
          driver.KeyUp(VK_SHIFT);
        else
          EXPECT_GE(driver.PressKey(key), 0) << key;
      });
    Then([&] {
      observed = ObserveKeyTestDialog(dialog.hwnd()) + dialog.heard;
      dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal(main.hwnd());
    driver.ClearSteps();
    return observed;
  }
};

struct KeyCase {
  int startId;
  std::vector<const char*> keys;
  const char* expected;
};

TEST_F(DialogEnhancerTest, ControlsAreAttachedByClassAndStyleAndTheSetting) {
  const struct {
    int honourSetting;
    std::optional<DWORD> windowOperation;
    int edits, listViews, upDowns;
  } cases[] = {
      {0, std::nullopt, 2, 1, 1},
      {1, 1, 2, 1, 1},
      {1, std::nullopt, 0, 0, 0},
      {1, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.honourSetting);
    SetWindowOperation(c.windowOperation);
    EnhancedDialog dialog(c.honourSetting);
    Then([&] {
      const DialogEnhancer& e = dialog.enhancer;
      EXPECT_EQ(dialog.attachResult, 1);
      EXPECT_EQ(e.EnhancedKeys(), c.edits != 0);
      EXPECT_EQ(e.AttachedCount(ControlKind::kPushButton), 2);
      EXPECT_EQ(e.AttachedCount(ControlKind::kCheckBox), 1);
      EXPECT_EQ(e.AttachedCount(ControlKind::kRadioButton), 2);
      EXPECT_EQ(e.AttachedCount(ControlKind::kComboBox), 1);
      EXPECT_EQ(e.AttachedCount(ControlKind::kListBox), 1);
      EXPECT_EQ(e.AttachedCount(ControlKind::kListView), c.listViews);
      EXPECT_EQ(e.AttachedCount(ControlKind::kEdit), c.edits);
      EXPECT_EQ(e.AttachedCount(ControlKind::kUpDown), c.upDowns);
      EXPECT_EQ(dialog.enhancer.AttachEnhancer(dialog.hwnd(), c.honourSetting), 0) << "attached already";
      dialog.EndDialog(IDOK);
    });
    dialog.DoModal(main.hwnd());
    SetWindowOperation(9);
  }
}

TEST_F(DialogEnhancerTest, WithTheKeysOnControlsAreWorkedWithAFewKeys) {
  SetWindowOperation(1);
  const KeyCase cases[] = {
      {101, {"Down"}, "focus:102 list:2 view:0 combo:2 check:0 radio:103"},
      {101, {"Up"}, "focus:110 list:2 view:0 combo:2 check:0 radio:103"},
      {101, {"Ctrl+Down"}, "focus:102 list:2 view:0 combo:2 check:0 radio:103"},
      {101, {"Enter"}, "focus:102 list:2 view:0 combo:2 check:0 radio:103 enter:101"},
      {102, {"Left"}, "focus:102 list:2 view:0 combo:2 check:1 radio:103"},
      {102, {"Enter"}, "focus:103 list:2 view:0 combo:2 check:0 radio:103"},
      {102, {"Shift+Down"}, "focus:103 list:2 view:0 combo:2 check:0 radio:103"},
      {103, {"Space"}, "focus:104 list:2 view:0 combo:2 check:0 radio:104"},
      {103, {"Enter"}, "focus:105 list:2 view:0 combo:2 check:0 radio:103"},
      {105, {"Space"}, "focus:109 list:2 view:0 combo:2 check:0 radio:103"},
      {105, {kFullWidthSpace}, "focus:109 list:2 view:0 combo:2 check:0 radio:103"},
      {105, {"Up"}, "focus:103 list:2 view:0 combo:2 check:0 radio:103"},
      {109, {"Shift+Up"}, "focus:105 list:2 view:0 combo:2 check:0 radio:103"},
      // With Shift still held the strokes leave it as the user holds it.
      {109, {kShiftDown, "Up", kShiftUp}, "focus:105 list:2 view:0 combo:2 check:0 radio:103"},
      {101, {kShiftDown, "Down", kShiftUp, "Enter"}, "focus:103 list:2 view:0 combo:2 check:0 radio:103"},
      // The list box: Space steps round and tells the dialog; Left and Right step too.
      {106, {"Space"}, "focus:106 list:0 view:0 combo:2 check:0 radio:103 selchange:106"},
      {106, {"Space", "Shift+Space"}, "focus:106 list:2 view:0 combo:2 check:0 radio:103 selchange:106 selchange:106"},
      {106, {"Left"}, "focus:106 list:1 view:0 combo:2 check:0 radio:103 selchange:106"},
      {106, {kFullWidthSpace}, "focus:106 list:0 view:0 combo:2 check:0 radio:103 selchange:106"},
      {106, {"Enter"}, "focus:107 list:2 view:0 combo:2 check:0 radio:103 enter:106"},
      // The drop-down list.
      {107, {"Space"}, "focus:107 list:2 view:0 combo:0+ check:0 radio:103 selchange:107"},
      {107, {"Right"}, "focus:107 list:2 view:0 combo:2+ check:0 radio:103"},
      {107, {"Space", "Down"}, "focus:108 list:2 view:0 combo:0 check:0 radio:103 selchange:107"},
      {107, {"Up"}, "focus:106 list:2 view:0 combo:2 check:0 radio:103"},
      {107, {"Enter"}, "focus:108 list:2 view:0 combo:2 check:0 radio:103"},
      {107, {kFullWidthSpace}, "focus:107 list:2 view:0 combo:0 check:0 radio:103 selchange:107"},
      {107, {"Shift+Space", "Shift+Space", "Shift+Space"}, "focus:107 list:2 view:0 combo:2+ check:0 radio:103 selchange:107 selchange:107 selchange:107"},
      // The list view.
      {108, {"Space"}, "focus:108 list:2 view:1 combo:2 check:0 radio:103"},
      {108, {"Shift+Space"}, "focus:108 list:2 view:2 combo:2 check:0 radio:103"},
      {108, {"Right"}, "focus:108 list:2 view:1 combo:2 check:0 radio:103"},
      // The up-down's buddy leaves Ctrl+Down to it; Down in the last control goes to the first.
      {110, {"Ctrl+Down"}, "focus:110 list:2 view:0 combo:2 check:0 radio:103"},
      {110, {"Down"}, "focus:101 list:2 view:0 combo:2 check:0 radio:103"},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.startId << " " << ::testing::PrintToString(std::vector<std::string>(c.keys.begin(), c.keys.end())));
    EXPECT_EQ(Run(1, c.startId, c.keys), c.expected);
  }
}

TEST_F(DialogEnhancerTest, EnterTakenByTheHandlerGoesNoFurther) {
  EXPECT_EQ(Run(0, 106, {"Enter"}, 1), "focus:106 list:2 view:0 combo:2 check:0 radio:103 enter:106");
}

TEST_F(DialogEnhancerTest, WithTheKeysOffOnlyTheFullWidthSpaceOnButtonsChanges) {
  const KeyCase cases[] = {
      {101, {"Down"}, "focus:101 list:2 view:0 combo:2 check:0 radio:103"},
      {103, {"Down"}, "focus:104 list:2 view:0 combo:2 check:0 radio:104"},
      {105, {"Space"}, "focus:105 list:2 view:0 combo:2 check:0 radio:103 clicked:105"},
      {105, {kFullWidthSpace}, "focus:105 list:2 view:0 combo:2 check:0 radio:103 clicked:105"},
      {102, {kFullWidthSpace}, "focus:102 list:2 view:0 combo:2 check:1 radio:103"},
      {106, {"Space"}, "focus:106 list:2 view:0 combo:2 check:0 radio:103"},
      {106, {"Down"}, "focus:106 list:2 view:0 combo:2 check:0 radio:103"},
      {107, {"Down"}, "focus:107 list:2 view:0 combo:2 check:0 radio:103"},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.startId << " " << c.keys.front());
    EXPECT_EQ(Run(1, c.startId, c.keys), c.expected);
  }
}

TEST_F(DialogEnhancerTest, DetachingGivesTheControlsBackAndEmptiesOwnerDrawnLists) {
  DialogTemplate description;
  description.width = 300;
  description.height = 120;
  description.controls = {KeyTestControl("Edit", "", 101, WS_TABSTOP | WS_GROUP, 0),
                          KeyTestControl("ListBox", "", 106, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_TABSTOP | WS_GROUP, 1)};
  Dialog dialog(description);
  DialogEnhancer enhancer;
  std::string focusAfterDown;
  Then([&] {
    EXPECT_EQ(enhancer.AttachEnhancer(dialog.hwnd(), 0), 1);
    SendDlgItemMessage(dialog.hwnd(), 106, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("手引き"));
    enhancer.DetachEnhancer();
    EXPECT_EQ(SendDlgItemMessage(dialog.hwnd(), 106, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(enhancer.AttachedCount(ControlKind::kEdit), 0);
  });
  Keys({"Down"});
  Then([&] {
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 101) << "Down is the edit's own again";
    dialog.EndDialog(IDOK);
  });
  dialog.DoModal(main.hwnd());
}

}  // namespace
}  // namespace lexiv::access
