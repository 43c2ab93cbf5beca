// The messages of lexiv-session-peer, registered by name. The peer and the tests (and the session
// benchmark) that drive it take them from here, so a name cannot differ between the two sides.
// Make them after joining the session: a name registered before joining gets a number of its own.
#pragma once

#include "platform/core/session.h"
#include "platform/win_types.h"

namespace lexiv::testing {

using platform::RegisterWindowMessage;
using platform::UINT;

// Messages, windows, hooks and the foreground.
struct PeerMessages {
  UINT echo = RegisterWindowMessage("PEER_ECHO");
  UINT hang = RegisterWindowMessage("PEER_HANG");
  UINT call = RegisterWindowMessage("PEER_CALL");
  UINT at = RegisterWindowMessage("PEER_AT");
  UINT note = RegisterWindowMessage("PEER_NOTE");
  UINT quit = RegisterWindowMessage("PEER_QUIT");
  UINT check = RegisterWindowMessage("WLKP_CHECKCMDKEY");
  UINT type = RegisterWindowMessage("PEER_TYPE");
  UINT hook = RegisterWindowMessage("PEER_HOOK");
  UINT timeKeys = RegisterWindowMessage("PEER_TIMEKEYS");
  UINT front = RegisterWindowMessage("PEER_FRONT");
};

// Shared services: named blocks, memory read by others, the clipboard, atoms.
struct ServiceMessages {
  UINT blockCreate = RegisterWindowMessage("PEER_BLOCK_CREATE");
  UINT blockOpen = RegisterWindowMessage("PEER_BLOCK_OPEN");
  UINT blockWrite = RegisterWindowMessage("PEER_BLOCK_WRITE");
  UINT blockRead = RegisterWindowMessage("PEER_BLOCK_READ");
  UINT blockClose = RegisterWindowMessage("PEER_BLOCK_CLOSE");
  UINT lookupMe = RegisterWindowMessage("PEER_LOOKUP_ME");
  UINT lookup = RegisterWindowMessage("PEER_LOOKUP");
  UINT clipSet = RegisterWindowMessage("PEER_CLIP_SET");
  UINT clipGet = RegisterWindowMessage("PEER_CLIP_GET");
  UINT atomAdd = RegisterWindowMessage("PEER_ATOM_ADD");
};

}  // namespace lexiv::testing
