// How a control tells its parent what happened: WM_NOTIFY with a header (the parent's core
// handling reflects it to the control first), or WM_COMMAND with the control's id and a code.
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

// Fills hwndFrom and idFrom of header (whose code is set) and sends it; the parent's answer.
LRESULT NotifyParent(HWND control, NMHDR& header);
// A bare NMHDR with code.
LRESULT NotifyParent(HWND control, UINT code);
// WM_COMMAND with MAKEWPARAM(id, code) and the control's handle.
void CommandParent(HWND control, WORD code);
// Whether a key is down as the messages reaching the thread say (GetKeyState).
bool KeyHeld(UINT vk);

}  // namespace lexiv::platform
