// Joining the session that all platform programs of one user share (platform/README.md, "The
// session"). A program joins once, after making its user-interface thread and before creating
// any window, and leaves when the thread ends. Once joined, window handles are unique in the
// session, and the core's functions (SendMessage, PostMessage, IsWindow, GetClassName,
// GetWindowText, SetForegroundWindow, RegisterWindowMessage ...) reach other programs' windows.
// A program that cannot join (no private directory can be had) says why in its log and runs on
// alone, as every program did before sessions.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace lexiv::platform {

// Joins the session as programName (the name of its log file). False when the program runs alone.
bool JoinSession(const std::string& programName);
// Leaves (the thread's end does it too).
void LeaveSession();
bool InSession();
// The session directory in use; empty outside a session.
std::string SessionDirectoryInUse();

// The time-out of a message sent to another program, in milliseconds. The lookup protocol's
// messages have their own (see the table in session.cpp); every other message waits 5 seconds.
DWORD SendTimeoutFor(UINT message);

// The window that stands for a tmux pane running none of our programs ("%3"): the same window
// for the pane for as long as it exists (IsWindow), activating it brings the pane forward, and
// until ReleasePaneWindow (or this program's end) this program is its process, so that a
// request sent on the pane's behalf is read out of this program. Null outside a session or with
// the session's table full.
HWND ClaimPaneWindow(const std::string& pane);
void ReleasePaneWindow(HWND hwnd);

DWORD GetCurrentProcessId();
// The thread and process of a window, ours or another program's; 0 for no window. Every program
// has one user-interface thread, its main thread, whose id is the process id.
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
// One number per name (compared without case) for the whole session, 0xC000-0xFFFF; 0 for an
// empty name. Outside a session the numbers are the program's own.
UINT RegisterWindowMessage(const char* name);

}  // namespace lexiv::platform
