#include "platform/controls/combo_box.h"

#include <algorithm>
#include <cstring>

#include "platform/controls/control_notify.h"
#include "platform/controls/control_text.h"
#include "platform/controls/dialog_messages.h"
#include "platform/controls/owner_draw.h"
#include "platform/core/accessibility.h"
#include "platform/core/focus.h"
#include "platform/core/message_queue.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

const MessageMap& ComboBox::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<ComboBox>(Window::ClassMessageMap())
                                    .On(WM_DESTROY, &ComboBox::OnDestroy)
                                    .On(CB_ADDSTRING, &ComboBox::OnAddString)
                                    .On(CB_INSERTSTRING, &ComboBox::OnInsertString)
                                    .On(CB_DELETESTRING, &ComboBox::OnDeleteString)
                                    .On(CB_RESETCONTENT, &ComboBox::OnResetContent)
                                    .On(CB_GETCOUNT, &ComboBox::OnGetCount)
                                    .On(CB_SETCURSEL, &ComboBox::OnSetCurSel)
                                    .On(CB_GETCURSEL, &ComboBox::OnGetCurSel)
                                    .On(CB_GETLBTEXT, &ComboBox::OnGetItemText)
                                    .On(CB_GETLBTEXTLEN, &ComboBox::OnGetItemTextLength)
                                    .On(CB_FINDSTRINGEXACT, &ComboBox::OnFindStringExact)
                                    .On(CB_GETITEMDATA, &ComboBox::OnGetItemData)
                                    .On(CB_SETITEMDATA, &ComboBox::OnSetItemData)
                                    .On(CB_GETITEMHEIGHT, &ComboBox::OnGetItemHeight)
                                    .On(CB_SETITEMHEIGHT, &ComboBox::OnSetItemHeight)
                                    .On(CB_SHOWDROPDOWN, &ComboBox::OnShowDropDown)
                                    .On(CB_GETDROPPEDSTATE, &ComboBox::OnGetDroppedState)
                                    .On(WM_SETTEXT, &ComboBox::OnSetText)
                                    .On(WM_GETTEXT, &ComboBox::OnGetText)
                                    .On(WM_GETTEXTLENGTH, &ComboBox::OnGetTextLength)
                                    .On(WM_SETFONT, &ComboBox::OnSetFont)
                                    .On(WM_GETFONT, &ComboBox::OnGetFont)
                                    .On(WM_KEYDOWN, &ComboBox::OnKeyDown)
                                    .On(WM_SYSKEYDOWN, &ComboBox::OnSysKeyDown)
                                    .On(WM_LBUTTONDOWN, &ComboBox::OnLButtonDown)
                                    .On(WM_SETFOCUS, &ComboBox::OnSetFocus)
                                    .On(WM_KILLFOCUS, &ComboBox::OnKillFocus)
                                    .On(WM_GETDLGCODE, &ComboBox::OnGetDlgCode);
  return map;
}

int ComboBox::AccessRole() const { return ROLE_SYSTEM_COMBOBOX; }
DWORD ComboBox::AccessState() const { return STATE_SYSTEM_HASPOPUP; }
std::string ComboBox::AccessValue() const { return items_.Valid(current_) ? items_.At(current_).text : std::string(); }

bool ComboBox::HasStrings() const {
  const LPARAM style = GetWindowLong(hwnd(), GWL_STYLE);
  return !(style & CBS_OWNERDRAWFIXED) || (style & CBS_HASSTRINGS);
}

bool ComboBox::Sorted() const { return (GetWindowLong(hwnd(), GWL_STYLE) & CBS_SORT) != 0; }

bool ComboBox::OwnerDrawn() const { return (GetWindowLong(hwnd(), GWL_STYLE) & CBS_OWNERDRAWFIXED) != 0; }

UINT ComboBox::OwnerDrawType() const { return ODT_COMBOBOX; }

void ComboBox::Select(int index, bool byUser) {
  if (!items_.Valid(index)) index = -1;
  if (index == current_) return;
  current_ = index;
  if (index >= 0) {
    if (index < top_) top_ = index;
    if (index > top_ + kDroppedItems - 1) top_ = index - kDroppedItems + 1;
  }
  const HWND self = hwnd();
  if (byUser) CommandParent(self, CBN_SELCHANGE);
  if (IsWindow(self)) RaiseAccessEvent(DescribeForAccess(AccessEventKind::kValueChanged, self));
}

