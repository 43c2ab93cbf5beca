#include "platform/services/clipboard.h"

#include <optional>
#include <utility>

namespace lexiv::platform {
namespace {

struct ClipboardState {
  bool open = false;
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

bool OpenClipboard(HWND) {
  ClipboardState& state = State();
  if (state.open) return false;
  state.open = true;
  return true;
}

bool CloseClipboard() {
  ClipboardState& state = State();
  if (!state.open) return false;
  state.open = false;
  return true;
}

bool EmptyClipboard() {
  ClipboardState& state = State();
  if (!state.open) return false;
  state.text.reset();
  TellWatcher();
  return true;
}

bool SetClipboardData(UINT format, std::string_view text) {
  ClipboardState& state = State();
  if (!state.open || format != CF_TEXT) return false;
  state.text = std::string(text.substr(0, text.find('\0')));
  TellWatcher();
  return true;
}

const char* GetClipboardData(UINT format) {
  ClipboardState& state = State();
  if (!state.open || format != CF_TEXT || !state.text) return nullptr;
  return state.text->c_str();
}

bool IsClipboardFormatAvailable(UINT format) { return format == CF_TEXT && State().text.has_value(); }

void WatchClipboard(ClipboardWatcher watcher) { State().watcher = std::move(watcher); }

std::string ClipboardText() {
  const ClipboardState& state = State();
  return state.text ? *state.text : std::string();
}

void PutClipboardTextFromOutside(std::string_view text) { State().text = std::string(text.substr(0, text.find('\0'))); }

}  // namespace lexiv::platform
