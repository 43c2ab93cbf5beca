// A 256-byte key state array as the keyboard functions report it: bit 0x80 pressed, bit 0x01
// toggled (flips on every press that is not an auto-repeat). The thread keeps two: the one its
// messages have reached (updated as key messages are taken from the queue) and the physical one
// (updated as the driver reports keys).
#pragma once

#include <array>

#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr BYTE kKeyPressed = 0x80;
inline constexpr BYTE kKeyToggled = 0x01;

class KeyboardState {
 public:
  BYTE Get(UINT vk) const { return vk < 256 ? keys_[vk] : 0; }
  bool IsDown(UINT vk) const { return (Get(vk) & kKeyPressed) != 0; }
  // Applies a key going down or up; the left and right modifier keys also move the generic one.
  void Apply(UINT vk, bool down);
  void CopyTo(BYTE* out256) const;
  void CopyFrom(const BYTE* in256);
  void Clear() { keys_.fill(0); }

 private:
  std::array<BYTE, 256> keys_{};
};

}  // namespace lexiv::platform
