#include "access/base_dialog.h"

#include <string>
#include <vector>

#include "dialog_fixture.h"
#include "key_test_dialog.h"
#include "platform/controls/list_box_messages.h"

namespace lexiv::access {
namespace {

class KeyBaseDialog : public BaseDialog {
 public:
  KeyBaseDialog() : BaseDialog(KeyTestTemplate()) {}
  int OnEnterKey(UINT controlId) override {
    entered += " enter:" + std::to_string(controlId);
    return takeEnter;
  }
  std::string entered;
  int takeEnter = 0;
  bool pressedOk = false;

 protected:
  BOOL OnInitDialog() override {
    FillKeyTestControls(hwnd());
    return TRUE;
  }
  void OnOK() override { pressedOk = true; }
};

// The full-width space typed through the input method.
constexpr const char* kFullWidthSpace = "全角空白";

class BaseDialogTest : public DialogFixture {
 protected:
  // Opens the dialog, focuses a control, presses the keys and tells what became of it.
  std::string Run(int startId, const std::vector<const char*>& keys, int takeEnter = 0, bool sizing = false) {
    KeyBaseDialog dialog;
    dialog.takeEnter = takeEnter;
    std::string observed;
    Then([&] {
      SendMessage(dialog.hwnd(), WM_NEXTDLGCTL, ToWParam(GetDlgItem(dialog.hwnd(), startId)), TRUE);
      if (sizing) SendMessage(dialog.hwnd(), WM_ENTERSIZEMOVE, 0, 0);
    });
    for (const char* key : keys)
      Then([this, key] {
        if (std::string_view(key) == kFullWidthSpace)
          driver.Type("\x81\x40");
        else
          EXPECT_GE(driver.PressKey(key), 0) << key;
      });
    Then([&] {
      observed = ObserveKeyTestDialog(dialog.hwnd()) + dialog.entered + (dialog.pressedOk ? " ok" : "");
      dialog.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(main.hwnd()), IDCANCEL);
    driver.ClearSteps();
    return observed;
  }
};

struct KeyCase {
  int startId;
  std::vector<const char*> keys;
  const char* expected;
};

TEST_F(BaseDialogTest, WithWindowOperationOnTheKeysMoveAndStep) {
  SetWindowOperation(1);
  const KeyCase cases[] = {
      {101, {"Down"}, "focus:102 list:2 view:0 combo:2 check:0 radio:103"},
      {101, {"Up"}, "focus:108 list:2 view:0 combo:2 check:0 radio:103"},
      {101, {"Enter"}, "focus:102 list:2 view:0 combo:2 check:0 radio:103 enter:101"},
      {101, {"Ctrl+Down"}, "focus:101 list:2 view:0 combo:2 check:0 radio:103"},
      {102, {"Right"}, "focus:102 list:2 view:0 combo:2 check:1 radio:103"},
      {102, {"Enter"}, "focus:103 list:2 view:0 combo:2 check:0 radio:103 enter:102"},
      {103, {"Space"}, "focus:104 list:2 view:0 combo:2 check:0 radio:104"},
      {103, {"Down"}, "focus:105 list:2 view:0 combo:2 check:0 radio:103"},
      {105, {"Space"}, "focus:109 list:2 view:0 combo:2 check:0 radio:103"},
      {109, {"Shift+Space"}, "focus:105 list:2 view:0 combo:2 check:0 radio:103"},
      {105, {"Up"}, "focus:103 list:2 view:0 combo:2 check:0 radio:103"},
      // Lists wrap at both ends.
      {106, {"Down"}, "focus:106 list:0 view:0 combo:2 check:0 radio:103"},
      {106, {"Space"}, "focus:106 list:0 view:0 combo:2 check:0 radio:103"},
      {106, {"Shift+Space"}, "focus:106 list:1 view:0 combo:2 check:0 radio:103"},
      {106, {"Space", "Up"}, "focus:106 list:2 view:0 combo:2 check:0 radio:103"},
      {106, {"Enter"}, "focus:107 list:2 view:0 combo:2 check:0 radio:103 enter:106"},
      {106, {kFullWidthSpace}, "focus:106 list:0 view:0 combo:2 check:0 radio:103"},
      {108, {"Up"}, "focus:108 list:2 view:2 combo:2 check:0 radio:103"},
      {108, {"Space", "Right"}, "focus:108 list:2 view:2 combo:2 check:0 radio:103"},
      {108, {"Space", "Space", "Space"}, "focus:108 list:2 view:0 combo:2 check:0 radio:103"},
      // A drop-down list: Space opens it and steps round; Up and Down leave it.
      {107, {"Space"}, "focus:107 list:2 view:0 combo:0+ check:0 radio:103"},
      {107, {"Shift+Space"}, "focus:107 list:2 view:0 combo:1+ check:0 radio:103"},
      {107, {"Space", "Down"}, "focus:108 list:2 view:0 combo:0 check:0 radio:103"},
      {107, {"Right"}, "focus:107 list:2 view:0 combo:2+ check:0 radio:103"},
      {107, {"Enter"}, "focus:108 list:2 view:0 combo:2 check:0 radio:103 enter:107"},
      // Enter in a dropped list closes it; the dialog is not told.
      {107, {"Space", "Enter"}, "focus:107 list:2 view:0 combo:0 check:0 radio:103"},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.startId << " " << ::testing::PrintToString(std::vector<std::string>(c.keys.begin(), c.keys.end())));
    EXPECT_EQ(Run(c.startId, c.keys), c.expected);
  }
}

TEST_F(BaseDialogTest, WithWindowOperationOffTheKeysKeepTheirOrdinaryMeaningButEnterIsOffered) {
  for (std::optional<DWORD> setting : {std::optional<DWORD>(), std::optional<DWORD>(0), std::optional<DWORD>(2)}) {
    SetWindowOperation(setting);
    const KeyCase cases[] = {
        {101, {"Down"}, "focus:101 list:2 view:0 combo:2 check:0 radio:103"},
        {101, {"Enter"}, "focus:101 list:2 view:0 combo:2 check:0 radio:103 enter:101 ok"},
        {103, {"Down"}, "focus:104 list:2 view:0 combo:2 check:0 radio:104"},
        {106, {"Down"}, "focus:106 list:2 view:0 combo:2 check:0 radio:103"},
        {106, {"Space"}, "focus:106 list:2 view:0 combo:2 check:0 radio:103"},
        {107, {"Down"}, "focus:107 list:2 view:0 combo:2 check:0 radio:103"},
        {107, {"Alt+Down", "Up", "Enter"}, "focus:107 list:2 view:0 combo:1 check:0 radio:103"},
        // On a button the full-width space is Space whatever the setting.
        {102, {kFullWidthSpace}, "focus:102 list:2 view:0 combo:2 check:1 radio:103"},
        {106, {kFullWidthSpace}, "focus:106 list:2 view:0 combo:2 check:0 radio:103"},
    };
    for (const KeyCase& c : cases) {
      SCOPED_TRACE(::testing::Message() << (setting ? std::to_string(*setting) : "none") << " " << c.startId << " " << c.keys.front());
      EXPECT_EQ(Run(c.startId, c.keys), c.expected);
    }
    if (setting) SetWindowOperation(7);  // the next round overwrites it
  }
}

TEST_F(BaseDialogTest, EnterTakenByTheDialogGoesNoFurther) {
  SetWindowOperation(1);
  EXPECT_EQ(Run(101, {"Enter"}, 1), "focus:101 list:2 view:0 combo:2 check:0 radio:103 enter:101");
  EXPECT_EQ(Run(106, {"Enter"}, 1), "focus:106 list:2 view:0 combo:2 check:0 radio:103 enter:106");
}

TEST_F(BaseDialogTest, NoKeyRuleWhileTheDialogIsMovedOrSized) {
  SetWindowOperation(1);
  EXPECT_EQ(Run(101, {"Down"}, 0, true), "focus:101 list:2 view:0 combo:2 check:0 radio:103");
}

// A dialog of twelve owner-drawn list boxes (ids 201 to 212) and a plain one (220).
class ListDialog : public BaseDialog {
 public:
  ListDialog() : BaseDialog(Template()) {}

