// The hook library's two exports, by their plain names: the dictionary calls HookKeyHandler once
// it has published its window and UnHookKeyHandler at exit.
#include <cstdint>

#include "hook/keyboard_hook.h"
#include "platform/core/windows_hooks.h"
#include "platform/services/library_loader.h"

namespace {

// The library's own module: the one that holds the keyboard procedure.
lexiv::platform::LibraryHandle OwnModule() {
  static const lexiv::platform::LibraryHandle module =
      lexiv::platform::ModuleContaining(reinterpret_cast<const void*>(&lexiv::hook::KeyboardProc));
  return module;
}

lexiv::platform::LRESULT HookProcedure(int code, lexiv::platform::WPARAM wParam, lexiv::platform::LPARAM lParam) {
  return lexiv::hook::KeyboardProc(code, wParam, lParam);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) std::uint32_t HookKeyHandler() {
  using namespace lexiv::platform;
  return SetWindowsHookEx(WH_KEYBOARD, &HookProcedure, OwnModule(), 0).value;
}

extern "C" __attribute__((visibility("default"))) int UnHookKeyHandler(std::uint32_t hookHandle) {
  if (hookHandle == 0) return 0;
  return lexiv::platform::UnhookWindowsHookEx(lexiv::platform::HHOOK{hookHandle});
}
