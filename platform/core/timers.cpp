#include "platform/core/timers.h"

#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT periodMs) {
  if (!IsWindow(hwnd)) return 0;
  UiThread& ui = Ui();
  return ui.timers.Set(hwnd, id, periodMs, ui.clock.NowMs());
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) { return Ui().timers.Kill(hwnd, id) ? TRUE : FALSE; }

void Sleep(DWORD ms) { Ui().clock.Sleep(ms); }

DWORD GetTickCount() { return static_cast<DWORD>(Ui().clock.NowMs()); }

}  // namespace lexiv::platform
