// The form: its controls and their places, the start-up steps, the keys that belong to the whole
// window (Tab, Escape), the pop-up menu and the end.
#include "docpick/docpick_form.h"

#include "docpick/list_speech.h"
#include "docpick/manual_table.h"
#include "platform/controls/button.h"
#include "platform/controls/dialog.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/menu.h"
#include "platform/core/menu_loop.h"
#include "platform/core/messages.h"
#include "platform/core/string_table.h"
#include "platform/core/timers.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/services/system_parameters.h"

namespace lexiv::docpick {

using namespace lexiv::platform;

namespace {

constexpr char kCaption[] = "OnLineReadrail";
constexpr char kTitleLine[] = " OnLineReadrail  マニュアルの閲覧";
constexpr char kGlancerTitleLine[] = " Text-File Glancer Mode ";
constexpr char kMainHeading[] = " マニュアルの種類";
constexpr char kSubHeading[] = " マニュアル一覧";
constexpr char kMissingReader[] = "Voxaread Version3.0以上が必要です";
constexpr char kEnableFolders[] = "フォルダの選択を有効にする(&E)";
constexpr char kDisableFolders[] = "フォルダの選択を無効にする(&E)";
constexpr char kZoomTip[] = "文字の拡大／縮小";
constexpr char kDriveTip[] = "ドライブを変更します";
constexpr char kFolderTip[] = "フォルダを変更します";

constexpr int kCell = 8;
constexpr int kRow = 16;
constexpr int kProductCells = 22;
constexpr int kManualCells = 24;
constexpr int kButtonCells = 9;
constexpr int kBarRows = 3;
// The button bar: its pictures, and the line naming the focused button.
constexpr int kBarHeightRows = kBarRows + 1;

// Control ids, which are also where the string table keeps the tool tips.
enum : UINT {
  kLabel1Id = 1,
  kLabelMainId,
  kLabelSubId,
  kListNameId,
  kListFileId,
  kDrive1Id,
  kDir1Id,
  kText1Id,
  kButtonBarId,
  kImage1Id,
  kImage2Id,
  kListDirId,
  kFile1Id,
};

HMENU BuildPopupMenu() {
  HMENU bar = CreateMenu();
  HMENU popup = CreatePopupMenu();
  AppendMenu(popup, MF_STRING, DocpickForm::kMenuFolderMode, kEnableFolders);
  AppendMenu(popup, MF_STRING, DocpickForm::kMenuOpen, "ペンラで開く(&O)");
  AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenu(popup, MF_STRING, DocpickForm::kMenuExit, "終了(&X)");
  AppendMenu(bar, MF_POPUP, ToWParam(popup), "ポップアップ");
  return bar;
}

// The message of a missing reader: its text and an OK button.
class MissingReaderBox : public Dialog {
 public:
  MissingReaderBox() : Dialog(Description()) {}

