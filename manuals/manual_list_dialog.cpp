#include "manuals/manual_list_dialog.h"

#include "access/speech.h"
#include "manuals/launch_manual.h"
#include "manuals/manual_picture.h"
#include "platform/controls/button_messages.h"
#include "platform/controls/list_box_messages.h"
#include "platform/controls/static_control.h"
#include "platform/core/input_context.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::manuals {

using namespace lexiv::platform;

namespace {

// The label before the list has no id of its own.
constexpr UINT kLabelId = 0xFFFF;
// The most of an item's text that is spoken.
constexpr std::size_t kMaxSpokenItemBytes = 255;

// Dialog units are two pixels both ways: a quarter of a half-width cell across, an eighth of a
// cell down.
RECT UnitRect(int x, int y, int width, int height) { return RECT{x * 2, y * 2, (x + width) * 2, (y + height) * 2}; }

DialogControl Control(const char* className, const char* text, UINT id, DWORD style, RECT rect) {
  DialogControl control;
  control.className = className;
  control.text = text;
  control.id = id;
  control.style = WS_CHILD | WS_VISIBLE | style;
  control.rect = rect;
  return control;
}

DialogTemplate ManualListTemplate() {
  DialogTemplate description;
  description.caption = "オンラインマニュアル";
  description.width = 323 * 2;
  description.height = 197 * 2;
  description.controls = {
      Control("Static", "", kManualIconId, SS_ICON, UnitRect(9, 10, 20, 20)),
      Control("Static", "マニュアル一覧", kLabelId, SS_LEFT, UnitRect(38, 11, 63, 20)),
      Control("Static", "", kProductTitleId, SS_LEFT | SS_NOPREFIX, UnitRect(125, 20, 188, 13)),
      // The items keep their names in the box as well as in the base's item objects, so that the
      // terminal, which draws no owner-drawn items, shows the names.
      Control("ListBox", "", kManualListId,
              LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
              UnitRect(9, 35, 304, 123)),
      Control("Button", "開く", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, UnitRect(108, 171, 50, 16)),
      Control("Button", "ｷｬﾝｾﾙ", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, UnitRect(163, 171, 50, 16)),
  };
  return description;
}

// Set while a manual list runs, so that the command does not open a second one inside it.
bool manualListRunning = false;

}  // namespace

const MessageMap& CManualListDialog::ClassMessageMap() {
  using D = CManualListDialog;
  static const MessageMap map = MessageMapOf<D>(BaseDialog::ClassMessageMap())
                                    .OnControlCommand(kManualListId, LBN_SETFOCUS, &D::OnListFocus)
                                    .OnControlCommand(kManualListId, LBN_SELCHANGE, &D::OnListSelectionChange)
                                    .OnControlCommand(kManualListId, LBN_DBLCLK, &D::OnListDoubleClick);
  return map;
}

CManualListDialog::CManualListDialog()
    : BaseDialog(ManualListTemplate()),
      keptOwnReading_(access::VOXASetStatus(access::kReaderOwnReading, kManualListOwnReading, 0)) {}

CManualListDialog::~CManualListDialog() { access::VOXASetStatus(access::kReaderOwnReading, keptOwnReading_, 0); }

BOOL CManualListDialog::OnInitDialog() {
  BaseDialog::OnInitDialog();
  const HWND self = hwnd();
  SetDlgItemText(self, kProductTitleId, productTitle_.c_str());
  path_.clear();
  SendMessage(GetDlgItem(self, kManualIconId), STM_SETICON, IDI_QUESTION, 0);
  manuals_.clear();
  if (manualDir_.empty()) return TRUE;

  const access::ItemBitmap picture = RegisterManualPicture();
  for (ManualFile& manual : ListManuals(manualDir_)) {
    if (AddListItem(kManualListId, manual.name, &picture) < 0) continue;
    manuals_.push_back(std::move(manual));
  }
  const HWND list = GetDlgItem(self, kManualListId);
  if (!manuals_.empty()) SendMessage(list, LB_SETCURSEL, 0, 0);
  // Typed keys go to the list itself, not to the input method.
  ImmAssociateContext(list, HIMC{});
  return TRUE;
}

int CManualListDialog::SelectedIndex() const {
  const LRESULT index = SendDlgItemMessage(hwnd(), kManualListId, LB_GETCURSEL, 0, 0);
  return index >= 0 && static_cast<std::size_t>(index) < manuals_.size() ? static_cast<int>(index) : -1;
}

int CManualListDialog::OnEnterKey(UINT controlId) {
  if (static_cast<int>(controlId) != kManualListId || SelectedIndex() < 0) return 0;
  OpenSelected();
  return 1;
}

void CManualListDialog::OnOK() { OpenSelected(); }

void CManualListDialog::OpenSelected() {
  if (manuals_.empty()) {
    EndDialog(IDOK);
    return;
  }
  const int index = SelectedIndex();
  if (index < 0 || !opensInEditor_) return;
  path_ = manualDir_;
  if (path_.back() != '/') path_ += '/';
  // The file as it was found: its extension may be spelled in capitals.
  path_ += manuals_[static_cast<std::size_t>(index)].fileName;
  // A manual that cannot be opened leaves the list as it was: the user may choose another.
  LaunchManual(path_);
}

void CManualListDialog::SpeakSelected() {
  const int index = SelectedIndex();
  if (index < 0) return;
  std::string text;
  if (GetListItemText(kManualListId, index, text) < 0) return;
  text.resize(SjisPrefixBytes(text, kMaxSpokenItemBytes));
  access::VOXAPRead(text.c_str(), 4, 1);
}

void CManualListDialog::OnListFocus() {
  if (!access::ReaderActive()) return;
  access::VOXAVReset();
  access::VOXAPRead("　", 4, 0);
  access::VOXAPRead("マニュアル一覧の 選択", 4, 0);
  access::VOXAPRead("　", 4, 0);
  SpeakSelected();
}

void CManualListDialog::OnListSelectionChange() {
  if (access::ReaderActive()) SpeakSelected();
}

void CManualListDialog::OnListDoubleClick() {
  if (SelectedIndex() >= 0) OpenSelected();
}

void OpenManualList(const std::string& manualDir, HWND owner) {
  CManualListDialog dialog;
  if (manualListRunning) return;
  manualListRunning = true;
  access::BindSpeech();
  if (HasManuals(manualDir)) {
    dialog.SetManualDirectory(manualDir);
    dialog.SetProductTitle("Lexiv");
    dialog.SetOpensInEditor(true);
    dialog.DoModal(owner);
  }
  access::UnbindSpeech();
  manualListRunning = false;
}

}  // namespace lexiv::manuals
