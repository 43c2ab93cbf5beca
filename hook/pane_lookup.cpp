#include "hook/pane_lookup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "hook/dictionary_link.h"
#include "hook/pane_text.h"
#include "lookup/lookup_protocol.h"
#include "lookup/tmux_key_bindings.h"
#include "platform/core/clock.h"
#include "platform/core/session.h"
#include "platform/core/window_functions.h"
#include "platform/services/joined_session.h"
#include "platform/services/outside_command.h"
#include "platform/services/session_table.h"

namespace lexiv::hook {

namespace {

using platform::HWND;
using platform::RunOutsideCommand;

constexpr int kTmuxTimeoutMs = 1000;
// How long the selection may take to arrive through tmux's pipe.
constexpr std::uint32_t kSelectionWaitMs = 1000;
// UTF-8 takes at most one and a half times the bytes of Shift-JIS for the same text.
constexpr std::size_t kSelectionReadBytes = lookup::kMaxLookupTextBytes * 3 / 2 + 4;

std::optional<std::string> Tmux(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "tmux");
  return RunOutsideCommand(arguments, kTmuxTimeoutMs);
}

void HandKeyOn(const PaneLookupArguments& a) {
  Tmux({"send-keys", "-t", a.pane, lookup::TmuxArgumentKey(a.key)});
}

// Whether one of our programs runs in the pane: its hook library then does the lookup.
bool PaneRunsOurProgram(const std::string& pane) {
  const platform::JoinedSession session = platform::CurrentSession();
  if (session.table == nullptr) return false;
  for (const platform::SessionProgram& program : session.table->Programs())
    if (!program.paneWindow && program.pane == pane) return true;
  return false;
}

// The fields of a line of values separated by commas; an empty value (a format tmux leaves empty
// outside copy mode) keeps its place.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  for (;;) {
    const std::size_t comma = line.find(',', at);
    fields.push_back(line.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
    if (comma == std::string::npos) break;
    at = comma + 1;
  }
  if (!fields.empty() && !fields.back().empty() && fields.back().back() == '\n') fields.back().pop_back();
  return fields;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A beep on the terminals that show the pane, as a control's owner would hear one.
void BeepAtPane(const std::string& pane) {
  const auto clients = Tmux({"list-clients", "-t", pane, "-F", "#{client_tty}"});
  if (!clients) return;
  for (const std::string& tty : Lines(*clients)) {
    const int fd = open(tty.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    (void)!write(fd, "\a", 1);
    close(fd);
  }
}

// The copy-mode selection, through a pipe of tmux's that leaves the selection and the buffers
// as they were.
std::optional<std::string> PaneSelection(const PaneLookupArguments& a) {
  const std::string file = a.sessionDir + "/pane-selection." + std::to_string(getpid());
  const std::string partial = file + ".part";
  const std::string pipe = "cat > '" + partial + "' && mv '" + partial + "' '" + file + "'";
  if (!Tmux({"send-keys", "-t", a.pane, "-X", "pipe-no-clear", pipe})) return std::nullopt;
  platform::SystemClock clock;
  const std::uint64_t until = clock.NowMs() + kSelectionWaitMs;
  while (access(file.c_str(), F_OK) != 0) {
    if (clock.NowMs() > until) {
      unlink(partial.c_str());
      return std::nullopt;
    }
    clock.Sleep(5);
  }
  // More than a lookup can carry is never needed, however long the selection.
  std::string text(kSelectionReadBytes, '\0');
  std::ifstream in(file, std::ios::binary);
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  unlink(file.c_str());
  return text;
}

void LookUpAtCursor(const PaneLookupArguments& a, HWND paneWindow) {
  const auto state = Tmux({"display-message", "-p", "-t", a.pane,
                           "#{pane_in_mode},#{selection_present},#{cursor_x},#{cursor_y},#{copy_cursor_x},"
                           "#{copy_cursor_y},#{scroll_position}"});
  const std::vector<std::string> values = state ? Fields(*state) : std::vector<std::string>();
  if (values.size() < 7) {
    SendNothingCaptured(paneWindow);
    return;
  }
  const bool inMode = values[0] == "1";
  if (inMode && values[1] == "1") {
    const std::optional<std::string> selection = PaneSelection(a);
    const std::string text = selection ? PaneSelectionText(*selection) : std::string();
    if (text.empty()) {
      SendNothingCaptured(paneWindow);
    } else {
      SendLookup(text, lookup::kWholeText, paneWindow);
    }
    return;
  }
  int column = std::atoi(values[2].c_str());
  int row = std::atoi(values[3].c_str());
  // In copy mode the cursor is the view's, and the view may be scrolled back into the history
  // (capture-pane counts history rows as negative).
  if (inMode) {
    column = std::atoi(values[4].c_str());
    row = std::atoi(values[5].c_str()) - std::atoi(values[6].c_str());
  }
  const std::string from = std::to_string(row), to = std::to_string(row + 1);
  const auto rows = Tmux({"capture-pane", "-p", "-t", a.pane, "-S", from, "-E", to});
  const auto joined = Tmux({"capture-pane", "-p", "-J", "-t", a.pane, "-S", from, "-E", to});
  const std::vector<std::string> lines = rows ? Lines(*rows) : std::vector<std::string>();
  const bool wraps = joined && lines.size() == 2 && Lines(*joined).size() == 1;
  const std::string text =
      lines.empty() ? std::string() : PaneCaretText(lines[0], lines.size() > 1 ? lines[1] : "", wraps, column);
  if (text.empty()) {
    SendNothingCaptured(paneWindow);
  } else {
    SendLookup(text, lookup::kCaretText, paneWindow);
  }
}

void LookUpClipboard(const PaneLookupArguments& a, HWND paneWindow) {
  const auto newest = Tmux({"show-buffer"});
  const std::string text = newest ? PaneClipboardText(*newest) : std::string();
  if (text.empty()) {
    BeepAtPane(a.pane);
    return;
  }
  // As the hook library sends it: the whole 41-byte buffer, whatever the text's length.
  char buffer[kPaneClipboardBytes + 1] = {};
  std::memcpy(buffer, text.data(), text.size());
  SendLookupBuffer(std::string_view(buffer, sizeof buffer), lookup::kWholeText, paneWindow);
}

}  // namespace

std::optional<PaneLookupArguments> ParsePaneLookupArguments(const std::vector<std::string>& arguments) {
  PaneLookupArguments a;
  for (std::size_t i = 0; i + 1 < arguments.size(); i += 2) {
    const std::string& name = arguments[i];
    const std::string& value = arguments[i + 1];
    if (name == "--session") {
      a.sessionDir = value;
    } else if (name == "--pane") {
      a.pane = value;
    } else if (name == "--key") {
      a.key = value;
    } else if (name == "--command") {
      a.command = value == "100" ? lookup::kCaretLookupCommand
                  : value == "101" ? lookup::kClipboardLookupCommand
                                   : 0;
    } else {
      return std::nullopt;
    }
  }
  if (arguments.size() % 2 != 0 || a.sessionDir.empty() || a.pane.size() < 2 || a.pane[0] != '%' || a.key.empty() ||
      a.command == 0)
    return std::nullopt;
  return a;
}

int RunPaneLookup(const PaneLookupArguments& a) {
  if (!platform::JoinSession("lexiv-pane-lookup")) {
    HandKeyOn(a);
    return 1;
  }
  if (PaneRunsOurProgram(a.pane)) {
    HandKeyOn(a);
    return 0;
  }
  const HWND dictionary{FindDictionaryWindow()};
  if (!dictionary || !platform::IsWindow(dictionary)) {
    // The dictionary died without putting its bindings back: the key does what it did before.
    HandKeyOn(a);
    lookup::RestoreTmuxKeys(lookup::TmuxRestoreFile(a.sessionDir));
    return 0;
  }
  const HWND paneWindow = platform::ClaimPaneWindow(a.pane);
  if (!paneWindow) return 1;
  if (a.command == lookup::kCaretLookupCommand) {
    LookUpAtCursor(a, paneWindow);
  } else {
    LookUpClipboard(a, paneWindow);
  }
  platform::ReleasePaneWindow(paneWindow);
  return 0;
}

}  // namespace lexiv::hook
