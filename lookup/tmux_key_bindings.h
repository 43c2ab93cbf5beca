// The dictionary's hot keys bound in tmux's root key table, and put back. Binding first saves
// what each key was bound to, as tmux lists it, into a file of tmux commands in the session
// directory that undoes everything: the keys unbound, the saved bindings bound again. Restoring
// sources that file and removes it. The same file serves when the dictionary cannot: a signal
// that ends it (the command is left with the platform), the pane helper that finds no dictionary
// behind a binding, and the next start, which puts back what a copy that died left bound before
// it saves anything.
#pragma once

#include <string>
#include <vector>

#include "lookup/tmux_hot_keys.h"

namespace lexiv::lookup {

// A key as an argument of a tmux command line ("C-S-F11"; ";" escaped, which would end a command).
std::string TmuxArgumentKey(const std::string& key);

// The file of tmux commands that undoes the bindings of the dictionary of this session in the
// tmux server of TMUX ("tmux-keys-SERVER.conf" in the session directory).
std::string TmuxRestoreFile(const std::string& sessionDir);

// Puts back what the file records and removes it; false when there is no file or tmux refuses.
bool RestoreTmuxKeys(const std::string& restoreFile);

// The command a binding runs: the pane helper with the session directory, the pane that had the
// key, the key (to hand it on) and the lookup command. Quoted for the shell of tmux's run-shell,
// and with '#' doubled where it is ours, so that only #{pane_id} is expanded.
std::string TmuxBindingCommand(const std::string& helperPath, const std::string& sessionDir,
                               const TmuxHotKey& key);

class TmuxKeyBindings {
 public:
  TmuxKeyBindings() = default;
  ~TmuxKeyBindings() { Restore(); }
  TmuxKeyBindings(const TmuxKeyBindings&) = delete;
  TmuxKeyBindings& operator=(const TmuxKeyBindings&) = delete;

  // Inside tmux (TMUX set, tmux along PATH): binds the keys to run helperPath. False, with
  // nothing left bound, outside tmux, without keys, or when tmux refuses a binding.
  bool Bind(const TmuxHotKeys& keys, const std::string& helperPath, const std::string& sessionDir);
  // Puts back exactly the bindings the keys had; does nothing the second time.
  void Restore();
  bool Bound() const { return !restoreFile_.empty(); }

 private:
  std::string restoreFile_;
};

}  // namespace lexiv::lookup
