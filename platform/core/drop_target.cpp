#include "platform/core/drop_target.h"

#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

const std::string& DataObject::Get(UINT format) const {
  static const std::string empty;
  auto it = formats_.find(format);
  return it == formats_.end() ? empty : it->second;
}

int RegisterDragDrop(HWND hwnd, DropTarget* target) {
  if (!IsWindow(hwnd) || target == nullptr) return -1;
  Ui().dropTargets[hwnd.value] = target;
  return 0;
}

int RevokeDragDrop(HWND hwnd) { return Ui().dropTargets.erase(hwnd.value) != 0 ? 0 : -1; }

DWORD DropData(HWND hwnd, const DataObject& data, DWORD allowedEffects) {
  UiThread& ui = Ui();
  for (HWND h = hwnd; h; h = GetParent(h)) {
    auto it = ui.dropTargets.find(h.value);
    if (it == ui.dropTargets.end()) continue;
    DropTarget* target = it->second;
    const DWORD effect = target->DragEnter(data, allowedEffects) & allowedEffects;
    if (effect == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    return target->Drop(data, effect);
  }
  return DROPEFFECT_NONE;
}

}  // namespace lexiv::platform
