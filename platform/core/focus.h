// Focus, the active window and the foreground window.
//
// SetFocus sends WM_KILLFOCUS to the window losing the focus (wParam: the window gaining it) and
// WM_SETFOCUS to the one gaining it (wParam: the window losing it), activating its top-level
// window first when needed. Activation sends WM_ACTIVATE (WA_INACTIVE to the old active window,
// WA_ACTIVE to the new one, lParam the other); when the application itself becomes active or
// inactive, every top-level window gets WM_ACTIVATEAPP first (becoming active) or last.
// Disabling or destroying the focus window takes the focus away.
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

HWND SetFocus(HWND hwnd);  // returns the window that had the focus
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);  // returns the previous active window
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);  // also a window of another application (foreign window)
HWND GetForegroundWindow();
// Whether the application owns the foreground.
bool IsApplicationActive();

// The driver reports that the application became active (the terminal regained the focus) or
// that another application took the foreground (other may be null).
void ActivateApplication();
void DeactivateApplication(HWND other);

}  // namespace lexiv::platform
