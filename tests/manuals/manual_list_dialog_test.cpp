#include "manuals/manual_list_dialog.h"

#include <gtest/gtest.h>

#include <fstream>

#include "access/dialog_fixture.h"
#include "access/fake_reader.h"
#include "platform/controls/list_box_messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/process_launcher.h"
#include "support/temp_dir.h"

namespace lexiv::manuals {
namespace {

using namespace lexiv::platform;

class ManualListDialogTest : public access::DialogFixture {
 protected:
  ManualListDialogTest() {
    // Start-up binds the speech bridge once for the whole run.
    access::BindSpeech();
    access::VOXASetStatus(access::kReaderOwnReading, kBefore, 0);
    ReplaceProgramStarter([this](const std::vector<std::string>&) {
      ++starts_;
      return 0;
    });
  }
  ~ManualListDialogTest() override { ReplaceProgramStarter({}); }

  static constexpr access::ReaderValue kBefore = 0x6080101;
  access::FakeReader reader;
  testing::TempDir manuals_;
  int starts_ = 0;
};

TEST_F(ManualListDialogTest, OpenOnAnEmptyListClosesTheDialog) {
  // The files went between the command's look and the dialog's.
  int ended = -2;
  {
    CManualListDialog dialog;
    EXPECT_EQ(reader.StatusValue(access::kReaderOwnReading), kManualListOwnReading);
    dialog.SetManualDirectory(manuals_.dir());
    dialog.SetOpensInEditor(true);
    Then([&] {
      EXPECT_EQ(SendDlgItemMessage(dialog.hwnd(), kManualListId, LB_GETCOUNT, 0, 0), 0);
      EXPECT_EQ(SendDlgItemMessage(dialog.hwnd(), kManualListId, LB_GETCURSEL, 0, 0), LB_ERR);
      EXPECT_GE(driver.PressKey("Enter"), 0);
    });
    ended = dialog.DoModal(main.hwnd());
  }
  EXPECT_EQ(ended, IDOK);
  EXPECT_EQ(starts_, 0);
  EXPECT_EQ(reader.StatusValue(access::kReaderOwnReading), kBefore) << "the reader reads as before";
}

TEST_F(ManualListDialogTest, TheCommandDoesNothingWhileAListIsOpen) {
  std::ofstream(manuals_.path() / "a.txt") << "手引き\n";
  HWND first{};
  Then([&] {
    first = GetActiveWindow();
    ASSERT_TRUE(GetDlgItem(first, kManualListId));
    // The second command returns at once: no second dialog runs inside the first.
    OpenManualList(manuals_.dir(), main.hwnd());
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(reader.StatusValue(access::kReaderOwnReading), kManualListOwnReading);
    EXPECT_GE(driver.PressKey("Escape"), 0);
  });
  OpenManualList(manuals_.dir(), main.hwnd());
  EXPECT_TRUE(first);
  EXPECT_FALSE(IsWindow(first)) << "Escape closed the list";
  EXPECT_EQ(reader.StatusValue(access::kReaderOwnReading), kBefore);
  EXPECT_EQ(access::SpeechUseCount(), 1) << "the command unbinds what it bound";
}

}  // namespace
}  // namespace lexiv::manuals
