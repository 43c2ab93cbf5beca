// The help viewer: a help file shown in a window of its own, the whole of its text in a read-only
// multi-line edit, so that the user reads it line by line with the caret keys as any edit is read
// (the screen reader reads an edit of a program that does not speak for itself). Help files are
// UTF-8 text on disk. Escape (or closing the window) closes the viewer and gives the focus back to
// the window that had it when the file was opened. One viewer is open at a time: opening another
// file shows it in the same window.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr UINT HELP_CONTEXT = 0x0001;
inline constexpr UINT HELP_QUIT = 0x0002;
inline constexpr UINT HELP_CONTENTS = 0x0003;
inline constexpr UINT HELP_FINDER = 0x000B;

// The viewer's window class. The viewer stands for the system's help program, which does not
// speak for itself: a screen reader reads it as another program's window.
inline constexpr char kHelpViewerClassName[] = "LexivHelpViewer";

// Shows helpFile (program text) for HELP_FINDER, HELP_CONTENTS and HELP_CONTEXT (data is then
// ignored: the viewer shows the whole file); window owns the viewer. HELP_QUIT closes the viewer.
// Returns false, quietly and with nothing shown, when the file is missing, unreadable, larger than
// the edit holds or not UTF-8 text that converts, and for any other command.
bool WinHelpA(HWND window, const char* helpFile, UINT command, std::uintptr_t data);

// The viewer's window and its edit; null while no viewer is open.
HWND HelpViewerWindow();
HWND HelpViewerEdit();

}  // namespace lexiv::platform
