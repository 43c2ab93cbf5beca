#include "platform/controls/control_notify.h"

#include "platform/core/input.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

LRESULT NotifyParent(HWND control, NMHDR& header) {
  header.hwndFrom = control;
  header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  const HWND parent = GetParent(control);
  if (!parent) return 0;
  return SendMessage(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

LRESULT NotifyParent(HWND control, UINT code) {
  NMHDR header;
  header.code = code;
  return NotifyParent(control, header);
}

void CommandParent(HWND control, WORD code) {
  const HWND parent = GetParent(control);
  if (!parent) return;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code), ToLParam(control));
}

bool KeyHeld(UINT vk) { return GetKeyState(static_cast<int>(vk)) < 0; }

}  // namespace lexiv::platform
