#include "platform/controls/list_box.h"

#include <algorithm>
#include <cstring>

#include "platform/controls/control_notify.h"
#include "platform/controls/control_text.h"
#include "platform/controls/dialog_messages.h"
#include "platform/controls/owner_draw.h"
#include "platform/core/accessibility.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

const MessageMap& ListBox::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<ListBox>(Window::ClassMessageMap())
                                    .On(WM_CREATE, &ListBox::OnCreate)
                                    .On(WM_DESTROY, &ListBox::OnDestroy)
                                    .On(LB_ADDSTRING, &ListBox::OnAddString)
                                    .On(LB_INSERTSTRING, &ListBox::OnInsertString)
                                    .On(LB_DELETESTRING, &ListBox::OnDeleteString)
                                    .On(LB_RESETCONTENT, &ListBox::OnResetContent)
                                    .On(LB_SETCURSEL, &ListBox::OnSetCurSel)
                                    .On(LB_GETCURSEL, &ListBox::OnGetCurSel)
                                    .On(LB_GETTEXT, &ListBox::OnGetItemText)
                                    .On(LB_GETTEXTLEN, &ListBox::OnGetItemTextLength)
                                    .On(LB_GETCOUNT, &ListBox::OnGetCount)
                                    .On(LB_GETTOPINDEX, &ListBox::OnGetTopIndex)
                                    .On(LB_SETTOPINDEX, &ListBox::OnSetTopIndex)
                                    .On(LB_FINDSTRING, &ListBox::OnFindString)
                                    .On(LB_FINDSTRINGEXACT, &ListBox::OnFindStringExact)
                                    .On(LB_GETITEMDATA, &ListBox::OnGetItemData)
                                    .On(LB_SETITEMDATA, &ListBox::OnSetItemData)
                                    .On(LB_GETITEMHEIGHT, &ListBox::OnGetItemHeight)
                                    .On(LB_SETITEMHEIGHT, &ListBox::OnSetItemHeight)
                                    .On(WM_SETFONT, &ListBox::OnSetFont)
                                    .On(WM_GETFONT, &ListBox::OnGetFont)
                                    .On(WM_KEYDOWN, &ListBox::OnKeyDown)
                                    .On(WM_LBUTTONDOWN, &ListBox::OnLButtonDown)
                                    .On(WM_LBUTTONDBLCLK, &ListBox::OnLButtonDblClk)
                                    .On(WM_SETFOCUS, &ListBox::OnSetFocus)
                                    .On(WM_KILLFOCUS, &ListBox::OnKillFocus)
                                    .On(WM_GETDLGCODE, &ListBox::OnGetDlgCode);
  return map;
}

int ListBox::AccessRole() const { return ROLE_SYSTEM_LIST; }

std::string ListBox::AccessValue() const { return items_.Valid(current_) ? items_.At(current_).text : std::string(); }

bool ListBox::OwnerDrawn() const {
  return (GetWindowLong(hwnd(), GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

bool ListBox::Sorted() const { return (GetWindowLong(hwnd(), GWL_STYLE) & LBS_SORT) != 0; }

UINT ListBox::OwnerDrawType() const { return ODT_LISTBOX; }

bool ListBox::HasStrings() const { return !OwnerDrawn() || (GetWindowLong(hwnd(), GWL_STYLE) & LBS_HASSTRINGS); }

int ListBox::CountPerPage() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  const int height = ItemHeight();
  return std::max(1, client.Height() / height);
}

void ListBox::Select(int index, bool byUser) {
  if (!items_.Valid(index)) index = -1;
  if (index == current_) return;
  current_ = index;
  EnsureVisible(index);
  const HWND self = hwnd();
  if (byUser && (GetWindowLong(self, GWL_STYLE) & LBS_NOTIFY)) CommandParent(self, LBN_SELCHANGE);
  if (IsWindow(self)) RaiseAccessEvent(DescribeForAccess(AccessEventKind::kSelectionChanged, self));
}

void ListBox::EnsureVisible(int index) {
  if (!items_.Valid(index)) return;
  const int perPage = CountPerPage();
  if (index < top_) top_ = index;
  if (index > top_ + perPage - 1) top_ = index - perPage + 1;
}

LRESULT ListBox::OnCreate(WPARAM, LPARAM) {
  if (GetWindowLong(hwnd(), GWL_STYLE) & LBS_OWNERDRAWFIXED) {
    MEASUREITEMSTRUCT measure;
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd()));
    measure.itemHeight = static_cast<UINT>(FontPixelHeight(font_));
    RECT client;
    GetClientRect(hwnd(), &client);
    measure.itemWidth = static_cast<UINT>(client.Width());
    if (const HWND parent = GetParent(hwnd())) SendMessage(parent, WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
    if (measure.itemHeight > 0) itemHeight_ = static_cast<int>(measure.itemHeight);
  }
  return Default();
}

LRESULT ListBox::OnGetTopIndex(WPARAM, LPARAM) { return top_; }

LRESULT ListBox::OnSetTopIndex(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  if (!items_.Valid(index)) return LB_ERR;
  top_ = index;
  return LB_OKAY;
}

LRESULT ListBox::OnKeyDown(WPARAM wParam, LPARAM) {
  const int target = ListItems::KeyTarget(static_cast<UINT>(wParam), current_, items_.Count(), top_, CountPerPage());
  if (target >= 0) Select(target, true);
  return 0;
}

LRESULT ListBox::OnLButtonDown(WPARAM, LPARAM lParam) {
  const HWND self = hwnd();
  SetFocus(self);
  if (!IsWindow(self)) return 0;
  const int height = ItemHeight();
  const int index = top_ + GET_Y_LPARAM(lParam) / height;
  if (items_.Valid(index)) Select(index, true);
  return 0;
}

LRESULT ListBox::OnLButtonDblClk(WPARAM, LPARAM) {
  if (GetWindowLong(hwnd(), GWL_STYLE) & LBS_NOTIFY) CommandParent(hwnd(), LBN_DBLCLK);
  return 0;
}

LRESULT ListBox::OnSetFocus(WPARAM, LPARAM) {
  CommandParent(hwnd(), LBN_SETFOCUS);
  return 0;
}

LRESULT ListBox::OnKillFocus(WPARAM, LPARAM) {
  CommandParent(hwnd(), LBN_KILLFOCUS);
  return 0;
}

LRESULT ListBox::OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

void ListBox::DescribeContents(std::vector<std::string>& lines) const {
  for (int i = 0; i < items_.Count(); ++i) {
    const ListItem& item = items_.At(i);
    std::string line = i == current_ ? "> " : "  ";
    line += HasStrings() ? item.text : "data " + std::to_string(item.data);
    lines.push_back(line);
  }
}

}  // namespace lexiv::platform
