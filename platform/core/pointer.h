// The mouse pointer as a program may move it: a position in screen coordinates that each program
// keeps for itself (a terminal has no pointer to move), and synthesised button presses.
//
// A synthesised left-button press exists to bring a window forward (a program clicks at its own
// window's top edge to take the foreground): it activates the top-level window of ours under the
// pointer and nothing more. It never reaches a control or opens a menu, and a press over no
// window of ours does nothing.
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr DWORD MOUSEEVENTF_MOVE = 0x0001;
inline constexpr DWORD MOUSEEVENTF_LEFTDOWN = 0x0002;
inline constexpr DWORD MOUSEEVENTF_LEFTUP = 0x0004;
inline constexpr DWORD MOUSEEVENTF_ABSOLUTE = 0x8000;

BOOL SetCursorPos(int x, int y);
BOOL GetCursorPos(POINT* point);
// flags: MOUSEEVENTF_ bits; a move with MOUSEEVENTF_ABSOLUTE goes to (dx, dy), without it by (dx, dy).
void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, UINT_PTR extraInfo);

// Every program has one user-interface thread, and SetForegroundWindow already moves the
// keyboard between programs, so joining two threads' input has nothing left to do: TRUE for two
// thread ids of live programs (a program's thread id is its pid), FALSE otherwise.
BOOL AttachThreadInput(DWORD attachThread, DWORD toThread, BOOL attach);

}  // namespace lexiv::platform
