// The list box ("ListBox"): items with a text and a data value, one current item. Owner-drawn
// boxes (LBS_OWNERDRAWFIXED) ask their parent for the item height once (WM_MEASUREITEM); without
// LBS_HASSTRINGS their items are data only (LB_ADDSTRING's lParam is the data). An item that
// carries data, or any item of an owner-drawn box, is announced to the parent as it goes
// (WM_DELETEITEM), so the parent frees what the data points to. With LBS_NOTIFY a selection the
// user makes is told as LBN_SELCHANGE and a double click as LBN_DBLCLK; LBN_SETFOCUS and
// LBN_KILLFOCUS come always.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/list_box_messages.h"
#include "platform/controls/list_items.h"
#include "platform/core/font.h"
#include "platform/core/window.h"

namespace lexiv::platform {

class ListBox : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  std::string_view ClassName() const override { return "ListBox"; }
  int AccessRole() const override;
  std::string AccessValue() const override;  // the current item's text
  void DescribeContents(std::vector<std::string>& lines) const override;

 private:
  bool OwnerDrawn() const;
  bool HasStrings() const;
  int CountPerPage() const;
  // Makes index current (or none for -1); byUser sends LBN_SELCHANGE with LBS_NOTIFY.
  void Select(int index, bool byUser);
  void EnsureVisible(int index);
  void AnnounceDeletion(int index);
  LRESULT AddItem(int index, LPARAM lParam);

  LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
  LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
  LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
  LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
  LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetCurSel(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetCurSel(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTextLen(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetCount(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTopIndex(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetTopIndex(WPARAM wParam, LPARAM lParam);
  LRESULT OnFindString(WPARAM wParam, LPARAM lParam);
  LRESULT OnFindStringExact(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItemData(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemHeight(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItemHeight(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);

  ListItems items_;
  int current_ = -1;
  int top_ = 0;
  int itemHeight_ = 0;  // 0: the font's height
  HFONT font_;
};

}  // namespace lexiv::platform
