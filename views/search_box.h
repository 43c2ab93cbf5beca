// The search box in the search bar: a one-line edit of at most 40 characters where the user types
// a reading and presses Enter to fill the headword list. Gaining the focus it says "読み方" and
// its text; Escape goes back to the meaning view; Ctrl+V pastes.
#pragma once

#include "platform/controls/edit_control.h"
#include "views/main_frame_state.h"

namespace lexiv {

class CSearchBox : public platform::EditControl {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  static constexpr int kControlId = 108;
  static constexpr int kMaxChars = 40;
  // The box's private messages for Enter and Escape.
  static constexpr platform::UINT WM_SEARCHBOX_ENTER = platform::WM_USER + 10;
  static constexpr platform::UINT WM_SEARCHBOX_ESCAPE = platform::WM_USER + 11;

  explicit CSearchBox(MainFrameState& frame) : frame_(frame) {}

  // What Enter does in the box (command 105 from the search bar does the same): searches the
  // text, or beeps when the box is empty.
  void RunEnterAction();
  // What Escape does: back to the meaning view, or the main window's Escape command.
  void RunEscapeAction();

  bool PreTranslateMessage(platform::Msg& msg) override;

 protected:
  MainFrameState& frame() { return frame_; }

 private:
  // Selects the whole text and scrolls the caret into view.
  void SelectAll();

  platform::LRESULT OnEnter(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnEscape(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnRightButtonDown(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnSetFocus(platform::WPARAM wParam, platform::LPARAM lParam);
  // The colour request the search bar hands on: the scheme's colours.
  platform::LRESULT OnControlColor(platform::WPARAM wParam, platform::LPARAM lParam);

  MainFrameState& frame_;
};

}  // namespace lexiv
