// Copying a control's text into a caller's buffer: always terminated, never splitting a
// double-byte character.
#pragma once

#include <cstring>
#include <string_view>

#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {

// Returns the bytes copied (without the terminator); 0 and nothing written without a buffer.
inline int CopyToBuffer(std::string_view text, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  const std::size_t bytes = SjisPrefixBytes(text, static_cast<std::size_t>(size) - 1);
  std::memcpy(buffer, text.data(), bytes);
  buffer[bytes] = '\0';
  return static_cast<int>(bytes);
}

}  // namespace lexiv::platform
