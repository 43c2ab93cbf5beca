#include "platform/controls/splitter.h"

#include <algorithm>

#include "platform/controls/control_notify.h"
#include "platform/core/focus.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

const MessageMap& Splitter::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<Splitter>(Window::ClassMessageMap())
                                    .On(WM_CREATE, &Splitter::OnCreate)
                                    .On(WM_SIZE, &Splitter::OnSize)
                                    .On(WM_SETFOCUS, &Splitter::OnSetFocus)
                                    .On(WM_KILLFOCUS, &Splitter::OnKillFocus)
                                    .On(WM_KEYDOWN, &Splitter::OnKeyDown)
                                    .OnCommand(ID_WINDOW_SPLIT, &Splitter::OnSplitCommand);
  return map;
}

HWND Splitter::Pane(int column) const {
  if (column < 0 || column > 1) return HWND{};
  return GetDlgItem(hwnd(), static_cast<int>(PaneId(column)));
}

int Splitter::ColumnWidth() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  return std::clamp(requestedWidth_, 0, std::max(0, client.Width() - kBarWidth));
}

void Splitter::SetColumnWidth(int width) {
  requestedWidth_ = std::max(0, width);
  RecalcLayout();
}

void Splitter::RecalcLayout() {
  RECT client;
  GetClientRect(hwnd(), &client);
  const int first = ColumnWidth();
  if (const HWND left = Pane(0)) MoveWindow(left, 0, 0, first, client.Height(), TRUE);
  if (const HWND right = Pane(1)) {
    const int x = first + kBarWidth;
    MoveWindow(right, x, 0, std::max(0, client.Width() - x), client.Height(), TRUE);
  }
}

int Splitter::ActiveColumn() const {
  const HWND focus = GetFocus();
  for (int column = 0; column < 2; ++column) {
    const HWND pane = Pane(column);
    if (pane && (focus == pane || IsChild(pane, focus))) return column;
  }
  return activeColumn_;
}

HWND Splitter::ActivePane() const { return Pane(ActiveColumn()); }

void Splitter::SetActivePane(int column) {
  const HWND pane = Pane(column);
  if (!pane) return;
  activeColumn_ = column;
  SetFocus(pane);
}

void Splitter::OnFocusMoved(HWND focus) {
  for (int column = 0; column < 2; ++column) {
    const HWND pane = Pane(column);
    if (pane && (focus == pane || IsChild(pane, focus))) activeColumn_ = column;
  }
}

void Splitter::StartKeyboardSplit() {
  widthBeforeTracking_ = ColumnWidth();
  tracking_ = true;
  leavingAMove_ = true;
  SetFocus(hwnd());
}

void Splitter::EndKeyboardSplit(bool keep) {
  if (!tracking_) return;
  tracking_ = false;
  if (!keep) SetColumnWidth(widthBeforeTracking_);
  const HWND pane = ActivePane() ? ActivePane() : Pane(0);
  if (pane) SetFocus(pane);
}

LRESULT Splitter::OnCreate(WPARAM, LPARAM) {
  focusWatch_ = std::make_unique<AccessSubscription>([this](const AccessEvent& event) {
    if (event.kind == AccessEventKind::kFocusChanged && hwnd()) OnFocusMoved(event.hwnd);
  });
  return Default();
}

LRESULT Splitter::OnSize(WPARAM, LPARAM) {
  RecalcLayout();
  return Default();
}

LRESULT Splitter::OnSetFocus(WPARAM, LPARAM) {
  // The splitter holds the focus only while the split moves; otherwise its active pane takes it.
  if (tracking_) return 0;
  const HWND pane = ActivePane() ? ActivePane() : Pane(0);
  if (pane) SetFocus(pane);
  return 0;
}

LRESULT Splitter::OnKillFocus(WPARAM, LPARAM) {
  // Leaving the split by any other way keeps where it was moved to.
  tracking_ = false;
  const LRESULT result = Default();
  if (leavingAMove_) {
    leavingAMove_ = false;
    NotifyParent(hwnd(), NM_KILLFOCUS);
  }
  return result;
}

LRESULT Splitter::OnKeyDown(WPARAM wParam, LPARAM) {
  if (!tracking_) return Default();
  const int step = KeyHeld(VK_CONTROL) ? 1 : kKeyboardStep;
  switch (wParam) {
    case VK_LEFT: SetColumnWidth(ColumnWidth() - step); break;
    case VK_RIGHT: SetColumnWidth(ColumnWidth() + step); break;
    case VK_RETURN: EndKeyboardSplit(true); break;
    case VK_ESCAPE: EndKeyboardSplit(false); break;
    default: break;
  }
  return 0;
}

void Splitter::OnSplitCommand() { StartKeyboardSplit(); }

void Splitter::DescribeContents(std::vector<std::string>& lines) const {
  lines.push_back("split " + std::to_string(ColumnWidth()) + ", active pane " + std::to_string(ActiveColumn()) +
                  (tracking_ ? ", moving" : ""));
}

}  // namespace lexiv::platform
