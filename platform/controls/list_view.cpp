#include "platform/controls/list_view.h"

#include <algorithm>

#include "platform/controls/control_notify.h"
#include "platform/controls/control_text.h"
#include "platform/controls/dialog_messages.h"
#include "platform/controls/list_items.h"
#include "platform/core/accessibility.h"
#include "platform/core/focus.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

namespace {

constexpr UINT kFocusAndSelection = LVIS_FOCUSED | LVIS_SELECTED;
// Space around a column's text when the width is fitted to it.
constexpr int kColumnTextMargin = 12;

}  // namespace

const MessageMap& ListView::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<ListView>(Window::ClassMessageMap())
                                    .On(LVM_INSERTCOLUMN, &ListView::OnInsertColumn)
                                    .On(LVM_SETCOLUMN, &ListView::OnSetColumn)
                                    .On(LVM_GETCOLUMN, &ListView::OnGetColumn)
                                    .On(LVM_DELETECOLUMN, &ListView::OnDeleteColumn)
                                    .On(LVM_GETCOLUMNWIDTH, &ListView::OnGetColumnWidth)
                                    .On(LVM_SETCOLUMNWIDTH, &ListView::OnSetColumnWidth)
                                    .On(LVM_INSERTITEM, &ListView::OnInsertItem)
                                    .On(LVM_SETITEM, &ListView::OnSetItem)
                                    .On(LVM_GETITEM, &ListView::OnGetItem)
                                    .On(LVM_DELETEITEM, &ListView::OnDeleteItem)
                                    .On(LVM_DELETEALLITEMS, &ListView::OnDeleteAllItems)
                                    .On(LVM_GETITEMCOUNT, &ListView::OnGetItemCount)
                                    .On(LVM_SETITEMTEXT, &ListView::OnSetItemText)
                                    .On(LVM_GETITEMTEXT, &ListView::OnGetItemText)
                                    .On(LVM_SETITEMSTATE, &ListView::OnSetItemStateMessage)
                                    .On(LVM_GETITEMSTATE, &ListView::OnGetItemState)
                                    .On(LVM_GETNEXTITEM, &ListView::OnGetNextItem)
                                    .On(LVM_GETSELECTEDCOUNT, &ListView::OnGetSelectedCount)
                                    .On(LVM_ENSUREVISIBLE, &ListView::OnEnsureVisible)
                                    .On(LVM_GETTOPINDEX, &ListView::OnGetTopIndex)
                                    .On(LVM_GETCOUNTPERPAGE, &ListView::OnGetCountPerPage)
                                    .On(LVM_GETSELECTIONMARK, &ListView::OnGetSelectionMark)
                                    .On(LVM_SETSELECTIONMARK, &ListView::OnSetSelectionMark)
                                    .On(LVM_SETBKCOLOR, &ListView::OnSetBkColor)
                                    .On(LVM_GETBKCOLOR, &ListView::OnGetBkColor)
                                    .On(LVM_SETTEXTCOLOR, &ListView::OnSetTextColor)
                                    .On(LVM_GETTEXTCOLOR, &ListView::OnGetTextColor)
                                    .On(LVM_SETTEXTBKCOLOR, &ListView::OnSetTextBkColor)
                                    .On(LVM_GETTEXTBKCOLOR, &ListView::OnGetTextBkColor)
                                    .On(WM_SETFONT, &ListView::OnSetFont)
                                    .On(WM_GETFONT, &ListView::OnGetFont)
                                    .On(WM_KEYDOWN, &ListView::OnKeyDown)
                                    .On(WM_LBUTTONDOWN, &ListView::OnLButtonDown)
                                    .On(WM_LBUTTONDBLCLK, &ListView::OnLButtonDblClk)
                                    .On(WM_RBUTTONDOWN, &ListView::OnRButtonDown)
                                    .On(WM_SETFOCUS, &ListView::OnSetFocus)
                                    .On(WM_KILLFOCUS, &ListView::OnKillFocus)
                                    .On(WM_GETDLGCODE, &ListView::OnGetDlgCode);
  return map;
}

