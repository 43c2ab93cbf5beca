#include "app/headword_reading_dialog.h"

#include "platform/controls/button_messages.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

DialogTemplate HeadwordReadingTemplate() {
  DialogTemplate description;
  description.caption = "見出し語の読み方";
  description.width = DialogUnits(200);
  description.height = DialogUnits(60);
  description.controls = {
      DialogItem("Button", "見出し語を 日本語変換時の読み方で読み上げる", CHeadwordReadingDialog::kTitleImeId,
                 BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 6, 6, 188, 10),
      DialogItem("Button", "見出し語選択時に 意味も読み上げる", CHeadwordReadingDialog::kTitleMeanId,
                 BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 6, 20, 188, 10),
      DialogItem("Button", "設定", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 50, 40, 44, 14),
      DialogItem("Button", "ｷｬﾝｾﾙ", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 106, 40, 44, 14),
  };
  return description;
}

}  // namespace

CHeadwordReadingDialog::CHeadwordReadingDialog(HeadwordReadingOptions& options)
    : COptionDialog(HeadwordReadingTemplate()), options_(options) {}

BOOL CHeadwordReadingDialog::OnInitDialog() {
  CheckDlgButton(hwnd(), kTitleImeId, options_.titleIme() == 1 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hwnd(), kTitleMeanId, options_.titleMean() == 1 ? BST_CHECKED : BST_UNCHECKED);
  COptionDialog::OnInitDialog();
  return TRUE;
}

void CHeadwordReadingDialog::OnOK() {
  options_.SetTitleIme(IsDlgButtonChecked(hwnd(), kTitleImeId) == BST_CHECKED ? 1 : 0);
  options_.SetTitleMean(IsDlgButtonChecked(hwnd(), kTitleMeanId) == BST_CHECKED ? 1 : 0);
  COptionDialog::OnOK();
}

}  // namespace lexiv
