// Input as the drivers deliver it. Keys go to the input queue without a window: the focus window
// (or, without focus, the active window, as WM_SYSKEYDOWN/WM_SYSKEYUP) receives them when they
// are taken. A key that goes down while Alt is held (without Ctrl), F10, and Alt itself come as
// WM_SYSKEYDOWN/WM_SYSKEYUP. lParam carries the repeat count 1, the scan code, the extended-key
// bit, the Alt bit, the previous-state bit (set for auto-repeat) and the transition bit.
// Keyboard hooks see every key message as it is taken and may swallow it.
#pragma once

#include <functional>
#include <vector>

#include "platform/win_types.h"

namespace lexiv::platform {

// A key going down or up. character: what translation makes of a key going down (0 none; a
// byte, or a double-byte code with the lead byte high). The physical key state is updated now.
void InjectKey(UINT vk, bool down, UINT character = 0, bool extended = false);
// A synthesised key stroke, as from another part of the program moving between controls.
void keybd_event(BYTE vk, BYTE scan, DWORD flags, UINT_PTR extraInfo);

// A mouse button message (WM_LBUTTONDOWN ... WM_RBUTTONDBLCLK) for a window at a point in its
// client area. When taken, a button going down first sends WM_MOUSEACTIVATE (the answer may
// eat the click) and activates the top-level window; disabled windows get no mouse messages.
void InjectMouseButton(HWND hwnd, POINT clientPoint, UINT message);

// Keyboard hooks: proc(code, vk, lParam) with HC_ACTION when the key message is taken, HC_NOREMOVE
// when it is only looked at; a non-zero answer swallows the key.
using KeyboardHookProc = std::function<LRESULT(int code, WPARAM vk, LPARAM lParam)>;
int InstallKeyboardHook(KeyboardHookProc proc);  // returns an id for removal
void RemoveKeyboardHook(int id);

// The WH_KEYBOARD procedures of SetWindowsHookEx (windows_hooks.h) run after the hooks above,
// newest first, each going on to the next through CallNextHookEx.
struct WindowsHook {
  HHOOK handle;
  HOOKPROC proc = nullptr;
};
struct HookCall {
  std::vector<WindowsHook> chain;
  std::size_t position = 0;
};
// Calls the next procedure of the chain being run; 0 at its end or outside a hook.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// The keyboard state of the thread (as its messages have reached it) and the physical one.
short GetKeyState(int vk);       // negative while pressed; bit 0 toggled
short GetAsyncKeyState(int vk);  // negative while pressed
BOOL GetKeyboardState(BYTE* state256);
BOOL SetKeyboardState(const BYTE* state256);

// The scan code of a virtual key (set 1), 0 when unknown; whether it is an extended key.
UINT ScanCodeOf(UINT vk);
bool IsExtendedKey(UINT vk);

}  // namespace lexiv::platform
