#include "views/search_box.h"

namespace lexiv {

using namespace lexiv::platform;

const MessageMap& CSearchBox::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<CSearchBox>(EditControl::ClassMessageMap());
  return map;
}

void CSearchBox::RunEnterAction() {}
void CSearchBox::RunEscapeAction() { frame_.Exit(); }
bool CSearchBox::PreTranslateMessage(Msg& msg) { return EditControl::PreTranslateMessage(msg); }

}  // namespace lexiv
