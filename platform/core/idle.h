// The idle pass: run by the message loops each time the queue has become empty, before they
// wait. Frames use it to refresh their toolbars' enable rules (WM_IDLEUPDATECMDUI).
#pragma once

#include <functional>

namespace lexiv::platform {

// Registers an idle handler for the life of the object.
class IdleHandler {
 public:
  explicit IdleHandler(std::function<void()> handler);
  ~IdleHandler();
  IdleHandler(const IdleHandler&) = delete;
  IdleHandler& operator=(const IdleHandler&) = delete;

 private:
  int id_;
};

void RunIdlePass();

}  // namespace lexiv::platform
