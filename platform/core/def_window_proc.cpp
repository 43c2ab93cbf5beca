// Default processing: what a window does with a message its class leaves alone.
#include <cctype>
#include <cstring>

#include "platform/core/driver.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/menu.h"
#include "platform/core/menu_loop.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/core/window_internals.h"

namespace lexiv::platform {

using WI = WindowInternals;

namespace {

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Copies text into a buffer of size bytes without splitting a double-byte character.
int CopyText(const std::string& text, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  std::size_t n = 0;
  while (n < text.size()) {
    const std::size_t step = IsLeadByte(static_cast<unsigned char>(text[n])) && n + 1 < text.size() ? 2 : 1;
    if (n + step > size - 1) break;
    n += step;
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

LRESULT SystemCommand(HWND hwnd, WPARAM command, LPARAM lParam) {
  const HWND top = GetAncestorTop(hwnd);
  switch (command & 0xFFF0) {
    case SC_CLOSE: {
      auto it = Ui().systemMenus.find(top.value);
      if (it != Ui().systemMenus.end() && (GetMenuState(it->second, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)))
        return 0;
      SendMessage(top, WM_CLOSE, 0, 0);
      return 0;
    }
    case SC_KEYMENU: {
      if (lParam == ' ') {
        TrackMenuBar(top, -1, true);
        return 0;
      }
      const HMENU bar = GetMenu(top);
      if (lParam == 0) {
        if (bar) TrackMenuBar(top, -1, false);
        return 0;
      }
      const int index = bar ? FindBarMnemonic(bar, static_cast<char>(std::toupper(static_cast<int>(lParam & 0xFF)))) : -1;
      if (index < 0) {
        MessageBeep(0);
        return 0;
      }
      TrackMenuBar(top, index, false);
      return 0;
    }
    case SC_MINIMIZE: ShowWindow(top, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(top, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(top, SW_RESTORE); return 0;
    default: return 0;
  }
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return 0;
  switch (message) {
    case WM_SETTEXT:
      WI::Text(*w) = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
      return TRUE;
    case WM_GETTEXT:
      return CopyText(WI::Text(*w), reinterpret_cast<char*>(lParam), static_cast<std::size_t>(wParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(WI::Text(*w).size());
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd)) {
        const HWND focus = GetFocus();
        if (focus != hwnd && !IsChild(hwnd, focus)) SetFocus(hwnd);
      }
      return 0;
    case WM_MOUSEACTIVATE:
      if (Window* parent = WI::Parent(*w)) {
        if (const LRESULT answer = SendMessage(parent->hwnd(), WM_MOUSEACTIVATE, wParam, lParam)) return answer;
      }
      return MA_ACTIVATE;
    case WM_IME_CHAR:
      // A double-byte character reaches a window that does not take it whole as two bytes.
      if (wParam > 0xFF) {
        SendMessage(hwnd, WM_CHAR, HIBYTE(wParam), lParam);
        if (IsWindow(hwnd)) SendMessage(hwnd, WM_CHAR, LOBYTE(wParam), lParam);
      } else {
        SendMessage(hwnd, WM_CHAR, wParam, lParam);
      }
      return 0;
    case WM_SYSCHAR:
      if (GetKeyState(VK_MENU) < 0 || wParam == ' ')
        SendMessage(GetAncestorTop(hwnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && GetKeyState(VK_MENU) < 0)
        PostMessage(GetAncestorTop(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_SYSKEYUP:
    case WM_KEYUP:
      if ((wParam == VK_MENU || wParam == VK_F10) && Ui().altAlone) {
        Ui().altAlone = false;
        SendMessage(GetAncestorTop(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
      }
      return 0;
    case WM_SYSCOMMAND:
      return SystemCommand(hwnd, wParam, lParam);
    case WM_RBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd, &p);
      SendMessage(hwnd, WM_CONTEXTMENU, ToWParam(hwnd), MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
      return 0;
    }
    case WM_CONTEXTMENU:
      if (Window* parent = WI::Parent(*w)) SendMessage(parent->hwnd(), WM_CONTEXTMENU, wParam, lParam);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      return 0;
  }
}

}  // namespace lexiv::platform
