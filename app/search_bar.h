// The search bar: the toolbar that holds the label "検索語", the search box and the command
// buttons. A click that hits no button is ignored, and while range mode is on the buttons keep
// the disabled state range mode gave them instead of following their enable rules. The colour
// request of an embedded edit (the search box) is handed to the edit itself.
#pragma once

#include <functional>

#include "platform/controls/toolbar.h"

namespace lexiv {

class CSearchBar : public platform::Toolbar {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  // Asked at each idle refresh: true while the buttons must not follow their rules.
  void SetFrozenTest(std::function<bool()> frozen) { frozen_ = std::move(frozen); }

 private:
  platform::LRESULT OnButtonDown(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnIdleUpdate(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnControlColor(platform::WPARAM wParam, platform::LPARAM lParam);

  std::function<bool()> frozen_;
};

}  // namespace lexiv
