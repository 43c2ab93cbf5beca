// The display font dialog ("表示フォント"): one of the two faces by radio button and one of the
// nine colour schemes from a drop-down list. It shows the display state's current choice (after
// any font name and colour pair the caller gives) and stores the new one only on "設定".
#pragma once

#include "app/option_dialog.h"
#include "views/display_state.h"

namespace lexiv {

class CDisplayFontDialog : public COptionDialog {
 public:
  static constexpr int kResourceId = 302;
  static constexpr int kGothicId = 1002;
  static constexpr int kMinchoId = 1003;
  static constexpr int kColorListId = 1004;

  explicit CDisplayFontDialog(DisplayState& display);

  // Selected through the display state before the dialog opens; a null name changes nothing.
  void ProposeChoice(const char* fontName, platform::COLORREF textColor, platform::COLORREF backgroundColor);

 protected:
  platform::BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  DisplayState& display_;
};

}  // namespace lexiv
