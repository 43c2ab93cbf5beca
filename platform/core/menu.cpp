#include "platform/core/menu.h"

#include <cctype>
#include <cstring>

#include "platform/core/menu_data.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/core/window_internals.h"

namespace lexiv::platform {

namespace {

constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MFT_RADIOCHECK;
constexpr UINT kNoItem = 0xFFFFFFFF;

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

HMENU NewMenu(bool isBar) {
  UiThread& ui = Ui();
  const std::uint32_t h = ui.NewHandle();
  auto data = std::make_unique<MenuData>();
  data->isBar = isBar;
  ui.menus[h] = std::move(data);
  return HMENU{h};
}

// The item an (item, flags) pair names: by position in menu, or by command anywhere below it.
MenuItemData* Locate(HMENU menu, UINT item, UINT flags, HMENU* holder = nullptr, int* position = nullptr) {
  MenuData* data = MenuFromHandle(menu);
  if (data == nullptr) return nullptr;
  if (flags & MF_BYPOSITION) {
    if (item >= data->items.size()) return nullptr;
    if (holder != nullptr) *holder = menu;
    if (position != nullptr) *position = static_cast<int>(item);
    return &data->items[item];
  }
  HMENU found;
  int at = -1;
  if (!FindMenuCommand(menu, item, &found, &at, nullptr)) return nullptr;
  if (holder != nullptr) *holder = found;
  if (position != nullptr) *position = at;
  return &MenuFromHandle(found)->items[static_cast<std::size_t>(at)];
}

}  // namespace

MenuData* MenuFromHandle(HMENU menu) {
  UiThread* ui = UiThread::Current();
  if (ui == nullptr || !menu) return nullptr;
  auto it = ui->menus.find(menu.value);
  return it == ui->menus.end() ? nullptr : it->second.get();
}

HMENU CreateMenu() { return NewMenu(true); }
HMENU CreatePopupMenu() { return NewMenu(false); }

BOOL DestroyMenu(HMENU menu) {
  MenuData* data = MenuFromHandle(menu);
  if (data == nullptr) return FALSE;
  std::vector<HMENU> popups;
  for (const MenuItemData& item : data->items)
    if (item.flags & MF_POPUP) popups.push_back(item.popup);
  Ui().menus.erase(menu.value);
  for (HMENU popup : popups) DestroyMenu(popup);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return MenuFromHandle(menu) != nullptr ? TRUE : FALSE; }

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, const char* text) {
  MenuData* data = MenuFromHandle(menu);
  if (data == nullptr) return FALSE;
  MenuItemData item;
  item.flags = flags & (kStateFlags | MF_POPUP | MF_SEPARATOR);
  if (flags & MF_POPUP) {
    item.popup = HmenuFromParam(idOrPopup);
    if (!IsMenu(item.popup)) return FALSE;
  } else if (!(flags & MF_SEPARATOR)) {
    item.id = static_cast<UINT>(idOrPopup);
  }
  if (text != nullptr && !(flags & MF_SEPARATOR)) item.text = text;
  data->items.push_back(std::move(item));
  return TRUE;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr || WindowInternals::Parent(*w) != nullptr) return FALSE;
  if (menu && !IsMenu(menu)) return FALSE;
  WindowInternals::Menu(*w) = menu;
  return TRUE;
}

HMENU GetMenu(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w != nullptr ? WindowInternals::Menu(*w) : HMENU{};
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
  (void)revert;
  if (!IsWindow(hwnd)) return HMENU{};
  UiThread& ui = Ui();
  auto it = ui.systemMenus.find(hwnd.value);
  if (it != ui.systemMenus.end()) return it->second;
  const HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, SC_RESTORE, "元のサイズに戻す(&R)");
  AppendMenu(menu, MF_STRING, SC_MINIMIZE, "最小化(&N)");
  AppendMenu(menu, MF_STRING, SC_MAXIMIZE, "最大化(&X)");
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(menu, MF_STRING, SC_CLOSE, "閉じる(&C)\tAlt+F4");
  ui.systemMenus[hwnd.value] = menu;
  return menu;
}

BOOL DrawMenuBar(HWND hwnd) { return IsWindow(hwnd); }

