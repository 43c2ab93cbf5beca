#include "platform/core/menu_loop.h"

#include "platform/core/accessibility.h"
#include "platform/core/driver.h"
#include "platform/core/menu.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

namespace {

constexpr UINT kNoItem = 0xFFFFFFFF;

bool IsSelectable(HMENU menu, int position) {
  const UINT state = MenuItemFlags(menu, position);
  return state != kNoItem && !(state & MF_SEPARATOR);
}

bool IsGray(HMENU menu, int position) {
  return (MenuItemFlags(menu, position) & (MF_GRAYED | MF_DISABLED)) != 0;
}

// The next selectable position from `from` in direction step, wrapping; -1 when none.
int Step(HMENU menu, int from, int step) {
  const int count = GetMenuItemCount(menu);
  if (count <= 0) return -1;
  int position = from;
  for (int i = 0; i < count; ++i) {
    position = from < 0 && i == 0 ? (step > 0 ? 0 : count - 1) : (position + step + count) % count;
    if (IsSelectable(menu, position)) return position;
  }
  return -1;
}

class MenuLoop {
 public:
  MenuLoop(HWND owner, HMENU root, bool barless, bool systemMenu)
      : barless_(barless), systemMenu_(systemMenu) {
    view_.owner = owner;
    view_.openMenus.push_back(root);
    view_.highlighted.push_back(-1);
  }

  UINT Run(int startBarIndex) {
    UiThread& ui = Ui();
    ui.menuLoop = &view_;
    SendMessage(view_.owner, WM_INITMENU, ToWParam(view_.openMenus[0]), 0);
    if (barless_) {
      Opened(view_.openMenus[0], 0);
      Highlight(Step(Top(), -1, 1));
    } else if (startBarIndex >= 0) {
      Highlight(startBarIndex);
      Open();
    } else {
      Highlight(Step(Top(), -1, 1));
    }
    while (!done_ && IsWindow(view_.owner)) {
      Msg msg;
      const int got = GetMessage(&msg, HWND{}, 0, 0);
      if (got <= 0) {
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        Key(static_cast<UINT>(msg.wParam), (msg.lParam & KF_PREVIOUS_STATE_BIT) != 0);
      } else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP || msg.message == WM_CHAR ||
                 msg.message == WM_SYSCHAR || msg.message == WM_IME_CHAR) {
        // The menu has the keyboard.
      } else if (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN) {
        // A click elsewhere closes the menu and then does what it does.
        Close();
        ProcessMessage(msg);
        return 0;
      } else {
        ProcessMessage(msg);
      }
    }
    Close();
    if (chosen_ != 0 && IsWindow(view_.owner))
      PostMessage(view_.owner, systemMenu_ ? WM_SYSCOMMAND : WM_COMMAND, chosen_, 0);
    return chosen_;
  }

 private:
  HMENU Top() const { return view_.openMenus.back(); }
  int TopHighlight() const { return view_.highlighted.back(); }
  bool OnBar() const { return !barless_ && view_.openMenus.size() == 1; }

  void Close() {
    UiThread& ui = Ui();
    if (ui.menuLoop != &view_) return;
    ui.menuLoop = nullptr;
    if (IsWindow(view_.owner)) SendMessage(view_.owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    AccessEvent event;
    event.kind = AccessEventKind::kMenuClosed;
    event.hwnd = view_.owner;
    event.role = ROLE_SYSTEM_MENUPOPUP;
    RaiseAccessEvent(event);
  }

  void Highlight(int position) {
    view_.highlighted.back() = position;
    if (position < 0) return;
    const HMENU menu = Top();
    const UINT state = MenuItemFlags(menu, position);
    const bool popup = (state & MF_POPUP) != 0;
    const UINT item = popup ? static_cast<UINT>(position) : GetMenuItemID(menu, position);
    UINT flags = (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP)) | MF_HILITE;
    if (systemMenu_) flags |= MF_SYSMENU;
    SendMessage(view_.owner, WM_MENUSELECT, MAKEWPARAM(static_cast<WORD>(item), static_cast<WORD>(flags)), ToLParam(menu));
    AccessEvent event;
    event.kind = AccessEventKind::kMenuItemHighlighted;
    event.hwnd = view_.owner;
    event.role = ROLE_SYSTEM_MENUITEM;
    event.name = MenuItemLabel(menu, position);
    if (state & (MF_GRAYED | MF_DISABLED)) event.state |= STATE_SYSTEM_UNAVAILABLE;
    if (state & MF_CHECKED) event.state |= STATE_SYSTEM_CHECKED;
    if (popup) event.state |= STATE_SYSTEM_HASPOPUP;
    RaiseAccessEvent(event);
  }

