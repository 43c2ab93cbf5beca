// The about box ("ﾊﾞｰｼﾞｮﾝ情報"): the product name and version, read out when it opens, and a small
// animation of a page being turned. Every 150 ms the picture steps on through the eleven pictures;
// after the eleventh the animation rests for eleven steps before it starts again. The rest is
// counted for the program, not for one box, so a box opened during a rest waits for its end.
#pragma once

#include <string>

#include "app/option_dialog.h"  // the dialog units

namespace lexiv {

class CAboutBox : public platform::Dialog {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  static constexpr int kResourceId = 100;
  static constexpr int kProductTextId = 1006;
  static constexpr int kPictureId = 1009;
  static constexpr platform::UINT_PTR kAnimationTimer = 100;
  static constexpr platform::UINT kAnimationStepMs = 150;
  static constexpr int kRestSteps = 11;

  // The version words as a version resource holds them (major, minor | patch, tweak).
  CAboutBox(platform::DWORD productVersionMS, platform::DWORD productVersionLS);

  // "1.23" for the version 1.0.2.3: the major number, then the patch and tweak numbers.
  static std::string VersionText(platform::DWORD productVersionMS, platform::DWORD productVersionLS);

 protected:
  platform::BOOL OnInitDialog() override;

 private:
  platform::LRESULT OnTimer(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnDestroy(platform::WPARAM wParam, platform::LPARAM lParam);

  std::string version_;
  int frame_ = 0;
  static int restSteps_;
};

}  // namespace lexiv
