// Sending, posting and taking messages on the user-interface thread.
//
// Taking order: posted messages, then input (keys and mouse buttons), then WM_QUIT, then
// WM_TIMER of ready timers. A window filter matches the window and its descendants (so "a
// key-down waiting for the main window" finds one bound for a pane); a null filter matches every
// message of the thread. A message range of 0, 0 matches every message; WM_QUIT passes any range.
// Taking a key message updates the thread's keyboard state (GetKeyState) as Windows does.
#pragma once

#include "platform/core/message_queue.h"
#include "platform/win_types.h"

namespace lexiv::platform {

// A direct call of the window procedure; 0 for a handle that names no window.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Queues a message (FIFO). A null hwnd posts to the thread. FALSE for a dead window.
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Looks at the queue without waiting. With PM_REMOVE the message is taken. When nothing matches,
// the driver is given a chance to deliver pending input (time passes while a loop polls).
BOOL PeekMessage(Msg* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Waits for a message: > 0 a message, 0 WM_QUIT, -1 when the driver says no input will come
// again (the headless driver's script has run out).
int GetMessage(Msg* msg, HWND hwnd, UINT filterMin, UINT filterMax);
// Hands a key down to the driver's character: posts WM_CHAR / WM_SYSCHAR for a single byte,
// WM_IME_CHAR for a double-byte character. Non-zero for key messages.
BOOL TranslateMessage(const Msg* msg);
LRESULT DispatchMessage(const Msg* msg);
// The time of the message last taken from the queue.
LONG GetMessageTime();

// Pre-translation (the window walk) followed by translation and dispatch of one message.
void ProcessMessage(Msg& msg);
// Gives each window from msg.hwnd up to its top-level window PreTranslateMessage; true when one
// consumed the message.
bool WalkPreTranslateTree(Msg& msg);

// The thread's main loop: until WM_QUIT (returns its exit code) or the end of input (-1).
// Runs the idle pass whenever the queue has become empty.
int RunMessageLoop();
// Handles everything already waiting (due timers included) without waiting for more, then runs
// the idle pass. Returns the number of messages handled; stops early at WM_QUIT, which it puts
// back. For tests and drivers; never called from inside a handler.
int PumpPending();

}  // namespace lexiv::platform
