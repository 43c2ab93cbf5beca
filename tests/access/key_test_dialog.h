// The controls the dialog key tests move through, with their starting state, and the state as
// one line to compare.
//
//   tab order: 101 edit, 102 check box, 103/104 radio group, 105/109 push buttons, 106 list box,
//   107 drop-down list, 108 list view; each list holds 一 二 三; the list box and the drop-down
//   list start on their last item, the list view on its first; radio 103 is chosen.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/button_messages.h"
#include "platform/controls/combo_box_messages.h"
#include "platform/controls/dialog.h"
#include "platform/controls/list_box_messages.h"
#include "platform/controls/list_view_messages.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::access {

using namespace lexiv::platform;

inline DialogControl KeyTestControl(const char* className, const char* text, UINT id, DWORD style, int row) {
  DialogControl control;
  control.className = className;
  control.text = text;
  control.id = id;
  control.style = WS_CHILD | WS_VISIBLE | style;
  control.rect = RECT{16, 16 + row * 32, 216, 32 + row * 32};
  return control;
}

inline std::vector<DialogControl> KeyTestControls() {
  return {
      KeyTestControl("Edit", "", 101, WS_TABSTOP | WS_GROUP, 0),
      KeyTestControl("Button", "語尾を表示(&E)", 102, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 1),
      KeyTestControl("Button", "広い", 103, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 2),
      KeyTestControl("Button", "狭い", 104, BS_AUTORADIOBUTTON, 3),
      KeyTestControl("Button", "実行", 105, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 4),
      KeyTestControl("Button", "閉じる", 109, BS_PUSHBUTTON | WS_TABSTOP, 5),
      KeyTestControl("ListBox", "", 106, LBS_NOTIFY | WS_TABSTOP | WS_GROUP, 6),
      KeyTestControl("ComboBox", "", 107, CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_TABSTOP | WS_GROUP, 7),
      KeyTestControl("SysListView32", "", 108, LVS_REPORT | LVS_SINGLESEL | WS_TABSTOP | WS_GROUP, 8),
  };
}

inline DialogTemplate KeyTestTemplate() {
  DialogTemplate description;
  description.caption = "キー";
  description.width = 400;
  description.height = 320;
  description.controls = KeyTestControls();
  return description;
}

inline void FillKeyTestControls(HWND dialog) {
  const char* items[] = {"一", "二", "三"};
  LVCOLUMN column;
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 100;
  SendDlgItemMessage(dialog, 108, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
  for (int i = 0; i < 3; ++i) {
    SendDlgItemMessage(dialog, 106, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
    SendDlgItemMessage(dialog, 107, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>(items[i]);
    SendDlgItemMessage(dialog, 108, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
  }
  SendDlgItemMessage(dialog, 106, LB_SETCURSEL, 2, 0);
  SendDlgItemMessage(dialog, 107, CB_SETCURSEL, 2, 0);
  LVITEM state;
  state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  state.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendDlgItemMessage(dialog, 108, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  SendDlgItemMessage(dialog, 108, LVM_SETSELECTIONMARK, 0, 0);
  CheckDlgButton(dialog, 103, BST_CHECKED);
}

// "focus:106 list:0 view:0 combo:2 check:0 radio:103", with "+" after the drop-down list's
// choice while its list is open.
inline std::string ObserveKeyTestDialog(HWND dialog) {
  std::string state = "focus:" + std::to_string(GetDlgCtrlID(GetFocus()));
  state += " list:" + std::to_string(SendDlgItemMessage(dialog, 106, LB_GETCURSEL, 0, 0));
  state += " view:" + std::to_string(SendDlgItemMessage(dialog, 108, LVM_GETSELECTIONMARK, 0, 0));
  state += " combo:" + std::to_string(SendDlgItemMessage(dialog, 107, CB_GETCURSEL, 0, 0));
  if (SendDlgItemMessage(dialog, 107, CB_GETDROPPEDSTATE, 0, 0)) state += "+";
  state += " check:" + std::to_string(IsDlgButtonChecked(dialog, 102));
  state += " radio:" + std::to_string(IsDlgButtonChecked(dialog, 104) ? 104 : IsDlgButtonChecked(dialog, 103) ? 103 : 0);
  return state;
}

}  // namespace lexiv::access
