#include "app/find_dialog.h"

#include "access/speech_library.h"
#include "platform/controls/button_messages.h"
#include "platform/controls/edit_messages.h"
#include "platform/controls/static_control.h"
#include "platform/core/focus.h"
#include "platform/core/window_functions.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

// What the reader reads by itself while the dialog is open: its controls as they change.
constexpr access::ReaderValue kDialogOwnReading = 0x6080100;

DialogTemplate FindTemplate() {
  DialogTemplate description;
  description.caption = "検索";
  description.width = DialogUnits(200);
  description.height = DialogUnits(64);
  description.controls = {
      DialogItem("Static", "検索する文字列", -1, SS_LEFT, 6, 8, 60, 8),
      DialogItem("Edit", "", CFindDialog::kTextId, WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, 68, 6, 126, 12),
      DialogItem("Button", "大文字と小文字を区別する", CFindDialog::kMatchCaseId,
                 BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 6, 24, 188, 10),
      DialogItem("Button", "実行", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 50, 44, 44, 14),
      DialogItem("Button", "ｷｬﾝｾﾙ", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 106, 44, 44, 14),
  };
  return description;
}

}  // namespace

CFindDialog::CFindDialog(FindState& find) : COptionDialog(FindTemplate()), find_(find) {}

int CFindDialog::Run(HWND owner) {
  const access::ReaderValue kept = access::VOXASetStatus(access::kReaderOwnReading, kDialogOwnReading, 0);
  const int result = COptionDialog::Run(owner);
  access::VOXASetStatus(access::kReaderOwnReading, kept, 0);
  return result;
}

BOOL CFindDialog::OnInitDialog() {
  COptionDialog::OnInitDialog();
  FindState shown = find_;
  if (proposed_) shown.ProposeText(*proposed_);
  if (proposedCase_) shown.SetCaseOption(*proposedCase_);
  SendDlgItemMessage(hwnd(), kTextId, EM_LIMITTEXT, FindState::kMaxTextBytes, 0);
  SetDlgItemText(hwnd(), kTextId, shown.text().c_str());
  CheckDlgButton(hwnd(), kMatchCaseId, shown.caseOption() ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void CFindDialog::OnOK() {
  char text[FindState::kMaxTextBytes + 1] = {};
  GetDlgItemText(hwnd(), kTextId, text, sizeof text);
  if (text[0] == '\0') {
    SetFocus(GetDlgItem(hwnd(), kTextId));
    access::VOXAVoiceGuide("検索する文字列は省略できません", 0);
    return;
  }
  find_.SetCaseOption(IsDlgButtonChecked(hwnd(), kMatchCaseId) == BST_CHECKED ? 1 : 0);
  find_.ProposeText(text);
  COptionDialog::OnOK();
}

}  // namespace lexiv
