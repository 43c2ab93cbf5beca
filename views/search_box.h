// The search box in the search bar: a one-line edit of at most 40 characters where the user types
// a reading. Its announcements, Enter and paste behaviour are built on top of this window.
#pragma once

#include "platform/edit_control.h"
#include "views/main_frame_state.h"

namespace lexiv {

class CSearchBox : public platform::EditControl {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  static constexpr int kControlId = 108;
  static constexpr int kMaxChars = 40;

  explicit CSearchBox(MainFrameState& frame) : frame_(frame) {}

  // What Enter does in the box (command 105 from the search bar does the same).
  void RunEnterAction();

 protected:
  MainFrameState& frame() { return frame_; }

 private:
  platform::LRESULT OnKeyDown(platform::WPARAM key, platform::LPARAM flags);

  MainFrameState& frame_;
};

}  // namespace lexiv
