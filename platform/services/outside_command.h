// Running a program of the system for its answer (tmux, a clipboard tool): no shell, its standard
// input fed from a text, its output collected, and a time-out after which it is killed, so a tool
// that hangs never holds up the program that asked.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lexiv::platform {

// What the program wrote on stdout when it exited with status 0 within timeoutMs; nothing when it
// could not be started, failed, or took too long. stdin: bytes to feed its standard input.
std::optional<std::string> RunOutsideCommand(const std::vector<std::string>& arguments, int timeoutMs,
                                             const std::string& stdinText = {});

}  // namespace lexiv::platform
