#include "platform/core/frame_window.h"

#include "platform/core/accelerators.h"
#include "platform/core/accessibility.h"
#include "platform/core/focus.h"
#include "platform/core/menu.h"
#include "platform/core/messages.h"
#include "platform/core/string_table.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/core/window_internals.h"

namespace lexiv::platform {

namespace {

// The windows from the focus up to (not including) the frame, when the focus is inside it.
std::vector<HWND> RouteBelow(HWND frame) {
  std::vector<HWND> route;
  const HWND focus = GetFocus();
  if (!focus || !IsChild(frame, focus)) return route;
  for (HWND h = focus; h && h != frame; h = GetParent(h)) route.push_back(h);
  return route;
}

void SendToDescendants(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  for (HWND c : children) {
    if (!IsWindow(c)) continue;
    SendMessage(c, message, wParam, lParam);
    SendToDescendants(c, message, wParam, lParam);
  }
}

}  // namespace

const MessageMap& FrameWindow::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<FrameWindow>(Window::ClassMessageMap())
                                    .On(WM_INITMENUPOPUP, &FrameWindow::OnInitMenuPopup)
                                    .On(WM_MENUSELECT, &FrameWindow::OnMenuSelect);
  return map;
}

FrameWindow::FrameWindow() {
  if (UiThread::Current() != nullptr) {
    idle_ = std::make_unique<IdleHandler>([this] {
      if (hwnd() && IsWindowVisible(hwnd())) SendToDescendants(hwnd(), WM_IDLEUPDATECMDUI, TRUE, 0);
    });
  }
}

FrameWindow::~FrameWindow() = default;

int FrameWindow::AccessRole() const { return ROLE_SYSTEM_WINDOW; }

void FrameWindow::SetMessageText(const std::string& text) {
  if (IsWindow(messageBar_)) SetWindowText(messageBar_, text.c_str());
}

void FrameWindow::UpdateCommandUI(CommandUI& ui) {
  OnUpdateCmdUI(ui);
  // A command nobody handles cannot be chosen.
  if (!ui.handled) ui.Enable(HasCommandHandler(ui.Id()));
}

bool FrameWindow::OnCmdMsg(UINT id, UINT code, HWND control) {
  for (HWND h : RouteBelow(hwnd())) {
    Window* w = FromHandle(h);
    if (w != nullptr && WindowInternals::Guarded(w, [&] { return w->RunOwnCommand(id, code, control); })) return true;
  }
  if (RunOwnCommand(id, code, control)) return true;
  CommandTarget* application = GetApplication();
  return application != nullptr && application->RunOwnCommand(id, code, control);
}

bool FrameWindow::OnUpdateCmdUI(CommandUI& ui) {
  for (HWND h : RouteBelow(hwnd())) {
    Window* w = FromHandle(h);
    if (w != nullptr && WindowInternals::Guarded(w, [&] { return w->RunOwnUpdate(ui); })) return true;
  }
  if (RunOwnUpdate(ui)) return true;
  CommandTarget* application = GetApplication();
  return application != nullptr && application->RunOwnUpdate(ui);
}

bool FrameWindow::HasCommandHandler(UINT id) const {
  for (HWND h : RouteBelow(hwnd())) {
    Window* w = FromHandle(h);
    if (w != nullptr && w->HasOwnCommandHandler(id)) return true;
  }
  if (HasOwnCommandHandler(id)) return true;
  CommandTarget* application = GetApplication();
  return application != nullptr && application->HasOwnCommandHandler(id);
}

bool FrameWindow::PreTranslateMessage(Msg& msg) {
  if (!accelerators_ || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)) return false;
  return TranslateAccelerator(hwnd(), accelerators_, &msg) != 0;
}

LRESULT FrameWindow::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  const HMENU popup = HmenuFromParam(wParam);
  if (HIWORD(static_cast<std::uintptr_t>(lParam)) != 0) return Default();  // the system menu
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(popup, i);
    if (id == 0 || id == 0xFFFFFFFF) continue;  // separators and popups
    CommandUI ui(id);
    UpdateCommandUI(ui);
    if (!IsMenu(popup)) return 0;
    const UINT position = static_cast<UINT>(i);
    if (ui.enabled()) EnableMenuItem(popup, position, MF_BYPOSITION | (*ui.enabled() ? MF_ENABLED : MF_GRAYED));
    if (ui.checked()) CheckMenuItem(popup, position, MF_BYPOSITION | (*ui.checked() ? MF_CHECKED : MF_UNCHECKED));
    if (ui.radio()) {
      if (*ui.radio())
        CheckMenuRadioItem(popup, position, position, position, MF_BYPOSITION);
      else
        CheckMenuItem(popup, position, MF_BYPOSITION | MF_UNCHECKED);
    }
    if (ui.text()) ModifyMenuText(popup, position, MF_BYPOSITION, ui.text()->c_str());
  }
  return 0;
}

LRESULT FrameWindow::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  const UINT item = LOWORD(wParam);
  const UINT flags = HIWORD(wParam);
  if (flags == 0xFFFF && lParam == 0) {
    SetMessageText(idlePromptId_ ? CommandPrompt(idlePromptId_) : std::string());
    return 0;
  }
  if (flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU)) {
    SetMessageText(std::string());
    return 0;
  }
  SetMessageText(CommandPrompt(item));
  return 0;
}

void SetApplication(CommandTarget* application) { Ui().application = application; }

CommandTarget* GetApplication() {
  UiThread* ui = UiThread::Current();
  return ui != nullptr ? ui->application : nullptr;
}

}  // namespace lexiv::platform
