// Keys by name, as tests and scenario files write them: "Ctrl+Shift+F11", "Down", "Alt+F",
// "Escape", "Shift+BackSpace", "Ctrl+Insert", "A", "5". Names are compared without case.
#pragma once

#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace lexiv::platform {

struct KeyChord {
  UINT vk = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// 0 on success, -1 for an unknown key or modifier name.
int ParseKeyChord(std::string_view name, KeyChord* chord);
// The virtual key of a bare key name, 0 when unknown.
UINT VirtualKeyFromName(std::string_view name);
// The name of a virtual key ("Down", "F11", "A"); "0x.." for keys without a name.
std::string KeyName(UINT vk);
std::string ChordName(const KeyChord& chord);

// The character a key going down makes with the given modifiers (what the driver hands to
// translation): letters (upper case with Shift), digits, Space, Enter, Tab, Backspace, Escape,
// control characters with Ctrl; 0 when none (Alt+letter still gives the letter: WM_SYSCHAR).
UINT CharacterOfKey(const KeyChord& chord);

}  // namespace lexiv::platform
