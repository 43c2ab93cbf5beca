// The screen as text: every window with its class, id, text and state, the lines its class adds
// (DescribeContents), and the open menu. Tests and failing scenarios print it.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace lexiv::platform {

// One line per window, indented by depth; marks: [hidden] [disabled] [focus] [active]
// [minimized] [maximized].
std::string DescribeScreen();
std::string DescribeWindow(HWND hwnd);
// The open menu loop: each open menu's items, the highlighted one marked with ">", gray ones
// with "(gray)", checks with "[x]" and radio marks with "(o)". Empty when no menu is open.
std::string DescribeMenuLoop();
// A menu's items the same way (for menus not open).
std::string DescribeMenu(HMENU menu);

}  // namespace lexiv::platform
