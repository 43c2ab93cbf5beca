// Moving between the controls of a dialog: the tab order (the children in z-order that are
// visible, enabled and have WS_TABSTOP, wrapping round) and groups (from a control with WS_GROUP
// up to the next one).
#pragma once

#include <vector>

#include "platform/win_types.h"

namespace lexiv::platform {

// The next (or previous) tab stop after control, wrapping; control itself when it is the only
// one, null when the dialog has none. A null control starts before the first child.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The next (or previous) visible, enabled control of control's group, wrapping within it.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
// The siblings of control's group in z-order, control included.
std::vector<HWND> ControlGroupOf(HWND control);
// The child of dialog that holds hwnd (hwnd itself when it is a child); null when outside.
HWND DialogChildHolding(HWND dialog, HWND hwnd);

}  // namespace lexiv::platform