void ComboBox::ShowDropDown(bool show) {
  if (show == dropped_) return;
  const HWND self = hwnd();
  if (show) {
    CommandParent(self, CBN_DROPDOWN);
    if (!IsWindow(self)) return;
    dropped_ = true;
    choiceWhenOpened_ = current_;
  } else {
    dropped_ = false;
    CommandParent(self, CBN_CLOSEUP);
  }
}

void ComboBox::CloseUp(bool keepChoice) {
  if (!dropped_) return;
  const HWND self = hwnd();
  if (!keepChoice) Select(choiceWhenOpened_, true);
  if (!IsWindow(self)) return;
  CommandParent(self, keepChoice ? CBN_SELENDOK : CBN_SELENDCANCEL);
  if (IsWindow(self)) ShowDropDown(false);
}

LRESULT ComboBox::OnShowDropDown(WPARAM wParam, LPARAM) {
  ShowDropDown(wParam != 0);
  return TRUE;
}

LRESULT ComboBox::OnGetDroppedState(WPARAM, LPARAM) { return dropped_ ? TRUE : FALSE; }

LRESULT ComboBox::OnSetText(WPARAM, LPARAM lParam) {
  // A drop-down list shows only its items: setting a text chooses the item that has it.
  const int index = lParam != 0 && HasStrings() ? items_.Find(-1, reinterpret_cast<const char*>(lParam), true) : -1;
  if (index < 0) return CB_ERR;
  Select(index, false);
  return TRUE;
}

LRESULT ComboBox::OnGetText(WPARAM wParam, LPARAM lParam) {
  return CopyToBuffer(AccessValue(), reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
}

LRESULT ComboBox::OnGetTextLength(WPARAM, LPARAM) { return static_cast<LRESULT>(AccessValue().size()); }

LRESULT ComboBox::OnKeyDown(WPARAM wParam, LPARAM) {
  switch (wParam) {
    case VK_F4:
      if (dropped_)
        CloseUp(true);
      else
        ShowDropDown(true);
      return 0;
    case VK_RETURN:
      CloseUp(true);
      return 0;
    case VK_ESCAPE:
      CloseUp(false);
      return 0;
    default: break;
  }
  const int target = ListItems::KeyTarget(static_cast<UINT>(wParam), current_, items_.Count(), top_, kDroppedItems);
  if (target >= 0) Select(target, true);
  return 0;
}

LRESULT ComboBox::OnSysKeyDown(WPARAM wParam, LPARAM) {
  if ((wParam == VK_DOWN || wParam == VK_UP) && KeyHeld(VK_MENU)) {
    if (dropped_)
      CloseUp(true);
    else
      ShowDropDown(true);
    return 0;
  }
  return Default();
}

LRESULT ComboBox::OnLButtonDown(WPARAM, LPARAM) {
  const HWND self = hwnd();
  if (GetFocus() != self) SetFocus(self);
  if (!IsWindow(self)) return 0;
  if (dropped_)
    CloseUp(true);
  else
    ShowDropDown(true);
  return 0;
}

LRESULT ComboBox::OnSetFocus(WPARAM, LPARAM) {
  CommandParent(hwnd(), CBN_SETFOCUS);
  return 0;
}

LRESULT ComboBox::OnKillFocus(WPARAM, LPARAM) {
  const HWND self = hwnd();
  CloseUp(true);
  if (IsWindow(self)) CommandParent(self, CBN_KILLFOCUS);
  return 0;
}

LRESULT ComboBox::OnGetDlgCode(WPARAM wParam, LPARAM lParam) {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  const auto* msg = reinterpret_cast<const Msg*>(lParam);
  if (dropped_ && msg != nullptr && msg->message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE))
    code |= DLGC_WANTMESSAGE;
  return code;
}

void ComboBox::DescribeContents(std::vector<std::string>& lines) const {
  lines.push_back(std::string(dropped_ ? "open: " : "closed: ") + AccessValue());
  if (!dropped_) return;
  const int last = std::min(items_.Count(), top_ + kDroppedItems);
  for (int i = top_; i < last; ++i) lines.push_back((i == current_ ? "> " : "  ") + items_.At(i).text);
}

}  // namespace lexiv::platform
