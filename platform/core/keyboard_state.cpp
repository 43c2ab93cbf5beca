#include "platform/core/keyboard_state.h"

#include <cstring>

namespace lexiv::platform {

namespace {

UINT GenericOf(UINT vk) {
  switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return 0;
  }
}

}  // namespace

void KeyboardState::Apply(UINT vk, bool down) {
  if (vk >= 256) return;
  auto set = [&](UINT k) {
    if (down) {
      if (!(keys_[k] & kKeyPressed)) keys_[k] ^= kKeyToggled;
      keys_[k] |= kKeyPressed;
    } else {
      keys_[k] &= static_cast<BYTE>(~kKeyPressed);
    }
  };
  set(vk);
  if (const UINT generic = GenericOf(vk)) {
    if (down) {
      set(generic);
    } else {
      const UINT other = vk == VK_LSHIFT ? VK_RSHIFT : vk == VK_RSHIFT ? VK_LSHIFT
                       : vk == VK_LCONTROL ? VK_RCONTROL : vk == VK_RCONTROL ? VK_LCONTROL
                       : vk == VK_LMENU ? VK_RMENU : VK_LMENU;
      if (!IsDown(other)) set(generic);
    }
  }
}

void KeyboardState::CopyTo(BYTE* out256) const { std::memcpy(out256, keys_.data(), keys_.size()); }

void KeyboardState::CopyFrom(const BYTE* in256) { std::memcpy(keys_.data(), in256, keys_.size()); }

}  // namespace lexiv::platform
