// The key rules of the dialog base, applied in the dialog's pre-translation before the ordinary
// dialog keys: a key may be taken here, or changed into another key that the dialog and the
// control then handle as usual.
#include <string>

#include "access/base_dialog.h"
#include "access/control_kind.h"
#include "platform/controls/combo_box_messages.h"
#include "platform/controls/control_notify.h"
#include "platform/controls/edit_messages.h"
#include "platform/controls/list_box_messages.h"
#include "platform/controls/list_view_messages.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::access {

using namespace lexiv::platform;

namespace {

// The full-width space as the input method hands it over.
constexpr WPARAM kFullWidthSpace = 0x8140;

// The key becomes another key for the dialog and the control; no character follows it.
bool Becomes(Msg& msg, UINT vk) {
  msg.wParam = vk;
  msg.character = 0;
  return false;
}

// Goes to the next or previous control on key down; the key is taken going down and up.
bool MoveFocus(HWND dialog, const Msg& msg, bool previous) {
  if (msg.message == WM_KEYDOWN) SendMessage(dialog, WM_NEXTDLGCTL, previous ? 1 : 0, 0);
  return true;
}

// Space, also as the input method reports it while it is on.
bool IsSpaceKey(const Msg& msg) {
  if (msg.wParam == VK_SPACE) return true;
  return msg.wParam == VK_PROCESSKEY && ((static_cast<std::uintptr_t>(msg.lParam) >> 16) & 0xFF) == ScanCodeOf(VK_SPACE);
}

struct ListPosition {
  int current = -1;
  int count = 0;
};

ListPosition PositionOf(HWND list, ControlKind kind) {
  if (kind == ControlKind::kListView)
    return {static_cast<int>(SendMessage(list, LVM_GETSELECTIONMARK, 0, 0)), static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0))};
  if (kind == ControlKind::kComboBox)
    return {static_cast<int>(SendMessage(list, CB_GETCURSEL, 0, 0)), static_cast<int>(SendMessage(list, CB_GETCOUNT, 0, 0))};
  return {static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0)), static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0))};
}

// Space stepping through a list, wrapping at both ends.
UINT SpaceStep(const ListPosition& at, bool shift) {
  if (at.current < 0) return shift ? VK_END : VK_HOME;
  if (shift) return at.current == 0 ? VK_END : VK_UP;
  return at.current == at.count - 1 ? VK_HOME : VK_DOWN;
}

bool ListRules(HWND dialog, Msg& msg, HWND list, ControlKind kind) {
  const bool down = msg.message == WM_KEYDOWN;
  const bool shift = KeyHeld(VK_SHIFT);
  if (msg.wParam == VK_RETURN) return shift ? false : MoveFocus(dialog, msg, false);
  if (IsSpaceKey(msg) && !KeyHeld(VK_CONTROL)) {
    if (!down) return Becomes(msg, shift ? VK_UP : VK_DOWN);
    return Becomes(msg, SpaceStep(PositionOf(list, kind), shift));
  }
  if (!down) return false;
  const ListPosition at = PositionOf(list, kind);
  const bool listView = kind == ControlKind::kListView;
  switch (msg.wParam) {
    case VK_LEFT:
    case VK_UP:
      if (at.current <= 0) return Becomes(msg, VK_END);
      return listView ? Becomes(msg, VK_UP) : false;
    case VK_RIGHT:
    case VK_DOWN:
      if (at.count > 0 && at.current == at.count - 1) return Becomes(msg, VK_HOME);
      return listView ? Becomes(msg, VK_DOWN) : false;
    default: return false;
  }
}

// Combo boxes step with Space as the enhancer's do: the drop-down list with Space, the styles
// with an edit part with Ctrl+Space; Up and Down leave the box.
bool ComboRules(HWND dialog, Msg& msg, HWND combo) {
  const bool down = msg.message == WM_KEYDOWN;
  const bool shift = KeyHeld(VK_SHIFT);
  const DWORD style = ComboStyleOf(combo);
  const bool listOnly = style == CBS_DROPDOWNLIST;
  switch (msg.wParam) {
    case VK_RETURN:
      // A dropped list has had Enter for itself already.
      return shift ? false : MoveFocus(dialog, msg, false);
    case VK_UP:
    case VK_DOWN:
      if (down && style != CBS_SIMPLE && ComboDropped(combo)) SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
      return MoveFocus(dialog, msg, msg.wParam == VK_UP);
    case VK_LEFT:
    case VK_RIGHT:
      if (!listOnly) return false;
      if (down && !ComboDropped(combo)) SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
      return true;
    default: break;
  }
  if (!IsSpaceKey(msg) || KeyHeld(VK_CONTROL) == listOnly) return false;
  if (!down) return Becomes(msg, shift ? VK_UP : VK_DOWN);
  if (style != CBS_SIMPLE && !ComboDropped(combo)) SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  return Becomes(msg, SpaceStep(PositionOf(combo, ControlKind::kComboBox), shift));
}

