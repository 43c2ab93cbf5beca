#include "platform/controls/toolbar.h"

#include <algorithm>

#include "platform/core/accessibility.h"
#include "platform/core/command_ui.h"
#include "platform/core/frame_window.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

const MessageMap& Toolbar::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<Toolbar>(Window::ClassMessageMap())
                                    .On(TB_ADDBUTTONS, &Toolbar::OnAddButtons)
                                    .On(TB_DELETEBUTTON, &Toolbar::OnDeleteButton)
                                    .On(TB_BUTTONCOUNT, &Toolbar::OnButtonCount)
                                    .On(TB_GETBUTTON, &Toolbar::OnGetButton)
                                    .On(TB_COMMANDTOINDEX, &Toolbar::OnCommandToIndex)
                                    .On(TB_ENABLEBUTTON, &Toolbar::OnEnableButton)
                                    .On(TB_ISBUTTONENABLED, &Toolbar::OnIsButtonEnabled)
                                    .On(TB_CHECKBUTTON, &Toolbar::OnCheckButton)
                                    .On(TB_ISBUTTONCHECKED, &Toolbar::OnIsButtonChecked)
                                    .On(TB_GETSTATE, &Toolbar::OnGetState)
                                    .On(TB_SETSTATE, &Toolbar::OnSetState)
                                    .On(TB_GETITEMRECT, &Toolbar::OnGetItemRect)
                                    .On(TB_SETBUTTONINFO, &Toolbar::OnSetButtonInfo)
                                    .On(TB_SETBUTTONSIZE, &Toolbar::OnSetButtonSize)
                                    .On(TB_HITTEST, &Toolbar::OnHitTest)
                                    .On(TB_BUTTONSTRUCTSIZE, &Toolbar::OnAccepted)
                                    .On(TB_AUTOSIZE, &Toolbar::OnAccepted)
                                    .On(WM_LBUTTONDOWN, &Toolbar::OnLButtonDown)
                                    .On(WM_LBUTTONDBLCLK, &Toolbar::OnLButtonDown)
                                    .On(WM_LBUTTONUP, &Toolbar::OnLButtonUp)
                                    .On(WM_IDLEUPDATECMDUI, &Toolbar::OnIdleUpdate);
  return map;
}

int Toolbar::AccessRole() const { return ROLE_SYSTEM_TOOLBAR; }

int Toolbar::IndexOf(int id) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i].id == id) return static_cast<int>(i);
  return -1;
}

bool Toolbar::ItemRect(int index, RECT* rect) const {
  if (!Valid(index) || rect == nullptr) return false;
  int x = 0;
  for (int i = 0; i <= index; ++i) {
    const ToolButton& b = buttons_[static_cast<std::size_t>(i)];
    int width = 0;
    if (!(b.state & TBSTATE_HIDDEN)) width = (b.style & TBSTYLE_SEP) ? (b.width > 0 ? b.width : kSeparatorWidth) : buttonWidth_;
    if (i == index) *rect = RECT{x, 0, x + width, buttonHeight_};
    x += width;
  }
  return true;
}

void Toolbar::PlaceEmbedded() {
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    const HWND control = buttons_[static_cast<std::size_t>(i)].control;
    if (!IsWindow(control)) continue;
    RECT place;
    ItemRect(i, &place);
    RECT own;
    GetClientRect(control, &own);
    const int height = std::min(own.Height(), buttonHeight_);
    MoveWindow(control, place.left, (buttonHeight_ - height) / 2, place.Width(), height, TRUE);
  }
}

bool Toolbar::EmbedControl(int index, UINT id, int width, HWND control) {
  if (!Valid(index) || width < 0 || GetParent(control) != hwnd() || !(GetWindowLong(control, GWL_STYLE) & WS_CHILD))
    return false;
  ToolButton& b = buttons_[static_cast<std::size_t>(index)];
  b.id = static_cast<int>(id);
  b.style = TBSTYLE_SEP;
  b.width = width;
  b.control = control;
  PlaceEmbedded();
  return true;
}

bool Toolbar::ChangeState(int id, BYTE bit, bool on) {
  const int index = IndexOf(id);
  if (index < 0) return false;
  BYTE& state = buttons_[static_cast<std::size_t>(index)].state;
  state = on ? static_cast<BYTE>(state | bit) : static_cast<BYTE>(state & ~bit);
  return true;
}