int ListView::AccessRole() const { return ROLE_SYSTEM_LIST; }

std::string ListView::AccessValue() const {
  const int focused = FocusedItem();
  return focused >= 0 ? TextOf(focused, 0) : std::string();
}

int ListView::ItemHeight() const { return FontPixelHeight(font_); }

int ListView::HeaderHeight() const {
  return (GetWindowLong(hwnd(), GWL_STYLE) & LVS_NOCOLUMNHEADER) ? 0 : ItemHeight();
}

int ListView::CountPerPage() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  return std::max(0, (client.Height() - HeaderHeight()) / ItemHeight());
}

const std::string& ListView::TextOf(int index, int column) const {
  static const std::string kEmpty;
  if (!ValidItem(index) || column < 0) return kEmpty;
  const Item& item = items_[static_cast<std::size_t>(index)];
  return static_cast<std::size_t>(column) < item.texts.size() ? item.texts[static_cast<std::size_t>(column)] : kEmpty;
}

int ListView::FocusedItem() const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].state & LVIS_FOCUSED) return static_cast<int>(i);
  return -1;
}

bool ListView::ChangeItemState(int index, UINT state, UINT mask) {
  if (!ValidItem(index)) return false;
  const HWND self = hwnd();
  const UINT oldState = items_[static_cast<std::size_t>(index)].state;
  const UINT newState = (oldState & ~mask) | (state & mask);
  if (newState == oldState) return true;
  NMLISTVIEW change;
  change.hdr.code = LVN_ITEMCHANGING;
  change.iItem = index;
  change.uOldState = oldState;
  change.uNewState = newState;
  change.uChanged = LVIF_STATE;
  change.lParam = items_[static_cast<std::size_t>(index)].data;
  if (NotifyParent(self, change.hdr) != 0) return false;
  if (!IsWindow(self) || !ValidItem(index)) return false;
  items_[static_cast<std::size_t>(index)].state = newState;
  if ((newState & kFocusAndSelection) == kFocusAndSelection) selectionMark_ = index;
  change.hdr.code = LVN_ITEMCHANGED;
  NotifyParent(self, change.hdr);
  if (IsWindow(self) && (newState & LVIS_SELECTED) && !(oldState & LVIS_SELECTED))
    RaiseAccessEvent(DescribeForAccess(AccessEventKind::kSelectionChanged, self));
  return IsWindow(self) != FALSE;
}

bool ListView::SetItemState(int index, UINT state, UINT mask) {
  if (!ValidItem(index)) return false;
  UINT takeAway = 0;
  if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED)) takeAway |= LVIS_FOCUSED;
  if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED) && (GetWindowLong(hwnd(), GWL_STYLE) & LVS_SINGLESEL))
    takeAway |= LVIS_SELECTED;
  if (takeAway != 0) {
    for (int other = 0; other < static_cast<int>(items_.size()); ++other) {
      if (other == index) continue;
      const UINT clear = items_[static_cast<std::size_t>(other)].state & takeAway;
      if (clear != 0 && !ChangeItemState(other, 0, clear)) return false;
    }
  }
  return ChangeItemState(index, state, mask);
}

void ListView::MoveTo(int index) {
  if (!ValidItem(index)) return;
  const HWND self = hwnd();
  // A move selects the one item it reaches, also in a list that allows more.
  for (int other = 0; other < static_cast<int>(items_.size()); ++other) {
    if (other != index && (items_[static_cast<std::size_t>(other)].state & LVIS_SELECTED)) {
      if (!ChangeItemState(other, 0, LVIS_SELECTED)) return;
    }
  }
  if (!SetItemState(index, kFocusAndSelection, kFocusAndSelection) || !IsWindow(self)) return;
  selectionMark_ = index;
  EnsureVisible(index);
}

void ListView::EnsureVisible(int index) {
  if (!ValidItem(index)) return;
  const int perPage = std::max(1, CountPerPage());
  if (index < topIndex_) topIndex_ = index;
  if (index > topIndex_ + perPage - 1) topIndex_ = index - perPage + 1;
}

