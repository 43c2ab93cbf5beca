// The colour request of an edit control. Windows asks the edit's parent with WM_CTLCOLOREDIT and
// a device context to set colours on; without device contexts, wParam carries a ControlColors for
// the parent (or the control it hands the request to) to fill, and lParam the edit's handle. A
// non-zero result means the colours were given; CLR_DEFAULT leaves one to the system.
#pragma once

#include "platform/controls/list_view_messages.h"
#include "platform/win_types.h"

namespace lexiv::platform {

struct ControlColors {
  COLORREF text = CLR_DEFAULT;
  COLORREF background = CLR_DEFAULT;
};

// Asks the edit's parent for its colours; both CLR_DEFAULT when nobody answers.
ControlColors RequestEditColors(HWND edit);

}  // namespace lexiv::platform
