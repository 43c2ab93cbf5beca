// The manual list: a modal dialog that lists the program's text manuals by name, speaks the list
// as the user moves through it and opens the chosen manual (LaunchManual) without closing, so
// that several manuals can be opened in turn. It speaks its list itself: while the dialog object
// lives, the reader reads only the dialog's buttons on its own.
#pragma once

#include <string>
#include <vector>

#include "access/base_dialog.h"
#include "access/speech_library.h"
#include "manuals/manual_names.h"

namespace lexiv::manuals {

inline constexpr platform::UINT kManualListDialogId = 955;
inline constexpr platform::UINT kManualPictureId = 954;
inline constexpr int kManualIconId = 1004;
inline constexpr int kProductTitleId = 1001;
inline constexpr int kManualListId = 1000;
// What the reader reads on its own while the list is open: its buttons only.
inline constexpr access::ReaderValue kManualListOwnReading = 0x20040;

class CManualListDialog : public access::BaseDialog {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  // Tells the reader what it reads on its own while the object lives; the destructor gives back
  // the value it had.
  CManualListDialog();
  ~CManualListDialog() override;

  // The directory whose manuals the dialog lists (empty: an empty list) and the product title.
  void SetManualDirectory(std::string directory) { manualDir_ = std::move(directory); }
  void SetProductTitle(std::string title) { productTitle_ = std::move(title); }
  // Whether Open starts the chosen manual (the command sets it).
  void SetOpensInEditor(bool opens) { opensInEditor_ = opens; }

  int OnEnterKey(platform::UINT controlId) override;

  // The path Open opened last (empty before).
  const std::string& LastOpenedPath() const { return path_; }

 protected:
  platform::BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  int SelectedIndex() const;
  // Opens the selected manual; with an empty list, closes the dialog.
  void OpenSelected();
  void SpeakSelected();

  void OnListFocus();
  void OnListSelectionChange();
  void OnListDoubleClick();

  access::ReaderValue keptOwnReading_;
  std::string manualDir_;
  std::string productTitle_;
  bool opensInEditor_ = false;
  std::vector<ManualFile> manuals_;  // in list order
  std::string path_;
};

// The manual list command: lists the manuals of manualDir in a dialog owned by owner. Does
// nothing while a manual list is already open, and shows and says nothing when manualDir holds
// no text file.
void OpenManualList(const std::string& manualDir, platform::HWND owner);

}  // namespace lexiv::manuals
