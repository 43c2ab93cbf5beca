#include "views/title_view.h"

#include "platform/list_view_messages.h"
#include "platform/messages.h"

namespace lexiv {

using namespace lexiv::platform;

const MessageMap& CTitleView::ClassMessageMap() {
  static const MessageMap map =
      MessageMapOf<CTitleView>(ListView::ClassMessageMap()).On(WM_KEYDOWN, &CTitleView::OnKeyDown);
  return map;
}

int CTitleView::ShowSearchResults(const std::string& text, int mode, int pattern) {
  (void)text;
  (void)mode;
  (void)pattern;
  return 1;
}

int CTitleView::ItemCount() const {
  return static_cast<int>(SendMessage(hwnd(), LVM_GETITEMCOUNT, 0, 0));
}

int CTitleView::GetSelectedIndex() const {
  return static_cast<int>(SendMessage(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void CTitleView::ApplyColorsAndFont() {}

LRESULT CTitleView::OnKeyDown(WPARAM key, LPARAM) {
  if (key == VK_ESCAPE) {
    frame_.Exit();
    return 0;
  }
  return Default();
}

}  // namespace lexiv
