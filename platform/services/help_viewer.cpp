#include "platform/services/help_viewer.h"

#include "platform/services/process_launcher.h"

namespace lexiv::platform {

bool WinHelpA(HWND, const char* helpFile, UINT command, std::uintptr_t) {
  switch (command) {
    case HELP_QUIT:
      return true;
    case HELP_FINDER:
    case HELP_CONTENTS:
    case HELP_CONTEXT:
      return helpFile != nullptr && OpenWithAssociatedProgram(helpFile) == 0;
    default:
      return false;
  }
}

}  // namespace lexiv::platform