  void Opened(HMENU menu, int position) {
    SendMessage(view_.owner, WM_INITMENUPOPUP, ToWParam(menu), MAKELPARAM(static_cast<WORD>(position), systemMenu_ ? 1 : 0));
    AccessEvent event;
    event.kind = AccessEventKind::kMenuOpened;
    event.hwnd = view_.owner;
    event.role = ROLE_SYSTEM_MENUPOPUP;
    RaiseAccessEvent(event);
  }

  // Opens the popup under the highlight; a gray item opens nothing.
  bool Open(bool fromEnd = false) {
    const int position = TopHighlight();
    const HMENU sub = GetSubMenu(Top(), position);
    if (!sub || IsGray(Top(), position)) return false;
    Opened(sub, position);
    if (!IsMenu(sub)) return false;
    view_.openMenus.push_back(sub);
    view_.highlighted.push_back(-1);
    Highlight(Step(sub, -1, fromEnd ? -1 : 1));
    return true;
  }

  void CloseTop() {
    view_.openMenus.pop_back();
    view_.highlighted.pop_back();
    Highlight(TopHighlight());
  }

  void MoveOnBar(int step) {
    const bool wasOpen = view_.openMenus.size() > 1;
    while (view_.openMenus.size() > 1) {
      view_.openMenus.pop_back();
      view_.highlighted.pop_back();
    }
    Highlight(Step(Top(), TopHighlight(), step));
    if (wasOpen) Open();
  }

  void Choose() {
    const int position = TopHighlight();
    if (position < 0) return;
    if (GetSubMenu(Top(), position)) {
      Open();
      return;
    }
    if (!IsGray(Top(), position)) chosen_ = GetMenuItemID(Top(), position);
    done_ = true;
  }

  void Mnemonic(char letter) {
    const HMENU menu = Top();
    const int count = GetMenuItemCount(menu);
    std::vector<int> matches;
    for (int i = 0; i < count; ++i)
      if (MenuItemMnemonic(menu, i) == letter) matches.push_back(i);
    if (matches.empty()) {
      MessageBeep(0);
      return;
    }
    if (matches.size() > 1) {
      // Items sharing a letter: each press moves to the next of them.
      int next = matches.front();
      for (int m : matches)
        if (m > TopHighlight()) {
          next = m;
          break;
        }
      Highlight(next);
      return;
    }
    Highlight(matches.front());
    if (OnBar())
      Open();
    else
      Choose();
  }

  void Key(UINT vk, bool repeat) {
    switch (vk) {
      case VK_ESCAPE:
        if (view_.openMenus.size() > 1)
          CloseTop();
        else
          done_ = true;
        return;
      case VK_MENU:
      case VK_F10:
        if (!repeat) done_ = true;
        return;
      case VK_LEFT:
        if (view_.openMenus.size() > 2 || (barless_ && view_.openMenus.size() > 1))
          CloseTop();
        else if (!barless_)
          MoveOnBar(-1);
        return;
      case VK_RIGHT:
        if (!OnBar() && GetSubMenu(Top(), TopHighlight()) && Open()) return;
        if (!barless_) MoveOnBar(1);
        return;
      case VK_UP:
      case VK_DOWN:
        if (OnBar()) {
          Open(vk == VK_UP);
          return;
        }
        Highlight(Step(Top(), TopHighlight(), vk == VK_DOWN ? 1 : -1));
        return;
      case VK_HOME:
        Highlight(Step(Top(), -1, 1));
        return;
      case VK_END:
        Highlight(Step(Top(), -1, -1));
        return;
      case VK_RETURN:
        if (OnBar())
          Open();
        else
          Choose();
        return;
      default:
        if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) Mnemonic(static_cast<char>(vk));
        return;
    }
  }

  MenuLoopView view_;
  bool barless_;
  bool systemMenu_;
  bool done_ = false;
  UINT chosen_ = 0;
};

}  // namespace

UINT TrackMenuBar(HWND hwnd, int startBarIndex, bool systemMenu) {
  UiThread& ui = Ui();
  if (ui.menuLoop != nullptr || !IsWindow(hwnd)) return 0;
  const HMENU root = systemMenu ? GetSystemMenu(hwnd, FALSE) : GetMenu(hwnd);
  if (!root || GetMenuItemCount(root) <= 0) return 0;
  MenuLoop loop(hwnd, root, systemMenu, systemMenu);
  const UINT chosen = loop.Run(systemMenu ? -1 : startBarIndex);
  // The release of the Alt or F10 that closed the menu must not open it again.
  ui.altAlone = false;
  return chosen;
}

int FindBarMnemonic(HMENU bar, char letter) {
  const int count = GetMenuItemCount(bar);
  for (int i = 0; i < count; ++i)
    if (MenuItemMnemonic(bar, i) == letter) return i;
  return -1;
}

bool CurrentMenuLoop(MenuLoopView* view) {
  UiThread* ui = UiThread::Current();
  if (ui == nullptr || ui->menuLoop == nullptr) return false;
  if (view != nullptr) *view = *ui->menuLoop;
  return true;
}

}  // namespace lexiv::platform
