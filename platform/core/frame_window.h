// A main window in the application framework's manner: it routes commands (the focused window
// and its parents below the frame first, then the frame, then the application object), runs the
// enable rules of a popup's items when the popup opens (an item whose command has neither an
// enable rule nor a handler anywhere on the route is gray), translates its accelerator table
// after the windows below it have pre-translated a key, shows the prompt of the highlighted menu
// item in its message bar, and has its bars refreshed in the idle pass (WM_IDLEUPDATECMDUI).
#pragma once

#include <memory>
#include <string>

#include "platform/core/idle.h"
#include "platform/core/window.h"

namespace lexiv::platform {

class FrameWindow : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  FrameWindow();
  ~FrameWindow() override;

  std::string_view ClassName() const override { return "LexivFrame"; }
  int AccessRole() const override;

  void SetAccelerators(HACCEL table) { accelerators_ = table; }
  HACCEL Accelerators() const { return accelerators_; }
  // The window that shows prompts (a status bar answers WM_SETTEXT with its first pane).
  void SetMessageBar(HWND bar) { messageBar_ = bar; }
  HWND MessageBar() const { return messageBar_; }
  // Writes text into the message bar.
  virtual void SetMessageText(const std::string& text);
  // The message bar's text when no menu item is highlighted (string id 0: empty).
  void SetIdlePromptId(UINT stringId) { idlePromptId_ = stringId; }

  // Evaluates the enable rule of command id along the route, applying "no handler, gray".
  void UpdateCommandUI(CommandUI& ui);

  bool OnCmdMsg(UINT id, UINT code, HWND control) override;
  bool OnUpdateCmdUI(CommandUI& ui) override;
  bool HasCommandHandler(UINT id) const override;
  bool PreTranslateMessage(Msg& msg) override;

 protected:
  LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
  LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);

 private:
  HACCEL accelerators_;
  HWND messageBar_;
  UINT idlePromptId_ = 0;
  std::unique_ptr<IdleHandler> idle_;
};

// The application object: the last target of command routing.
void SetApplication(CommandTarget* application);
CommandTarget* GetApplication();

}  // namespace lexiv::platform
