#include "platform/services/desktop_clipboard.h"

#include <cstdlib>
#include <vector>

#include "platform/services/outside_command.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {
namespace {

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

struct Tools {
  std::vector<std::string> read;
  std::vector<std::string> write;
};

Tools ToolsFor(DesktopClipboard clipboard) {
  switch (clipboard) {
    case DesktopClipboard::kTmux:
      return {{"tmux", "save-buffer", "-"}, {"tmux", "load-buffer", "-"}};
    case DesktopClipboard::kWayland:
      return {{"wl-paste", "--no-newline", "--type", "text/plain;charset=utf-8"}, {"wl-copy", "--type", "text/plain;charset=utf-8"}};
    case DesktopClipboard::kX11:
      return {{"xclip", "-selection", "clipboard", "-out"}, {"xclip", "-selection", "clipboard", "-in"}};
    case DesktopClipboard::kNone:
      break;
  }
  return {};
}

}  // namespace

DesktopClipboard ReachableDesktopClipboard() {
  if (Set("TMUX") && CommandIsAvailable("tmux")) return DesktopClipboard::kTmux;
  if (Set("WAYLAND_DISPLAY") && CommandIsAvailable("wl-paste") && CommandIsAvailable("wl-copy")) return DesktopClipboard::kWayland;
  if (Set("DISPLAY") && CommandIsAvailable("xclip")) return DesktopClipboard::kX11;
  return DesktopClipboard::kNone;
}

std::optional<std::string> ReadDesktopClipboard() {
  const DesktopClipboard clipboard = ReachableDesktopClipboard();
  if (clipboard == DesktopClipboard::kNone) return std::nullopt;
  OutsideCommandResult result = RunOutsideCommand(ToolsFor(clipboard).read, {}, true, kDesktopClipboardTimeoutMs);
  if (!result.Succeeded()) return std::nullopt;
  return std::move(result.output);
}

bool WriteDesktopClipboard(std::string_view desktopText) {
  const DesktopClipboard clipboard = ReachableDesktopClipboard();
  if (clipboard == DesktopClipboard::kNone) return false;
  return RunOutsideCommand(ToolsFor(clipboard).write, desktopText, false, kDesktopClipboardTimeoutMs).Succeeded();
}

std::string DesktopSpelling(std::string_view sjisText) {
  std::string lines;
  for (std::size_t i = 0; i < sjisText.size(); ++i) {
    if (sjisText[i] == '\r' && i + 1 < sjisText.size() && sjisText[i + 1] == '\n') continue;
    lines += sjisText[i];
  }
  // Bytes that are not Shift-JIS pass as they are rather than losing the text.
  std::string utf8;
  if (!SjisToUtf8(lines, utf8)) utf8 = lines;
  return utf8;
}

std::string ProgramSpelling(std::string_view desktopText) {
  std::string sjis;
  if (!Utf8ToSjis(desktopText, sjis)) sjis = std::string(desktopText);
  std::string text;
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    if (sjis[i] == '\n' && (i == 0 || sjis[i - 1] != '\r')) text += '\r';
    if (sjis[i] == '\0') break;
    text += sjis[i];
  }
  return text;
}

}  // namespace lexiv::platform
