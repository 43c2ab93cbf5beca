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
#include "platform/controls/item_list_control.h"

namespace lexiv::platform {

class ListBox : public ItemListControl {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  std::string_view ClassName() const override { return "ListBox"; }
  int AccessRole() const override;
  std::string AccessValue() const override;  // the current item's text
  void DescribeContents(std::vector<std::string>& lines) const override;

 private:
  bool HasStrings() const override;
  bool Sorted() const override;
  bool OwnerDrawn() const override;
  UINT OwnerDrawType() const override;
  // byUser sends LBN_SELCHANGE with LBS_NOTIFY.
  void Select(int index, bool byUser) override;
  int CountPerPage() const;
  void EnsureVisible(int index);

  LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTopIndex(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetTopIndex(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
};

}  // namespace lexiv::platform
