#include "app/display_font_dialog.h"

#include "platform/controls/button_messages.h"
#include "platform/controls/combo_box_messages.h"
#include "platform/controls/static_control.h"
#include "platform/core/window_functions.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

DialogTemplate DisplayFontTemplate() {
  DialogTemplate description;
  description.caption = "表示フォント";
  description.width = DialogUnits(160);
  description.height = DialogUnits(96);
  description.controls = {
      DialogItem("Static", "表示フォント", -1, SS_LEFT, 6, 6, 60, 8),
      // The captions have no space; the face names they stand for do.
      DialogItem("Button", "ＭＳゴシック", CDisplayFontDialog::kGothicId,
                 BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 12, 18, 70, 10),
      DialogItem("Button", "ＭＳ明朝", CDisplayFontDialog::kMinchoId, BS_AUTORADIOBUTTON, 84, 18, 70, 10),
      DialogItem("Static", "表示色", -1, SS_LEFT | WS_GROUP, 6, 36, 60, 8),
      // Two rows: the choice and its state; the list drops over what follows.
      DialogItem("ComboBox", "", CDisplayFontDialog::kColorListId, CBS_DROPDOWNLIST | WS_TABSTOP | WS_GROUP, 12, 46,
                 100, 16),
      DialogItem("Button", "設定", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 30, 72, 44, 14),
      DialogItem("Button", "ｷｬﾝｾﾙ", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 86, 72, 44, 14),
  };
  return description;
}

}  // namespace

CDisplayFontDialog::CDisplayFontDialog(DisplayState& display)
    : COptionDialog(DisplayFontTemplate()), display_(display) {}

void CDisplayFontDialog::ProposeChoice(const char* fontName, COLORREF textColor, COLORREF backgroundColor) {
  if (fontName == nullptr) return;
  display_.SelectColors(textColor, backgroundColor);
  display_.SelectFontByName(fontName);
}

BOOL CDisplayFontDialog::OnInitDialog() {
  const HWND self = hwnd();
  CheckDlgButton(self, display_.fontIndex() == 1 ? kMinchoId : kGothicId, BST_CHECKED);
  for (const char* name : kColorSchemeNames)
    SendDlgItemMessage(self, kColorListId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  SendDlgItemMessage(self, kColorListId, CB_SETCURSEL, static_cast<WPARAM>(display_.colorIndex()), 0);
  COptionDialog::OnInitDialog();
  return TRUE;
}

void CDisplayFontDialog::OnOK() {
  const HWND self = hwnd();
  display_.SetFontIndex(IsDlgButtonChecked(self, kMinchoId) == BST_CHECKED ? 1 : 0);
  const auto chosen = static_cast<int>(SendDlgItemMessage(self, kColorListId, CB_GETCURSEL, 0, 0));
  if (chosen >= 0) display_.SetColorIndex(chosen);
  COptionDialog::OnOK();
}

}  // namespace lexiv
