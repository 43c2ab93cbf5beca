#include "app/search_bar.h"

#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv {

using namespace lexiv::platform;

const MessageMap& CSearchBar::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<CSearchBar>(Toolbar::ClassMessageMap())
                                    .On(WM_LBUTTONDOWN, &CSearchBar::OnButtonDown)
                                    .On(WM_LBUTTONDBLCLK, &CSearchBar::OnButtonDown)
                                    .On(WM_IDLEUPDATECMDUI, &CSearchBar::OnIdleUpdate)
                                    .On(WM_CTLCOLOREDIT, &CSearchBar::OnControlColor);
  return map;
}

LRESULT CSearchBar::OnButtonDown(WPARAM, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (SendMessage(hwnd(), TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)) < 0) return 0;
  return Default();
}

LRESULT CSearchBar::OnIdleUpdate(WPARAM, LPARAM) {
  if (frozen_ && frozen_()) return 0;
  return Default();
}

LRESULT CSearchBar::OnControlColor(WPARAM wParam, LPARAM lParam) {
  const HWND edit = HwndFromParam(lParam);
  if (!IsWindow(edit) || GetParent(edit) != hwnd()) return 0;
  return SendMessage(edit, WM_CTLCOLOREDIT, wParam, lParam);
}

}  // namespace lexiv