bool ButtonRules(HWND dialog, Msg& msg, ControlKind kind) {
  const bool shift = KeyHeld(VK_SHIFT);
  switch (msg.wParam) {
    case VK_UP: return MoveFocus(dialog, msg, true);
    case VK_DOWN: return MoveFocus(dialog, msg, false);
    case VK_RETURN: return kind != ControlKind::kPushButton && !shift ? MoveFocus(dialog, msg, false) : false;
    case VK_SPACE:
      if (kind == ControlKind::kPushButton || kind == ControlKind::kRadioButton) return Becomes(msg, shift ? VK_LEFT : VK_RIGHT);
      return false;
    case VK_LEFT:
    case VK_RIGHT:
      if (kind == ControlKind::kPushButton || kind == ControlKind::kRadioButton) return false;
      return Becomes(msg, VK_SPACE);
    default: return false;
  }
}

bool EditRules(HWND dialog, Msg& msg, HWND edit) {
  const bool multiLine = (GetWindowLong(edit, GWL_STYLE) & ES_MULTILINE) != 0;
  const bool ctrl = KeyHeld(VK_CONTROL);
  switch (msg.wParam) {
    case VK_RETURN:
      if (KeyHeld(VK_SHIFT) || (multiLine && ctrl)) return false;
      return MoveFocus(dialog, msg, false);
    case VK_UP:
    case VK_DOWN:
      if (multiLine || ctrl) return false;
      return MoveFocus(dialog, msg, msg.wParam == VK_UP);
    default: return false;
  }
}

void PressSpace() {
  keybd_event(VK_SPACE, 0, 0, 0);
  keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace

bool BaseDialog::PreTranslateMessage(Msg& msg) {
  if (menuOrSizing_ == 0) {
    if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && ApplyKeyRules(msg)) return true;
    if (msg.message == WM_IME_CHAR && ApplyImeSpace(msg)) return true;
  }
  return Dialog::PreTranslateMessage(msg);
}

bool BaseDialog::ApplyKeyRules(Msg& msg) {
  const HWND dialog = hwnd();
  const HWND focus = GetFocus();
  if (!focus || !IsChild(dialog, focus)) return false;
  const HWND comboOfEdit = ComboHoldingEdit(focus);
  const HWND control = comboOfEdit ? comboOfEdit : focus;
  const ControlKind kind = KindOf(control);

  if (msg.wParam == VK_RETURN && msg.message == WM_KEYDOWN) {
    if (kind == ControlKind::kComboBox && ComboStyleOf(control) != CBS_SIMPLE && ComboDropped(control)) return false;
    const int id = GetDlgCtrlID(control);
    if (id != 0 && OnEnterKey(static_cast<UINT>(id)) != 0) return true;
    if (!IsWindow(dialog) || GetFocus() != focus) return true;
  }
  if (!enhancedKeys_) return false;
  switch (kind) {
    case ControlKind::kEdit: return EditRules(dialog, msg, control);
    case ControlKind::kPushButton:
    case ControlKind::kRadioButton:
    case ControlKind::kCheckBox:
    case ControlKind::kOtherButton: return ButtonRules(dialog, msg, kind);
    case ControlKind::kListBox:
    case ControlKind::kListView: return ListRules(dialog, msg, control, kind);
    case ControlKind::kComboBox:
      if (msg.wParam == VK_RETURN && ComboStyleOf(control) != CBS_SIMPLE && ComboDropped(control)) return false;
      return ComboRules(dialog, msg, control);
    default: return false;
  }
}

bool BaseDialog::ApplyImeSpace(const Msg& msg) {
  if (msg.wParam != kFullWidthSpace) return false;
  const HWND focus = GetFocus();
  if (!focus || !IsChild(hwnd(), focus)) return false;
  bool asSpace = false;
  if (ComboHoldingEdit(focus)) {
    asSpace = enhancedKeys_ && KeyHeld(VK_CONTROL);
  } else {
    switch (KindOf(focus)) {
      case ControlKind::kPushButton:
      case ControlKind::kRadioButton:
      case ControlKind::kCheckBox:
      case ControlKind::kOtherButton: asSpace = true; break;
      case ControlKind::kComboBox:
      case ControlKind::kListBox:
      case ControlKind::kListView: asSpace = enhancedKeys_; break;
      default: break;
    }
  }
  if (!asSpace) return false;
  PressSpace();
  return true;
}

}  // namespace lexiv::access