void Toolbar::UpdateButtonsFromRules() {
  FrameWindow* frame = nullptr;
  for (HWND h = GetParent(hwnd()); h && frame == nullptr; h = GetParent(h)) {
    frame = dynamic_cast<FrameWindow*>(FromHandle(h));
    if (!(GetWindowLong(h, GWL_STYLE) & WS_CHILD)) break;
  }
  if (frame == nullptr) return;
  const HWND self = hwnd();
  std::vector<int> ids;
  for (const ToolButton& b : buttons_)
    if (!(b.style & TBSTYLE_SEP) && b.id != 0) ids.push_back(b.id);
  for (int id : ids) {
    CommandUI ui(static_cast<UINT>(id));
    frame->UpdateCommandUI(ui);
    if (!IsWindow(self)) return;
    if (ui.enabled()) ChangeState(id, TBSTATE_ENABLED, *ui.enabled());
    if (ui.checked()) ChangeState(id, TBSTATE_CHECKED, *ui.checked() != 0);
  }
}

LRESULT Toolbar::OnAddButtons(WPARAM wParam, LPARAM lParam) {
  const auto* added = reinterpret_cast<const TBBUTTON*>(lParam);
  if (added == nullptr && wParam != 0) return FALSE;
  for (WPARAM i = 0; i < wParam; ++i) {
    ToolButton b;
    b.id = added[i].idCommand;
    b.state = added[i].fsState;
    b.style = added[i].fsStyle;
    // A separator's bitmap index is its width.
    if (b.style & TBSTYLE_SEP) b.width = std::max(0, added[i].iBitmap);
    buttons_.push_back(b);
  }
  PlaceEmbedded();
  return TRUE;
}

LRESULT Toolbar::OnDeleteButton(WPARAM wParam, LPARAM) {
  const int index = static_cast<int>(wParam);
  if (!Valid(index)) return FALSE;
  buttons_.erase(buttons_.begin() + index);
  PlaceEmbedded();
  return TRUE;
}

LRESULT Toolbar::OnButtonCount(WPARAM, LPARAM) { return static_cast<LRESULT>(buttons_.size()); }

LRESULT Toolbar::OnGetButton(WPARAM wParam, LPARAM lParam) {
  auto* out = reinterpret_cast<TBBUTTON*>(lParam);
  const int index = static_cast<int>(wParam);
  if (!Valid(index) || out == nullptr) return FALSE;
  const ToolButton& b = buttons_[static_cast<std::size_t>(index)];
  *out = TBBUTTON{};
  out->idCommand = b.id;
  out->fsState = b.state;
  out->fsStyle = b.style;
  if (b.style & TBSTYLE_SEP) out->iBitmap = b.width;
  return TRUE;
}

LRESULT Toolbar::OnCommandToIndex(WPARAM wParam, LPARAM) { return IndexOf(static_cast<int>(wParam)); }

LRESULT Toolbar::OnEnableButton(WPARAM wParam, LPARAM lParam) {
  return ChangeState(static_cast<int>(wParam), TBSTATE_ENABLED, LOWORD(static_cast<std::uintptr_t>(lParam)) != 0);
}

LRESULT Toolbar::OnIsButtonEnabled(WPARAM wParam, LPARAM) {
  const int index = IndexOf(static_cast<int>(wParam));
  return index >= 0 && (buttons_[static_cast<std::size_t>(index)].state & TBSTATE_ENABLED) ? TRUE : FALSE;
}

LRESULT Toolbar::OnCheckButton(WPARAM wParam, LPARAM lParam) {
  return ChangeState(static_cast<int>(wParam), TBSTATE_CHECKED, LOWORD(static_cast<std::uintptr_t>(lParam)) != 0);
}

LRESULT Toolbar::OnIsButtonChecked(WPARAM wParam, LPARAM) {
  const int index = IndexOf(static_cast<int>(wParam));
  return index >= 0 && (buttons_[static_cast<std::size_t>(index)].state & TBSTATE_CHECKED) ? TRUE : FALSE;
}

LRESULT Toolbar::OnGetState(WPARAM wParam, LPARAM) {
  const int index = IndexOf(static_cast<int>(wParam));
  return index >= 0 ? buttons_[static_cast<std::size_t>(index)].state : -1;
}

