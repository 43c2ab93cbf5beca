#include "platform/controls/dialog.h"

#include <algorithm>
#include <cctype>

#include "platform/controls/button_messages.h"
#include "platform/controls/control_classes.h"
#include "platform/controls/control_notify.h"
#include "platform/controls/control_text.h"
#include "platform/controls/dialog_navigation.h"
#include "platform/core/accessibility.h"
#include "platform/core/driver.h"
#include "platform/core/focus.h"
#include "platform/core/menu.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

namespace {

// Selecting all of an edit's text as the focus arrives (EM_SETSEL 0, -1).
constexpr UINT kEditSetSelection = 0x00B1;

LRESULT DialogCode(HWND control, Msg* msg) {
  if (!control) return 0;
  return SendMessage(control, WM_GETDLGCODE, msg != nullptr ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

bool IsPushButton(HWND control) { return (DialogCode(control, nullptr) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

// The mnemonic of a text ("&Y" gives 'Y'), 0 when it has none.
char MnemonicOf(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); i += SjisCharBytesAt(text, i)) {
    if (text[i] != '&' || i + 1 >= text.size()) continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    if (SjisCharBytesAt(text, i + 1) != 1) return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

void FocusControl(HWND dialog, HWND control) {
  if (control) SendMessage(dialog, WM_NEXTDLGCTL, ToWParam(control), TRUE);
}

BOOL PressMnemonic(HWND dialog, char letter) {
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (MnemonicOf(WindowText(c)) != letter || !IsWindowVisible(c)) continue;
    const LRESULT code = DialogCode(c, nullptr);
    if (code & DLGC_STATIC) {
      // A label names the control that follows it.
      FocusControl(dialog, GetNextDlgTabItem(dialog, c, FALSE));
      return TRUE;
    }
    if (!IsWindowEnabled(c)) continue;
    if (code & DLGC_BUTTON) {
      if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) FocusControl(dialog, c);
      SendMessage(c, BM_CLICK, 0, 0);
      return TRUE;
    }
    FocusControl(dialog, c);
    return TRUE;
  }
  return FALSE;
}

BOOL DialogKeyDown(HWND dialog, Msg* msg) {
  HWND focus = GetFocus();
  if (focus != dialog && !IsChild(dialog, focus)) focus = HWND{};
  const LRESULT code = focus ? DialogCode(focus, msg) : 0;
  if (code & DLGC_WANTMESSAGE) return FALSE;
  switch (msg->wParam) {
    case VK_TAB: {
      if ((code & DLGC_WANTTAB) || KeyHeld(VK_CONTROL)) return FALSE;
      FocusControl(dialog, GetNextDlgTabItem(dialog, focus, KeyHeld(VK_SHIFT) ? TRUE : FALSE));
      return TRUE;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      if ((code & DLGC_WANTARROWS) || !focus) return FALSE;
      const BOOL previous = msg->wParam == VK_LEFT || msg->wParam == VK_UP ? TRUE : FALSE;
      const HWND next = GetNextDlgGroupItem(dialog, focus, previous);
      if (next && next != focus) {
        FocusControl(dialog, next);
        const LPARAM style = GetWindowLong(next, GWL_STYLE);
        if ((DialogCode(next, nullptr) & DLGC_RADIOBUTTON) && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
          SendMessage(next, BM_CLICK, 0, 0);
      }
      return TRUE;
    }
    case VK_RETURN: {
      int id = IDOK;
      if (focus && IsPushButton(focus)) {
        id = GetDlgCtrlID(focus);
      } else {
        const LRESULT defId = SendMessage(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(static_cast<std::uintptr_t>(defId)) == DC_HASDEFID) id = LOWORD(static_cast<std::uintptr_t>(defId));
      }
      const HWND button = GetDlgItem(dialog, id);
      if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return TRUE;
      }
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), ToLParam(button));
      return TRUE;
    }
    case VK_ESCAPE: {
      const HWND button = GetDlgItem(dialog, IDCANCEL);
      if (button && !IsWindowEnabled(button)) return TRUE;
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), ToLParam(button));
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

const MessageMap& Dialog::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<Dialog>(Window::ClassMessageMap())
                                    .On(WM_INITDIALOG, &Dialog::OnInitDialogMessage)
                                    .On(DM_SETDEFID, &Dialog::OnSetDefId)
                                    .On(DM_GETDEFID, &Dialog::OnGetDefId)
                                    .On(WM_NEXTDLGCTL, &Dialog::OnNextDlgCtl)
                                    .On(WM_ACTIVATE, &Dialog::OnActivate)
                                    .On(WM_SETFOCUS, &Dialog::OnSetFocus)
                                    .On(WM_CLOSE, &Dialog::OnClose)
                                    .OnCommand(IDOK, &Dialog::OnOKCommand)
                                    .OnCommand(IDCANCEL, &Dialog::OnCancelCommand);
  return map;
}

Dialog::Dialog(DialogTemplate description) : description_(std::move(description)) {}

Dialog::~Dialog() {
  if (hwnd()) DestroyWindow(hwnd());
}

int Dialog::AccessRole() const { return ROLE_SYSTEM_DIALOG; }

BOOL Dialog::OnInitDialog() { return TRUE; }
void Dialog::OnOK() { EndDialog(IDOK); }
void Dialog::OnCancel() { EndDialog(IDCANCEL); }
void Dialog::OnOKCommand() { OnOK(); }
void Dialog::OnCancelCommand() { OnCancel(); }

void Dialog::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  if (loop_.IsRunning()) loop_.End(result);
}

