// Short commands of the desktop run on our behalf (tmux, wl-copy, xclip ...), each bounded by a
// time-out so that a hung tool never hangs the program: past it the command's process group is
// killed and the run counts as failed. Arguments go to execvp, never through a shell. Standard
// error goes to /dev/null; standard output is read only when asked for (a tool that leaves a
// process behind to serve the clipboard would otherwise hold the pipe open).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexiv::platform {

struct OutsideCommandResult {
  bool finished = false;  // it ran and ended within the time-out
  int exitStatus = -1;    // its exit status when it ended normally
  std::string output;     // its standard output, when asked for (at most 16 MiB)
  bool Succeeded() const { return finished && exitStatus == 0; }
};

// Runs arguments (file-system spelling) with input on its standard input.
OutsideCommandResult RunOutsideCommand(const std::vector<std::string>& arguments, std::string_view input,
                                       bool captureOutput, int timeoutMs);
// For a tool asked for its answer: what it wrote on stdout when it exited with status 0 within
// timeoutMs; nothing when it could not be started, failed, or took too long.
std::optional<std::string> RunOutsideCommand(const std::vector<std::string>& arguments, int timeoutMs,
                                             const std::string& stdinText = {});

// An executable file of that name lies along PATH (or at that path, for a name with a '/').
bool CommandIsAvailable(const std::string& name);

}  // namespace lexiv::platform
