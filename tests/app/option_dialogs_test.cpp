// The option dialogs by themselves: each gets the dialog keys while it is open and lets them go
// when it closes; each shows its state and stores it only on OK; the find dialog cuts a proposed
// text to what the state holds and switches the reader's own reading for its time.
#include <gtest/gtest.h>

#include <string>

#include "access/fake_reader.h"
#include "app_fixture.h"
#include "access/speech_library.h"
#include "app/display_font_dialog.h"
#include "app/find_dialog.h"
#include "app/headword_reading_dialog.h"
#include "platform/controls/button_messages.h"
#include "platform/controls/combo_box_messages.h"
#include "platform/core/focus.h"
#include "platform/core/window_functions.h"

namespace lexiv::testing {
namespace {

// The dialogs over a window of their own, with the fake reader and hives of the test's own.
class OptionDialogsTest : public AppFixture {
 protected:
  void SetUp() override {
    CreateParams params;
    params.text = "owner";
    params.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    params.rect = RECT{0, 0, 640, 400};
    ASSERT_TRUE(owner.Create(params));
    SetFocus(owner.hwnd());
  }
  Window owner;
};

TEST_F(OptionDialogsTest, EachDialogHasTheDialogKeysWhileOpenAndLetsThemGo) {
  FindState find;
  DisplayState display;
  HeadwordReadingOptions reading;
  CFindDialog findDialog(find);
  CDisplayFontDialog fontDialog(display);
  CHeadwordReadingDialog readingDialog(reading);
  struct Case {
    const char* name;
    COptionDialog* dialog;
    access::ControlKind kind;
  };
  for (const Case& c : {Case{"find", &findDialog, access::ControlKind::kCheckBox},
                        Case{"display font", &fontDialog, access::ControlKind::kRadioButton},
                        Case{"headword reading", &readingDialog, access::ControlKind::kCheckBox}}) {
    SCOPED_TRACE(c.name);
    int attachedWhileOpen = -1;
    driver.Then([&] {
      attachedWhileOpen = c.dialog->Enhancer().AttachedCount(c.kind);
      driver.PressKey("Escape");
    });
    EXPECT_EQ(c.dialog->Run(owner.hwnd()), IDCANCEL);
    EXPECT_GT(attachedWhileOpen, 0);
    EXPECT_EQ(c.dialog->Enhancer().AttachedCount(c.kind), 0);
  }
  // Cancelled, each said so and kept its state.
  EXPECT_EQ(reader.SpokenTexts(), (std::vector<std::string>{"ﾊﾟｽ", "ﾊﾟｽ", "ﾊﾟｽ"}));
  EXPECT_TRUE(find.text().empty());
  EXPECT_EQ(display.colorIndex(), 0);
  EXPECT_EQ(reading.titleIme(), 1u);
}

TEST_F(OptionDialogsTest, TheFindDialogCutsAProposedTextAndSwitchesTheReadersOwnReading) {
  FindState find;
  CFindDialog dialog(find);
  dialog.ProposeText(std::string(300, 'a'));
  dialog.ProposeCaseOption(1);
  access::VOXASetStatus(access::kReaderOwnReading, 0x6080101, 0);
  std::string shown;
  access::ReaderValue ownReadingWhileOpen = 0;
  UINT caseShown = 0;
  driver.Then([&] {
    shown = WindowText(GetDlgItem(GetActiveWindow(), CFindDialog::kTextId));
    caseShown = IsDlgButtonChecked(GetActiveWindow(), CFindDialog::kMatchCaseId);
    ownReadingWhileOpen = reader.StatusValue(access::kReaderOwnReading);
    driver.PressKey("Enter");
  });
  EXPECT_EQ(dialog.Run(owner.hwnd()), IDOK);
  EXPECT_EQ(shown, std::string(256, 'a'));
  EXPECT_EQ(caseShown, static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(ownReadingWhileOpen, 0x6080100);
  EXPECT_EQ(reader.StatusValue(access::kReaderOwnReading), 0x6080101);
  EXPECT_EQ(find.text(), std::string(256, 'a'));
  EXPECT_EQ(find.MatchCaseFlag(), FindState::kMatchCaseFlag);
}

}  // namespace
}  // namespace lexiv::testing
