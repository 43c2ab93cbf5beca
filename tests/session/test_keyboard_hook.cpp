// A keyboard-hook module for the session's tests: swallows the key Q going down and passes every
// other key on. Loaded into each program of the session when installed system-wide.
#include "platform/core/input.h"
#include "platform/win_types.h"

using namespace lexiv::platform;

extern "C" __attribute__((visibility("default"))) LRESULT SwallowQ(int code, WPARAM vk, LPARAM lParam) {
  if (code >= 0 && vk == 'Q' && (lParam & KF_TRANSITION_BIT) == 0) return 1;
  return CallNextHookEx(HHOOK{}, code, vk, lParam);
}
