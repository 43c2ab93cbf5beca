// Buttons ("Button"): push and default push buttons, check boxes (BS_CHECKBOX and the automatic
// BS_AUTOCHECKBOX), radio buttons (BS_RADIOBUTTON and the automatic BS_AUTORADIOBUTTON, whose
// group runs from the nearest sibling at or before it with WS_GROUP to the next one with
// WS_GROUP) and group boxes. Space pressed and released, a click or BM_CLICK presses a button:
// an automatic check box toggles, an automatic radio button becomes the group's choice, and the
// parent gets BN_CLICKED. A disabled button cannot be pressed.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/button_messages.h"
#include "platform/core/window.h"

namespace lexiv::platform {

class Button : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  std::string_view ClassName() const override { return "Button"; }
  int AccessRole() const override;
  DWORD AccessState() const override;
  void DescribeContents(std::vector<std::string>& lines) const override;

  DWORD Kind() const;
  bool IsPushButton() const;
  bool IsRadioButton() const;
  bool IsCheckBox() const;

 private:
  // Presses the button: its automatic behaviour, then BN_CLICKED.
  void Click();
  void SetCheck(WPARAM check);

  LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetState(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
  LRESULT OnClick(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);

  WPARAM check_ = BST_UNCHECKED;
  bool pushed_ = false;
};

}  // namespace lexiv::platform
