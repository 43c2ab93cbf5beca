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
                                    .On(LB_GETTEXT, &ListBox::OnGetText)
                                    .On(LB_GETTEXTLEN, &ListBox::OnGetTextLen)
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

bool ListBox::HasStrings() const { return !OwnerDrawn() || (GetWindowLong(hwnd(), GWL_STYLE) & LBS_HASSTRINGS); }

int ListBox::CountPerPage() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  const int height = itemHeight_ > 0 ? itemHeight_ : FontPixelHeight(font_);
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

void ListBox::AnnounceDeletion(int index) {
  const ListItem& item = items_.At(index);
  if (!OwnerDrawn() && item.data == 0) return;
  const HWND parent = GetParent(hwnd());
  if (!parent) return;
  DELETEITEMSTRUCT gone;
  gone.CtlType = ODT_LISTBOX;
  gone.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd()));
  gone.itemID = static_cast<UINT>(index);
  gone.hwndItem = hwnd();
  gone.itemData = static_cast<UINT_PTR>(item.data);
  SendMessage(parent, WM_DELETEITEM, gone.CtlID, reinterpret_cast<LPARAM>(&gone));
}

LRESULT ListBox::AddItem(int index, LPARAM lParam) {
  ListItem item;
  if (HasStrings()) {
    if (lParam == 0) return LB_ERR;
    item.text = reinterpret_cast<const char*>(lParam);
  } else {
    item.data = lParam;
  }
  if (index == -2) index = (GetWindowLong(hwnd(), GWL_STYLE) & LBS_SORT) && HasStrings() ? items_.SortedPlace(item.text) : -1;
  const int at = items_.Insert(index, std::move(item));
  if (current_ >= at) ++current_;
  return at;
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

LRESULT ListBox::OnDestroy(WPARAM, LPARAM) {
  OnResetContent(0, 0);
  return Default();
}

LRESULT ListBox::OnAddString(WPARAM, LPARAM lParam) { return AddItem(-2, lParam); }

LRESULT ListBox::OnInsertString(WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
  if (index < -1 || index > items_.Count()) return LB_ERR;
  return AddItem(index, lParam);
}

LRESULT ListBox::OnDeleteString(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  if (!items_.Valid(index)) return LB_ERR;
  const HWND self = hwnd();
  AnnounceDeletion(index);
  if (!IsWindow(self) || !items_.Valid(index)) return LB_ERR;
  items_.Erase(index);
  if (current_ == index) current_ = -1;
  else if (current_ > index) --current_;
  top_ = std::clamp(top_, 0, std::max(0, items_.Count() - 1));
  return items_.Count();
}

LRESULT ListBox::OnResetContent(WPARAM, LPARAM) {
  const HWND self = hwnd();
  for (int i = 0; i < items_.Count(); ++i) {
    AnnounceDeletion(i);
    if (!IsWindow(self)) break;
  }
  items_.Clear();
  current_ = -1;
  top_ = 0;
  return LB_OKAY;
}

LRESULT ListBox::OnSetCurSel(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
  Select(index, false);
  return items_.Valid(index) ? index : LB_ERR;
}

LRESULT ListBox::OnGetCurSel(WPARAM, LPARAM) { return current_; }

LRESULT ListBox::OnGetText(WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(wParam);
  if (!items_.Valid(index) || lParam == 0) return LB_ERR;
  if (!HasStrings()) {
    std::memcpy(reinterpret_cast<void*>(lParam), &items_.At(index).data, sizeof(LPARAM));
    return sizeof(LPARAM);
  }
  // The caller's buffer must hold LB_GETTEXTLEN + 1 bytes, as the message has no size.
  const std::string& text = items_.At(index).text;
  std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
  return static_cast<LRESULT>(text.size());
}

LRESULT ListBox::OnGetTextLen(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  if (!items_.Valid(index)) return LB_ERR;
  return HasStrings() ? static_cast<LRESULT>(items_.At(index).text.size()) : static_cast<LRESULT>(sizeof(LPARAM));
}

LRESULT ListBox::OnGetCount(WPARAM, LPARAM) { return items_.Count(); }
LRESULT ListBox::OnGetTopIndex(WPARAM, LPARAM) { return top_; }

LRESULT ListBox::OnSetTopIndex(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  if (!items_.Valid(index)) return LB_ERR;
  top_ = index;
  return LB_OKAY;
}

LRESULT ListBox::OnFindString(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 || !HasStrings()) return LB_ERR;
  return items_.Find(static_cast<int>(static_cast<std::intptr_t>(wParam)), reinterpret_cast<const char*>(lParam), false);
}

LRESULT ListBox::OnFindStringExact(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 || !HasStrings()) return LB_ERR;
  return items_.Find(static_cast<int>(static_cast<std::intptr_t>(wParam)), reinterpret_cast<const char*>(lParam), true);
}

LRESULT ListBox::OnGetItemData(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  return items_.Valid(index) ? items_.At(index).data : LB_ERR;
}

LRESULT ListBox::OnSetItemData(WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(wParam);
  if (!items_.Valid(index)) return LB_ERR;
  items_.At(index).data = lParam;
  return LB_OKAY;
}

LRESULT ListBox::OnGetItemHeight(WPARAM, LPARAM) { return itemHeight_ > 0 ? itemHeight_ : FontPixelHeight(font_); }

LRESULT ListBox::OnSetItemHeight(WPARAM, LPARAM lParam) {
  const int height = LOWORD(static_cast<std::uintptr_t>(lParam));
  if (height <= 0 || height > 255) return LB_ERR;
  itemHeight_ = height;
  return LB_OKAY;
}

LRESULT ListBox::OnSetFont(WPARAM wParam, LPARAM) {
  font_ = HFONT{static_cast<std::uint32_t>(wParam)};
  return 0;
}

LRESULT ListBox::OnGetFont(WPARAM, LPARAM) { return static_cast<LRESULT>(font_.value); }

LRESULT ListBox::OnKeyDown(WPARAM wParam, LPARAM) {
  const int target = ListItems::KeyTarget(static_cast<UINT>(wParam), current_, items_.Count(), top_, CountPerPage());
  if (target >= 0) Select(target, true);
  return 0;
}

LRESULT ListBox::OnLButtonDown(WPARAM, LPARAM lParam) {
  const HWND self = hwnd();
  SetFocus(self);
  if (!IsWindow(self)) return 0;
  const int height = itemHeight_ > 0 ? itemHeight_ : FontPixelHeight(font_);
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
