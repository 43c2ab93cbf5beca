#include "views/search_box.h"

#include "platform/messages.h"

namespace lexiv {

using namespace lexiv::platform;

const MessageMap& CSearchBox::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<CSearchBox>(EditControl::ClassMessageMap());
  return map;
}

void CSearchBox::RunEnterAction() {}
void CSearchBox::RunEscapeAction() { frame_.Exit(); }
bool CSearchBox::PreTranslateMessage(Msg& msg) {
  if (msg.message == WM_KEYDOWN && msg.hwnd == hwnd() && msg.wParam == VK_ESCAPE) {
    RunEscapeAction();
    return true;
  }
  return EditControl::PreTranslateMessage(msg);
}

}  // namespace lexiv