 private:
  static DialogTemplate Description() {
    DialogTemplate box;
    box.caption = kCaption;
    const int width = (static_cast<int>(sizeof kMissingReader) + 4) * kCell;
    box.width = width;
    box.height = 5 * kRow;
    box.controls.push_back({"Static", kMissingReader, 0xFFFF, WS_CHILD | WS_VISIBLE | SS_LEFT,
                            RECT{kCell, kRow, width - kCell, 2 * kRow}});
    box.controls.push_back({"Button", "OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                            RECT{width / 2 - 3 * kCell, 3 * kRow, width / 2 + 3 * kCell, 4 * kRow}});
    return box;
  }
};

}  // namespace

const MessageMap& DocpickForm::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<DocpickForm>(Window::ClassMessageMap())
                                    .On(WM_TIMER, &DocpickForm::OnTimer)
                                    .On(WM_SIZE, &DocpickForm::OnSize)
                                    .On(WM_CLOSE, &DocpickForm::OnClose)
                                    .On(WM_DESTROY, &DocpickForm::OnDestroy)
                                    .OnCommand(kMenuFolderMode, &DocpickForm::OnMenuFolderMode)
                                    .OnCommand(kMenuOpen, &DocpickForm::OnMenuOpen)
                                    .OnCommand(kMenuExit, &DocpickForm::OnMenuExit);
  return map;
}

DocpickForm::DocpickForm(std::string readerLibrary) : readerLibrary_(std::move(readerLibrary)) {}

DocpickForm::~DocpickForm() {
  if (IsWindow(hwnd())) DestroyWindow(hwnd());
}

bool DocpickForm::HeadingActive(FormList list) const {
  return list == FormList::kProducts ? labelMain_->active() : labelSub_->active();
}

int DocpickForm::Start() {
  // 1. The form takes the screen, which it can never exceed.
  CreateParams params;
  params.text = kCaption;
  params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  params.rect = UiThread::Current()->driver.ScreenRect();
  if (!Create(params) || !CreateControls()) return -1;
  // The pop-up menu is hidden: it becomes the window's menu only while it is open.
  popupBar_ = BuildPopupMenu();
  SetString(kImage2Id, std::string("\n") + kZoomTip);
  SetString(kDrive1Id, std::string("\n") + kDriveTip);
  SetString(kDir1Id, std::string("\n") + kFolderTip);

  // 2. Directories. The manual viewer never runs on a system of the kind that keeps manuals under
  // "DocumentDir", so that branch does not exist here.
  generalManualDirectory_ = ReadGeneralManualDirectory();
  editorPath_ = ReadEditorPath();
  file1Path_ = generalManualDirectory_;
  dir1Path_ = generalManualDirectory_;

  // 3. The products, the first one selected.
  FillProducts();
  // 4. The buttons start off.
  for (int item = 0; item < kReadingButtonCount; ++item) buttons_->SetLook(item, ButtonLook::kOff);

  // 5. The reader, without which nothing can be said.
  reader_ = hasInjectedReader_ ? std::move(injectedReader_) : ReaderObject::Create(readerLibrary_.c_str());
  if (!reader_.exists() || !reader_.StopFollowingFocus()) {
    ShowMissingReader();
    return -1;
  }
  reading_ = std::make_unique<ReadingEngine>(reader_, text1_->hwnd());

  // 6. No smooth scrolling while the viewer runs: the lists must stand still when they are read.
  SystemParametersInfoA(SPI_GETLISTBOXSMOOTHSCROLLING, 0, &savedSmoothScrolling_, 0);
  SystemParametersInfoA(SPI_SETLISTBOXSMOOTHSCROLLING, 0, nullptr, SPIF_UPDATEINIFILE);

  // 7. Font sizes: a terminal's cell is the 12-point size that caps the lists' size, and the
  // text box starts at the product list's.
  textPoints_ = 12;

  started_ = true;
  ShowWindow(hwnd(), SW_SHOW);
  SetFocus(listName_->hwnd());
  return 0;
}

bool DocpickForm::CreateControls() {
  RegisterButtonPictures();
  auto make = [&](Window& control, const char* text, UINT id, DWORD style) {
    CreateParams params;
    params.text = text != nullptr ? text : "";
    params.style = WS_CHILD | style;
    params.parent = hwnd();
    params.id = id;
    params.rect = RECT{0, 0, kCell, kRow};
    return control.Create(params);
  };
  label1_ = std::make_unique<StaticControl>();
  labelMain_ = std::make_unique<ListHeading>(*this, FormList::kProducts);
  labelSub_ = std::make_unique<ListHeading>(*this, FormList::kManuals);
  listName_ = std::make_unique<FormListBox>(*this, FormList::kProducts);
  listFile_ = std::make_unique<FormListBox>(*this, FormList::kManuals);
  listDir_ = std::make_unique<ListBox>();
  file1_ = std::make_unique<ListBox>();
  text1_ = std::make_unique<ManualTextBox>(*this);
  buttons_ = std::make_unique<ReadingButtonBar>(*this);
  drive1_ = std::make_unique<FormListBox>(*this, FormList::kDrives);
  dir1_ = std::make_unique<FormListBox>(*this, FormList::kFolders);
  image1_ = std::make_unique<FormPicture>(*this, FormPicture::Kind::kFolderMode);
  image2_ = std::make_unique<FormPicture>(*this, FormPicture::Kind::kZoom);
  const DWORD list = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
  if (!make(*label1_, kTitleLine, kLabel1Id, WS_VISIBLE | SS_LEFT) ||
      !make(*labelMain_, nullptr, kLabelMainId, WS_VISIBLE) || !make(*labelSub_, nullptr, kLabelSubId, WS_VISIBLE) ||
      !make(*listName_, nullptr, kListNameId, list) || !make(*listFile_, nullptr, kListFileId, list) ||
      !make(*listDir_, nullptr, kListDirId, 0) || !make(*file1_, nullptr, kFile1Id, 0) ||
      !make(*text1_, nullptr, kText1Id, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE) ||
      !make(*buttons_, nullptr, kButtonBarId, WS_VISIBLE | WS_TABSTOP) ||
      !make(*drive1_, nullptr, kDrive1Id, WS_TABSTOP | WS_VSCROLL) ||
      !make(*dir1_, nullptr, kDir1Id, WS_TABSTOP | WS_VSCROLL) ||
      !make(*image1_, nullptr, kImage1Id, WS_VISIBLE | SS_BITMAP) ||
      !make(*image2_, nullptr, kImage2Id, WS_VISIBLE | SS_BITMAP))
    return false;
  SendMessage(labelMain_->hwnd(), SB_SETTEXT, 0, reinterpret_cast<LPARAM>(kMainHeading));
  SendMessage(labelSub_->hwnd(), SB_SETTEXT, 0, reinterpret_cast<LPARAM>(kSubHeading));
  SendMessage(image1_->hwnd(), STM_SETIMAGE, IMAGE_BITMAP, kFolderModePictureId);
  SendMessage(image2_->hwnd(), STM_SETIMAGE, IMAGE_BITMAP, kZoomPictureId);
  SendMessage(text1_->hwnd(), EM_SETOPTIONS, ECOOP_OR, ECO_NOHIDESEL | ECO_AUTOVSCROLL);
  if (!buttons_->CreateButtons(kButtonCells * kCell, kBarRows * kRow)) return false;
  Layout();
  return true;
}

void DocpickForm::Layout() {
  if (text1_ == nullptr) return;
  RECT client;
  GetClientRect(hwnd(), &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  const int barTop = std::max(4 * kRow, height - kBarHeightRows * kRow);
  const int listsLeft = 0;
  const int manualsLeft = kProductCells * kCell;
  const int textLeft = manualsLeft + kManualCells * kCell;
  MoveWindow(label1_->hwnd(), 0, 0, width, kRow, TRUE);
  MoveWindow(labelMain_->hwnd(), listsLeft, kRow, kProductCells * kCell, kRow, TRUE);
  MoveWindow(labelSub_->hwnd(), manualsLeft, kRow, kManualCells * kCell, kRow, TRUE);
  const int listsTop = 2 * kRow;
  const int listsHeight = std::max(kRow, barTop - listsTop);
  if (folderMode_) {
    // The product list gives up the lower part of its column to the drive and folder lists.
    const int productRows = std::max(1, listsHeight / kRow / 3);
    const int driveRows = std::max(1, listsHeight / kRow / 4);
    const int productHeight = productRows * kRow;
    const int driveHeight = driveRows * kRow;
    MoveWindow(listName_->hwnd(), listsLeft, listsTop, kProductCells * kCell, productHeight, TRUE);
    MoveWindow(drive1_->hwnd(), listsLeft, listsTop + productHeight, kProductCells * kCell, driveHeight, TRUE);
    MoveWindow(dir1_->hwnd(), listsLeft, listsTop + productHeight + driveHeight, kProductCells * kCell,
               std::max(kRow, listsHeight - productHeight - driveHeight), TRUE);
  } else {
    MoveWindow(listName_->hwnd(), listsLeft, listsTop, kProductCells * kCell, listsHeight, TRUE);
  }
  MoveWindow(listFile_->hwnd(), manualsLeft, listsTop, kManualCells * kCell, listsHeight, TRUE);
  // The text box wraps at 41 characters of its size, or at its room when that is less.
  const int wrapPixels = textPoints_ * 41 * 4 / 3;
  const int textWidth = std::max(kCell, std::min(wrapPixels, width - textLeft));
  MoveWindow(text1_->hwnd(), textLeft, kRow, textWidth, std::max(kRow, barTop - kRow), TRUE);
  MoveWindow(buttons_->hwnd(), 0, barTop, kReadingButtonCount * kButtonCells * kCell, kBarHeightRows * kRow, TRUE);
  const int picturesLeft = kReadingButtonCount * kButtonCells * kCell;
  MoveWindow(image1_->hwnd(), picturesLeft, barTop, 8 * kCell, kBarRows * kRow, TRUE);
  MoveWindow(image2_->hwnd(), picturesLeft + kButtonCells * kCell, barTop, 8 * kCell, kBarRows * kRow, TRUE);
}

void DocpickForm::FillProducts() {
  SendMessage(listName_->hwnd(), LB_RESETCONTENT, 0, 0);
  SendMessage(listDir_->hwnd(), LB_RESETCONTENT, 0, 0);
  for (const ProductManuals& product : ReadProductManuals(generalManualDirectory_)) {
    SendMessage(listName_->hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(product.displayName.c_str()));
    SendMessage(listDir_->hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(product.directory.c_str()));
  }
  Select(FormList::kProducts, 0);
}

void DocpickForm::ShowMissingReader() {
  MissingReaderBox box;
  box.DoModal(hwnd());
  DestroyWindow(hwnd());
}

void DocpickForm::Say(const std::string& sjis) {
  reader_.StopSpeech();
  reader_.Speak(sjis);
}

bool DocpickForm::PreTranslateMessage(Msg& msg) {
  // Most terminals send nothing for the Applications key: Shift+F10, its usual stand-in, opens the
  // manual list's menu too.
  if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == VK_F10 &&
      (GetKeyState(VK_SHIFT) & 0x8000) != 0 && msg.hwnd == listFile_->hwnd()) {
    ShowPopupMenu();
    return true;
  }
  if (msg.message != WM_KEYDOWN) return Window::PreTranslateMessage(msg);
  if (msg.wParam == VK_TAB) {
    MoveFocusAlongTabs((GetKeyState(VK_SHIFT) & 0x8000) != 0);
    return true;
  }
  if (msg.wParam == VK_ESCAPE) {
    if (listMode_ == 1)
      SetFocus(listName_->hwnd());
    else
      Exit();
    return true;
  }
  return Window::PreTranslateMessage(msg);
}

void DocpickForm::MoveFocusAlongTabs(bool backwards) {
  std::vector<HWND> order{listName_->hwnd(), listFile_->hwnd(), text1_->hwnd(), buttons_->hwnd()};
  if (folderMode_) {
    order.push_back(drive1_->hwnd());
    order.push_back(dir1_->hwnd());
  }
  const HWND focus = GetFocus();
  int at = -1;
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] == focus) at = static_cast<int>(i);
  const int count = static_cast<int>(order.size());
  const int next = at < 0 ? 0 : (at + (backwards ? count - 1 : 1)) % count;
  SetFocus(order[static_cast<std::size_t>(next)]);
}

