// One command a program leaves behind for the case that a signal ends it (SIGTERM, SIGHUP and the
// others the terminal driver catches): what it changed outside itself and would have undone at
// an orderly exit (the dictionary's tmux key bindings) is undone by the command instead. The
// command is prepared when it is set, so that running it from the signal handler only forks,
// execs and waits.
#pragma once

#include <string>
#include <vector>

namespace lexiv::platform {

// arguments[0] is looked up along PATH now; false (and no command) when it cannot be found.
// Empty arguments clear the command.
bool SetEndSignalCommand(const std::vector<std::string>& arguments);
// Async-signal-safe: runs the command, if any, waits at most about a second for it, and forgets it.
void RunEndSignalCommand();

}  // namespace lexiv::platform
