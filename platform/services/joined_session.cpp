#include "platform/services/joined_session.h"

#include <unistd.h>

#include "platform/services/session_table.h"
#include "platform/services/shared_block_file.h"

namespace lexiv::platform {

namespace {
JoinedSession g_session;
}  // namespace

const JoinedSession& CurrentSession() { return g_session; }

void SetCurrentSession(const JoinedSession& session) {
  g_session = session;
  // Whichever program notices that the last holder of a named block died removes its file.
  if (session.table != nullptr && !session.table->onBlockFreed) {
    const std::string dir = session.directory;
    session.table->onBlockFreed = [dir](const std::string& name) { unlink(SharedBlockPath(dir, name).c_str()); };
  }
}

}  // namespace lexiv::platform
