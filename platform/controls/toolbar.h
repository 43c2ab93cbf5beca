// The toolbar ("ToolbarWindow32"): a row of buttons with command ids and states, separators,
// and controls placed over a widened separator (EmbedControl). A click on an enabled button
// sends its command to the parent as WM_COMMAND (BN_CLICKED, the toolbar's handle), so it is
// routed like a menu command. In the idle pass (WM_IDLEUPDATECMDUI) the toolbar asks the frame
// that holds it for each button's enable rule and grays or checks the button accordingly.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/toolbar_messages.h"
#include "platform/core/window.h"

namespace lexiv::platform {

class Toolbar : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  std::string_view ClassName() const override { return "ToolbarWindow32"; }
  int AccessRole() const override;
  void DescribeContents(std::vector<std::string>& lines) const override;

  static constexpr int kDefaultButtonWidth = 24;
  static constexpr int kDefaultButtonHeight = 22;
  static constexpr int kSeparatorWidth = 8;

  // Turns the button at index into a separator of width pixels with command id, and places
  // control (a child of the toolbar) over it, vertically centred. False for a bad index or a
  // control that is not the toolbar's child.
  bool EmbedControl(int index, UINT id, int width, HWND control);
  // The rectangle of the button at index in the toolbar's client coordinates.
  bool ItemRect(int index, RECT* rect) const;
  // Refreshes the buttons' states from the enable rules of the frame holding the toolbar.
  void UpdateButtonsFromRules();

 private:
  struct ToolButton {
    int id = 0;
    BYTE state = TBSTATE_ENABLED;
    BYTE style = TBSTYLE_BUTTON;
    int width = 0;  // separators: 0 is the standard width
    HWND control;   // a control placed over a separator
  };

  int IndexOf(int id) const;
  bool Valid(int index) const { return index >= 0 && index < static_cast<int>(buttons_.size()); }
  void PlaceEmbedded();
  bool ChangeState(int id, BYTE bit, bool on);

  LRESULT OnAddButtons(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteButton(WPARAM wParam, LPARAM lParam);
  LRESULT OnButtonCount(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetButton(WPARAM wParam, LPARAM lParam);
  LRESULT OnCommandToIndex(WPARAM wParam, LPARAM lParam);
  LRESULT OnEnableButton(WPARAM wParam, LPARAM lParam);
  LRESULT OnIsButtonEnabled(WPARAM wParam, LPARAM lParam);
  LRESULT OnCheckButton(WPARAM wParam, LPARAM lParam);
  LRESULT OnIsButtonChecked(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetState(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItemRect(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetButtonInfo(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetButtonSize(WPARAM wParam, LPARAM lParam);
  LRESULT OnHitTest(WPARAM wParam, LPARAM lParam);
  LRESULT OnAccepted(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnIdleUpdate(WPARAM wParam, LPARAM lParam);

  std::vector<ToolButton> buttons_;
  int buttonWidth_ = kDefaultButtonWidth;
  int buttonHeight_ = kDefaultButtonHeight;
  int pressed_ = -1;
};

}  // namespace lexiv::platform
