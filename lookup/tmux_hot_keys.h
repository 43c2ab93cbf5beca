// The hot keys of LEXIV.INI as tmux key names, for programs that are not ours: inside tmux the
// dictionary binds them in tmux's root key table, so that they fire in every pane of the server.
// tmux bindings are exact while the hot-key test accepts more modifiers than the configured
// ones, so each configured combination is bound with every superset of it among Shift, Ctrl and
// Alt. Nothing here runs tmux.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lookup/hot_key_config.h"

namespace lexiv::lookup {

struct TmuxHotKey {
  std::string key;        // tmux's name, with its modifiers: "C-S-F11"
  std::uint32_t command;  // kCaretLookupCommand or kClipboardLookupCommand
};

struct TmuxHotKeys {
  std::vector<TmuxHotKey> keys;
  // The configured names tmux has no key for (NFER, XFER, EQUAL, SEPARATOR, F13-F15, and the
  // modifier keys themselves), or "ModifyKey" when a modifier is not Shift, Ctrl or Alt (then
  // nothing is bound).
  std::vector<std::string> skipped;
};

TmuxHotKeys TmuxHotKeysOf(const HotKeyConfig& config);

// tmux's name of a virtual key without modifiers; empty when tmux has none.
std::string TmuxKeyName(std::uint32_t virtualKey);

}  // namespace lexiv::lookup
