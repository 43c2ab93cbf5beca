#include "platform/core/windows_hooks.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <algorithm>
#include <string>

#include "platform/core/input.h"
#include "platform/core/ui_thread.h"

namespace lexiv::platform {

namespace {

// Hooks for this program alone have handles with the top bit set, so they never meet the
// session's, which count up from 1.
constexpr std::uint32_t kProgramHookBit = 0x80000000u;

HHOOK AddProgramHook(HOOKPROC proc) {
  UiThread& ui = Ui();
  const HHOOK handle{kProgramHookBit | ++ui.nextProgramHook};
  ui.programHooks.insert(ui.programHooks.begin(), WindowsHook{handle, proc});
  return handle;
}

}  // namespace

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, LibraryHandle module, DWORD threadId) {
  if (idHook != WH_KEYBOARD || proc == nullptr) return HHOOK{};
  UiThread& ui = Ui();
  if (threadId != 0 || !ui.remote) return AddProgramHook(proc);
  // Other programs find the procedure by the module's path and its place inside the module.
  Dl_info where{};
  if (module == nullptr || dladdr(reinterpret_cast<void*>(proc), &where) == 0 || where.dli_fname == nullptr ||
      where.dli_fbase == nullptr)
    return HHOOK{};
  char path[PATH_MAX];
  if (realpath(where.dli_fname, path) == nullptr) return HHOOK{};
  const auto offset = reinterpret_cast<std::uintptr_t>(reinterpret_cast<void*>(proc)) -
                      reinterpret_cast<std::uintptr_t>(where.dli_fbase);
  const std::uint32_t handle = ui.remote->AddSystemHook(idHook, path, offset);
  if (handle == 0) return HHOOK{};
  ui.remote->SyncSystemHooks();
  return HHOOK{handle};
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  UiThread& ui = Ui();
  if (!hook) return FALSE;
  if ((hook.value & kProgramHookBit) != 0) {
    auto& hooks = ui.programHooks;
    const auto it = std::find_if(hooks.begin(), hooks.end(), [&](const WindowsHook& h) { return h.handle == hook; });
    if (it == hooks.end()) return FALSE;
    hooks.erase(it);
    return TRUE;
  }
  if (!ui.remote || !ui.remote->RemoveSystemHook(hook.value)) return FALSE;
  ui.remote->SyncSystemHooks();
  return TRUE;
}

}  // namespace lexiv::platform
