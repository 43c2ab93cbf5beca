// The combo box ("ComboBox") as a drop-down list (CBS_DROPDOWNLIST): a list of items with a
// text and a data value, the current one shown, and a dropped state. Closed, the arrow keys,
// Home, End, PageUp and PageDown step the choice; Alt+Down, Alt+Up and F4 open the list
// (CBN_DROPDOWN). Open, the keys move in the list; Enter closes it keeping the choice
// (CBN_SELENDOK, CBN_CLOSEUP), Escape closes it going back to the choice it opened with
// (CBN_SELENDCANCEL, CBN_CLOSEUP). A choice the user makes is told as CBN_SELCHANGE; CB_SETCURSEL
// tells nothing. While the list is open the combo box wants Enter and Escape for itself
// (WM_GETDLGCODE), so a dialog leaves them to it.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/combo_box_messages.h"
#include "platform/controls/item_list_control.h"

namespace lexiv::platform {

class ComboBox : public ItemListControl {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  std::string_view ClassName() const override { return "ComboBox"; }
  int AccessRole() const override;
  DWORD AccessState() const override;
  std::string AccessValue() const override;  // the current item's text
  void DescribeContents(std::vector<std::string>& lines) const override;

  // Items shown at once in the open list.
  static constexpr int kDroppedItems = 8;

 private:
  bool HasStrings() const override;
  bool Sorted() const override;
  bool OwnerDrawn() const override;
  UINT OwnerDrawType() const override;
  // byUser sends CBN_SELCHANGE; the open list's first item follows the choice.
  void Select(int index, bool byUser) override;
  void ShowDropDown(bool show);
  void CloseUp(bool keepChoice);

  LRESULT OnShowDropDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDroppedState(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnSysKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);

  bool dropped_ = false;
  int choiceWhenOpened_ = -1;
};

}  // namespace lexiv::platform
