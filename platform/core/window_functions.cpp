#include "platform/core/window_functions.h"

#include <algorithm>
#include <optional>
#include <cstring>

#include "platform/core/focus.h"
#include "platform/core/menu.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_internals.h"

namespace lexiv::platform {

using WI = WindowInternals;

namespace {

// Stands for a window of another application: it answers for its text and drops the rest.
class ForeignWindow final : public Window {
 public:
  std::string_view ClassName() const override { return "ForeignWindow"; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_GETTEXT || message == WM_GETTEXTLENGTH) return DefWindowProc(hwnd(), message, wParam, lParam);
    return 0;
  }
};

std::vector<Window*>& SiblingsOf(Window& w) {
  Window* parent = WI::Parent(w);
  return parent != nullptr ? WI::Children(*parent) : Ui().topLevels;
}

POINT ScreenOrigin(Window& w) {
  POINT origin{WI::Rect(w).left, WI::Rect(w).top};
  for (Window* p = WI::Parent(w); p != nullptr; p = WI::Parent(*p)) {
    origin.x += WI::Rect(*p).left;
    origin.y += WI::Rect(*p).top;
  }
  return origin;
}

void SetVisible(HWND hwnd, bool visible) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return;
  const bool was = (WI::Style(*w) & WS_VISIBLE) != 0;
  if (was == visible) return;
  if (visible)
    WI::Style(*w) |= WS_VISIBLE;
  else
    WI::Style(*w) &= ~WS_VISIBLE;
  SendMessage(hwnd, WM_SHOWWINDOW, visible ? TRUE : FALSE, 0);
}

bool FocusInside(HWND hwnd) {
  const HWND focus = Ui().focus;
  return focus && (focus == hwnd || IsChild(hwnd, focus));
}

void SendSize(HWND hwnd, WPARAM kind) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return;
  const RECT& r = WI::Rect(*w);
  SendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(static_cast<WORD>(r.Width()), static_cast<WORD>(r.Height())));
}

void Unlink(Window& w) {
  UiThread& ui = Ui();
  auto& siblings = SiblingsOf(w);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), &w), siblings.end());
  const HWND h = w.hwnd();
  ui.windows.erase(h.value);
  if (ui.remote) ui.remote->WindowDestroyed(h);
  ui.timers.KillAll(h);
  ui.dropTargets.erase(h.value);
  if (WI::Menu(w)) DestroyMenu(WI::Menu(w));
  if (auto it = ui.systemMenus.find(h.value); it != ui.systemMenus.end()) {
    DestroyMenu(it->second);
    ui.systemMenus.erase(it);
  }
  if (ui.lastActive == h) ui.lastActive = HWND{};
  if (ui.foreground == h) ui.foreground = HWND{};
  WI::Parent(w) = nullptr;
  WI::ClearHandle(w);
}

// WM_DESTROY to the window, then its children in the same way, then WM_NCDESTROY.
void DestroyTree(Window* w) {
  const HWND h = w->hwnd();
  WI::Guarded(w, [&] {
    SendMessage(h, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    for (Window* c : WI::Children(*w)) children.push_back(c->hwnd());
    for (HWND c : children) {
      Window* child = FromHandle(c);
      if (child == nullptr || WI::Destroying(*child)) continue;
      WI::Destroying(*child) = true;
      DestroyTree(child);
    }
    SendMessage(h, WM_NCDESTROY, 0, 0);
    Unlink(*w);
    return 0;
  });
  w->PostNcDestroy();
}

}  // namespace

Window* FromHandle(HWND hwnd) {
  UiThread* ui = UiThread::Current();
  if (ui == nullptr || !hwnd) return nullptr;
  auto it = ui->windows.find(hwnd.value);
  return it == ui->windows.end() ? nullptr : it->second;
}

namespace {

// Another program's window, when the program joined a session and the handle names one.
std::optional<RemoteWindow> RemoteWindowOf(HWND hwnd) {
  UiThread* ui = UiThread::Current();
  if (!hwnd || ui == nullptr || !ui->remote || ui->windows.count(hwnd.value)) return std::nullopt;
  return ui->remote->Describe(hwnd);
}

}  // namespace