int GetMenuItemCount(HMENU menu) {
  MenuData* data = MenuFromHandle(menu);
  return data != nullptr ? static_cast<int>(data->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  MenuData* data = MenuFromHandle(menu);
  if (data == nullptr || position < 0 || static_cast<std::size_t>(position) >= data->items.size()) return kNoItem;
  const MenuItemData& item = data->items[static_cast<std::size_t>(position)];
  return (item.flags & MF_POPUP) ? kNoItem : item.id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  MenuData* data = MenuFromHandle(menu);
  if (data == nullptr || position < 0 || static_cast<std::size_t>(position) >= data->items.size()) return HMENU{};
  const MenuItemData& item = data->items[static_cast<std::size_t>(position)];
  return (item.flags & MF_POPUP) ? item.popup : HMENU{};
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  MenuItemData* data = Locate(menu, item, flags);
  if (data == nullptr) return kNoItem;
  UINT state = data->flags & (kStateFlags | MF_POPUP | MF_SEPARATOR);
  if (data->flags & MF_POPUP) state |= static_cast<UINT>(GetMenuItemCount(data->popup) & 0xFF) << 8;
  return state;
}

UINT MenuItemFlags(HMENU menu, int position) {
  MenuData* data = MenuFromHandle(menu);
  if (data == nullptr || position < 0 || static_cast<std::size_t>(position) >= data->items.size()) return kNoItem;
  return data->items[static_cast<std::size_t>(position)].flags;
}

int GetMenuString(HMENU menu, UINT item, char* buffer, int size, UINT flags) {
  MenuItemData* data = Locate(menu, item, flags);
  if (data == nullptr) return 0;
  if (buffer == nullptr || size <= 0) return static_cast<int>(data->text.size());
  std::size_t n = 0;
  while (n < data->text.size()) {
    const std::size_t step = IsLeadByte(static_cast<unsigned char>(data->text[n])) && n + 1 < data->text.size() ? 2 : 1;
    if (n + step > static_cast<std::size_t>(size) - 1) break;
    n += step;
  }
  std::memcpy(buffer, data->text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

UINT EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  MenuItemData* data = Locate(menu, item, flags);
  if (data == nullptr) return kNoItem;
  const UINT previous = data->flags & (MF_GRAYED | MF_DISABLED);
  data->flags = (data->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return previous;
}

UINT CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  MenuItemData* data = Locate(menu, item, flags);
  if (data == nullptr) return kNoItem;
  const UINT previous = data->flags & MF_CHECKED;
  data->flags = (data->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
  return previous;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  HMENU holder;
  int checkPosition = -1;
  if (Locate(menu, check, flags, &holder, &checkPosition) == nullptr) return FALSE;
  MenuData* data = MenuFromHandle(holder);
  for (std::size_t i = 0; i < data->items.size(); ++i) {
    MenuItemData& item = data->items[i];
    const UINT key = (flags & MF_BYPOSITION) ? static_cast<UINT>(i) : item.id;
    if ((item.flags & (MF_POPUP | MF_SEPARATOR)) || key < first || key > last) continue;
    if (static_cast<int>(i) == checkPosition)
      item.flags |= MF_CHECKED | MFT_RADIOCHECK;
    else
      item.flags &= ~(MF_CHECKED | MFT_RADIOCHECK);
  }
  return TRUE;
}

BOOL ModifyMenuText(HMENU menu, UINT item, UINT flags, const char* text) {
  MenuItemData* data = Locate(menu, item, flags);
  if (data == nullptr) return FALSE;
  data->text = text != nullptr ? text : "";
  return TRUE;
}

bool FindMenuCommand(HMENU menu, UINT id, HMENU* holder, int* position, std::vector<int>* path) {
  MenuData* data = MenuFromHandle(menu);
  if (data == nullptr) return false;
  for (std::size_t i = 0; i < data->items.size(); ++i) {
    const MenuItemData& item = data->items[i];
    if (item.flags & MF_POPUP) {
      if (path != nullptr) path->push_back(static_cast<int>(i));
      if (FindMenuCommand(item.popup, id, holder, position, path)) return true;
      if (path != nullptr) path->pop_back();
    } else if (!(item.flags & MF_SEPARATOR) && item.id == id) {
      if (holder != nullptr) *holder = menu;
      if (position != nullptr) *position = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

std::string MenuItemLabel(HMENU menu, int position) {
  MenuData* data = MenuFromHandle(menu);
  if (data == nullptr || position < 0 || static_cast<std::size_t>(position) >= data->items.size()) return {};
  const std::string& text = data->items[static_cast<std::size_t>(position)].text;
  std::string label;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c) && i + 1 < text.size()) {
      label += text.substr(i, 2);
      ++i;
      continue;
    }
    if (c == '\t') break;
    if (c == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') {
        label += '&';
        ++i;
      }
      continue;
    }
    label += static_cast<char>(c);
  }
  return label;
}

char MenuItemMnemonic(HMENU menu, int position) {
  MenuData* data = MenuFromHandle(menu);
  if (data == nullptr || position < 0 || static_cast<std::size_t>(position) >= data->items.size()) return 0;
  const std::string& text = data->items[static_cast<std::size_t>(position)].text;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c)) {
      ++i;
      continue;
    }
    if (c == '\t') return 0;
    if (c == '&') {
      if (text[i + 1] == '&') {
        ++i;
        continue;
      }
      const unsigned char m = static_cast<unsigned char>(text[i + 1]);
      return m < 0x80 ? static_cast<char>(std::toupper(m)) : 0;
    }
  }
  return 0;
}

}  // namespace lexiv::platform