void Dialog::EnableCloseItem(bool enable) {
  if (!hwnd()) return;
  EnableMenuItem(GetSystemMenu(hwnd(), FALSE), static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

bool Dialog::PreTranslateMessage(Msg& msg) { return IsDialogMessage(hwnd(), &msg) != FALSE; }

HWND Dialog::FirstTabStop() const { return GetNextDlgTabItem(hwnd(), HWND{}, FALSE); }

bool Dialog::CreateFromDescription(HWND owner) {
  RECT area;
  if (!owner || !GetWindowRect(owner, &area)) area = Ui().driver.ScreenRect();
  const RECT screen = Ui().driver.ScreenRect();
  const int width = std::max(0, description_.width);
  const int height = std::max(0, description_.height);
  int left = area.left + (area.Width() - width) / 2;
  int top = area.top + (area.Height() - height) / 2;
  // Centred over the owner, but never pushed off the screen's top left.
  left = std::max(static_cast<int>(screen.left), std::min(left, static_cast<int>(screen.right) - width));
  top = std::max(static_cast<int>(screen.top), std::min(top, static_cast<int>(screen.bottom) - height));

  CreateParams params;
  params.text = description_.caption;
  params.style = (description_.style | WS_POPUP) & ~(WS_CHILD | WS_VISIBLE);
  params.exStyle = WS_EX_DLGMODALFRAME;
  params.parent = owner;
  params.rect = RECT{left, top, left + width, top + height};
  if (!Create(params)) return false;
  for (const DialogControl& control : description_.controls) {
    CreateParams c;
    c.className = control.className;
    c.text = control.text;
    c.style = control.style | WS_CHILD | WS_VISIBLE;
    c.exStyle = control.exStyle;
    c.rect = control.rect;
    c.parent = hwnd();
    c.id = control.id;
    if (!CreateControl(c)) return false;
    if (defId_ == 0 && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && IsPushButton(GetDlgItem(hwnd(), static_cast<int>(c.id))))
      defId_ = c.id;
  }
  return true;
}

int Dialog::DoModal(HWND owner) {
  if (hwnd() || running_) return -1;
  const HWND top = owner ? GetAncestorTop(owner) : HWND{};
  const HWND previousFocus = GetFocus();
  ended_ = false;
  shown_ = false;
  announced_ = false;
  result_ = -1;
  defId_ = 0;
  focusToRestore_ = HWND{};
  if (!CreateFromDescription(top)) {
    if (hwnd()) DestroyWindow(hwnd());
    return -1;
  }
  const HWND self = hwnd();
  const HWND first = FirstTabStop();
  const LRESULT setFocus = SendMessage(self, WM_INITDIALOG, ToWParam(first), 0);
  if (IsWindow(self) && setFocus && !focusToRestore_) focusToRestore_ = first;

  const bool disableOwner = top && IsWindowEnabled(top);
  if (IsWindow(self) && !ended_) {
    if (disableOwner) EnableWindow(top, FALSE);
    shown_ = true;
    running_ = true;
    ShowWindow(self, SW_SHOW);
    if (!ended_) loop_.Run();
    running_ = false;
    if (!ended_) result_ = -1;
    if (disableOwner && IsWindow(top)) EnableWindow(top, TRUE);
  }
  if (IsWindow(self)) DestroyWindow(self);
  if (IsWindow(previousFocus) && IsWindowEnabled(previousFocus) && IsWindowVisible(previousFocus) &&
      GetActiveWindow() == GetAncestorTop(previousFocus))
    SetFocus(previousFocus);
  return result_;
}

LRESULT Dialog::OnInitDialogMessage(WPARAM, LPARAM) { return OnInitDialog(); }

LRESULT Dialog::OnSetDefId(WPARAM wParam, LPARAM) {
  const UINT id = static_cast<UINT>(wParam);
  const HWND old = defId_ ? GetDlgItem(hwnd(), static_cast<int>(defId_)) : HWND{};
  if (old && IsPushButton(old)) SendMessage(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  defId_ = id;
  const HWND now = id ? GetDlgItem(hwnd(), static_cast<int>(id)) : HWND{};
  if (now && IsPushButton(now)) SendMessage(now, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  return TRUE;
}

LRESULT Dialog::OnGetDefId(WPARAM, LPARAM) { return defId_ ? MAKELONG(static_cast<WORD>(defId_), DC_HASDEFID) : 0; }

LRESULT Dialog::OnNextDlgCtl(WPARAM wParam, LPARAM lParam) {
  const HWND self = hwnd();
  HWND target;
  if (LOWORD(static_cast<std::uintptr_t>(lParam)) != 0) {
    target = HwndFromParam(wParam);
  } else {
    HWND focus = GetFocus();
    if (!shown_ && focusToRestore_) focus = focusToRestore_;
    target = GetNextDlgTabItem(self, focus, wParam != 0 ? TRUE : FALSE);
  }
  if (!target || !IsChild(self, target)) return 0;
  focusToRestore_ = target;
  // Before the dialog is shown the focus waits for its activation.
  if (!shown_) return 0;
  SetFocus(target);
  if (IsWindow(target) && (DialogCode(target, nullptr) & DLGC_HASSETSEL)) SendMessage(target, kEditSetSelection, 0, -1);
  return 0;
}

LRESULT Dialog::OnActivate(WPARAM wParam, LPARAM) {
  const HWND self = hwnd();
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (IsChild(self, focus)) focusToRestore_ = focus;
    return 0;
  }
  if (!IsWindow(focusToRestore_) || !IsChild(self, focusToRestore_)) focusToRestore_ = FirstTabStop();
  const bool opening = !announced_;
  if (!announced_) {
    announced_ = true;
    AccessEvent opened = DescribeForAccess(AccessEventKind::kDialogOpened, self);
    opened.value = focusToRestore_ ? WindowText(focusToRestore_) : std::string();
    RaiseAccessEvent(opened);
    if (!IsWindow(self)) return 0;
  }
  SetFocus(focusToRestore_ ? focusToRestore_ : self);
  // The first control of a dialog that opens gets its text selected, as a Tab to it does.
  if (opening && IsWindow(focusToRestore_) && GetFocus() == focusToRestore_ &&
      (DialogCode(focusToRestore_, nullptr) & DLGC_HASSETSEL))
    SendMessage(focusToRestore_, kEditSetSelection, 0, -1);
  return 0;
}

LRESULT Dialog::OnSetFocus(WPARAM, LPARAM) {
  // The dialog itself passes the focus on to its control.
  if (focusToRestore_ && IsChild(hwnd(), focusToRestore_) && IsWindowEnabled(focusToRestore_)) SetFocus(focusToRestore_);
  return 0;
}

LRESULT Dialog::OnClose(WPARAM, LPARAM) {
  const HWND button = GetDlgItem(hwnd(), IDCANCEL);
  if (button && !IsWindowEnabled(button)) return 0;
  SendMessage(hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), ToLParam(button));
  return 0;
}

BOOL EndDialog(HWND dialog, int result) {
  auto* d = dynamic_cast<Dialog*>(FromHandle(dialog));
  if (d == nullptr) return FALSE;
  d->EndDialog(result);
  return TRUE;
}

BOOL IsDialogMessage(HWND dialog, Msg* msg) {
  if (msg == nullptr || !IsWindow(dialog) || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) return FALSE;
  switch (msg->message) {
    case WM_KEYDOWN: return DialogKeyDown(dialog, msg);
    case WM_CHAR:
    case WM_SYSCHAR: {
      if (msg->wParam > 0xFF || msg->wParam <= ' ') return FALSE;
      HWND focus = GetFocus();
      if (msg->message == WM_CHAR && focus && (DialogCode(focus, msg) & (DLGC_WANTCHARS | DLGC_WANTMESSAGE))) return FALSE;
      return PressMnemonic(dialog, static_cast<char>(std::toupper(static_cast<int>(msg->wParam))));
    }
    default: return FALSE;
  }
}

BOOL SetDlgItemText(HWND dialog, int id, const char* text) { return SetWindowText(GetDlgItem(dialog, id), text); }

UINT GetDlgItemText(HWND dialog, int id, char* buffer, int size) {
  const HWND item = GetDlgItem(dialog, id);
  if (!item) {
    CopyToBuffer("", buffer, size);
    return 0;
  }
  return static_cast<UINT>(GetWindowText(item, buffer, size));
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessage(GetDlgItem(dialog, id), message, wParam, lParam);
}

UINT IsDlgButtonChecked(HWND dialog, int id) { return static_cast<UINT>(SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0)); }

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  const HWND item = GetDlgItem(dialog, id);
  if (!item) return FALSE;
  SendMessage(item, BM_SETCHECK, check, 0);
  return TRUE;
}

}  // namespace lexiv::platform
