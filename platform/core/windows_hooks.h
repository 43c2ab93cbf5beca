// SetWindowsHookEx for WH_KEYBOARD. A hook for this program's thread (threadId non-zero) runs
// here alone. A system-wide hook (threadId 0) runs in every platform program of the session,
// present and future: the session records the module's path and the procedure's offset inside
// it; every program loads the module (dlopen) and calls the procedure on its user-interface
// thread for each key message it takes, before the message is delivered (input.h). A module a
// program cannot load is skipped there with one line in its log; its keys pass on. Unhooking
// removes the hook from every program, which unload the module at their next key or message; a
// hook whose installer died goes with it. Outside a session a system-wide hook is this
// program's own.
#pragma once

#include "platform/services/library_loader.h"
#include "platform/win_types.h"

namespace lexiv::platform {

// Null when idHook is not WH_KEYBOARD, proc is null, or a system-wide hook's procedure lies in
// no loadable module (module must be the library holding proc).
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, LibraryHandle module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);

}  // namespace lexiv::platform
