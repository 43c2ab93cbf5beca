// The clipboard: one text in the CF_TEXT format (Shift-JIS), with the open/empty/set/get/close
// discipline of the Windows clipboard. Only a caller that has opened the clipboard may change or
// read it, and only one opening is in force at a time in a program.
//
// In a session the text is the session's: set in one program, it is read in every other (a file
// in the session directory, replaced whole). It is also exchanged with the desktop's clipboard
// where one can be reached (desktop_clipboard.h): a text set here is put there too, and the
// session remembers the text it last exchanged with the desktop. When the clipboard is opened
// (or asked about while closed), a desktop text that differs from that one was changed on the
// desktop and wins; otherwise the session's own text stands. Outside a session the same holds
// for the program's own text.
//
// A driver can watch every change this program makes (the terminal driver may pass the text on to
// the terminal) and can put text there from outside (a paste the terminal delivered) without the
// open discipline.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr UINT CF_TEXT = 1;

// Opens the clipboard for ownerWindow (null is allowed); false while it is already open.
bool OpenClipboard(HWND ownerWindow);
// False when it was not open.
bool CloseClipboard();
// Removes the text; false when the clipboard is not open.
bool EmptyClipboard();
// Replaces the text with text up to its first NUL; false when the clipboard is not open or the
// format is not CF_TEXT.
bool SetClipboardData(UINT format, std::string_view text);
// The NUL-terminated text, owned by the clipboard and valid until it next changes; null when the
// clipboard is not open, holds no text, or the format is not CF_TEXT.
const char* GetClipboardData(UINT format);
bool IsClipboardFormatAvailable(UINT format);

// For drivers. The watcher is called after each change with the new text (empty after
// EmptyClipboard); an empty function removes it.
using ClipboardWatcher = std::function<void(std::string_view text)>;
void WatchClipboard(ClipboardWatcher watcher);
// The current text, whether or not anyone holds the clipboard open.
std::string ClipboardText();
// Replaces the text from outside the program; watchers are not told, the text came from them.
void PutClipboardTextFromOutside(std::string_view text);

}  // namespace lexiv::platform
