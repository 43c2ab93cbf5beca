#include "platform/controls/dialog_navigation.h"

#include <algorithm>

#include "platform/core/window_functions.h"

namespace lexiv::platform {

namespace {

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  return children;
}

bool Reachable(HWND hwnd) { return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd); }

// The next candidate after position `from` in `order` (wrapping), -1 start; control itself last.
HWND Step(const std::vector<HWND>& order, int from, bool previous, bool (*wanted)(HWND)) {
  const int count = static_cast<int>(order.size());
  for (int step = 1; step <= count; ++step) {
    int i = 0;
    if (from < 0)
      i = previous ? count - step : step - 1;
    else
      i = ((previous ? from - step : from + step) % count + count) % count;
    if (wanted(order[static_cast<std::size_t>(i)])) return order[static_cast<std::size_t>(i)];
  }
  return HWND{};
}

}  // namespace

HWND DialogChildHolding(HWND dialog, HWND hwnd) {
  for (HWND h = hwnd; h && IsWindow(h); h = GetParent(h)) {
    const HWND parent = GetParent(h);
    if (parent == dialog && (GetWindowLong(h, GWL_STYLE) & WS_CHILD)) return h;
    if (!(GetWindowLong(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return HWND{};
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  const std::vector<HWND> order = ChildrenOf(dialog);
  const HWND child = DialogChildHolding(dialog, control);
  const auto it = std::find(order.begin(), order.end(), child);
  const int from = child && it != order.end() ? static_cast<int>(it - order.begin()) : -1;
  return Step(order, from, previous != FALSE,
              [](HWND h) { return Reachable(h) && (GetWindowLong(h, GWL_STYLE) & WS_TABSTOP) != 0; });
}

std::vector<HWND> ControlGroupOf(HWND control) {
  const HWND parent = GetParent(control);
  if (!parent || !(GetWindowLong(control, GWL_STYLE) & WS_CHILD)) return {control};
  const std::vector<HWND> siblings = ChildrenOf(parent);
  const auto at = std::find(siblings.begin(), siblings.end(), control);
  if (at == siblings.end()) return {control};
  auto first = at;
  while (first != siblings.begin() && !(GetWindowLong(*first, GWL_STYLE) & WS_GROUP)) --first;
  auto last = at + 1;
  while (last != siblings.end() && !(GetWindowLong(*last, GWL_STYLE) & WS_GROUP)) ++last;
  return std::vector<HWND>(first, last);
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  const HWND child = DialogChildHolding(dialog, control);
  if (!child) return HWND{};
  const std::vector<HWND> group = ControlGroupOf(child);
  const int from = static_cast<int>(std::find(group.begin(), group.end(), child) - group.begin());
  const HWND next = Step(group, from, previous != FALSE, [](HWND h) { return Reachable(h); });
  return next ? next : child;
}

}  // namespace lexiv::platform
