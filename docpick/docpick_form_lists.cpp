// The form's lists: the product list and the manual list with their keys and announcements, the
// manual directory behind the manual list, opening a manual in the editor, and the drive and
// folder lists of folder selection mode.
#include "docpick/docpick_form.h"
#include "docpick/folder_lists.h"
#include "docpick/list_speech.h"
#include "docpick/manual_table.h"
#include "docpick/manual_text.h"
#include "platform/core/driver.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/file_listing.h"
#include "platform/services/process_launcher.h"

namespace lexiv::docpick {

using namespace lexiv::platform;

namespace {

constexpr char kOpenHint[] = "スペースキーでマニュアルを選んで、エンターキーを押してください";

int Count(HWND list) { return static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0)); }
int Current(HWND list) { return static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0)); }

}  // namespace

HWND DocpickForm::ListWindow(FormList list) const {
  switch (list) {
    case FormList::kProducts: return listName_->hwnd();
    case FormList::kManuals: return listFile_->hwnd();
    case FormList::kDrives: return drive1_->hwnd();
    case FormList::kFolders: return dir1_->hwnd();
  }
  return HWND{};
}

std::string DocpickForm::SelectedText(HWND list) const { return EntryText(list, Current(list)); }

std::string DocpickForm::EntryText(HWND list, int index) {
  if (index < 0) return {};
  const int length = static_cast<int>(SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0));
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void DocpickForm::Select(FormList list, int index) {
  SendMessage(ListWindow(list), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ListSelectionChanged(list, false);
}

bool DocpickForm::ListKeyDown(FormList list, UINT vk) {
  const HWND window = ListWindow(list);
  if (list == FormList::kManuals && vk == VK_APPS) {
    ShowPopupMenu();
    return true;
  }
  if (list == FormList::kFolders || list == FormList::kDrives) {
    if (list == FormList::kFolders && vk == VK_RETURN) {
      OpenSelectedFolder();
      return true;
    }
    return false;
  }
  // Enter in an empty manual list says how to choose a manual rather than nothing at all.
  if (list == FormList::kManuals && vk == VK_RETURN) {
    OpenSelectedManual();
    return true;
  }
  const int count = Count(window);
  if (count <= 0) return false;
  wrapWord_.clear();
  const int current = Current(window);
  switch (vk) {
    case VK_RETURN: SetFocus(listFile_->hwnd()); return true;
    case VK_SPACE:
    case VK_DOWN:
    case VK_RIGHT:
      if (current >= count - 1) {
        Select(list, 0);
        wrapWord_ = "トップ";
        return true;
      }
      // Space moves as Down does; the arrows are the list's own.
      if (vk == VK_SPACE) Select(list, current + 1);
      return vk == VK_SPACE;
    case VK_UP:
    case VK_LEFT:
      if (current <= 0) {
        Select(list, count - 1);
        wrapWord_ = "ラスト";
        return true;
      }
      return false;
    default: return false;
  }
}

void DocpickForm::ListKeyUp(FormList list, UINT vk) {
  if (list != FormList::kProducts && list != FormList::kManuals) return;
  if (list == FormList::kManuals) RestartDisplayTimer();
  const HWND window = ListWindow(list);
  const std::string said = KeyUpAnnouncement(vk, wrapWord_, Current(window), Count(window), SelectedText(window));
  if (!said.empty()) Say(said);
}

void DocpickForm::ListFocused(FormList list) {
  switch (list) {
    case FormList::kProducts: {
      listMode_ = 0;
      labelMain_->SetActive(true);
      labelSub_->SetActive(false);
      const int row = Current(listName_->hwnd());
      if (row >= 0 && file1Path_ != ProductDirectory(row)) SetManualDirectory(ProductDirectory(row));
      Say(std::string("メニュー") + kPhraseSeparator + ManualListName(SelectedText(listName_->hwnd())));
      break;
    }
    case FormList::kManuals:
      labelSub_->SetActive(true);
      labelMain_->SetActive(false);
      listMode_ = 1;
      Say(std::string("サブメニュー") + kPhraseSeparator + SelectedText(listFile_->hwnd()));
      break;
    case FormList::kDrives:
    case FormList::kFolders:
      Say(std::string(list == FormList::kDrives ? "ドライブの選択" : "フォルダの選択") + kPhraseSeparator +
          SelectedText(ListWindow(list)));
      reader_.FollowFocus();
      break;
  }
}

void DocpickForm::ListUnfocused(FormList list) {
  if (list == FormList::kDrives || list == FormList::kFolders) reader_.StopFollowingFocus();
}

void DocpickForm::ListSelectionChanged(FormList list, bool byMouse) {
  switch (list) {
    case FormList::kProducts: {
      reader_.StopSpeech();
      const int row = Current(listName_->hwnd());
      if (row < 0 || row >= Count(listDir_->hwnd())) return;
      const std::string directory = ProductDirectory(row);
      if (folderMode_) FillFolders(directory);
      SetManualDirectory(directory);
      if (byMouse) reader_.Speak(SelectedText(listName_->hwnd()) + kPhraseSeparator);
      break;
    }
    case FormList::kManuals:
      if (byMouse) {
        RestartDisplayTimer();
        reader_.Speak(SelectedText(listFile_->hwnd()) + kPhraseSeparator);
      }
      break;
    case FormList::kDrives: {
      const int row = Current(drive1_->hwnd());
      if (row < 0 || static_cast<std::size_t>(row) >= drivePaths_.size()) return;
      // A drive that cannot be read leaves the drive list where the folder list is.
      if (!FolderReadable(drivePaths_[row])) {
        SendMessage(drive1_->hwnd(), LB_SETCURSEL, static_cast<WPARAM>(DriveOf(drivePaths_, dir1Path_)), 0);
        return;
      }
      FillFolders(drivePaths_[row]);
      SetText("");
      break;
    }
    case FormList::kFolders: break;
  }
}

void DocpickForm::ListDoubleClicked(FormList list) {
  if (list == FormList::kManuals) OpenSelectedManual();
  if (list == FormList::kFolders) OpenSelectedFolder();
}

void DocpickForm::ListRightButtonUp(FormList list) {
  if (list == FormList::kManuals) ShowPopupMenu();
}

void DocpickForm::HeadingClicked(FormList list) { SetFocus(ListWindow(list)); }

void DocpickForm::SetManualDirectory(const std::string& directory) {
  file1Path_ = directory;
  std::vector<std::string> names;
  if (!directory.empty()) ListMatchingFiles(directory, "*.txt", names);
  const HWND list = listFile_->hwnd();
  SendMessage(file1_->hwnd(), LB_RESETCONTENT, 0, 0);
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : names) {
    SendMessage(file1_->hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const std::string shown = ManualListName(name);
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  if (Current(list) < 0 && Count(list) > 0) SendMessage(list, LB_SETCURSEL, 0, 0);
  RestartDisplayTimer();
}

void DocpickForm::OpenSelectedManual() {
  const int index = Current(listFile_->hwnd());
  if (index < 0 || index >= Count(file1_->hwnd())) {
    reader_.StopSpeech();
    reader_.Speak(std::string(kOpenHint) + kPauseMark);
    reader_.WaitSpeechEnd();
    return;
  }
  const std::string path = JoinPath(file1Path_, ManualFileName(index));
  if (!IsTextFileName(path)) return;
  if (StartProgramWithCommandLine(editorPath_ + " /ro /endesc " + "\"" + path + "\"") != 0) MessageBeep(0xFFFFFFFF);
}

void DocpickForm::FillFolders(const std::string& directory) {
  dir1Path_ = directory;
  dir1Paths_ = FolderChoices(directory);
  SendMessage(dir1_->hwnd(), LB_RESETCONTENT, 0, 0);
  for (std::size_t i = 0; i < dir1Paths_.size(); ++i) {
    const std::string& path = dir1Paths_[i];
    std::string name = path;
    const bool parent = i == 0 && directory != "/" && directory.compare(0, path.size(), path) == 0;
    if (parent) {
      name = "..";
    } else if (name.size() > 1) {
      name.pop_back();
      name = name.substr(name.rfind('/') + 1);
    }
    SendMessage(dir1_->hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  if (!dir1Paths_.empty()) SendMessage(dir1_->hwnd(), LB_SETCURSEL, 0, 0);
  drivePaths_ = DrivePaths();
  SendMessage(drive1_->hwnd(), LB_RESETCONTENT, 0, 0);
  for (const std::string& drive : drivePaths_)
    SendMessage(drive1_->hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
  SendMessage(drive1_->hwnd(), LB_SETCURSEL, static_cast<WPARAM>(DriveOf(drivePaths_, directory)), 0);
}

void DocpickForm::OpenSelectedFolder() {
  const int index = Current(dir1_->hwnd());
  if (index < 0 || static_cast<std::size_t>(index) >= dir1Paths_.size()) return;
  const std::string folder = dir1Paths_[static_cast<std::size_t>(index)];
  FillFolders(folder);
  SetManualDirectory(folder);
  SetText("");
  Say(std::string("フォルダの選択") + kPhraseSeparator + SelectedText(dir1_->hwnd()));
}

}  // namespace lexiv::docpick
