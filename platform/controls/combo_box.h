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
#include "platform/controls/list_items.h"
#include "platform/core/font.h"
#include "platform/core/window.h"

namespace lexiv::platform {

class ComboBox : public Window {
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
  bool HasStrings() const;
  void Select(int index, bool byUser);
  void ShowDropDown(bool show);
  void CloseUp(bool keepChoice);
  void AnnounceDeletion(int index);
  LRESULT AddItem(int index, LPARAM lParam);

  LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
  LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
  LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
  LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetCount(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetCurSel(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetCurSel(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetLbText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetLbTextLen(WPARAM wParam, LPARAM lParam);
  LRESULT OnFindStringExact(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItemData(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemHeight(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetItemHeight(WPARAM wParam, LPARAM lParam);
  LRESULT OnShowDropDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDroppedState(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnSysKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);

  ListItems items_;
  int current_ = -1;
  int top_ = 0;  // first item shown in the open list
  bool dropped_ = false;
  int choiceWhenOpened_ = -1;
  int itemHeight_ = 0;  // 0: the font's height
  HFONT font_;
};

}  // namespace lexiv::platform
