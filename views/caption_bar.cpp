#include "views/caption_bar.h"

#include "platform/messages.h"

namespace lexiv {

using namespace lexiv::platform;

void CCaptionBar::SetCaptions(int firstPaneWidth) {
  const int edges[2] = {firstPaneWidth > 0 ? firstPaneWidth : 0, -1};
  SendMessage(hwnd(), SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
  SendMessage(hwnd(), SB_SETTEXT, 0, reinterpret_cast<LPARAM>("見出し語"));
  SendMessage(hwnd(), SB_SETTEXT, 1, reinterpret_cast<LPARAM>("意味"));
}

void CCaptionBar::SetCaption(UINT, std::string_view) {}
void CCaptionBar::RefreshCaptions() {}

}  // namespace lexiv