int ListView::ItemAt(POINT clientPoint) const {
  const int y = clientPoint.y - HeaderHeight();
  if (y < 0) return -1;
  const int index = topIndex_ + y / ItemHeight();
  return ValidItem(index) ? index : -1;
}

int ListView::NotifyItem(UINT code, int item, POINT point) {
  NMLISTVIEW activate;
  activate.hdr.code = code;
  activate.iItem = item;
  activate.ptAction = point;
  if (ValidItem(item)) activate.lParam = items_[static_cast<std::size_t>(item)].data;
  return static_cast<int>(NotifyParent(hwnd(), activate.hdr));
}

LRESULT ListView::OnInsertColumn(WPARAM wParam, LPARAM lParam) {
  const auto* column = reinterpret_cast<const LVCOLUMN*>(lParam);
  if (column == nullptr) return -1;
  Column c;
  if ((column->mask & LVCF_TEXT) && column->pszText != nullptr) c.text = column->pszText;
  if (column->mask & LVCF_WIDTH) c.width = std::max(0, column->cx);
  if (column->mask & LVCF_FMT) c.format = column->fmt;
  const std::size_t at = std::min(static_cast<std::size_t>(wParam), columns_.size());
  columns_.insert(columns_.begin() + static_cast<std::ptrdiff_t>(at), c);
  return static_cast<LRESULT>(at);
}

LRESULT ListView::OnSetColumn(WPARAM wParam, LPARAM lParam) {
  const auto* column = reinterpret_cast<const LVCOLUMN*>(lParam);
  if (column == nullptr || wParam >= columns_.size()) return FALSE;
  Column& c = columns_[wParam];
  if ((column->mask & LVCF_TEXT) && column->pszText != nullptr) c.text = column->pszText;
  if (column->mask & LVCF_WIDTH) c.width = std::max(0, column->cx);
  if (column->mask & LVCF_FMT) c.format = column->fmt;
  return TRUE;
}

LRESULT ListView::OnGetColumn(WPARAM wParam, LPARAM lParam) {
  auto* column = reinterpret_cast<LVCOLUMN*>(lParam);
  if (column == nullptr || wParam >= columns_.size()) return FALSE;
  const Column& c = columns_[wParam];
  if (column->mask & LVCF_TEXT) CopyToBuffer(c.text, column->pszText, column->cchTextMax);
  if (column->mask & LVCF_WIDTH) column->cx = c.width;
  if (column->mask & LVCF_FMT) column->fmt = c.format;
  if (column->mask & LVCF_SUBITEM) column->iSubItem = static_cast<int>(wParam);
  return TRUE;
}

LRESULT ListView::OnDeleteColumn(WPARAM wParam, LPARAM) {
  if (wParam >= columns_.size()) return FALSE;
  columns_.erase(columns_.begin() + static_cast<std::ptrdiff_t>(wParam));
  for (Item& item : items_)
    if (wParam < item.texts.size()) item.texts.erase(item.texts.begin() + static_cast<std::ptrdiff_t>(wParam));
  return TRUE;
}

LRESULT ListView::OnGetColumnWidth(WPARAM wParam, LPARAM) {
  return wParam < columns_.size() ? columns_[wParam].width : 0;
}

LRESULT ListView::OnSetColumnWidth(WPARAM wParam, LPARAM lParam) {
  if (wParam >= columns_.size()) return FALSE;
  int width = static_cast<int>(static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam))));
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
    std::size_t widest = width == LVSCW_AUTOSIZE_USEHEADER ? columns_[wParam].text.size() : 0;
    for (std::size_t i = 0; i < items_.size(); ++i) widest = std::max(widest, TextOf(static_cast<int>(i), static_cast<int>(wParam)).size());
    // A byte of Shift-JIS text is one half-width cell.
    width = static_cast<int>(widest) * (ItemHeight() / 2) + kColumnTextMargin;
  }
  columns_[wParam].width = std::max(0, width);
  return TRUE;
}

