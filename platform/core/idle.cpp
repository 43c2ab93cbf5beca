#include "platform/core/idle.h"

#include <vector>

#include "platform/core/ui_thread.h"

namespace lexiv::platform {

IdleHandler::IdleHandler(std::function<void()> handler) {
  UiThread& ui = Ui();
  id_ = ui.nextRegistrationId++;
  ui.idleHandlers[id_] = std::move(handler);
}

IdleHandler::~IdleHandler() {
  if (UiThread* ui = UiThread::Current()) ui->idleHandlers.erase(id_);
}

void RunIdlePass() {
  std::vector<int> ids;
  for (const auto& [id, handler] : Ui().idleHandlers) ids.push_back(id);
  for (int id : ids) {
    // A handler may remove others (a frame destroyed in the pass).
    auto it = Ui().idleHandlers.find(id);
    if (it == Ui().idleHandlers.end()) continue;
    auto handler = it->second;
    handler();
  }
}

}  // namespace lexiv::platform
