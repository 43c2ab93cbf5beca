#include "platform/headless/screen_model.h"

#include <vector>

#include "platform/core/focus.h"
#include "platform/core/menu.h"
#include "platform/core/menu_loop.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

namespace {

void DescribeTree(HWND hwnd, int depth, std::string& out) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return;
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  out += indent + ClassNameOf(hwnd);
  if (const int id = GetDlgCtrlID(hwnd)) out += " #" + std::to_string(id);
  out += " \"" + WindowText(hwnd) + "\"";
  const LPARAM style = GetWindowLong(hwnd, GWL_STYLE);
  if (!(style & WS_VISIBLE)) out += " [hidden]";
  if (style & WS_DISABLED) out += " [disabled]";
  if (GetFocus() == hwnd) out += " [focus]";
  if (GetActiveWindow() == hwnd) out += " [active]";
  if (IsIconic(hwnd)) out += " [minimized]";
  if (IsZoomed(hwnd)) out += " [maximized]";
  out += '\n';
  std::vector<std::string> lines;
  w->DescribeContents(lines);
  for (const std::string& line : lines) out += indent + "  | " + line + '\n';
  for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) DescribeTree(c, depth + 1, out);
}

void DescribeItems(HMENU menu, int highlighted, const std::string& indent, std::string& out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT state = MenuItemFlags(menu, i);
    out += indent + (i == highlighted ? "> " : "  ");
    if (state & MF_SEPARATOR) {
      out += "----\n";
      continue;
    }
    if (state & MF_CHECKED) out += (state & MFT_RADIOCHECK) ? "(o) " : "[x] ";
    out += MenuItemLabel(menu, i);
    if (state & MF_POPUP) out += " >>";
    if (state & (MF_GRAYED | MF_DISABLED)) out += " (gray)";
    out += '\n';
  }
}

}  // namespace

std::string DescribeWindow(HWND hwnd) {
  std::string out;
  DescribeTree(hwnd, 0, out);
  return out;
}

std::string DescribeScreen() {
  std::string out;
  for (HWND h = GetTopWindow(HWND{}); h; h = GetWindow(h, GW_HWNDNEXT)) DescribeTree(h, 0, out);
  out += DescribeMenuLoop();
  return out;
}

std::string DescribeMenu(HMENU menu) {
  std::string out;
  DescribeItems(menu, -1, "", out);
  return out;
}

std::string DescribeMenuLoop() {
  MenuLoopView view;
  if (!CurrentMenuLoop(&view)) return {};
  std::string out = "menu:\n";
  for (std::size_t level = 0; level < view.openMenus.size(); ++level)
    DescribeItems(view.openMenus[level], view.highlighted[level], std::string((level + 1) * 2, ' '), out);
  return out;
}

}  // namespace lexiv::platform
