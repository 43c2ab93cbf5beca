#include "platform/core/pointer.h"

#include "platform/core/focus.h"
#include "platform/core/session.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/services/process_identity.h"

namespace lexiv::platform {

namespace {
POINT g_pointer;
}  // namespace

BOOL SetCursorPos(int x, int y) {
  g_pointer = POINT{x, y};
  return TRUE;
}

BOOL GetCursorPos(POINT* point) {
  if (point == nullptr) return FALSE;
  *point = g_pointer;
  return TRUE;
}

void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD, UINT_PTR) {
  if (flags & MOUSEEVENTF_MOVE) {
    if (flags & MOUSEEVENTF_ABSOLUTE) {
      g_pointer = POINT{static_cast<LONG>(dx), static_cast<LONG>(dy)};
    } else {
      g_pointer.x += static_cast<LONG>(dx);
      g_pointer.y += static_cast<LONG>(dy);
    }
  }
  if ((flags & MOUSEEVENTF_LEFTDOWN) == 0) return;
  // The topmost visible window of ours under the pointer comes forward.
  for (HWND top = GetTopWindow(HWND{}); top; top = GetWindow(top, GW_HWNDNEXT)) {
    RECT rect;
    if (!IsWindowVisible(top) || !GetWindowRect(top, &rect)) continue;
    if (g_pointer.x >= rect.left && g_pointer.x < rect.right && g_pointer.y >= rect.top && g_pointer.y < rect.bottom) {
      SetForegroundWindow(top);
      return;
    }
  }
}

BOOL AttachThreadInput(DWORD attachThread, DWORD toThread, BOOL) {
  auto live = [](DWORD thread) {
    return thread == GetCurrentProcessId() || ProcessStartTime(static_cast<pid_t>(thread)) != 0;
  };
  return attachThread != 0 && toThread != 0 && live(attachThread) && live(toThread) ? TRUE : FALSE;
}

}  // namespace lexiv::platform
