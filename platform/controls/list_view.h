// The report-style list view ("SysListView32"): columns with widths and an optional header,
// items with a text per column, item data and the focused and selected states. Every state change
// is told to the parent as LVN_ITEMCHANGING / LVN_ITEMCHANGED with the old and the new state
// (the parent's core handling reflects them to the control first, so a view derived from the
// list sees them in its own table). Keys move the focus and the selection together without
// wrapping; Enter, clicks and focus changes are told as NM_ notifications.
//
// One item is as high as the font; the header, when shown, as high as one item. The selection
// mark follows the item that becomes focused and selected, and LVM_SETSELECTIONMARK sets it.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/list_view_messages.h"
#include "platform/core/font.h"
#include "platform/core/window.h"

namespace lexiv::platform {

class ListView : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  std::string_view ClassName() const override { return "SysListView32"; }
  int AccessRole() const override;
  std::string AccessValue() const override;  // the focused item's first column
  void DescribeContents(std::vector<std::string>& lines) const override;

  // Pixel heights from the current font.
  int ItemHeight() const;
  int HeaderHeight() const;
  int CountPerPage() const;

  // The colours the program gave (LVM_SETBKCOLOR, LVM_SETTEXTCOLOR, LVM_SETTEXTBKCOLOR);
  // CLR_DEFAULT for each it left to the system's window colours.
  struct GivenColors {
    COLORREF background = CLR_DEFAULT;
    COLORREF text = CLR_DEFAULT;
    COLORREF textBackground = CLR_DEFAULT;
  };
  const GivenColors& Colors() const { return givenColors_; }

 private:
  struct Column {
    std::string text;
    int width = 0;
    int format = LVCFMT_LEFT;
  };
  struct Item {
    std::vector<std::string> texts;  // one per column at least for column 0
    LPARAM data = 0;
    UINT state = 0;
  };

  bool ValidItem(int index) const { return index >= 0 && index < static_cast<int>(items_.size()); }
  const std::string& TextOf(int index, int column) const;
  // Changes one item's state bits under mask, with the notifications. False when the parent
  // refused the change or the item went away.
  bool ChangeItemState(int index, UINT state, UINT mask);
  // As LVM_SETITEMSTATE for one item: a focused item takes the focus from the others, a selected
  // one in a single-selection list the selection.
  bool SetItemState(int index, UINT state, UINT mask);
  // Moves the focus and the selection to index as a key or click does.
  void MoveTo(int index);
  void EnsureVisible(int index);
  int ItemAt(POINT clientPoint) const;
  int FocusedItem() const;
  int NotifyItem(UINT code, int item, POINT point);

  LRESULT OnInsertColumn(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetColumn(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetColumn(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteColumn(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetColumnWidth(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetColumnWidth(WPARAM wParam, LPARAM lParam);
  LRESULT OnInsertItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteAllItems(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemCount(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItemText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemText(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItemStateMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemState(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetNextItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetSelectedCount(WPARAM wParam, LPARAM lParam);
  LRESULT OnEnsureVisible(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTopIndex(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetCountPerPage(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetSelectionMark(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetSelectionMark(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetBkColor(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetTextColor(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTextColor(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetTextBkColor(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTextBkColor(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
  LRESULT OnRButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);

  std::vector<Column> columns_;
  std::vector<Item> items_;
  int topIndex_ = 0;
  int selectionMark_ = -1;
  COLORREF bkColor_ = RGB(255, 255, 255);
  COLORREF textColor_ = RGB(0, 0, 0);
  COLORREF textBkColor_ = RGB(255, 255, 255);
  HFONT font_;
  GivenColors givenColors_;
};

}  // namespace lexiv::platform