 private:
  static DialogTemplate Template() {
    DialogTemplate description;
    description.width = 400;
    description.height = 400;
    for (UINT id = 201; id <= 212; ++id)
      description.controls.push_back(KeyTestControl("ListBox", "", id, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_TABSTOP, static_cast<int>(id - 201)));
    description.controls.push_back(KeyTestControl("ListBox", "", 220, WS_TABSTOP, 12));
    return description;
  }
};

TEST_F(BaseDialogTest, OwnerDrawnItemsKeepTheirTextInTenListsAtMost) {
  ListDialog dialog;
  Then([&] {
    const ItemBitmap book{954, 16, 20};
    for (UINT id = 201; id <= 210; ++id) EXPECT_EQ(dialog.AddListItem(id, "手引き", &book), 0) << id;
    EXPECT_EQ(dialog.AddListItem(211, "十一番目", nullptr), -1) << "an eleventh list";
    EXPECT_EQ(dialog.AddListItem(201, "二番目", nullptr), 1) << "a list already kept takes more";
    EXPECT_EQ(dialog.AddListItem(999, "ない", nullptr), -1) << "no such control";
    SendDlgItemMessage(dialog.hwnd(), 220, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("普通"));

    std::string text;
    EXPECT_EQ(dialog.GetListItemText(201, 1, text), 6);
    EXPECT_EQ(text, "二番目");
    EXPECT_EQ(dialog.GetListItemText(220, 0, text), 4) << "a list not kept answers with its own text";
    EXPECT_EQ(text, "普通");
    EXPECT_EQ(dialog.GetListItemText(201, 5, text), -1);
    EXPECT_EQ(dialog.GetListItemText(211, 0, text), -1);

    char buffer[8];
    EXPECT_EQ(dialog.GetListItemText(201, 0, buffer, 7), 6);
    EXPECT_STREQ(buffer, "手引き");
    EXPECT_EQ(dialog.GetListItemText(201, 0, buffer, 6), -1) << "no room for the terminator";
    EXPECT_STREQ(buffer, "");

    // Items taken away give back their objects; the rest stay readable.
    SendDlgItemMessage(dialog.hwnd(), 201, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(dialog.GetListItemText(201, 0, text), 6);
    EXPECT_EQ(text, "二番目");
    dialog.EndDialog(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(main.hwnd()), IDOK);
}

TEST_F(BaseDialogTest, AnItemWithABitmapIsAsHighAsItsBitmapWhenThatIsTaller) {
  ListDialog dialog;
  Then([&] {
    const HWND list = GetDlgItem(dialog.hwnd(), 201);
    const OwnerDrawnItem plain{"手引き", std::nullopt};
    const OwnerDrawnItem tall{"手引き", ItemBitmap{954, 16, 24}};
    const OwnerDrawnItem small{"手引き", ItemBitmap{954, 16, 8}};
    EXPECT_EQ(dialog.OwnerDrawnItemHeight(list, &plain), 16 + 2);
    EXPECT_EQ(dialog.OwnerDrawnItemHeight(list, &tall), 24);
    EXPECT_EQ(dialog.OwnerDrawnItemHeight(list, &small), 16 + 2);
    dialog.EndDialog(IDOK);
  });
  dialog.DoModal(main.hwnd());
}

}  // namespace
}  // namespace lexiv::access
