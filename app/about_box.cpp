#include "app/about_box.h"

#include <cstdio>

#include "access/speech.h"
#include "app/about_pictures.h"
#include "platform/controls/button_messages.h"
#include "platform/controls/static_control.h"
#include "platform/core/timers.h"
#include "platform/core/window_functions.h"

namespace lexiv {

using namespace lexiv::platform;

int CAboutBox::restSteps_ = 0;

namespace {

DialogTemplate AboutTemplate() {
  DialogTemplate description;
  description.caption = "ﾊﾞｰｼﾞｮﾝ情報";
  description.width = DialogUnits(160);
  description.height = DialogUnits(84);
  description.controls = {
      // Thirteen pixels by six, two cells a pixel.
      DialogItem("Static", "150", CAboutBox::kPictureId, SS_BITMAP, 6, 6, 104, 48),
      DialogItem("Static", "", CAboutBox::kProductTextId, SS_LEFT | SS_NOPREFIX, 116, 6, 40, 16),
      DialogItem("Button", "確認", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 58, 62, 44, 14),
  };
  return description;
}

}  // namespace

const MessageMap& CAboutBox::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<CAboutBox>(Dialog::ClassMessageMap())
                                    .On(WM_TIMER, &CAboutBox::OnTimer)
                                    .On(WM_DESTROY, &CAboutBox::OnDestroy);
  return map;
}

CAboutBox::CAboutBox(DWORD productVersionMS, DWORD productVersionLS)
    : Dialog(AboutTemplate()), version_(VersionText(productVersionMS, productVersionLS)) {}

std::string CAboutBox::VersionText(DWORD productVersionMS, DWORD productVersionLS) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d%d", static_cast<int>(HIWORD(productVersionMS)),
                static_cast<int>(HIWORD(productVersionLS)), static_cast<int>(LOWORD(productVersionLS)));
  return text;
}

BOOL CAboutBox::OnInitDialog() {
  SetDlgItemText(hwnd(), kProductTextId, ("Lexiv\n" + version_).c_str());
  const std::string sep(1, access::kPhraseSeparator);
  access::SpeakNow("国語辞典" + sep + "ﾊﾞｰｼﾞｮﾝ" + sep + version_ + sep + "確認");
  SetTimer(hwnd(), kAnimationTimer, kAnimationStepMs);
  return TRUE;
}

LRESULT CAboutBox::OnTimer(WPARAM id, LPARAM) {
  if (id != kAnimationTimer) return Default();
  if (restSteps_ > 0) {
    --restSteps_;
    return 0;
  }
  SendDlgItemMessage(hwnd(), kPictureId, STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(kAboutPictureIds[frame_]));
  if (++frame_ == kAboutPictureCount) {
    frame_ = 0;
    restSteps_ = kRestSteps;
  }
  return 0;
}

LRESULT CAboutBox::OnDestroy(WPARAM, LPARAM) {
  KillTimer(hwnd(), kAnimationTimer);
  return Default();
}

}  // namespace lexiv
