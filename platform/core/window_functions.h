// The Windows-named functions on windows by handle: existence, tree, text, style, geometry,
// enabled and visible state, show states and placement, destruction. A handle that names no
// window makes every function fail harmlessly (0, FALSE or an empty result).
#pragma once

#include <string>

#include "platform/win_types.h"

namespace lexiv::platform {

class Window;

// The object behind a handle of this process; null for none (or for another application's window).
Window* FromHandle(HWND hwnd);

// Default processing of every message a window's class does not handle.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

BOOL IsWindow(HWND hwnd);
BOOL DestroyWindow(HWND hwnd);

// Tree and z-order.
HWND GetParent(HWND hwnd);      // the parent of a child window, the owner of a top-level one
HWND GetAncestorTop(HWND hwnd); // the top-level window that holds hwnd (hwnd itself at the top)
BOOL IsChild(HWND parent, HWND hwnd);  // hwnd is a descendant of parent
HWND GetWindow(HWND hwnd, UINT relation);  // GW_CHILD, GW_HWNDNEXT, GW_HWNDPREV, GW_HWNDFIRST, GW_HWNDLAST, GW_OWNER
HWND GetTopWindow(HWND hwnd);   // the first child in z-order; null hwnd: the first top-level window
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND hwnd);
int GetClassName(HWND hwnd, char* buffer, int size);  // characters copied, 0 on failure
std::string ClassNameOf(HWND hwnd);

// Text (through WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH, so classes may keep it their way).
BOOL SetWindowText(HWND hwnd, const char* text);
int GetWindowText(HWND hwnd, char* buffer, int size);  // bytes copied, always terminated
int GetWindowTextLength(HWND hwnd);
std::string WindowText(HWND hwnd);

// Style, id and user data (GWL_STYLE, GWL_EXSTYLE, GWL_ID, GWL_USERDATA; GWL_WNDPROC answers
// non-zero for every live window).
LPARAM GetWindowLong(HWND hwnd, int index);
LPARAM SetWindowLong(HWND hwnd, int index, LPARAM value);  // returns the previous value

// Geometry in logical pixels. There is no non-client area: the client rectangle is the window.
BOOL GetWindowRect(HWND hwnd, RECT* rect);  // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* rect);  // (0, 0, width, height)
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
// Moves, sizes, shows or hides, and changes z-order (HWND_TOP, HWND_BOTTOM, HWND_TOPMOST,
// HWND_NOTOPMOST); it never activates.
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);

// State.
BOOL EnableWindow(HWND hwnd, BOOL enable);  // returns non-zero when it was disabled before
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);  // the window and all its ancestors are visible
// Our windows keep Shift-JIS text: messages to them carry single-byte text, never UTF-16.
BOOL IsWindowUnicode(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int command);  // returns non-zero when it was visible before
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
// Fails when length is not 44.
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);
BOOL UpdateWindow(HWND hwnd);
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);

// A stand-in for a window of another application (a lookup's caller): IsWindow answers for it,
// it can be made the foreground window, messages to it are dropped.
HWND CreateForeignWindow(const std::string& text);

}  // namespace lexiv::platform
