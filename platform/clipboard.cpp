#include "platform/clipboard.h"

#include <optional>
#include <utility>

namespace lexiv::platform {
namespace {

struct ClipboardState {
  bool open = false;
  std::uint32_t ownerWindow = 0;
  std::optional<std::string> text;
  ClipboardWatcher watcher;
};

ClipboardState& State() {
  static ClipboardState state;
  return state;
}

void TellWatcher() {
  ClipboardState& state = State();
  if (state.watcher) state.watcher(state.text ? std::string_view(*state.text) : std::string_view());
}

}  // namespace

bool OpenClipboard(std::uint32_t ownerWindow) {
  ClipboardState& state = State();
  if (state.open) return false;
  state.open = true;
  state.ownerWindow = ownerWindow;
  return true;
}

bool CloseClipboard() {
  ClipboardState& state = State();
  if (!state.open) return false;
  state.open = false;
  state.ownerWindow = 0;
  return true;
}

bool EmptyClipboard() {
  ClipboardState& state = State();
  if (!state.open) return false;
  state.text.reset();
  TellWatcher();
  return true;
}

bool SetClipboardData(unsigned int format, std::string_view text) {
  ClipboardState& state = State();
  if (!state.open || format != CF_TEXT) return false;
  state.text = std::string(text.substr(0, text.find('\0')));
  TellWatcher();
  return true;
}

const char* GetClipboardData(unsigned int format) {
  ClipboardState& state = State();
  if (!state.open || format != CF_TEXT || !state.text) return nullptr;
  return state.text->c_str();
}

bool IsClipboardFormatAvailable(unsigned int format) { return format == CF_TEXT && State().text.has_value(); }

void WatchClipboard(ClipboardWatcher watcher) { State().watcher = std::move(watcher); }

std::string ClipboardText() {
  const ClipboardState& state = State();
  return state.text ? *state.text : std::string();
}

void PutClipboardTextFromOutside(std::string_view text) { State().text = std::string(text.substr(0, text.find('\0'))); }

}  // namespace lexiv::platform
