// The lines a program must report on its own (a module it could not load, a session it could not
// join). While a terminal program's screen is open, stderr is the screen, so a line written there
// would be drawn over and lost: each line goes to the program's log file in the session directory
// (NAME.log, kept under 64 KiB by moving a full file to NAME.log.old), and to stderr, at once
// when no screen is open, or when the screen closes.
#pragma once

#include <string>
#include <vector>

namespace lexiv::platform {

// Names the program's log (its program name) and the directory it lives in; an empty directory
// keeps lines off any file (a program that joined no session).
void SetProgramLog(const std::string& programName, const std::string& directory);
// The path of the log file; empty when none.
std::string ProgramLogPath();

// One line, without its line break.
void ReportToLog(const std::string& line);

// The terminal driver brackets the time its screen is open: lines reported meanwhile reach
// stderr when it closes.
void SetScreenOpen(bool open);

// For tests: the lines still waiting for the screen to close.
std::vector<std::string> LogLinesWaitingForStderr();

}  // namespace lexiv::platform