LRESULT ListView::OnInsertItem(WPARAM, LPARAM lParam) {
  const auto* request = reinterpret_cast<const LVITEM*>(lParam);
  if (request == nullptr || request->iItem < 0 || request->iSubItem != 0) return -1;
  Item item;
  item.texts.emplace_back((request->mask & LVIF_TEXT) && request->pszText != nullptr ? request->pszText : "");
  if (request->mask & LVIF_PARAM) item.data = request->lParam;
  const int index = std::min(request->iItem, static_cast<int>(items_.size()));
  items_.insert(items_.begin() + index, item);
  if (selectionMark_ >= index) ++selectionMark_;
  if ((request->mask & LVIF_STATE) && (request->state & request->stateMask) != 0) SetItemState(index, request->state, request->stateMask);
  return index;
}

LRESULT ListView::OnSetItem(WPARAM, LPARAM lParam) {
  const auto* request = reinterpret_cast<const LVITEM*>(lParam);
  if (request == nullptr || !ValidItem(request->iItem) || request->iSubItem < 0) return FALSE;
  Item& item = items_[static_cast<std::size_t>(request->iItem)];
  if ((request->mask & LVIF_TEXT) && request->pszText != nullptr) {
    if (item.texts.size() <= static_cast<std::size_t>(request->iSubItem)) item.texts.resize(static_cast<std::size_t>(request->iSubItem) + 1);
    item.texts[static_cast<std::size_t>(request->iSubItem)] = request->pszText;
  }
  if ((request->mask & LVIF_PARAM) && request->iSubItem == 0) item.data = request->lParam;
  if ((request->mask & LVIF_STATE) && request->iSubItem == 0) return SetItemState(request->iItem, request->state, request->stateMask);
  return TRUE;
}

LRESULT ListView::OnGetItem(WPARAM, LPARAM lParam) {
  auto* request = reinterpret_cast<LVITEM*>(lParam);
  if (request == nullptr || !ValidItem(request->iItem)) return FALSE;
  const Item& item = items_[static_cast<std::size_t>(request->iItem)];
  if (request->mask & LVIF_TEXT) CopyToBuffer(TextOf(request->iItem, request->iSubItem), request->pszText, request->cchTextMax);
  if (request->mask & LVIF_PARAM) request->lParam = item.data;
  if (request->mask & LVIF_STATE) request->state = item.state & request->stateMask;
  return TRUE;
}

LRESULT ListView::OnDeleteItem(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  if (!ValidItem(index)) return FALSE;
  NMLISTVIEW gone;
  gone.hdr.code = LVN_DELETEITEM;
  gone.iItem = index;
  gone.lParam = items_[static_cast<std::size_t>(index)].data;
  const HWND self = hwnd();
  NotifyParent(self, gone.hdr);
  if (!IsWindow(self) || !ValidItem(index)) return FALSE;
  items_.erase(items_.begin() + index);
  if (selectionMark_ == index) selectionMark_ = -1;
  else if (selectionMark_ > index) --selectionMark_;
  topIndex_ = std::clamp(topIndex_, 0, std::max(0, static_cast<int>(items_.size()) - 1));
  return TRUE;
}

LRESULT ListView::OnDeleteAllItems(WPARAM, LPARAM) {
  items_.clear();
  topIndex_ = 0;
  selectionMark_ = -1;
  return TRUE;
}

LRESULT ListView::OnGetItemCount(WPARAM, LPARAM) { return static_cast<LRESULT>(items_.size()); }

LRESULT ListView::OnSetItemText(WPARAM wParam, LPARAM lParam) {
  const auto* request = reinterpret_cast<const LVITEM*>(lParam);
  const int index = static_cast<int>(wParam);
  if (request == nullptr || !ValidItem(index) || request->iSubItem < 0) return FALSE;
  Item& item = items_[static_cast<std::size_t>(index)];
  if (item.texts.size() <= static_cast<std::size_t>(request->iSubItem)) item.texts.resize(static_cast<std::size_t>(request->iSubItem) + 1);
  item.texts[static_cast<std::size_t>(request->iSubItem)] = request->pszText != nullptr ? request->pszText : "";
  return TRUE;
}

