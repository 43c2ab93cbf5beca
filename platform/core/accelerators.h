// Accelerator tables: virtual keys with Ctrl, Shift and Alt mapped to command ids.
#pragma once

#include <vector>

#include "platform/core/message_queue.h"
#include "platform/win_types.h"

namespace lexiv::platform {

struct ACCEL {
  BYTE fVirt = FVIRTKEY;  // FVIRTKEY with FSHIFT, FCONTROL, FALT
  WORD key = 0;           // virtual-key code
  WORD cmd = 0;
};

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
// The entries of a table (empty for an unknown handle).
std::vector<ACCEL> AcceleratorEntries(HACCEL table);

// For WM_KEYDOWN and WM_SYSKEYDOWN whose key and modifier state (the thread's keyboard state)
// match an entry exactly: when the command is on hwnd's menu, WM_INITMENU and WM_INITMENUPOPUP
// are sent first so that its enable rule runs, and a gray or disabled item (or an item inside a
// gray popup) sends nothing; otherwise WM_COMMAND (MAKEWPARAM(cmd, 1), 0) is sent to hwnd. No
// command goes to a disabled or minimised window. Non-zero whenever an entry matched.
int TranslateAccelerator(HWND hwnd, HACCEL table, const Msg* msg);

}  // namespace lexiv::platform
