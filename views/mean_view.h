// The meaning pane: a read-only rich edit that shows one dictionary entry. The user reads it with
// the caret: every move speaks the character (or the rest of the line) under the caret and names
// the edge it reaches. It also reads a paragraph or everything phrase by phrase, marks a range
// with the keyboard for the range commands, and finds text. The main window makes it in the
// splitter's second column; the headword list makes it follow the list cursor.
#pragma once

#include <cstdint>
#include <string>

#include "engine/entry_record.h"
#include "engine/entry_text.h"
#include "platform/controls/rich_edit_control.h"
#include "views/main_frame_state.h"

namespace lexiv {

class CMeanView : public platform::RichEditControl {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  // The last move of the caret, set by the key handler and consumed by the next selection change.
  enum MoveKind : int {
    kNoMove = 0,
    kMoveRight = 1,  // Right or End
    kMoveUp = 2,
    kMoveDown = 3,
    kMoveLeft = 4,  // Left or Home
    kMoveTop = 5,   // Ctrl+Home
    kMoveLast = 6,  // Ctrl+End
  };

  explicit CMeanView(MainFrameState& frame) : frame_(frame) {}

  // Displays an entry; 1, or 0 when there is no entry in that direction (nothing changes then).
  // direction 0 reads the entry at position; 1 and 2 the one before or after the current
  // position, writing the position found back. readIt 0 writes the entry already held again.
  // addToHistory pushes the position into the history ring; speak says the reading; the
  // selection is set to selStart..selEnd.
  int ShowEntry(int direction, std::int32_t& position, int readIt, int addToHistory, int speak, long selStart,
                long selEnd);

  // The committed entry's position, -1 when none.
  std::int32_t CurrentPosition() const { return currentPosition_; }
  void SetCurrentPosition(std::int32_t position) { currentPosition_ = position; }
  // The position of what is on screen.
  std::int32_t DisplayedPosition() const { return displayedPosition_; }
  // The selection as it was last seen, for returning to the entry.
  platform::CHARRANGE SavedSelection() const { return savedSelection_; }
  // The fixed end of the selection; the other end is the one that moves and is spoken.
  long SelectionAnchor() const { return anchor_; }
  // 1 when the last read failed and the error layout is shown.
  int EntryError() const { return entryError_; }
  // The reading of the entry shown (Shift-JIS).
  std::string EntryReading() const;
  // 1 while ReadAll runs.
  platform::DWORD readAllRunning() const { return readAll_; }

  bool HasText() const;
  bool HasSelection() const;
  // The selected text; with cutAtLineBreak 1 only up to its first line break.
  std::string SelectedText(int cutAtLineBreak) const;
  // 0-based line and byte column of the caret (the moving end of the selection).
  void CaretLineColumn(int* line, int* column) const;
  // 0-based line and column of the selection's start and of its last character.
  void SelectionLinesColumns(int* startLine, int* startColumn, int* endLine, int* endColumn) const;

  void ApplyColorsAndFont();
  // Character height 24 points, times (level + 1) on the enlarged screen.
  void ApplyZoom(int level);

  // Collapses the selection to its moving end and leaves the range-extending Shift state.
  void CollapseSelection();
  // The range command (range search or copy) that range mode completes.
  void SetRangeCommand(platform::UINT command) { rangeCommand_ = command; }
  platform::UINT RangeCommand() const { return rangeCommand_; }
  // Completes the range command on the selection: searches its text up to the first line break,
  // or says where it runs and copies it.
  void RangeAction();

  // Speaks the paragraph of the anchor's line.
  void ReadParagraph();
  // Reads phrase by phrase from the anchor (fromCaret 1) or the start, moving the selection along
  // when follow is 1; 1 when the end was reached, 0 when the user interrupted.
  int ReadAll(int fromCaret, int follow);
  // Finds the find state's text after (forward 1) or before the caret; 1 when found.
  int FindText(int forward);

  // 1 when the line holding bytePos ends without a line break (it wraps).
  int IsSoftLineEnd(long bytePos) const;

  bool PreTranslateMessage(platform::Msg& msg) override;

 protected:
  MainFrameState& frame() { return frame_; }

 private:
  // Keeps the block caret in step with whatever moved or redrew the text.
  platform::LRESULT WindowProc(platform::UINT message, platform::WPARAM wParam, platform::LPARAM lParam) override;
  platform::LRESULT OnCreate(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnKeyDown(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnImeChar(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnSetFocus(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnLeftButton(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnRightButtonUp(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnMouseActivate(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnSelChange(platform::NMHDR* header);

  // Enter before translation: fixes the range's start, completes the range, or reads the next
  // line.
  void HandleEnter();
  // Says what the last key's move reached at bytePos.
  void SpeakAfterMove(long bytePos);
  void WriteEntryText(const EntryText& text);
  platform::CHARFORMAT EntryFormat(RunKind kind) const;
  bool KeyDownWaiting() const;
  // The end of the selection that moves: its start when it lies before the anchor.
  long MovingEnd() const;
  platform::CHARRANGE Selection() const;
  // A selection change of the view's own, not spoken.
  void SelectSilently(long anchor, long caret);
  // Takes the selection as it is now as the last one notified, after changes made while the
  // control did not notify.
  void RememberSelection();
  void RebuildCaret();
  // ReadAll's wait for one phrase; false when the user stopped the reading.
  bool WaitForPhrase(bool& rightButtonDown);

  MainFrameState& frame_;
  EntryRecord entry_{};
  int entryError_ = 0;
  std::int32_t displayedPosition_ = -1;
  std::int32_t currentPosition_ = -1;
  platform::CHARRANGE savedSelection_{};
  long anchor_ = 0;
  int moveKind_ = kNoMove;
  platform::UINT rangeCommand_ = 0;
  platform::DWORD readAll_ = 0;
  platform::CHARRANGE lastNotified_{};  // the selection of the previous EN_SELCHANGE
};

}  // namespace lexiv
