#include "platform/core/accelerators.h"

#include "platform/core/input.h"
#include "platform/core/menu.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

namespace {

// Runs the enable rules of the popups that lead to the command; true when the item can be chosen.
bool MenuItemAvailable(HWND hwnd, UINT command) {
  const HMENU bar = GetMenu(hwnd);
  HMENU holder;
  int position = -1;
  std::vector<int> path;
  if (!bar || !FindMenuCommand(bar, command, &holder, &position, &path)) return true;
  SendMessage(hwnd, WM_INITMENU, ToWParam(bar), 0);
  HMENU menu = bar;
  for (int step : path) {
    const HMENU sub = GetSubMenu(menu, step);
    SendMessage(hwnd, WM_INITMENUPOPUP, ToWParam(sub), MAKELPARAM(static_cast<WORD>(step), 0));
    menu = sub;
  }
  // The handlers may have changed the menu: look again.
  path.clear();
  if (!IsWindow(hwnd) || !FindMenuCommand(GetMenu(hwnd), command, &holder, &position, &path)) return true;
  menu = GetMenu(hwnd);
  for (int step : path) {
    if (MenuItemFlags(menu, step) & (MF_GRAYED | MF_DISABLED)) return false;
    menu = GetSubMenu(menu, step);
  }
  return !(MenuItemFlags(holder, position) & (MF_GRAYED | MF_DISABLED));
}

}  // namespace

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count) {
  if (entries == nullptr || count <= 0) return HACCEL{};
  UiThread& ui = Ui();
  const std::uint32_t h = ui.NewHandle();
  ui.acceleratorTables[h] = std::vector<ACCEL>(entries, entries + count);
  return HACCEL{h};
}

BOOL DestroyAcceleratorTable(HACCEL table) { return Ui().acceleratorTables.erase(table.value) != 0 ? TRUE : FALSE; }

std::vector<ACCEL> AcceleratorEntries(HACCEL table) {
  const auto& tables = Ui().acceleratorTables;
  auto it = tables.find(table.value);
  return it == tables.end() ? std::vector<ACCEL>() : it->second;
}

int TranslateAccelerator(HWND hwnd, HACCEL table, const Msg* msg) {
  if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return 0;
  const auto& tables = Ui().acceleratorTables;
  auto it = tables.find(table.value);
  if (it == tables.end()) return 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  for (const ACCEL& entry : it->second) {
    if (!(entry.fVirt & FVIRTKEY) || entry.key != msg->wParam) continue;
    if (((entry.fVirt & FCONTROL) != 0) != ctrl || ((entry.fVirt & FSHIFT) != 0) != shift ||
        ((entry.fVirt & FALT) != 0) != alt)
      continue;
    const WORD command = entry.cmd;
    if (IsWindow(hwnd) && IsWindowEnabled(hwnd) && !IsIconic(hwnd) && MenuItemAvailable(hwnd, command) &&
        IsWindow(hwnd))
      SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    return 1;
  }
  return 0;
}

}  // namespace lexiv::platform