LRESULT ListView::OnGetItemText(WPARAM wParam, LPARAM lParam) {
  auto* request = reinterpret_cast<LVITEM*>(lParam);
  if (request == nullptr) return 0;
  return CopyToBuffer(TextOf(static_cast<int>(wParam), request->iSubItem), request->pszText, request->cchTextMax);
}

LRESULT ListView::OnSetItemStateMessage(WPARAM wParam, LPARAM lParam) {
  const auto* request = reinterpret_cast<const LVITEM*>(lParam);
  if (request == nullptr) return FALSE;
  const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
  if (index != -1) return SetItemState(index, request->state, request->stateMask) ? TRUE : FALSE;
  // -1: every item. Only one item can hold the focus, so the focus is never given to all.
  const UINT mask = request->stateMask & ~((request->state & LVIS_FOCUSED) ? LVIS_FOCUSED : 0u);
  const UINT state = request->state;
  if ((state & mask & LVIS_SELECTED) && (GetWindowLong(hwnd(), GWL_STYLE) & LVS_SINGLESEL)) return FALSE;
  for (int i = 0; i < static_cast<int>(items_.size()); ++i)
    if (!ChangeItemState(i, state, mask)) return FALSE;
  return TRUE;
}

LRESULT ListView::OnGetItemState(WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(wParam);
  return ValidItem(index) ? static_cast<LRESULT>(items_[static_cast<std::size_t>(index)].state & static_cast<UINT>(lParam)) : 0;
}

LRESULT ListView::OnGetNextItem(WPARAM wParam, LPARAM lParam) {
  const int start = static_cast<int>(static_cast<std::intptr_t>(wParam));
  const UINT flags = static_cast<UINT>(lParam);
  const UINT wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED);
  const int count = static_cast<int>(items_.size());
  auto matches = [&](int i) { return (items_[static_cast<std::size_t>(i)].state & wanted) == wanted; };
  if (flags & LVNI_ABOVE) {
    for (int i = (start < 0 ? count : start) - 1; i >= 0; --i)
      if (matches(i)) return i;
    return -1;
  }
  for (int i = start + 1; i < count; ++i)
    if (matches(i)) return i;
  return -1;
}

LRESULT ListView::OnGetSelectedCount(WPARAM, LPARAM) {
  return std::count_if(items_.begin(), items_.end(), [](const Item& i) { return (i.state & LVIS_SELECTED) != 0; });
}

LRESULT ListView::OnEnsureVisible(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  if (!ValidItem(index)) return FALSE;
  EnsureVisible(index);
  return TRUE;
}

LRESULT ListView::OnGetTopIndex(WPARAM, LPARAM) { return topIndex_; }
LRESULT ListView::OnGetCountPerPage(WPARAM, LPARAM) { return CountPerPage(); }
LRESULT ListView::OnGetSelectionMark(WPARAM, LPARAM) { return selectionMark_; }

LRESULT ListView::OnSetSelectionMark(WPARAM, LPARAM lParam) {
  const int previous = selectionMark_;
  const int mark = static_cast<int>(lParam);
  selectionMark_ = ValidItem(mark) ? mark : -1;
  return previous;
}

LRESULT ListView::OnSetBkColor(WPARAM, LPARAM lParam) {
  bkColor_ = givenColors_.background = static_cast<COLORREF>(lParam);
  return TRUE;
}
LRESULT ListView::OnGetBkColor(WPARAM, LPARAM) { return bkColor_; }
LRESULT ListView::OnSetTextColor(WPARAM, LPARAM lParam) {
  textColor_ = givenColors_.text = static_cast<COLORREF>(lParam);
  return TRUE;
}
LRESULT ListView::OnGetTextColor(WPARAM, LPARAM) { return textColor_; }
LRESULT ListView::OnSetTextBkColor(WPARAM, LPARAM lParam) {
  textBkColor_ = givenColors_.textBackground = static_cast<COLORREF>(lParam);
  return TRUE;
}
LRESULT ListView::OnGetTextBkColor(WPARAM, LPARAM) { return textBkColor_; }

