#include "platform/core/keyboard_type.h"

#include <cerrno>
#include <cstdlib>

namespace lexiv::platform {

namespace {

constexpr int kEnhancedKeyboard = 4;
constexpr int kFunctionKeys = 12;

// The subtype named by the environment; 0 when it is unset or not a whole
// number.
int SubtypeFromEnvironment() {
  const char *text = std::getenv("LEXIV_KEYBOARD_SUBTYPE");
  if (text == nullptr || *text == '\0')
    return 0;
  errno = 0;
  char *end = nullptr;
  const long value = std::strtol(text, &end, 0);
  if (errno != 0 || *end != '\0' || value < 0 || value > 0x7FFFFFFF)
    return 0;
  return static_cast<int>(value);
}

} // namespace

int GetKeyboardType(int typeFlag) {
  switch (typeFlag) {
  case 0:
    return kEnhancedKeyboard;
  case 1:
    return SubtypeFromEnvironment();
  case 2:
    return kFunctionKeys;
  default:
    return 0;
  }
}

} // namespace lexiv::platform
