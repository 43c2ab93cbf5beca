// The meaning pane: a read-only rich edit that shows the entry chosen in the headword list. Its
// reading, paging and range behaviour is built on top of this window; the main window makes it
// in the splitter's second column.
#pragma once

#include <cstdint>
#include <string>

#include "platform/rich_edit_control.h"
#include "views/main_frame_state.h"

namespace lexiv {

class CMeanView : public platform::RichEditControl {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  explicit CMeanView(MainFrameState& frame) : frame_(frame) {}

  // Shows the entry at position (direction 0), or the one before (1) or after (2) the current
  // position; 1 on success with the position found written back, 0 otherwise.
  int ShowEntry(std::int32_t& position, int direction);
  // The position of the entry shown, -1 when none.
  std::int32_t CurrentPosition() const { return position_; }
  void SetCurrentPosition(std::int32_t position) { position_ = position; }

  bool HasText() const;
  bool HasSelection() const;
  // The selected text; with cutAtLineBreak 1 only up to its first line break.
  std::string SelectedText(int cutAtLineBreak) const;
  // 0-based line and byte column of the caret (the moving end of the selection).
  void CaretLineColumn(int* line, int* column) const;
  void ApplyColorsAndFont();

  // The range command (range search or copy) that range mode completes.
  void SetRangeCommand(platform::UINT command) { rangeCommand_ = command; }
  platform::UINT RangeCommand() const { return rangeCommand_; }
  // Completes the range command on the selection: searches its text up to the first line break,
  // or says where it runs and copies it.
  void RangeAction();

 protected:
  MainFrameState& frame() { return frame_; }

 private:
  platform::LRESULT OnKeyDown(platform::WPARAM key, platform::LPARAM flags);

  MainFrameState& frame_;
  std::int32_t position_ = -1;
  platform::UINT rangeCommand_ = 0;
};

}  // namespace lexiv