BOOL IsWindow(HWND hwnd) {
  if (FromHandle(hwnd) != nullptr) return TRUE;
  return RemoteWindowOf(hwnd) ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr || WI::Destroying(*w)) return FALSE;
  UiThread& ui = Ui();
  WI::Destroying(*w) = true;
  const bool topLevel = WI::Parent(*w) == nullptr;
  const HWND owner = WI::Owner(*w);
  // Owned windows (dialogs of this window) go first.
  if (topLevel) {
    std::vector<HWND> owned;
    for (Window* t : ui.topLevels)
      if (WI::Owner(*t) == hwnd) owned.push_back(t->hwnd());
    for (HWND o : owned) DestroyWindow(o);
  }
  if (FocusInside(hwnd)) DropFocus();
  const bool wasActive = topLevel && ui.active == hwnd;
  if (wasActive) {
    ui.active = HWND{};
    SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(hwnd) ? 1 : 0), 0);
  }
  DestroyTree(w);
  if (wasActive) ActivateAfterLoss(hwnd, owner);
  return TRUE;
}

HWND GetParent(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return HWND{};
  if (WI::Parent(*w) != nullptr) return WI::Parent(*w)->hwnd();
  return WI::Owner(*w);
}

HWND GetAncestorTop(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return HWND{};
  while (WI::Parent(*w) != nullptr) w = WI::Parent(*w);
  return w->hwnd();
}

BOOL IsChild(HWND parent, HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr || !parent) return FALSE;
  for (Window* p = WI::Parent(*w); p != nullptr; p = WI::Parent(*p))
    if (p->hwnd() == parent) return TRUE;
  return FALSE;
}

HWND GetWindow(HWND hwnd, UINT relation) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return HWND{};
  if (relation == GW_CHILD) return WI::Children(*w).empty() ? HWND{} : WI::Children(*w).front()->hwnd();
  if (relation == GW_OWNER) return WI::Parent(*w) == nullptr ? WI::Owner(*w) : HWND{};
  auto& siblings = SiblingsOf(*w);
  auto it = std::find(siblings.begin(), siblings.end(), w);
  if (it == siblings.end()) return HWND{};
  switch (relation) {
    case GW_HWNDFIRST: return siblings.front()->hwnd();
    case GW_HWNDLAST: return siblings.back()->hwnd();
    case GW_HWNDNEXT: return (it + 1) == siblings.end() ? HWND{} : (*(it + 1))->hwnd();
    case GW_HWNDPREV: return it == siblings.begin() ? HWND{} : (*(it - 1))->hwnd();
    default: return HWND{};
  }
}

HWND GetTopWindow(HWND hwnd) {
  if (!hwnd) {
    UiThread& ui = Ui();
    return ui.topLevels.empty() ? HWND{} : ui.topLevels.front()->hwnd();
  }
  return GetWindow(hwnd, GW_CHILD);
}

HWND GetDlgItem(HWND parent, int id) {
  Window* w = FromHandle(parent);
  if (w == nullptr) return HWND{};
  for (Window* c : WI::Children(*w))
    if (static_cast<int>(WI::Id(*c)) == id) return c->hwnd();
  return HWND{};
}

int GetDlgCtrlID(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w != nullptr && WI::Parent(*w) != nullptr ? static_cast<int>(WI::Id(*w)) : 0;
}

int GetClassName(HWND hwnd, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  const std::string name = ClassNameOf(hwnd);
  if (name.empty()) return 0;
  const int n = std::min<int>(static_cast<int>(name.size()), size - 1);
  std::memcpy(buffer, name.data(), static_cast<std::size_t>(n));
  buffer[n] = '\0';
  return n;
}

std::string ClassNameOf(HWND hwnd) {
  if (Window* w = FromHandle(hwnd)) return WI::ClassNameField(*w);
  if (auto remote = RemoteWindowOf(hwnd)) return remote->className;
  return std::string();
}

