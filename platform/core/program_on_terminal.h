// A program run on this program's own terminal until it ends: the way a platform program is
// started where neither tmux nor a desktop can give it a terminal of its own. The driver gives up
// its screen first (Driver::SuspendScreen) and redraws after (ResumeScreen); the started program
// gets the terminal's foreground (its own process group, so that Ctrl+C reaches it and not us).
// Meanwhile this program keeps answering what the session sends it: a started program's
// keyboard hook sends to the dictionary on every key, and would wait a second a key otherwise.
#pragma once

#include <string>
#include <vector>

namespace lexiv::platform {

// arguments[0] is a path or a name along PATH (program text). 0 when it ran, -1 when it could not
// be started (nothing was suspended then for long: the screen comes back at once).
int RunProgramOnThisTerminal(const std::vector<std::string>& arguments);

}  // namespace lexiv::platform
