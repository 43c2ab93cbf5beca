#include "platform/services/clipboard.h"

#include <unistd.h>

#include <optional>
#include <utility>

#include "platform/services/desktop_clipboard.h"
#include "platform/services/joined_session.h"
#include "platform/services/whole_file.h"

namespace lexiv::platform {
namespace {

constexpr std::size_t kMaxClipboardBytes = std::size_t{16} << 20;

struct ClipboardState {
  bool open = false;
  // The text as this program last saw it: what GetClipboardData hands out while the clipboard is
  // open, and the whole clipboard of a program outside a session.
  std::optional<std::string> text;
  // Outside a session: the text last exchanged with the desktop, in the desktop's spelling.
  std::optional<std::string> exchanged;
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

// In a session the clipboard is two files in the session directory, each replaced whole: the
// session's text, and the text it last exchanged with the desktop.
std::string SessionFile(const char* name) {
  const JoinedSession& session = CurrentSession();
  return session.table != nullptr ? session.directory + "/" + name : std::string();
}

std::optional<std::string> ReadStored(const char* file, const std::optional<std::string>& local) {
  const std::string path = SessionFile(file);
  if (path.empty()) return local;
  std::string contents;
  if (ReadWholeFile(path, kMaxClipboardBytes, contents) != 0) return std::nullopt;
  return contents;
}

void WriteStored(const char* file, std::optional<std::string>& local, const std::optional<std::string>& value) {
  const std::string path = SessionFile(file);
  if (path.empty()) {
    local = value;
    return;
  }
  if (value)
    WriteFileAtomically(path, *value);
  else
    unlink(path.c_str());
}

constexpr const char* kTextFile = "clipboard.text";
constexpr const char* kExchangedFile = "clipboard.exchanged";

std::optional<std::string> StoredText() { return ReadStored(kTextFile, State().text); }
void StoreText(const std::optional<std::string>& text) { WriteStored(kTextFile, State().text, text); }
std::optional<std::string> Exchanged() { return ReadStored(kExchangedFile, State().exchanged); }
void StoreExchanged(const std::string& desktopText) { WriteStored(kExchangedFile, State().exchanged, desktopText); }

// The newest text. A desktop clipboard that differs from what the session last exchanged with it
// was changed there, after that exchange, and wins; otherwise the session's own text stands.
std::optional<std::string> Newest() {
  const std::optional<std::string> desktop = ReadDesktopClipboard();
  if (desktop && !desktop->empty() && desktop != Exchanged()) {
    std::string text = ProgramSpelling(*desktop);
    StoreText(text);
    StoreExchanged(*desktop);
    return text;
  }
  return StoredText();
}

void Replace(const std::optional<std::string>& text) {
  ClipboardState& state = State();
  state.text = text;
  StoreText(text);
  if (text) {
    const std::string desktop = DesktopSpelling(*text);
    if (WriteDesktopClipboard(desktop)) StoreExchanged(desktop);
  }
}

}  // namespace

bool OpenClipboard(HWND) {
  ClipboardState& state = State();
  if (state.open) return false;
  state.open = true;
  state.text = Newest();
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
  Replace(std::nullopt);
  TellWatcher();
  return true;
}

bool SetClipboardData(UINT format, std::string_view text) {
  ClipboardState& state = State();
  if (!state.open || format != CF_TEXT) return false;
  Replace(std::string(text.substr(0, text.find('\0'))));
  TellWatcher();
  return true;
}

const char* GetClipboardData(UINT format) {
  ClipboardState& state = State();
  if (!state.open || format != CF_TEXT || !state.text) return nullptr;
  return state.text->c_str();
}

bool IsClipboardFormatAvailable(UINT format) {
  if (format != CF_TEXT) return false;
  ClipboardState& state = State();
  // While open, the text GetClipboardData hands out must not change under the caller.
  if (!state.open) state.text = Newest();
  return state.text.has_value();
}

void WatchClipboard(ClipboardWatcher watcher) { State().watcher = std::move(watcher); }

std::string ClipboardText() {
  ClipboardState& state = State();
  if (!state.open) state.text = Newest();
  return state.text ? *state.text : std::string();
}

void PutClipboardTextFromOutside(std::string_view text) {
  // Text the driver was given from outside (a paste the terminal delivered) is the newest: the
  // desktop's clipboard as it stands now counts as exchanged, so only a later change there wins.
  ClipboardState& state = State();
  state.text = std::string(text.substr(0, text.find('\0')));
  StoreText(state.text);
  const std::optional<std::string> desktop = ReadDesktopClipboard();
  StoreExchanged(desktop ? *desktop : DesktopSpelling(*state.text));
}

}  // namespace lexiv::platform