LRESULT ListView::OnSetFont(WPARAM wParam, LPARAM) {
  font_ = HFONT{static_cast<std::uint32_t>(wParam)};
  const int focused = FocusedItem();
  if (focused >= 0) EnsureVisible(focused);
  return 0;
}

LRESULT ListView::OnGetFont(WPARAM, LPARAM) { return static_cast<LRESULT>(font_.value); }

LRESULT ListView::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  const HWND self = hwnd();
  NMLVKEYDOWN key;
  key.hdr.code = LVN_KEYDOWN;
  key.wVKey = static_cast<WORD>(wParam);
  key.flags = static_cast<UINT>(lParam);
  NotifyParent(self, key.hdr);
  if (!IsWindow(self)) return 0;
  const int count = static_cast<int>(items_.size());
  if (wParam == VK_RETURN) {
    NotifyParent(self, NM_RETURN);
    return 0;
  }
  if (count == 0) return 0;
  const int focused = FocusedItem();
  // Left and Right scroll sideways in a report, which has nothing to scroll here.
  if (wParam == VK_LEFT || wParam == VK_RIGHT) return 0;
  const int target = wParam == VK_SPACE ? std::max(focused, 0)
                                        : ListItems::KeyTarget(static_cast<UINT>(wParam), focused, count, topIndex_, CountPerPage());
  if (target < 0) return 0;
  MoveTo(target);
  return 0;
}

LRESULT ListView::OnLButtonDown(WPARAM, LPARAM lParam) {
  const HWND self = hwnd();
  SetFocus(self);
  if (!IsWindow(self)) return 0;
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const int item = ItemAt(point);
  if (item >= 0) MoveTo(item);
  if (IsWindow(self)) NotifyItem(NM_CLICK, item, point);
  return 0;
}

LRESULT ListView::OnLButtonDblClk(WPARAM, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  NotifyItem(NM_DBLCLK, ItemAt(point), point);
  return 0;
}

LRESULT ListView::OnRButtonDown(WPARAM, LPARAM lParam) {
  const HWND self = hwnd();
  SetFocus(self);
  if (!IsWindow(self)) return 0;
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const int item = ItemAt(point);
  if (item >= 0) MoveTo(item);
  if (IsWindow(self)) NotifyItem(NM_RCLICK, item, point);
  return 0;
}

LRESULT ListView::OnSetFocus(WPARAM, LPARAM) {
  NotifyParent(hwnd(), NM_SETFOCUS);
  return 0;
}

LRESULT ListView::OnKillFocus(WPARAM, LPARAM) {
  NotifyParent(hwnd(), NM_KILLFOCUS);
  return 0;
}

LRESULT ListView::OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

void ListView::DescribeContents(std::vector<std::string>& lines) const {
  if (!(GetWindowLong(hwnd(), GWL_STYLE) & LVS_NOCOLUMNHEADER) && !columns_.empty()) {
    std::string header = "header:";
    for (const Column& c : columns_) header += " [" + c.text + " " + std::to_string(c.width) + "]";
    lines.push_back(header);
  }
  const int count = static_cast<int>(items_.size());
  const int perPage = std::max(1, CountPerPage());
  const int last = std::min(count, topIndex_ + perPage);
  if (topIndex_ > 0 || last < count)
    lines.push_back("items " + std::to_string(topIndex_ + 1) + "-" + std::to_string(last) + " of " + std::to_string(count));
  for (int i = topIndex_; i < last; ++i) {
    const Item& item = items_[static_cast<std::size_t>(i)];
    std::string line;
    line += (item.state & LVIS_FOCUSED) ? '>' : ' ';
    line += (item.state & LVIS_SELECTED) ? '*' : ' ';
    line += ' ';
    for (std::size_t c = 0; c < item.texts.size(); ++c) {
      if (c > 0) line += " | ";
      line += item.texts[c];
    }
    lines.push_back(line);
  }
}

}  // namespace lexiv::platform
