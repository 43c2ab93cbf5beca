// Timers, sleeps and the time, all on the thread's clock (virtual in tests).
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

// Starts (or restarts) timer id of hwnd; WM_TIMER (wParam id) comes each time the period has
// elapsed and nothing else is waiting. Periods below USER_TIMER_MINIMUM are raised to it.
// Returns id, or 0 for a null or dead window.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT periodMs);
BOOL KillTimer(HWND hwnd, UINT_PTR id);
void Sleep(DWORD ms);
DWORD GetTickCount();

}  // namespace lexiv::platform
