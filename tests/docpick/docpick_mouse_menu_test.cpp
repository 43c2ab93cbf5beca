// The viewer by mouse and menu: a click names what it selects, the pop-up menu lets the reader read
// it, folder selection mode changes the title and the menu, the zoom picture, and the end puts the
// session's list-box setting back.
#include <gtest/gtest.h>

#include <algorithm>

#include "docpick_fixture.h"
#include "platform/controls/list_box_messages.h"
#include "platform/controls/rich_edit_messages.h"
#include "platform/core/menu.h"
#include "platform/services/system_parameters.h"

namespace lexiv::docpick::testing {
namespace {

const std::string kSep = "\xFE";

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Where in calls the first of each name is (-1 when missing).
int IndexOf(const std::vector<std::string>& calls, const std::string& call, int from = 0) {
  for (int i = from; i < static_cast<int>(calls.size()); ++i)
    if (calls[static_cast<std::size_t>(i)] == call) return i;
  return -1;
}

class DocpickMouseMenuTest : public DocpickFixture {};

TEST_F(DocpickMouseMenuTest, AClickSelectsNamesAndShowsTheManual) {
  OurManuals({{"a.txt", "first"}, {"b.txt", "second"}});
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  calls.clear();
  // The second row of the manual list: rows are 16 pixels high.
  driver.Click(form->manualList(), POINT{8, 16 + 8});
  driver.RunFor(100);
  EXPECT_EQ(SendMessage(form->manualList(), LB_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(Contains(Spoken(), "b" + kSep)) << Report();
  EXPECT_EQ(TextBoxText(), "second");
}

TEST_F(DocpickMouseMenuTest, ThePopupMenuIsTheReadersAndItsFirstItemTogglesFolderSelection) {
  OurManuals({{"a.txt", "a"}});
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  Press("Enter");
  calls.clear();
  // Apps opens the menu; its first item is highlighted, Enter chooses it.
  driver.Then([&] { driver.PressKey("Enter"); });
  Press("Apps");
  const int on = IndexOf(calls, "VOXAObject4");
  ASSERT_GE(on, 0) << Report();
  EXPECT_GT(IndexOf(calls, "VOXAObject3", on), on) << Report();
  EXPECT_TRUE(form->folderMode());
  HMENU popup = form->popupMenu();
  char caption[128] = {};
  GetMenuString(popup, DocpickForm::kMenuFolderMode, caption, sizeof caption, MF_BYCOMMAND);
  EXPECT_EQ(std::string(caption), "フォルダの選択を無効にする(&E)");
  // The title line says which mode the viewer is in.
  char title[128] = {};
  GetWindowText(GetDlgItem(form->hwnd(), 1), title, sizeof title);
  EXPECT_EQ(std::string(title), " Text-File Glancer Mode ");

  // Tab now also reaches the drive and the folder list, which say what they are.
  calls.clear();
  for (int i = 0; i < 4; ++i) Press("Tab");
  EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const std::string& call) {
    return call.rfind("VOXAObject1\tドライブの選択\xFE", 0) == 0;
  })) << Report();
}

TEST_F(DocpickMouseMenuTest, InFolderSelectionModeAnyFolderCanBeOpened) {
  OurManuals({});
  const std::string sub = ManualDir("general/sub");
  WriteFile(sub, "x.txt", "x text");
  WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\LEXIV\\Directories", "manual", "");
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  // The only product is the other manuals, in the general directory; the folder picture's
  // double click switches the mode on.
  driver.DoubleClick(GetDlgItem(form->hwnd(), 10), POINT{1, 1});
  driver.RunFor(10);
  ASSERT_TRUE(form->folderMode());
  for (int i = 0; i < 5; ++i) Press("Tab");
  calls.clear();
  Press("Down");
  Press("Enter");
  EXPECT_EQ(form->manualDirectory(), sub);
  EXPECT_EQ(SendMessage(form->manualList(), LB_GETCOUNT, 0, 0), 1);
  EXPECT_TRUE(Contains(Spoken(), "フォルダの選択" + kSep + "..")) << Report();
  // The title line is the program's again once the mode is off.
  driver.DoubleClick(GetDlgItem(form->hwnd(), 10), POINT{1, 1});
  driver.RunFor(10);
  EXPECT_FALSE(form->folderMode());
  char title[128] = {};
  GetWindowText(GetDlgItem(form->hwnd(), 1), title, sizeof title);
  EXPECT_NE(std::string(title), " Text-File Glancer Mode ");
}

TEST_F(DocpickMouseMenuTest, TheOpenItemIsGrayWithoutAManual) {
  OurManuals({});
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  Press("Enter");
  calls.clear();
  driver.Then([&] { driver.PressKey("Escape"); });
  // Shift+F10 stands in for the Applications key, which most terminals do not send.
  Press("Shift+F10");
  EXPECT_GE(IndexOf(calls, "VOXAObject4"), 0) << Report();
  HMENU popup = form->popupMenu();
  EXPECT_NE(GetMenuState(popup, DocpickForm::kMenuOpen, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(DocpickMouseMenuTest, ADisplayThatInterruptsAReadingEndsItAndAsksTheReadersState) {
  std::string longText;
  for (int i = 0; i < 200; ++i) longText += "ab,";
  OurManuals({{"a.txt", longText}, {"b.txt", "other"}});
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  Press("Tab");
  Press("Tab");
  Press("Tab");  // the button bar
  ASSERT_EQ(GetFocus(), form->buttonBar());
  ASSERT_EQ(driver.PressKey("Enter"), 0);
  driver.RunFor(5);
  ASSERT_TRUE(form->reading());
  EXPECT_EQ(form->StartButtonLook(), ButtonLook::kActive);
  calls.clear();
  driver.Click(form->manualList(), POINT{8, 16 + 8});
  driver.RunFor(100);
  EXPECT_FALSE(form->reading());
  EXPECT_EQ(form->StartButtonLook(), ButtonLook::kOff);
  const int end = IndexOf(calls, "VOXAObject1\t読み 終わり");
  ASSERT_GE(end, 0) << Report();
  EXPECT_GT(IndexOf(calls, "VOXAObject9", end), end) << Report();
  EXPECT_EQ(TextBoxText(), "other");
}

TEST_F(DocpickMouseMenuTest, TheTextBoxSaysItsModeAndTheZoomPictureResizesItsText) {
  OurManuals({{"a.txt", "text"}});
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  Press("Tab");
  calls.clear();
  Press("Tab");
  EXPECT_EQ(GetFocus(), form->textBox());
  EXPECT_FALSE(form->HeadingActive(FormList::kProducts));
  EXPECT_FALSE(form->HeadingActive(FormList::kManuals));
  const std::vector<std::string> expected{"VOXAObject2", "VOXAObject4", "VOXAObject1\t読み上げモード"};
  EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + std::min<std::size_t>(3, calls.size())), expected)
      << Report();
  calls.clear();
  Press("Tab");
  EXPECT_EQ(IndexOf(calls, "VOXAObject3"), 0) << Report();

  const HWND zoom = GetDlgItem(form->hwnd(), 11);
  driver.Click(zoom, POINT{1, 1});
  driver.RunFor(10);
  EXPECT_EQ(form->TextPointSize(), 14);  // 12 × 1.2
  driver.Click(zoom, POINT{1, 1}, HeadlessDriver::Button::kRight);
  driver.Click(zoom, POINT{1, 1}, HeadlessDriver::Button::kRight);
  driver.RunFor(10);
  EXPECT_EQ(form->TextPointSize(), 10);
  CHARFORMAT format;
  SendMessage(form->textBox(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format.yHeight, 10 * kTwipsPerPoint);
}

TEST_F(DocpickMouseMenuTest, SmoothScrollingIsOffWhileTheViewerRunsAndBackAtItsEnd) {
  OurManuals({});
  SystemParametersInfoA(SPI_SETLISTBOXSMOOTHSCROLLING, 0, reinterpret_cast<void*>(1), 0);
  ASSERT_EQ(StartForm(), 0);
  BOOL smooth = TRUE;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETLISTBOXSMOOTHSCROLLING, 0, &smooth, 0));
  EXPECT_FALSE(smooth);
  ASSERT_EQ(driver.PressKey("Escape"), 0);
  driver.Run();
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETLISTBOXSMOOTHSCROLLING, 0, &smooth, 0));
  EXPECT_TRUE(smooth);
}

}  // namespace
}  // namespace lexiv::docpick::testing