std::vector<std::string> DocpickForm::productDirectories() const {
  std::vector<std::string> directories;
  const int count = static_cast<int>(SendMessage(listDir_->hwnd(), LB_GETCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) directories.push_back(ProductDirectory(row));
  return directories;
}

HMENU DocpickForm::popupMenu() const { return GetSubMenu(popupBar_, 0); }

void DocpickForm::ShowPopupMenu() {
  HMENU popup = popupMenu();
  const bool selected = SendMessage(listFile_->hwnd(), LB_GETCURSEL, 0, 0) >= 0;
  EnableMenuItem(popup, kMenuOpen, MF_BYCOMMAND | (selected ? MF_ENABLED : MF_GRAYED));
  // The reader reads the menu as it reads any menu, then leaves the window to us again.
  reader_.FollowFocus();
  SetMenu(hwnd(), popupBar_);
  TrackMenuBar(hwnd(), 0, false);
  SetMenu(hwnd(), HMENU{});
  InvalidateRect(hwnd(), nullptr, TRUE);
  reader_.StopFollowingFocus();
}

void DocpickForm::ToggleFolderMode() {
  folderMode_ = !folderMode_;
  ShowWindow(drive1_->hwnd(), folderMode_ ? SW_SHOW : SW_HIDE);
  ShowWindow(dir1_->hwnd(), folderMode_ ? SW_SHOW : SW_HIDE);
  ModifyMenuText(popupMenu(), kMenuFolderMode, MF_BYCOMMAND, folderMode_ ? kDisableFolders : kEnableFolders);
  SetWindowText(label1_->hwnd(), folderMode_ ? kGlancerTitleLine : kTitleLine);
  if (folderMode_) FillFolders(file1Path_);
  Layout();
  InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT DocpickForm::OnSize(WPARAM, LPARAM) {
  Layout();
  return 0;
}

LRESULT DocpickForm::OnClose(WPARAM, LPARAM) {
  Exit();
  return 0;
}

void DocpickForm::Exit() {
  if (closing_) return;
  closing_ = true;
  if (reading_ != nullptr) reading_->StopNow();
  KillTimer(hwnd(), kReadingTimer);
  KillTimer(hwnd(), kDisplayTimer);
  reader_.FollowFocus();
  reader_.StopSpeech();
  reader_.Speak("マニュアル 終わり");
  PumpPending();
  reader_.WaitSpeechEnd();
  if (started_)
    SystemParametersInfoA(SPI_SETLISTBOXSMOOTHSCROLLING, 0,
                          reinterpret_cast<void*>(static_cast<std::intptr_t>(savedSmoothScrolling_)),
                          SPIF_UPDATEINIFILE);
  DestroyWindow(hwnd());
}

LRESULT DocpickForm::OnDestroy(WPARAM, LPARAM) {
  if (popupBar_ && GetMenu(hwnd()) != popupBar_) DestroyMenu(popupBar_);
  popupBar_ = HMENU{};
  PostQuitMessage(0);
  return Default();
}

}  // namespace lexiv::docpick
