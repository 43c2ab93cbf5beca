// The caption bar: a strip under the search bar whose two panes name the panes below them,
// "見出し語" over the headword list and "意味" over the meaning. The pane over the view that has
// the focus is drawn in the active caption colour, the other in the inactive one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/status_bar.h"
#include "views/main_frame_state.h"

namespace lexiv {

class CCaptionBar : public platform::StatusBar {
 public:
  static constexpr platform::UINT kListPaneId = 0xE708;
  static constexpr platform::UINT kMeaningPaneId = 0xE709;

  explicit CCaptionBar(MainFrameState& frame) : frame_(frame) {}

  std::string_view ClassName() const override { return "LexivCaptionBar"; }

  // Makes the two panes, the first firstPaneWidth pixels wide (at least 0), with their texts.
  void SetCaptions(int firstPaneWidth);
  // Sets a pane's text (empty first, so that it is always repainted).
  void SetCaption(platform::UINT paneId, std::string_view text);
  // Sets both texts again, so that the colours follow the focus.
  void RefreshCaptions();

  // The pane over the view that has the focus; none while the focus is elsewhere.
  bool PaneHighlighted(int pane) const override;
  bool PanesCentered() const override { return true; }
  void DescribeContents(std::vector<std::string>& lines) const override;

 protected:
  MainFrameState& frame() { return frame_; }

 private:
  MainFrameState& frame_;
};

}  // namespace lexiv
