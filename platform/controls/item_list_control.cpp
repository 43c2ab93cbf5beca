#include "platform/controls/item_list_control.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/controls/combo_box_messages.h"
#include "platform/controls/list_box_messages.h"
#include "platform/controls/owner_draw.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

static_assert(LB_ERR == CB_ERR && LB_OKAY == CB_OKAY, "the two lists answer alike");

int ItemListControl::ItemHeight() const { return itemHeight_ > 0 ? itemHeight_ : FontPixelHeight(font_); }

void ItemListControl::AnnounceDeletion(int index) {
  const ListItem& item = items_.At(index);
  if (!OwnerDrawn() && item.data == 0) return;
  const HWND parent = GetParent(hwnd());
  if (!parent) return;
  DELETEITEMSTRUCT gone;
  gone.CtlType = OwnerDrawType();
  gone.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd()));
  gone.itemID = static_cast<UINT>(index);
  gone.hwndItem = hwnd();
  gone.itemData = static_cast<UINT_PTR>(item.data);
  SendMessage(parent, WM_DELETEITEM, gone.CtlID, reinterpret_cast<LPARAM>(&gone));
}

LRESULT ItemListControl::AddItem(int index, LPARAM lParam) {
  ListItem item;
  if (HasStrings()) {
    if (lParam == 0) return kItemError;
    item.text = reinterpret_cast<const char*>(lParam);
  } else {
    item.data = lParam;
  }
  if (index == -2) index = Sorted() && HasStrings() ? items_.SortedPlace(item.text) : -1;
  const int at = items_.Insert(index, std::move(item));
  if (current_ >= at) ++current_;
  return at;
}

LRESULT ItemListControl::OnDestroy(WPARAM, LPARAM) {
  OnResetContent(0, 0);
  return Default();
}

LRESULT ItemListControl::OnAddString(WPARAM, LPARAM lParam) { return AddItem(-2, lParam); }

LRESULT ItemListControl::OnInsertString(WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
  if (index < -1 || index > items_.Count()) return kItemError;
  return AddItem(index, lParam);
}

LRESULT ItemListControl::OnDeleteString(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  if (!items_.Valid(index)) return kItemError;
  const HWND self = hwnd();
  AnnounceDeletion(index);
  if (!IsWindow(self) || !items_.Valid(index)) return kItemError;
  items_.Erase(index);
  if (current_ == index) current_ = -1;
  else if (current_ > index) --current_;
  top_ = std::clamp(top_, 0, std::max(0, items_.Count() - 1));
  return items_.Count();
}

LRESULT ItemListControl::OnResetContent(WPARAM, LPARAM) {
  const HWND self = hwnd();
  for (int i = 0; i < items_.Count(); ++i) {
    AnnounceDeletion(i);
    if (!IsWindow(self)) break;
  }
  items_.Clear();
  current_ = -1;
  top_ = 0;
  return kItemOkay;
}

LRESULT ItemListControl::OnGetCount(WPARAM, LPARAM) { return items_.Count(); }

LRESULT ItemListControl::OnSetCurSel(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
  Select(index, false);
  return items_.Valid(index) ? index : kItemError;
}

LRESULT ItemListControl::OnGetCurSel(WPARAM, LPARAM) { return current_; }

LRESULT ItemListControl::OnGetItemText(WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(wParam);
  if (!items_.Valid(index) || lParam == 0) return kItemError;
  if (!HasStrings()) {
    std::memcpy(reinterpret_cast<void*>(lParam), &items_.At(index).data, sizeof(LPARAM));
    return sizeof(LPARAM);
  }
  const std::string& text = items_.At(index).text;
  std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
  return static_cast<LRESULT>(text.size());
}

LRESULT ItemListControl::OnGetItemTextLength(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  if (!items_.Valid(index)) return kItemError;
  return HasStrings() ? static_cast<LRESULT>(items_.At(index).text.size()) : static_cast<LRESULT>(sizeof(LPARAM));
}

LRESULT ItemListControl::OnFindString(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 || !HasStrings()) return kItemError;
  return items_.Find(static_cast<int>(static_cast<std::intptr_t>(wParam)), reinterpret_cast<const char*>(lParam), false);
}

LRESULT ItemListControl::OnFindStringExact(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 || !HasStrings()) return kItemError;
  return items_.Find(static_cast<int>(static_cast<std::intptr_t>(wParam)), reinterpret_cast<const char*>(lParam), true);
}

LRESULT ItemListControl::OnGetItemData(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  return items_.Valid(index) ? items_.At(index).data : kItemError;
}

LRESULT ItemListControl::OnSetItemData(WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(wParam);
  if (!items_.Valid(index)) return kItemError;
  items_.At(index).data = lParam;
  return kItemOkay;
}

LRESULT ItemListControl::OnGetItemHeight(WPARAM, LPARAM) { return ItemHeight(); }

LRESULT ItemListControl::OnSetItemHeight(WPARAM, LPARAM lParam) {
  const int height = LOWORD(static_cast<std::uintptr_t>(lParam));
  if (height <= 0 || height > 255) return kItemError;
  itemHeight_ = height;
  return kItemOkay;
}

LRESULT ItemListControl::OnSetFont(WPARAM wParam, LPARAM) {
  font_ = HFONT{static_cast<std::uint32_t>(wParam)};
  return 0;
}

LRESULT ItemListControl::OnGetFont(WPARAM, LPARAM) { return static_cast<LRESULT>(font_.value); }

}  // namespace lexiv::platform
