// Starting another program, and opening a file with the program the desktop associates with it.
//
// Our own platform programs (executables in the running program's directory, the directory of
// /proc/self/exe) need a terminal. Started from a program inside tmux, one opens in a new tmux
// window (`tmux new-window`, with LEXIV_SESSION_DIR, LEXIV_REGISTRY_DIR and VOXA_LOG passed on, so
// it joins the same session); outside tmux, where a desktop is ($DISPLAY or $WAYLAND_DISPLAY), in
// a terminal emulator window (`x-terminal-emulator -e`); otherwise it borrows this program's
// terminal until it ends (the terminal driver lends it: see SetTerminalLender).
//
// Other programs are started detached: in their own session, with standard input and output on
// /dev/null (so a started tool never writes into our terminal), and never waited for. Nothing
// goes through a shell, so no argument is ever interpreted. A start reports failure when the
// program cannot be found or executed; what the program does afterwards is its own affair.
// Arguments are program text (Shift-JIS) and are converted to the file system's spelling.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"

namespace lexiv::platform {

// A command line split into arguments by the rules of the Windows C runtime: blanks separate
// arguments outside double quotes; 2n backslashes before a quote give n backslashes and the
// quote opens or closes quoting, 2n+1 give n backslashes and a literal quote; other backslashes
// are literal; "" inside quotes is a literal quote. The first argument, the program, ends at the
// next blank or closing quote with no backslash rule. Double-byte characters are taken whole, so
// a trail byte 0x5C is never a backslash.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
// The same rules applied to arguments only (the parameter text given with a program).
std::vector<std::string> SplitArguments(std::string_view argumentText);

// Starts arguments[0] (looked up along PATH when it has no '/') with the arguments.
// Returns 0 when it started, -1 when it could not be (also for an empty vector).
int StartProgram(const std::vector<std::string>& arguments);
int StartProgramWithCommandLine(std::string_view commandLine);

// Opens an existing file (or directory): with xdg-open where a desktop is; otherwise with the
// first of $VISUAL, $EDITOR and $PAGER that is set, on the terminal as a platform program would
// be; with xdg-open when none is set. Returns 0 when the opener started, -1 when the file does
// not exist or the opener could not be started.
int OpenWithAssociatedProgram(std::string_view path);

// The directory of the running program's executable (program text, ending in '/'); the
// platform programs are the executables there.
std::string PlatformProgramDirectory();
// The platform program that name or path stands for (a bare name is looked for in that
// directory; a name ending in ".exe" that does not exist, without the extension); empty when it
// is none.
std::string FindPlatformProgram(std::string_view nameOrPath);

// Runs a program on this program's own terminal until it ends, answering what the session sends
// meanwhile, and gives the screen back afterwards; returns 0 when it ran, -1 when it could not
// start. The terminal driver sets one while its screen is open (an empty function removes it);
// without one, a program that would borrow the terminal is started detached.
using TerminalLender = std::function<int(const std::vector<std::string>& arguments)>;
void SetTerminalLender(TerminalLender lender);

// For the headless driver and tests: every start goes through the starter, which receives the
// arguments as program text and returns 0 or -1. An empty function restores real starting.
using ProgramStarter = std::function<int(const std::vector<std::string>& arguments)>;
void ReplaceProgramStarter(ProgramStarter starter);

// Results of ShellExecuteA below 33 are errors.
constexpr std::intptr_t SE_ERR_FNF = 2;
constexpr std::intptr_t SE_ERR_NOASSOC = 31;
constexpr std::intptr_t kShellExecuteSucceeded = 33;

// Opens file (one pair of surrounding double quotes is removed; a name ending in ".exe" that does
// not exist is looked for without the extension): a platform program, an executable file, or a
// bare name found along PATH, is started with the parameters split by SplitArguments; any other
// existing file is opened with its associated program and the parameters are ignored. Only the
// default verb (null or "open") is offered; owner, directory and showCommand are ignored, since
// started programs have windows of their own. Returns kShellExecuteSucceeded, SE_ERR_FNF when
// the file or program is missing or cannot be started, or SE_ERR_NOASSOC for another verb or
// when no opener could be started.
std::intptr_t ShellExecuteA(HWND ownerWindow, const char* operation, const char* file,
                            const char* parameters, const char* directory, int showCommand);

}  // namespace lexiv::platform
