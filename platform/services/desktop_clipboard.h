// The clipboard of the desktop around the program, where one can be reached: tmux's buffers when
// the program runs inside tmux ($TMUX: `tmux save-buffer -` / `load-buffer -`), else Wayland's
// ($WAYLAND_DISPLAY: wl-paste / wl-copy), else X11's ($DISPLAY: xclip). The first of those whose
// variable is set and whose tool is installed is used; with none, nothing is exchanged and
// nothing fails. Every tool runs with a time-out (kDesktopClipboardTimeoutMs), so a hung tool
// costs a clipboard call at most that long.
//
// Text crosses in the desktop's spelling: UTF-8 with "\n" line ends. Program text is Shift-JIS
// with "\r\n"; the conversion is here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexiv::platform {

inline constexpr int kDesktopClipboardTimeoutMs = 1000;

enum class DesktopClipboard { kNone, kTmux, kWayland, kX11 };

// Which desktop clipboard the environment reaches now.
DesktopClipboard ReachableDesktopClipboard();

// The desktop's text as it stands (UTF-8, its own line ends); nothing when none is reachable,
// it holds no text, or the tool failed.
std::optional<std::string> ReadDesktopClipboard();
// Puts desktopText (UTF-8) there; false when none is reachable or the tool failed.
bool WriteDesktopClipboard(std::string_view desktopText);

// Program text (Shift-JIS, "\r\n") in the desktop's spelling and back.
std::string DesktopSpelling(std::string_view sjisText);
std::string ProgramSpelling(std::string_view desktopText);

}  // namespace lexiv::platform
