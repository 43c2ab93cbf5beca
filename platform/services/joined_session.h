// The session this process joined, for the services that keep their state in it (named shared
// blocks, reading other programs' memory, the clipboard). Joining (core/session.h) sets it and
// leaving clears it; outside a session it is null and those services act for this process alone.
#pragma once

#include <string>

namespace lexiv::platform {

class SessionTable;

struct JoinedSession {
  SessionTable* table = nullptr;
  int slot = -1;           // this program's member slot in the table
  std::string directory;   // the session directory
};

// The joined session; table is null when the process runs alone.
const JoinedSession& CurrentSession();
void SetCurrentSession(const JoinedSession& session);

}  // namespace lexiv::platform
