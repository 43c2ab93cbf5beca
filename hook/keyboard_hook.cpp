#include "hook/keyboard_hook.h"

#include "hook/dictionary_link.h"
#include "hook/text_capture.h"
#include "lookup/lookup_protocol.h"
#include "platform/core/input.h"
#include "platform/core/session.h"
#include "platform/services/local_atoms.h"

namespace lexiv::hook {

using namespace lexiv::platform;

namespace {

struct CommandRoutine {
  std::uint32_t command;
  void (*routine)();
};
// Searched in order; command 0 ends it.
constexpr CommandRoutine kCommandRoutineTable[] = {
    {lookup::kCaretLookupCommand, &CaptureAtCaret},
    {lookup::kClipboardLookupCommand, &CaptureClipboard},
    {0, nullptr},
};

// Bit 31 of the keystroke flags: the key is going up.
constexpr LPARAM kKeyUpBit = LPARAM{1} << 31;

}  // namespace

LRESULT KeyboardProc(int code, WPARAM virtualKey, LPARAM keystrokeFlags) {
  const HHOOK hook{static_cast<std::uint32_t>(NotifyDictionary(Messages().getHookHandle, 0, 0, true))};
  if (code >= 0 && (keystrokeFlags & kKeyUpBit) == 0 && FindAtomA(lookup::kHotKeysOffAtomName) == 0) {
    lookup::KeyProbe probe{};
    probe.virtualKey = static_cast<std::uint32_t>(virtualKey);
    GetKeyboardState(probe.keyState);
    const auto command = static_cast<std::uint32_t>(NotifyDictionary(
        Messages().checkCommandKey, reinterpret_cast<WPARAM>(&probe), static_cast<LPARAM>(GetCurrentProcessId()), true));
    for (const CommandRoutine* entry = kCommandRoutineTable; entry->command != 0; ++entry) {
      if (entry->command != command) continue;
      entry->routine();
      return 1;
    }
  }
  return CallNextHookEx(hook, code, virtualKey, keystrokeFlags);
}

}  // namespace lexiv::hook
