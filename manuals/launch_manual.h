// Opening one manual: read-only in the editor when the editor is registered, else with the
// program the desktop associates with text files.
#pragma once

#include <string>
#include <string_view>

namespace lexiv::manuals {

inline constexpr char kEditorDirectoriesKey[] = "Software\\TKV\\Penra\\Directories";

// What opening a manual starts.
struct ManualOpenCommand {
  std::string program;     // the editor's path, or the manual's path in double quotes
  std::string parameters;  // "/endesc /ro \"path\"" for the editor; empty for the association
};

// The editor is ProductDir joined with ProductFile of the editor's Directories key: the machine's
// key first; when its ProductDir is missing or empty, the user's, and ProductFile is read from the
// key the directory came from. Without both values the manual goes to its association.
ManualOpenCommand ManualOpenCommandFor(std::string_view manualPath);

// Starts what ManualOpenCommandFor names through the platform's program start (on a terminal in
// tmux, the editor opens in a new tmux window). True when it started.
bool LaunchManual(std::string_view manualPath);

}  // namespace lexiv::manuals
