#include "platform/services/joined_session.h"

namespace lexiv::platform {

namespace {
JoinedSession g_session;
}  // namespace

const JoinedSession& CurrentSession() { return g_session; }

void SetCurrentSession(const JoinedSession& session) { g_session = session; }

}  // namespace lexiv::platform
