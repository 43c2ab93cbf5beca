#include "platform/core/command_target.h"

namespace lexiv::platform {

const MessageMap& CommandTarget::ClassMessageMap() {
  static const MessageMap map(nullptr);
  return map;
}

bool CommandTarget::OnCmdMsg(UINT id, UINT code, HWND control) { return RunOwnCommand(id, code, control); }
bool CommandTarget::OnUpdateCmdUI(CommandUI& ui) { return RunOwnUpdate(ui); }
bool CommandTarget::HasCommandHandler(UINT id) const { return HasOwnCommandHandler(id); }

bool CommandTarget::RunOwnCommand(UINT id, UINT code, HWND control) {
  for (const MessageMap* map = &GetMessageMap(); map != nullptr; map = map->Base()) {
    if (const MapEntry* entry = map->FindCommand(id, code, static_cast<bool>(control))) {
      entry->handler(*this, id, ToLParam(control));
      return true;
    }
  }
  return false;
}

bool CommandTarget::RunOwnUpdate(CommandUI& ui) {
  for (const MessageMap* map = &GetMessageMap(); map != nullptr; map = map->Base()) {
    if (const MapEntry* entry = map->FindUpdate(ui.Id())) {
      ui.handled = true;
      entry->handler(*this, ui.Id(), reinterpret_cast<LPARAM>(&ui));
      return true;
    }
  }
  return false;
}

bool CommandTarget::HasOwnCommandHandler(UINT id) const {
  for (const MessageMap* map = &GetMessageMap(); map != nullptr; map = map->Base()) {
    if (map->FindCommand(id, 0, false) != nullptr) return true;
  }
  return false;
}

}  // namespace lexiv::platform
