#include "app/option_dialog.h"

#include "access/speech_library.h"

namespace lexiv {

using namespace lexiv::platform;

DialogControl DialogItem(const char* className, const char* text, int id, DWORD style, int x, int y, int width,
                         int height) {
  DialogControl control;
  control.className = className;
  control.text = text;
  control.id = static_cast<UINT>(id);
  control.style = WS_CHILD | WS_VISIBLE | style;
  control.rect = RECT{DialogUnits(x), DialogUnits(y), DialogUnits(x + width), DialogUnits(y + height)};
  return control;
}

const MessageMap& COptionDialog::ClassMessageMap() {
  static const MessageMap map =
      MessageMapOf<COptionDialog>(Dialog::ClassMessageMap()).On(WM_DESTROY, &COptionDialog::OnDestroy);
  return map;
}

int COptionDialog::Run(HWND owner) {
  const int result = DoModal(owner);
  if (result == IDOK) return IDOK;
  access::VOXAVReset();
  access::VOXAVoiceGuide("ﾊﾟｽ", 0);
  return IDCANCEL;
}

BOOL COptionDialog::OnInitDialog() {
  enhancer_.AttachEnhancer(hwnd(), 1);
  return TRUE;
}

LRESULT COptionDialog::OnDestroy(WPARAM, LPARAM) {
  enhancer_.DetachEnhancer();
  return Default();
}

}  // namespace lexiv
