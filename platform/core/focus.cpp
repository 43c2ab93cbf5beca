#include "platform/core/focus.h"

#include "platform/core/accessibility.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/core/window_internals.h"

namespace lexiv::platform {

using WI = WindowInternals;

namespace {

bool IsOurs(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w != nullptr && !WI::Foreign(*w);
}

std::vector<HWND> TopLevelHandles() {
  std::vector<HWND> handles;
  for (Window* w : Ui().topLevels) handles.push_back(w->hwnd());
  return handles;
}

WPARAM ActivateParam(WORD state, HWND hwnd) { return MAKEWPARAM(state, IsIconic(hwnd) ? 1 : 0); }

}  // namespace

void DropFocus() {
  UiThread& ui = Ui();
  const HWND old = ui.focus;
  if (!old) return;
  ui.focus = HWND{};
  SendMessage(old, WM_KILLFOCUS, 0, 0);
}

void ActivateWindow(HWND top, bool activateApplication) {
  UiThread& ui = Ui();
  const HWND old = ui.active;
  const bool becomeActive = activateApplication && !ui.appActive;
  if (old == top && !becomeActive) return;
  if (ui.focus && GetAncestorTop(ui.focus) != top) DropFocus();
  if (old && old != top && IsWindow(old)) SendMessage(old, WM_ACTIVATE, ActivateParam(WA_INACTIVE, old), ToLParam(top));
  if (becomeActive) {
    ui.appActive = true;
    ui.foreground = top;
    for (HWND h : TopLevelHandles()) SendMessage(h, WM_ACTIVATEAPP, TRUE, 0);
  }
  if (!IsWindow(top)) return;
  ui.active = top;
  ui.lastActive = top;
  if (ui.appActive) {
    ui.foreground = top;
    // The session has one foreground: the program that had it learns that it lost it.
    if (ui.remote) ui.remote->OurWindowActivated(top);
  }
  SendMessage(top, WM_ACTIVATE, ActivateParam(WA_ACTIVE, top), ToLParam(old));
}

void ActivateAfterLoss(HWND lost, HWND owner) {
  UiThread& ui = Ui();
  if (ui.active && ui.active != lost) return;
  ui.active = HWND{};
  auto usable = [&](HWND h) { return h != lost && IsOurs(h) && IsWindowVisible(h) && IsWindowEnabled(h); };
  HWND next;
  if (usable(owner)) {
    next = owner;
  } else {
    for (HWND h : TopLevelHandles())
      if (usable(h)) {
        next = h;
        break;
      }
  }
  if (next) {
    ActivateWindow(next, false);
  } else if (ui.appActive) {
    DeactivateApplication(HWND{});
  }
}

HWND SetFocus(HWND hwnd) {
  UiThread& ui = Ui();
  HWND old = ui.focus;
  if (!hwnd) {
    DropFocus();
    return old;
  }
  if (!IsOurs(hwnd)) return HWND{};
  if (hwnd == old) return old;
  const HWND top = GetAncestorTop(hwnd);
  if (ui.active != top) {
    ActivateWindow(top, !ui.foreground || IsOurs(ui.foreground));
    if (!IsWindow(hwnd) || ui.focus == hwnd) return old;
    old = ui.focus;
  }
  ui.focus = hwnd;
  if (old && IsWindow(old)) SendMessage(old, WM_KILLFOCUS, ToWParam(hwnd), 0);
  // The window losing the focus may have moved it elsewhere.
  if (ui.focus != hwnd || !IsWindow(hwnd)) return old;
  SendMessage(hwnd, WM_SETFOCUS, ToWParam(old), 0);
  if (IsWindow(hwnd) && ui.focus == hwnd) RaiseAccessEvent(DescribeForAccess(AccessEventKind::kFocusChanged, hwnd));
  return old;
}

HWND GetFocus() { return Ui().focus; }

HWND SetActiveWindow(HWND hwnd) {
  UiThread& ui = Ui();
  const HWND old = ui.active;
  if (!IsOurs(hwnd)) return HWND{};
  ActivateWindow(GetAncestorTop(hwnd), !ui.foreground || IsOurs(ui.foreground));
  return old;
}

HWND GetActiveWindow() { return Ui().active; }

BOOL SetForegroundWindow(HWND hwnd) {
  UiThread& ui = Ui();
  Window* w = FromHandle(hwnd);
  if (w == nullptr) {
    // Another program's window: that program becomes active, this one inactive.
    if (!hwnd || !ui.remote || !ui.remote->Describe(hwnd)) return FALSE;
    if (!ui.remote->ActivateRemote(hwnd)) return FALSE;
    if (ui.appActive)
      DeactivateApplication(hwnd);
    else
      ui.foreground = hwnd;
    return TRUE;
  }
  if (WI::Foreign(*w)) {
    if (ui.appActive)
      DeactivateApplication(hwnd);
    else
      ui.foreground = hwnd;
    return TRUE;
  }
  // On a terminal in tmux the user may have gone to another pane by hand, which this program is
  // not told of: it is not in front then, whatever it last heard, and must become active again.
  if (ui.appActive && ui.remote) {
    const HWND session = ui.remote->Foreground();
    if (session && FromHandle(session) == nullptr) DeactivateApplication(session);
  }
  ActivateWindow(GetAncestorTop(hwnd), true);
  return TRUE;
}

HWND GetForegroundWindow() {
  UiThread& ui = Ui();
  // Where the session's foreground is another program's live window, that is the answer; while
  // it is ours, this program knows best which of its windows (or stand-ins) is in front.
  if (ui.remote) {
    const HWND session = ui.remote->Foreground();
    if (session && FromHandle(session) == nullptr) {
      if (ui.remote->Describe(session)) return session;
    } else if (session && IsOurs(session) && !ui.appActive) {
      // The user brought our pane forward in tmux, though nothing told us.
      return session;
    }
  }
  return ui.foreground;
}

bool IsApplicationActive() { return Ui().appActive; }

void ActivateApplication() {
  UiThread& ui = Ui();
  if (ui.appActive) return;
  HWND target;
  if (IsOurs(ui.lastActive) && IsWindowVisible(ui.lastActive)) {
    target = ui.lastActive;
  } else {
    for (HWND h : TopLevelHandles())
      if (IsOurs(h) && IsWindowVisible(h)) {
        target = h;
        break;
      }
  }
  if (target) {
    ActivateWindow(target, true);
  } else {
    ui.appActive = true;
    ui.foreground = HWND{};
  }
}

void DeactivateApplication(HWND other) {
  UiThread& ui = Ui();
  if (!ui.appActive) {
    ui.foreground = other;
    return;
  }
  const HWND old = ui.active;
  ui.appActive = false;
  ui.foreground = other;
  if (old && IsWindow(old)) SendMessage(old, WM_ACTIVATE, ActivateParam(WA_INACTIVE, old), ToLParam(other));
  for (HWND h : TopLevelHandles()) SendMessage(h, WM_ACTIVATEAPP, FALSE, 0);
  DropFocus();
  ui.active = HWND{};
  if (old) ui.lastActive = old;
}

}  // namespace lexiv::platform
