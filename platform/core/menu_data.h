// The contents of a menu behind its handle (kept by the thread, read by the menu functions, the
// menu loop and the screen model).
#pragma once

#include <string>
#include <vector>

#include "platform/win_types.h"

namespace lexiv::platform {

struct MenuItemData {
  UINT flags = 0;  // MF_ state and type flags (MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED, ...)
  UINT id = 0;     // command id (0 for popups and separators)
  HMENU popup;     // with MF_POPUP
  std::string text;
};

struct MenuData {
  bool isBar = false;
  std::vector<MenuItemData> items;
};

// The data behind a handle, null when it names no menu.
MenuData* MenuFromHandle(HMENU menu);

}  // namespace lexiv::platform
