// The lookup from a tmux pane that runs none of our programs: what the dictionary's binding in
// tmux's root key table runs when a hot key is pressed (lexiv-pane-lookup). It does for the pane
// what the hook library does for a control: the text at the pane's cursor, the copy-mode
// selection, or the newest tmux buffer, sent to the dictionary with the window that stands for
// the pane, so that the dictionary's Escape brings that pane forward again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lexiv::hook {

struct PaneLookupArguments {
  std::string sessionDir;
  std::string pane;     // "%3"
  std::string key;      // the tmux key that was pressed, to hand on
  std::uint32_t command = 0;  // 100 the caret or selection, 101 the clipboard
};

// --session DIR --pane %N --key KEY --command 100|101; nothing when one is missing or wrong.
std::optional<PaneLookupArguments> ParsePaneLookupArguments(const std::vector<std::string>& arguments);

// Runs the lookup in this program (a member of the session it joins). The key goes on to the pane
// unchanged when the pane runs a program of ours (whose hook library does the lookup) and when no
// dictionary is reachable (then the bindings it left are put back too). Returns the exit status.
int RunPaneLookup(const PaneLookupArguments& arguments);

}  // namespace lexiv::hook
