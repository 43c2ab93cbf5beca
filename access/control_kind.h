// The kinds of dialog control the dialog key rules tell apart, by window class (compared without
// case) and style.
#pragma once

#include "platform/win_types.h"

namespace lexiv::access {

enum class ControlKind {
  kOther,
  kEdit,         // "Edit"
  kPushButton,   // "Button": push, default push, or with BS_ICON
  kCheckBox,     // "Button": BS_CHECKBOX, BS_AUTOCHECKBOX, the three-state ones
  kRadioButton,  // "Button": BS_RADIOBUTTON, BS_AUTORADIOBUTTON
  kOtherButton,  // "Button": group boxes and the rest
  kComboBox,     // "ComboBox"
  kListBox,      // "ListBox"
  kListView,     // "SysListView32"
  kUpDown,       // "msctls_updown32"
};

ControlKind KindOf(platform::HWND control);
// A combo box's style type (CBS_SIMPLE, CBS_DROPDOWN, CBS_DROPDOWNLIST).
platform::DWORD ComboStyleOf(platform::HWND combo);
// The combo box whose edit part control is; null when it is none.
platform::HWND ComboHoldingEdit(platform::HWND control);
// Whether a combo box's list is dropped.
bool ComboDropped(platform::HWND combo);

}  // namespace lexiv::access
