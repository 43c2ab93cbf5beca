// The help viewer: a help file is shown by the program the desktop associates with it.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr UINT HELP_CONTEXT = 0x0001;
inline constexpr UINT HELP_QUIT = 0x0002;
inline constexpr UINT HELP_CONTENTS = 0x0003;
inline constexpr UINT HELP_FINDER = 0x000B;

// Opens helpFile (program text) for HELP_FINDER, HELP_CONTENTS and HELP_CONTEXT (data is then
// ignored: the viewer shows the file). HELP_QUIT succeeds without doing anything, since the
// viewer is a separate program. Returns false, quietly, when the file is missing or no viewer
// could be started, and for any other command.
bool WinHelpA(HWND window, const char* helpFile, UINT command, std::uintptr_t data);

}  // namespace lexiv::platform
