// The headword list pane: a report-style list view that lists the headwords found. Its search
// and reading behaviour is built on top of this window; the main window makes it in the
// splitter's first column.
#pragma once

#include <string>

#include "platform/list_view.h"
#include "views/main_frame_state.h"

namespace lexiv {

class CTitleView : public platform::ListView {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  explicit CTitleView(MainFrameState& frame) : frame_(frame) {}

  // Lists the headwords found for text; 0 when hits are shown, 1 otherwise.
  int ShowSearchResults(const std::string& text, int mode, int pattern);
  int ItemCount() const;
  // -1 when no item is current.
  int GetSelectedIndex() const;
  void ApplyColorsAndFont();

 protected:
  MainFrameState& frame() { return frame_; }

 private:
  platform::LRESULT OnKeyDown(platform::WPARAM key, platform::LPARAM flags);

  MainFrameState& frame_;
};

}  // namespace lexiv
