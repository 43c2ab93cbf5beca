#include "platform/controls/button.h"

#include "platform/controls/control_notify.h"
#include "platform/controls/dialog_messages.h"
#include "platform/controls/dialog_navigation.h"
#include "platform/core/accessibility.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

const MessageMap& Button::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<Button>(Window::ClassMessageMap())
                                    .On(BM_GETCHECK, &Button::OnGetCheck)
                                    .On(BM_SETCHECK, &Button::OnSetCheck)
                                    .On(BM_GETSTATE, &Button::OnGetState)
                                    .On(BM_SETSTATE, &Button::OnSetState)
                                    .On(BM_SETSTYLE, &Button::OnSetStyle)
                                    .On(BM_CLICK, &Button::OnClick)
                                    .On(WM_KEYDOWN, &Button::OnKeyDown)
                                    .On(WM_KEYUP, &Button::OnKeyUp)
                                    .On(WM_LBUTTONDOWN, &Button::OnLButtonDown)
                                    .On(WM_LBUTTONUP, &Button::OnLButtonUp)
                                    .On(WM_SETFOCUS, &Button::OnSetFocus)
                                    .On(WM_KILLFOCUS, &Button::OnKillFocus)
                                    .On(WM_GETDLGCODE, &Button::OnGetDlgCode);
  return map;
}

DWORD Button::Kind() const { return static_cast<DWORD>(GetWindowLong(hwnd(), GWL_STYLE)) & BS_TYPEMASK; }

bool Button::IsPushButton() const { return Kind() == BS_PUSHBUTTON || Kind() == BS_DEFPUSHBUTTON; }
bool Button::IsRadioButton() const { return Kind() == BS_RADIOBUTTON || Kind() == BS_AUTORADIOBUTTON; }
bool Button::IsCheckBox() const {
  return Kind() == BS_CHECKBOX || Kind() == BS_AUTOCHECKBOX || Kind() == BS_3STATE || Kind() == BS_AUTO3STATE;
}

int Button::AccessRole() const {
  if (IsRadioButton()) return ROLE_SYSTEM_RADIOBUTTON;
  if (IsCheckBox()) return ROLE_SYSTEM_CHECKBUTTON;
  if (Kind() == BS_GROUPBOX) return ROLE_SYSTEM_STATICTEXT;
  return ROLE_SYSTEM_PUSHBUTTON;
}

DWORD Button::AccessState() const { return check_ == BST_CHECKED ? STATE_SYSTEM_CHECKED : 0; }

void Button::SetCheck(WPARAM check) {
  if (check == check_) return;
  check_ = check;
  RaiseAccessEvent(DescribeForAccess(AccessEventKind::kValueChanged, hwnd()));
}

void Button::Click() {
  const HWND self = hwnd();
  if (!IsWindowEnabled(self)) return;
  switch (Kind()) {
    case BS_AUTOCHECKBOX: SetCheck(check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: SetCheck((check_ + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
      for (HWND other : ControlGroupOf(self)) {
        if (other == self) continue;
        if (auto* button = dynamic_cast<Button*>(FromHandle(other)); button != nullptr && button->IsRadioButton())
          button->SetCheck(BST_UNCHECKED);
      }
      SetCheck(BST_CHECKED);
      break;
    default: break;
  }
  CommandParent(self, BN_CLICKED);
}

LRESULT Button::OnGetCheck(WPARAM, LPARAM) { return static_cast<LRESULT>(check_); }

LRESULT Button::OnSetCheck(WPARAM wParam, LPARAM) {
  if (IsCheckBox() || IsRadioButton()) SetCheck(wParam > BST_INDETERMINATE ? BST_CHECKED : wParam);
  return 0;
}

LRESULT Button::OnGetState(WPARAM, LPARAM) {
  LRESULT state = static_cast<LRESULT>(check_);
  if (pushed_) state |= BST_PUSHED;
  if (GetFocus() == hwnd()) state |= BST_FOCUS;
  return state;
}

LRESULT Button::OnSetState(WPARAM wParam, LPARAM) {
  pushed_ = wParam != 0;
  return 0;
}

LRESULT Button::OnSetStyle(WPARAM wParam, LPARAM) {
  const LPARAM style = GetWindowLong(hwnd(), GWL_STYLE);
  SetWindowLong(hwnd(), GWL_STYLE, (style & ~static_cast<LPARAM>(0xFFFF)) | static_cast<LPARAM>(wParam & 0xFFFF));
  return 0;
}

LRESULT Button::OnClick(WPARAM, LPARAM) {
  Click();
  return 0;
}

LRESULT Button::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_SPACE) {
    // Held down, the key repeats without pressing the button again.
    if (!(lParam & KF_PREVIOUS_STATE_BIT)) pushed_ = true;
    return 0;
  }
  return Default();
}

LRESULT Button::OnKeyUp(WPARAM wParam, LPARAM) {
  if (wParam == VK_SPACE && pushed_) {
    pushed_ = false;
    Click();
    return 0;
  }
  return Default();
}

LRESULT Button::OnLButtonDown(WPARAM, LPARAM) {
  const HWND self = hwnd();
  SetFocus(self);
  if (IsWindow(self)) pushed_ = true;
  return 0;
}

LRESULT Button::OnLButtonUp(WPARAM, LPARAM) {
  if (!pushed_) return 0;
  pushed_ = false;
  Click();
  return 0;
}

LRESULT Button::OnSetFocus(WPARAM, LPARAM) {
  if (GetWindowLong(hwnd(), GWL_STYLE) & BS_NOTIFY) CommandParent(hwnd(), BN_SETFOCUS);
  return 0;
}

LRESULT Button::OnKillFocus(WPARAM, LPARAM) {
  // A press that loses the focus before the key comes up is no press.
  pushed_ = false;
  if (GetWindowLong(hwnd(), GWL_STYLE) & BS_NOTIFY) CommandParent(hwnd(), BN_KILLFOCUS);
  return 0;
}

LRESULT Button::OnGetDlgCode(WPARAM, LPARAM) {
  switch (Kind()) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
  }
}

void Button::DescribeContents(std::vector<std::string>& lines) const {
  if (IsCheckBox()) lines.push_back(check_ == BST_CHECKED ? "[x]" : check_ == BST_INDETERMINATE ? "[-]" : "[ ]");
  else if (IsRadioButton()) lines.push_back(check_ == BST_CHECKED ? "(o)" : "( )");
  else if (Kind() == BS_DEFPUSHBUTTON) lines.push_back("default");
}

}  // namespace lexiv::platform
