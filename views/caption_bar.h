// The caption bar: a strip under the search bar whose two panes name the panes below them,
// "見出し語" over the headword list and "意味" over the meaning.
#pragma once

#include "platform/status_bar.h"
#include "views/main_frame_state.h"

namespace lexiv {

class CCaptionBar : public platform::StatusBar {
 public:
  explicit CCaptionBar(MainFrameState& frame) : frame_(frame) {}

  std::string_view ClassName() const override { return "LexivCaptionBar"; }

  // Makes the two panes, the first firstPaneWidth pixels wide (at least 0), with their texts.
  void SetCaptions(int firstPaneWidth);

 protected:
  MainFrameState& frame() { return frame_; }

 private:
  MainFrameState& frame_;
};

}  // namespace lexiv
