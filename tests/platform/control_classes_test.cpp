#include "platform/controls/control_classes.h"

#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/controls/button.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/dialog.h"
#include "platform/controls/dialog_navigation.h"
#include "platform/controls/edit_control.h"
#include "platform/controls/list_box.h"
#include "platform/controls/list_view.h"
#include "platform/controls/rich_edit_control.h"
#include "platform/controls/static_control.h"
#include "platform/controls/status_bar.h"
#include "platform/controls/toolbar.h"
#include "platform/core/focus.h"

namespace lexiv::testing {
namespace {

template <typename T>
bool Is(const std::unique_ptr<Window>& w) {
  return dynamic_cast<T*>(w.get()) != nullptr;
}

TEST(ControlClassesTest, EveryPlatformControlIsKnownByItsClassNameInAnyCase) {
  struct Case {
    const char* name;
    bool (*is)(const std::unique_ptr<Window>&);
  };
  const Case cases[] = {
      {"Button", Is<Button>},           {"LISTBOX", Is<ListBox>},           {"ComboBox", Is<ComboBox>},
      {"SysListView32", Is<ListView>},  {"ToolbarWindow32", Is<Toolbar>},   {"static", Is<StaticControl>},
      {"Edit", Is<EditControl>},        {kRichEditClassName, Is<RichEditControl>},
      {"RichEdit", Is<RichEditControl>}, {"StatusBar", Is<StatusBar>},
  };
  for (const Case& c : cases) EXPECT_TRUE(c.is(MakeControl(c.name))) << c.name;
  // An unknown name still gives a window, one that only keeps its text.
  const std::unique_ptr<Window> plain = MakeControl("NoSuchClass");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(typeid(*plain), typeid(Window));
}

constexpr UINT kWordLabel = 10;
constexpr UINT kWordEdit = 11;

// A label, an edit field and OK: the shape of the program's small input dialogs.
DialogTemplate WordDialog() {
  DialogTemplate t;
  t.caption = "単語";
  t.width = 200;
  t.height = 64;
  t.controls = {
      {"Static", "単語(&W):", kWordLabel, SS_LEFT, RECT{4, 4, 60, 20}},
      {"Edit", "初期", kWordEdit, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, RECT{64, 4, 196, 20}},
      {"Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, RECT{140, 40, 196, 60}},
  };
  return t;
}

class WordDialogUnderTest : public Dialog {
 public:
  WordDialogUnderTest() : Dialog(WordDialog()) {}
  std::string typed;
  bool labelIsStatic = false;
  bool editIsEdit = false;

 protected:
  BOOL OnInitDialog() override {
    labelIsStatic = dynamic_cast<StaticControl*>(FromHandle(GetDlgItem(hwnd(), kWordLabel))) != nullptr;
    editIsEdit = dynamic_cast<EditControl*>(FromHandle(GetDlgItem(hwnd(), kWordEdit))) != nullptr;
    return TRUE;
  }
  void OnOK() override {
    char buffer[64];
    GetDlgItemText(hwnd(), kWordEdit, buffer, sizeof buffer);
    typed = buffer;
    Dialog::OnOK();
  }
};

using ControlClassesDialogTest = HeadlessTest;

TEST_F(ControlClassesDialogTest, DescriptionMakesARealLabelAndEditField) {
  RecordingWindow owner{"owner", nullptr};
  ASSERT_TRUE(owner.CreateTop());
  WordDialogUnderTest dialog;
  int focusAtOpen = -1;
  std::vector<int> tabOrder;
  driver.Then([&] {
    focusAtOpen = GetDlgCtrlID(GetFocus());
    // The field's text is selected as the dialog opens, so typing replaces it; "w", the label's
    // mnemonic, is a letter like any other inside the field.
    driver.Type("語w");
  });
  driver.Then([&] { driver.PressKey("Tab"); });
  driver.Then([&] {
    tabOrder.push_back(GetDlgCtrlID(GetFocus()));
    driver.PressKey("Tab");
  });
  driver.Then([&] {
    tabOrder.push_back(GetDlgCtrlID(GetFocus()));
    driver.PressKey("End");
    driver.Type("x");
    driver.PressKey("Enter");
  });
  EXPECT_EQ(dialog.DoModal(owner.hwnd()), IDOK);
  EXPECT_TRUE(dialog.labelIsStatic);
  EXPECT_TRUE(dialog.editIsEdit);
  // The label is no tab stop: Tab goes from the field to OK and round to the field.
  EXPECT_EQ(tabOrder, (std::vector<int>{IDOK, kWordEdit}));
  EXPECT_EQ(focusAtOpen, static_cast<int>(kWordEdit));
  EXPECT_EQ(dialog.typed, "語wx");
}

}  // namespace
}  // namespace lexiv::testing
