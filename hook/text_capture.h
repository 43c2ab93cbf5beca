// What the hook captures for a hot key, in the program it runs in: at the caret (the input
// method's target clause, the selection, or up to 40 bytes after the caret of the focused edit
// control) or from the clipboard (its first 40 bytes), handed to the dictionary.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace lexiv::hook {

// The edit classes whose text can be read, compared byte for byte, in this order.
std::span<const std::string_view> EditClassTable();
// The index of a class name in the table; -1 when it is not there.
int EditClassIndex(std::string_view className);

// The hot key's routines (commands 100 and 101).
void CaptureAtCaret();
void CaptureClipboard();

// The input method's target clause of the window's composition, at most maxBytes bytes, into
// buffer (maxBytes + 1 bytes, zeroed first); the bytes copied. Nothing when the input method is
// closed, in symbol mode, or the window has no context.
std::size_t CaptureImeTarget(platform::HWND window, char* buffer, std::size_t maxBytes);

// The selection of an "Edit" control, line by line (a line's end is not part of what it hands back),
// into out, which holds capacity bytes and is always ended with a NUL inside them; only the start
// line when firstLineOnly. The bytes written, without the NUL.
std::size_t ReadEditSelection(platform::HWND window, char* out, bool firstLineOnly, std::size_t capacity);

// Bytes src[from, to) up to a NUL into dst, a double-byte character that starts before `to` whole,
// ended with a NUL; never more than dstCapacity bytes with the NUL (a character that does not fit
// is left out). The bytes written, without the NUL.
std::size_t CopyDbcsRange(std::string_view src, std::size_t from, std::size_t to, char* dst, std::size_t dstCapacity);

}  // namespace lexiv::hook
