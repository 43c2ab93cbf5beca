// What the list box and the combo box's list have in common: the items (a text and a data value
// each), the current item, the first item shown, the item height and the font, and the messages
// that act on them. The two controls number those messages differently (LB_ and CB_) but answer
// them alike, with the same error (-1) and success (0) values, so each maps its own numbers to
// these handlers. Each control keeps its own notifications: what telling a choice means, and
// which style words make it owner-drawn, sorted or text-less.
#pragma once

#include "platform/controls/list_items.h"
#include "platform/core/font.h"
#include "platform/core/window.h"

namespace lexiv::platform {

class ItemListControl : public Window {
 protected:
  static constexpr LRESULT kItemError = -1;
  static constexpr LRESULT kItemOkay = 0;

  // Without strings an item is its data alone (the add messages' lParam is the data).
  virtual bool HasStrings() const = 0;
  // New items are placed in text order (letters compared without case).
  virtual bool Sorted() const = 0;
  // Every item of an owner-drawn control is announced to the parent as it goes, not only one
  // that carries data.
  virtual bool OwnerDrawn() const = 0;
  virtual UINT OwnerDrawType() const = 0;  // ODT_LISTBOX or ODT_COMBOBOX
  // Makes index current (or none for -1); byUser tells the parent as the control tells a choice.
  virtual void Select(int index, bool byUser) = 0;

  int ItemHeight() const;
  // Tells the parent an item goes (WM_DELETEITEM) where it carries data or is owner-drawn, so the
  // parent frees what the data points to. The parent may destroy the control meanwhile.
  void AnnounceDeletion(int index);
  // Adds lParam as an item at index (-1: at the end; -2: at the end, or in its place when
  // sorted); returns the index used.
  LRESULT AddItem(int index, LPARAM lParam);

  LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
  LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
  LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
  LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetCount(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetCurSel(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetCurSel(WPARAM wParam, LPARAM lParam);
  // An item's text into the caller's buffer, which must hold its length + 1 bytes (the message
  // has no size); without strings, the item's data.
  LRESULT OnGetItemText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemTextLength(WPARAM wParam, LPARAM lParam);
  LRESULT OnFindString(WPARAM wParam, LPARAM lParam);
  LRESULT OnFindStringExact(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItemData(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemHeight(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItemHeight(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);

  ListItems items_;
  int current_ = -1;
  int top_ = 0;
  int itemHeight_ = 0;  // 0: the font's height
  HFONT font_;
};

}  // namespace lexiv::platform
