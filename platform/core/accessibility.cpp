#include "platform/core/accessibility.h"

#include <vector>

#include "platform/core/focus.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

AccessSubscription::AccessSubscription(AccessListener listener) {
  UiThread& ui = Ui();
  id_ = ui.nextRegistrationId++;
  ui.accessListeners[id_] = std::move(listener);
}

AccessSubscription::~AccessSubscription() {
  if (UiThread* ui = UiThread::Current()) ui->accessListeners.erase(id_);
}

void RaiseAccessEvent(const AccessEvent& event) {
  std::vector<AccessListener> listeners;
  for (const auto& [id, listener] : Ui().accessListeners) listeners.push_back(listener);
  for (const auto& listener : listeners) listener(event);
}

AccessEvent DescribeForAccess(AccessEventKind kind, HWND hwnd) {
  AccessEvent event;
  event.kind = kind;
  event.hwnd = hwnd;
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return event;
  event.role = w->AccessRole();
  event.name = WindowText(hwnd);
  event.state = w->AccessState();
  if (!IsWindowEnabled(hwnd)) event.state |= STATE_SYSTEM_UNAVAILABLE;
  if (!IsWindowVisible(hwnd)) event.state |= STATE_SYSTEM_INVISIBLE;
  if (GetFocus() == hwnd) event.state |= STATE_SYSTEM_FOCUSED;
  event.value = w->AccessValue();
  return event;
}

}  // namespace lexiv::platform
