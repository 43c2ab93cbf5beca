// Gives the focus back, when a command is done, to the window that had it before, if the command
// took it away and that window still exists.
#pragma once

#include "platform/core/focus.h"
#include "platform/core/window_functions.h"

namespace lexiv {

class FocusKeeper {
 public:
  FocusKeeper() : focus_(platform::GetFocus()) {}
  ~FocusKeeper() {
    if (focus_ && platform::IsWindow(focus_) && platform::GetFocus() != focus_) platform::SetFocus(focus_);
  }
  FocusKeeper(const FocusKeeper&) = delete;
  FocusKeeper& operator=(const FocusKeeper&) = delete;

 private:
  platform::HWND focus_;
};

}  // namespace lexiv
