// The keyboard hook's work on each key, for the session benchmark: what the lookup's hook asks
// the dictionary on every key (its hook handle) and on every key going down (whether the key is
// a hot key, with a 260-byte probe the dictionary reads out of this process). The dictionary
// stand-in's window is named by LEXIV_BENCH_TARGET.
#include <cstdlib>

#include "platform/core/input.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/win_types.h"

using namespace lexiv::platform;

extern "C" __attribute__((visibility("default"))) LRESULT AskAboutKey(int code, WPARAM vk, LPARAM lParam) {
  static const UINT getHookHandle = RegisterWindowMessage("WLKP_GETHOOKHANDLE");
  static const UINT checkKey = RegisterWindowMessage("WLKP_CHECKCMDKEY");
  static const char* target = std::getenv("LEXIV_BENCH_TARGET");
  const HWND dictionary{target != nullptr ? static_cast<std::uint32_t>(std::strtoul(target, nullptr, 10)) : 0u};
  const HHOOK hook{static_cast<std::uint32_t>(SendMessage(dictionary, getHookHandle, 0, 0))};
  if (code >= 0 && (lParam & KF_TRANSITION_BIT) == 0) {
    struct {
      DWORD vk;
      BYTE state[256];
    } probe{static_cast<DWORD>(vk), {}};
    GetKeyboardState(probe.state);
    if (SendMessage(dictionary, checkKey, reinterpret_cast<WPARAM>(&probe), GetCurrentProcessId()) != 0) return 1;
  }
  return CallNextHookEx(hook, code, vk, lParam);
}
