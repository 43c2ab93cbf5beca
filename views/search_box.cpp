#include "views/search_box.h"

namespace lexiv {

using namespace lexiv::platform;

const MessageMap& CSearchBox::ClassMessageMap() {
  static const MessageMap map =
      MessageMapOf<CSearchBox>(EditControl::ClassMessageMap()).On(WM_KEYDOWN, &CSearchBox::OnKeyDown);
  return map;
}

void CSearchBox::RunEnterAction() {}

LRESULT CSearchBox::OnKeyDown(WPARAM key, LPARAM) {
  if (key == VK_ESCAPE) {
    frame_.Exit();
    return 0;
  }
  return Default();
}

}  // namespace lexiv
