// Access to a window's state for the platform's own functions (the Windows-named functions, the
// focus rules, the queue); nothing outside platform/ includes this.
#pragma once

#include "platform/core/window.h"

namespace lexiv::platform {

class UiThread;

struct WindowInternals {
  static std::string& Text(Window& w) { return w.text_; }
  static std::string& ClassNameField(Window& w) { return w.className_; }
  static DWORD& Style(Window& w) { return w.style_; }
  static DWORD& ExStyle(Window& w) { return w.exStyle_; }
  static RECT& Rect(Window& w) { return w.rect_; }
  static RECT& NormalRect(Window& w) { return w.normalRect_; }
  static UINT& Id(Window& w) { return w.id_; }
  static HMENU& Menu(Window& w) { return w.menu_; }
  static LPARAM& UserData(Window& w) { return w.userData_; }
  static Window*& Parent(Window& w) { return w.parent_; }
  static HWND& Owner(Window& w) { return w.owner_; }
  static std::vector<Window*>& Children(Window& w) { return w.children_; }
  static bool& Minimized(Window& w) { return w.minimized_; }
  static bool& Maximized(Window& w) { return w.maximized_; }
  static bool& RestoreToMaximized(Window& w) { return w.restoreToMaximized_; }
  static bool& Destroying(Window& w) { return w.destroying_; }
  static bool& Foreign(Window& w) { return w.foreign_; }
  static bool& AutoDelete(Window& w) { return w.autoDelete_; }

  // Calls the window procedure; the object stays alive until the outermost call returns even
  // when the window is destroyed inside it.
  static LRESULT Call(Window* w, UINT message, WPARAM wParam, LPARAM lParam);
  // Runs f with the same protection.
  template <typename F>
  static auto Guarded(Window* w, F&& f) {
    Guard guard(w);
    return f();
  }
  // Deletes an auto-delete window now, or when its outermost call returns.
  static void ScheduleDelete(Window* w);
  // Forgets the handle after destruction.
  static void ClearHandle(Window& w) { w.hwnd_ = HWND{}; }
  static void SetHandle(Window& w, HWND h) { w.hwnd_ = h; }
  // Offers a reflected notification to the control's own table. True when it handled it.
  static bool Reflect(Window* control, MapEntryKind kind, UINT code, WPARAM wParam, LPARAM lParam, LRESULT* result);

 private:
  struct Guard {
    explicit Guard(Window* w);
    ~Guard();
    Window* w;
  };
};

// Focus and activation steps used by destruction, hiding and input.
void ActivateWindow(HWND top, bool activateApplication);
// The active window is going away: activate its owner, or another visible top-level window.
void ActivateAfterLoss(HWND lost, HWND owner);
// Takes the focus away without giving it to anyone (WM_KILLFOCUS with a null wParam).
void DropFocus();

// Whether a message (or a ready timer) waits in the queue; no callbacks run.
bool QueueHasWaitingMessage();

}  // namespace lexiv::platform
