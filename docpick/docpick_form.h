// The manual viewer's one window, "OnLineReadrail": the product list and its hidden list of
// directories, the manual list (the current directory's .txt files), the text box, the reading
// button bar, the two pictures, the drive and folder lists of folder selection mode and the
// pop-up menu. Everything it says goes through the reader object.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "docpick/form_controls.h"
#include "docpick/form_events.h"
#include "docpick/reader_object.h"
#include "docpick/reading_buttons.h"
#include "docpick/reading_engine.h"
#include "platform/core/window.h"

namespace lexiv::docpick {

class DocpickForm : public platform::Window, public FormEvents {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  static constexpr platform::UINT_PTR kDisplayTimer = 2;  // Timer2
  static constexpr platform::UINT kDisplayDelayMs = 30;
  static constexpr platform::UINT_PTR kReadingTimer = 3;
  // The pop-up menu's commands.
  static constexpr platform::UINT kMenuFolderMode = 101;  // mnuEnabe
  static constexpr platform::UINT kMenuOpen = 102;        // mnuOpen
  static constexpr platform::UINT kMenuExit = 103;        // mnuExit

  // readerLibrary: the library the reader object comes from.
  explicit DocpickForm(std::string readerLibrary = "libvoxausr.so");
  ~DocpickForm() override;
  std::string_view ClassName() const override { return "DocpickForm"; }

  // Makes the window and runs the start-up steps; -1 when the program must end (no reader: the
  // message has been shown).
  int Start();
  // For tests: the reader object to use instead of the library's.
  void UseReader(ReaderObject reader) {
    injectedReader_ = std::move(reader);
    hasInjectedReader_ = true;
  }

  // What the tests look at.
  platform::HWND productList() const { return listName_->hwnd(); }
  platform::HWND manualList() const { return listFile_->hwnd(); }
  platform::HWND textBox() const { return text1_->hwnd(); }
  platform::HWND buttonBar() const { return buttons_->hwnd(); }
  std::vector<std::string> productDirectories() const;
  // The pop-up menu (attached to the window only while it is open).
  platform::HMENU popupMenu() const;
  const std::string& manualDirectory() const { return file1Path_; }
  const std::string& editorPath() const { return editorPath_; }
  int listMode() const { return listMode_; }
  bool folderMode() const { return folderMode_; }
  bool reading() const { return reading_ != nullptr && reading_->reading(); }
  ButtonLook StartButtonLook() const { return buttons_->Look(kStartReading); }
  bool HeadingActive(FormList list) const;
  int TextPointSize() const { return textPoints_; }

 private:
  // Start-up.
  bool CreateControls();
  void Layout();
  void FillProducts();
  void ShowMissingReader();

  // Lists.
  platform::HWND ListWindow(FormList list) const;
  std::string SelectedText(platform::HWND list) const;
  static std::string EntryText(platform::HWND list, int index);
  // The directory of a product row (ListDir) and a file name of the manual list (File1).
  std::string ProductDirectory(int row) const { return EntryText(listDir_->hwnd(), row); }
  std::string ManualFileName(int index) const { return EntryText(file1_->hwnd(), index); }
  void Select(FormList list, int index);
  void SetManualDirectory(const std::string& directory);
  void OpenSelectedManual();
  void ShowPopupMenu();
  void ToggleFolderMode();
  void FillFolders(const std::string& directory);
  void OpenSelectedFolder();

  // Display and reading.
  void RestartDisplayTimer();
  void DisplaySelectedManual();
  void SetText(const std::string& sjis);
  void Zoom(bool enlarge);
  void Say(const std::string& sjis);  // stops what is being said first
  void Exit();

  // FormEvents.
  bool ListKeyDown(FormList list, platform::UINT vk) override;
  void ListKeyUp(FormList list, platform::UINT vk) override;
  void ListFocused(FormList list) override;
  void ListUnfocused(FormList list) override;
  void ListSelectionChanged(FormList list, bool byMouse) override;
  void ListDoubleClicked(FormList list) override;
  void ListRightButtonUp(FormList list) override;
  void HeadingClicked(FormList list) override;
  void TextFocused(bool focused) override;
  void FolderPictureDoubleClicked() override { ToggleFolderMode(); }
  void ZoomPictureClicked(bool leftButton) override { Zoom(leftButton); }
  void ReadingButtonPressed(int item) override;
  void ReadingButtonFocused(int item) override;

  bool PreTranslateMessage(platform::Msg& msg) override;
  void MoveFocusAlongTabs(bool backwards);

  platform::LRESULT OnTimer(platform::WPARAM id, platform::LPARAM);
  platform::LRESULT OnSize(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnClose(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnDestroy(platform::WPARAM, platform::LPARAM);
  void OnMenuFolderMode() { ToggleFolderMode(); }
  void OnMenuOpen() { OpenSelectedManual(); }
  void OnMenuExit() { Exit(); }

  std::string readerLibrary_;
  ReaderObject reader_;
  ReaderObject injectedReader_;
  bool hasInjectedReader_ = false;

  std::unique_ptr<platform::StaticControl> label1_;
  std::unique_ptr<ListHeading> labelMain_;
  std::unique_ptr<ListHeading> labelSub_;
  std::unique_ptr<FormListBox> listName_;
  std::unique_ptr<FormListBox> listFile_;
  // Hidden: the directory of each product row, and the file names behind the manual list.
  std::unique_ptr<platform::ListBox> listDir_;
  std::unique_ptr<platform::ListBox> file1_;
  std::unique_ptr<FormListBox> drive1_;
  std::unique_ptr<FormListBox> dir1_;
  std::unique_ptr<ManualTextBox> text1_;
  std::unique_ptr<ReadingButtonBar> buttons_;
  std::unique_ptr<FormPicture> image1_;
  std::unique_ptr<FormPicture> image2_;
  std::unique_ptr<ReadingEngine> reading_;

  // Form state.
  std::string generalManualDirectory_;
  std::string editorPath_;
  std::string file1Path_;  // File1's path
  platform::HMENU popupBar_;
  std::string dir1Path_;                // Dir1's folder
  std::vector<std::string> dir1Paths_;  // the folder each Dir1 row stands for
  std::vector<std::string> drivePaths_;
  int listMode_ = 0;
  std::string wrapWord_;
  bool folderMode_ = false;
  bool closing_ = false;
  bool started_ = false;
  platform::BOOL savedSmoothScrolling_ = 1;
  int textPoints_ = 12;
};

}  // namespace lexiv::docpick