BOOL SetWindowText(HWND hwnd, const char* text) {
  if (!IsWindow(hwnd)) return FALSE;
  return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : "")) != 0 ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  if (!IsWindow(hwnd)) return 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
  if (!IsWindow(hwnd)) return 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLength(hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowText(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

LPARAM GetWindowLong(HWND hwnd, int index) {
  Window* w = FromHandle(hwnd);
  // Of another program's window only the procedure's existence can be told (it lives in that
  // program's memory): non-zero while the window lives.
  if (w == nullptr) return index == GWL_WNDPROC && RemoteWindowOf(hwnd) ? 1 : 0;
  switch (index) {
    case GWL_STYLE: return static_cast<LPARAM>(WI::Style(*w));
    case GWL_EXSTYLE: return static_cast<LPARAM>(WI::ExStyle(*w));
    case GWL_ID: return static_cast<LPARAM>(WI::Id(*w));
    case GWL_USERDATA: return WI::UserData(*w);
    case GWL_WNDPROC: return 1;
    case GWL_HWNDPARENT: return ToLParam(GetParent(hwnd));
    default: return 0;
  }
}

LPARAM SetWindowLong(HWND hwnd, int index, LPARAM value) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return 0;
  LPARAM old = GetWindowLong(hwnd, index);
  switch (index) {
    case GWL_STYLE: WI::Style(*w) = static_cast<DWORD>(value); break;
    case GWL_EXSTYLE: WI::ExStyle(*w) = static_cast<DWORD>(value); break;
    case GWL_ID: WI::Id(*w) = static_cast<UINT>(value); break;
    case GWL_USERDATA: WI::UserData(*w) = value; break;
    default: return 0;
  }
  return old;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  const POINT origin = ScreenOrigin(*w);
  const RECT& r = WI::Rect(*w);
  *rect = RECT{origin.x, origin.y, origin.x + r.Width(), origin.y + r.Height()};
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  *rect = RECT{0, 0, WI::Rect(*w).Width(), WI::Rect(*w).Height()};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr || point == nullptr) return FALSE;
  const POINT origin = ScreenOrigin(*w);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr || point == nullptr) return FALSE;
  const POINT origin = ScreenOrigin(*w);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  (void)repaint;
  return SetWindowPos(hwnd, HWND{}, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  const RECT old = WI::Rect(*w);
  RECT r = old;
  if (!(flags & SWP_NOMOVE)) {
    r.left = x;
    r.top = y;
  }
  r.right = r.left + ((flags & SWP_NOSIZE) ? old.Width() : width);
  r.bottom = r.top + ((flags & SWP_NOSIZE) ? old.Height() : height);
  if (!(flags & SWP_NOZORDER)) {
    auto& siblings = SiblingsOf(*w);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
    if (insertAfter == HWND_TOPMOST) WI::ExStyle(*w) |= WS_EX_TOPMOST;
    if (insertAfter == HWND_NOTOPMOST) WI::ExStyle(*w) &= ~WS_EX_TOPMOST;
    Window* after = FromHandle(insertAfter);
    auto at = std::find(siblings.begin(), siblings.end(), after);
    if (insertAfter == HWND_BOTTOM)
      siblings.push_back(w);
    else if (after != nullptr && at != siblings.end())
      siblings.insert(at + 1, w);
    else
      siblings.insert(siblings.begin(), w);
  }
  WI::Rect(*w) = r;
  if (WI::Parent(*w) == nullptr && !WI::Minimized(*w) && !WI::Maximized(*w)) WI::NormalRect(*w) = r;
  if (flags & SWP_SHOWWINDOW) SetVisible(hwnd, true);
  if (flags & SWP_HIDEWINDOW) SetVisible(hwnd, false);
  if (r.left != old.left || r.top != old.top)
    SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(r.left), static_cast<WORD>(r.top)));
  if (r.Width() != old.Width() || r.Height() != old.Height())
    SendSize(hwnd, WI::Maximized(*w) ? SIZE_MAXIMIZED : SIZE_RESTORED);
  return TRUE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  const bool wasDisabled = (WI::Style(*w) & WS_DISABLED) != 0;
  if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;
  if (!enable && FocusInside(hwnd)) DropFocus();
  if (enable)
    WI::Style(*w) &= ~WS_DISABLED;
  else
    WI::Style(*w) |= WS_DISABLED;
  SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowUnicode(HWND hwnd) {
  if (FromHandle(hwnd) != nullptr) return FALSE;
  auto remote = RemoteWindowOf(hwnd);
  return remote && remote->unicode ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w != nullptr && !(WI::Style(*w) & WS_DISABLED) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  for (; w != nullptr; w = WI::Parent(*w))
    if (!(WI::Style(*w) & WS_VISIBLE)) return FALSE;
  return TRUE;
}

