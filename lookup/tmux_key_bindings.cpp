#include "lookup/tmux_key_bindings.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/services/end_signal_command.h"
#include "platform/services/outside_command.h"
#include "platform/services/whole_file.h"

namespace lexiv::lookup {

namespace {

using platform::RunOutsideCommand;

constexpr int kTmuxTimeoutMs = 1000;

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

// tmux expands formats in run-shell's command: a '#' of ours is written "##".
std::string FormatEscaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    escaped += c;
    if (c == '#') escaped += '#';
  }
  return escaped;
}

// A key in a file of tmux commands: in single quotes, where tmux takes every character as it is.
std::string QuotedKey(const std::string& key) { return "'" + key + "'"; }

bool InTmux() { return std::getenv("TMUX") != nullptr && platform::CommandIsAvailable("tmux"); }

}  // namespace

// There a ";" at the end of an argument separates commands unless escaped.
std::string TmuxArgumentKey(const std::string& key) {
  if (!key.empty() && key.back() == ';') return key.substr(0, key.size() - 1) + "\\;";
  return key;
}

std::string TmuxRestoreFile(const std::string& sessionDir) {
  // One file a tmux server: the session directory is the user's, and a copy that died in one
  // server must not have its saved bindings put into another.
  const char* tmux = std::getenv("TMUX");
  std::string socket = tmux != nullptr ? tmux : "";
  socket = socket.substr(0, socket.find(','));
  socket = socket.substr(socket.rfind('/') + 1);
  for (char& c : socket)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_')) c = '_';
  return sessionDir + "/tmux-keys-" + (socket.empty() ? "default" : socket) + ".conf";
}

bool RestoreTmuxKeys(const std::string& restoreFile) {
  if (access(restoreFile.c_str(), F_OK) != 0) return false;
  const bool restored = RunOutsideCommand({"tmux", "source-file", restoreFile}, kTmuxTimeoutMs).has_value();
  unlink(restoreFile.c_str());
  return restored;
}

std::string TmuxBindingCommand(const std::string& helperPath, const std::string& sessionDir,
                               const TmuxHotKey& key) {
  return FormatEscaped(ShellQuoted(helperPath) + " --session " + ShellQuoted(sessionDir)) + " --pane '#{pane_id}'" +
         FormatEscaped(" --key " + ShellQuoted(key.key) + " --command " + std::to_string(key.command));
}

bool TmuxKeyBindings::Bind(const TmuxHotKeys& keys, const std::string& helperPath, const std::string& sessionDir) {
  if (Bound() || keys.keys.empty() || !InTmux()) return false;
  const std::string file = TmuxRestoreFile(sessionDir);
  // A copy that died left its keys bound: what it saved is the user's own.
  RestoreTmuxKeys(file);
  std::string undo;
  for (const TmuxHotKey& key : keys.keys) undo += "unbind-key -T root " + QuotedKey(key.key) + "\n";
  for (const TmuxHotKey& key : keys.keys) {
    // Unbound keys list nothing (and tmux exits non-zero).
    const platform::OutsideCommandResult listed =
        RunOutsideCommand({"tmux", "list-keys", "-T", "root", TmuxArgumentKey(key.key)}, {}, true, kTmuxTimeoutMs);
    if (listed.Succeeded()) undo += listed.output;
    if (!undo.empty() && undo.back() != '\n') undo += '\n';
  }
  // The file exists before the first binding, so that nothing is ever bound without its undoing.
  if (platform::WriteFileAtomically(file, undo) != 0) return false;
  restoreFile_ = file;
  for (const TmuxHotKey& key : keys.keys) {
    if (!RunOutsideCommand({"tmux", "bind-key", "-T", "root", TmuxArgumentKey(key.key), "run-shell", "-b",
                            TmuxBindingCommand(helperPath, sessionDir, key)},
                           kTmuxTimeoutMs)) {
      Restore();
      return false;
    }
  }
  platform::SetEndSignalCommand({"sh", "-c", "tmux source-file \"$0\" && rm -f \"$0\"", file});
  return true;
}

void TmuxKeyBindings::Restore() {
  if (!Bound()) return;
  platform::SetEndSignalCommand({});
  RestoreTmuxKeys(restoreFile_);
  restoreFile_.clear();
}

}  // namespace lexiv::lookup
