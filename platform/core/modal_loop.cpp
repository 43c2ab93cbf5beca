#include "platform/core/modal_loop.h"

#include "platform/core/idle.h"
#include "platform/core/messages.h"
#include "platform/core/window_internals.h"

namespace lexiv::platform {

int ModalLoop::Run() {
  running_ = true;
  bool idleDue = true;
  while (!ended_) {
    if (idleDue && !QueueHasWaitingMessage()) {
      RunIdlePass();
      idleDue = false;
      continue;
    }
    Msg msg;
    const int got = GetMessage(&msg, HWND{}, 0, 0);
    if (got <= 0) {
      // The loop outside must see the quit request too.
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      result_ = -1;
      break;
    }
    ProcessMessage(msg);
    idleDue = true;
  }
  running_ = false;
  ended_ = false;
  return result_;
}

void ModalLoop::End(int result) {
  result_ = result;
  ended_ = true;
}

}  // namespace lexiv::platform