BOOL ShowWindow(HWND hwnd, int command) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr || WI::Foreign(*w)) return FALSE;
  UiThread& ui = Ui();
  const bool wasVisible = (WI::Style(*w) & WS_VISIBLE) != 0;
  const bool topLevel = WI::Parent(*w) == nullptr;
  bool activate = false;
  switch (command) {
    case SW_HIDE:
      SetVisible(hwnd, false);
      if (topLevel && ui.active == hwnd) {
        if (FocusInside(hwnd)) DropFocus();
        ui.active = HWND{};
        SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
        ActivateAfterLoss(hwnd, WI::Owner(*w));
      }
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      SetVisible(hwnd, true);
      if (!WI::Minimized(*w)) {
        WI::RestoreToMaximized(*w) = WI::Maximized(*w);
        WI::Minimized(*w) = true;
        WI::Maximized(*w) = false;
        if (FocusInside(hwnd)) DropFocus();
        SendSize(hwnd, SIZE_MINIMIZED);
      }
      activate = command == SW_SHOWMINIMIZED;
      break;
    case SW_MAXIMIZE:
      SetVisible(hwnd, true);
      if (!WI::Maximized(*w)) {
        WI::Minimized(*w) = false;
        WI::Maximized(*w) = true;
        if (topLevel) WI::Rect(*w) = ui.driver.ScreenRect();
        SendSize(hwnd, SIZE_MAXIMIZED);
      }
      activate = true;
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWNOACTIVATE:
      SetVisible(hwnd, true);
      if (command == SW_RESTORE && WI::Minimized(*w) && WI::RestoreToMaximized(*w)) {
        WI::Minimized(*w) = false;
        ShowWindow(hwnd, SW_MAXIMIZE);
        return wasVisible ? TRUE : FALSE;
      }
      if (WI::Minimized(*w) || WI::Maximized(*w)) {
        WI::Minimized(*w) = false;
        WI::Maximized(*w) = false;
        if (topLevel) WI::Rect(*w) = WI::NormalRect(*w);
        SendSize(hwnd, SIZE_RESTORED);
      }
      activate = command != SW_SHOWNOACTIVATE;
      break;
    case SW_SHOW:
      SetVisible(hwnd, true);
      activate = true;
      break;
    case SW_SHOWNA:
      SetVisible(hwnd, true);
      break;
    default:
      return wasVisible ? TRUE : FALSE;
  }
  if (activate && topLevel && IsWindow(hwnd)) SetActiveWindow(hwnd);
  return wasVisible ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w != nullptr && WI::Minimized(*w) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  return w != nullptr && WI::Maximized(*w) ? TRUE : FALSE;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr || placement == nullptr) return FALSE;
  WINDOWPLACEMENT p;
  p.length = sizeof(WINDOWPLACEMENT);
  p.flags = WI::RestoreToMaximized(*w) && WI::Minimized(*w) ? WPF_RESTORETOMAXIMIZED : 0;
  p.showCmd = WI::Minimized(*w) ? SW_SHOWMINIMIZED : WI::Maximized(*w) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  p.ptMinPosition = POINT{-1, -1};
  p.ptMaxPosition = POINT{-1, -1};
  p.rcNormalPosition = WI::Parent(*w) == nullptr ? WI::NormalRect(*w) : WI::Rect(*w);
  *placement = p;
  return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr || placement == nullptr || placement->length != sizeof(WINDOWPLACEMENT)) return FALSE;
  const RECT& r = placement->rcNormalPosition;
  WI::RestoreToMaximized(*w) = (placement->flags & WPF_RESTORETOMAXIMIZED) != 0;
  if (!WI::Minimized(*w) && !WI::Maximized(*w))
    SetWindowPos(hwnd, HWND{}, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  if (IsWindow(hwnd)) WI::NormalRect(*w) = r;
  const int command = static_cast<int>(placement->showCmd);
  if (command != SW_HIDE && IsWindow(hwnd)) ShowWindow(hwnd, command);
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) { return IsWindow(hwnd); }

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  (void)rect;
  (void)erase;
  return IsWindow(hwnd);
}

HWND CreateForeignWindow(const std::string& text) {
  UiThread& ui = Ui();
  auto* w = new ForeignWindow();
  const HWND h{ui.NewHandle()};
  WI::SetHandle(*w, h);
  WI::Text(*w) = text;
  WI::ClassNameField(*w) = "ForeignWindow";
  WI::Style(*w) = WS_VISIBLE;
  WI::Foreign(*w) = true;
  WI::AutoDelete(*w) = true;
  ui.windows[h.value] = w;
  return h;
}

}  // namespace lexiv::platform
