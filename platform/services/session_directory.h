// The directory that every platform program of one user shares: the session table, each
// program's socket, named shared blocks, the clipboard and the programs' logs live there.
//
// Where: $LEXIV_SESSION_DIR when set (tests give each test its own), else $XDG_RUNTIME_DIR/lexiv,
// else /tmp/lexiv-UID. It is created with mode 0700. A directory that is a symbolic link, is not
// owned by this user, or is open to the group or others is refused: another user could otherwise
// read what our programs exchange or plant sockets for them to talk to.
#pragma once

#include <optional>
#include <string>

namespace lexiv::platform {

// The path the rules above give, whether or not it exists yet (file-system spelling, UTF-8).
std::string SessionDirectoryLocation();

// Creates the directory if needed and checks it. The path, or nothing with the reason (a whole
// sentence naming the directory) in *problem.
std::optional<std::string> OpenSessionDirectory(std::string* problem);

}  // namespace lexiv::platform