LRESULT Toolbar::OnSetState(WPARAM wParam, LPARAM lParam) {
  const int index = IndexOf(static_cast<int>(wParam));
  if (index < 0) return FALSE;
  buttons_[static_cast<std::size_t>(index)].state = static_cast<BYTE>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  PlaceEmbedded();
  return TRUE;
}

LRESULT Toolbar::OnGetItemRect(WPARAM wParam, LPARAM lParam) {
  return ItemRect(static_cast<int>(wParam), reinterpret_cast<RECT*>(lParam)) ? TRUE : FALSE;
}

LRESULT Toolbar::OnSetButtonInfo(WPARAM wParam, LPARAM lParam) {
  const auto* info = reinterpret_cast<const TBBUTTONINFO*>(lParam);
  if (info == nullptr) return FALSE;
  const int index = (info->dwMask & TBIF_BYINDEX) ? static_cast<int>(wParam) : IndexOf(static_cast<int>(wParam));
  if (!Valid(index)) return FALSE;
  ToolButton& b = buttons_[static_cast<std::size_t>(index)];
  if (info->dwMask & TBIF_COMMAND) b.id = info->idCommand;
  if (info->dwMask & TBIF_STATE) b.state = info->fsState;
  if (info->dwMask & TBIF_STYLE) b.style = info->fsStyle;
  if (info->dwMask & TBIF_SIZE) b.width = info->cx;
  PlaceEmbedded();
  return TRUE;
}

LRESULT Toolbar::OnSetButtonSize(WPARAM, LPARAM lParam) {
  const int width = LOWORD(static_cast<std::uintptr_t>(lParam));
  const int height = HIWORD(static_cast<std::uintptr_t>(lParam));
  if (width <= 0 || height <= 0) return FALSE;
  buttonWidth_ = width;
  buttonHeight_ = height;
  PlaceEmbedded();
  return TRUE;
}

LRESULT Toolbar::OnHitTest(WPARAM, LPARAM lParam) {
  const auto* point = reinterpret_cast<const POINT*>(lParam);
  const int count = static_cast<int>(buttons_.size());
  if (point == nullptr) return -(count + 1);
  for (int i = 0; i < count; ++i) {
    RECT r;
    ItemRect(i, &r);
    if (point->x >= r.left && point->x < r.right && point->y >= r.top && point->y < r.bottom)
      return (buttons_[static_cast<std::size_t>(i)].style & TBSTYLE_SEP) ? -(i + 1) : i;
  }
  return -(count + 1);
}

LRESULT Toolbar::OnAccepted(WPARAM, LPARAM) { return 0; }

LRESULT Toolbar::OnLButtonDown(WPARAM, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const int index = static_cast<int>(OnHitTest(0, reinterpret_cast<LPARAM>(&point)));
  pressed_ = index >= 0 && (buttons_[static_cast<std::size_t>(index)].state & TBSTATE_ENABLED) ? index : -1;
  return 0;
}

LRESULT Toolbar::OnLButtonUp(WPARAM, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const int index = static_cast<int>(OnHitTest(0, reinterpret_cast<LPARAM>(&point)));
  const int pressed = pressed_;
  pressed_ = -1;
  if (index < 0 || index != pressed || !(buttons_[static_cast<std::size_t>(index)].state & TBSTATE_ENABLED)) return 0;
  const int id = buttons_[static_cast<std::size_t>(index)].id;
  if (const HWND parent = GetParent(hwnd()))
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), ToLParam(hwnd()));
  return 0;
}

LRESULT Toolbar::OnIdleUpdate(WPARAM, LPARAM) {
  UpdateButtonsFromRules();
  return 0;
}

void Toolbar::DescribeContents(std::vector<std::string>& lines) const {
  std::string line;
  for (const ToolButton& b : buttons_) {
    if (b.state & TBSTATE_HIDDEN) continue;
    if (!line.empty()) line += ' ';
    if (b.control) {
      line += "[#" + std::to_string(b.id) + "]";
    } else if (b.style & TBSTYLE_SEP) {
      line += '|';
    } else {
      line += std::to_string(b.id);
      if (!(b.state & TBSTATE_ENABLED)) line += "(gray)";
      if (b.state & TBSTATE_CHECKED) line += "(on)";
    }
  }
  lines.push_back(line);
}

}  // namespace lexiv::platform
