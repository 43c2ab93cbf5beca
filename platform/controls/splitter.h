// A static splitter of one row and two columns. Its panes are children made by the caller with
// the ids PaneId(0) and PaneId(1); the splitter lays them out side by side with a bar between
// them, column 0 as wide as the split. The active pane is the one that has, or last had, the
// focus; SetActivePane makes a pane active and gives it the focus. StartKeyboardSplit lets the
// user move the split with Left and Right (Ctrl for single pixels); Enter keeps the new split,
// Escape puts the old one back, and either gives the focus back to the active pane. When the
// splitter loses the focus at the end of such a move (by those keys or any other way), its
// parent hears NM_KILLFOCUS (WM_NOTIFY), so it can fit what depends on the split.
#pragma once

#include <memory>
#include <vector>

#include "platform/core/accessibility.h"
#include "platform/core/window.h"

namespace lexiv::platform {

// The splitter's own command: move the split with the keyboard.
inline constexpr UINT ID_WINDOW_SPLIT = 0xE135;

class Splitter : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  std::string_view ClassName() const override { return "LexivSplitter"; }
  void DescribeContents(std::vector<std::string>& lines) const override;

  static constexpr UINT kFirstPaneId = 0xE900;
  static constexpr int kBarWidth = 6;
  static constexpr int kKeyboardStep = 8;
  static UINT PaneId(int column) { return kFirstPaneId + static_cast<UINT>(column); }

  HWND Pane(int column) const;
  // The width column 0 is given, kept between 0 and the splitter's width less the bar.
  void SetColumnWidth(int width);
  // Column 0's width as laid out (the width asked for, cut to what fits).
  int ColumnWidth() const;
  // Moves the panes to their places.
  void RecalcLayout();

  int ActiveColumn() const;  // -1 before any pane was active
  HWND ActivePane() const;
  void SetActivePane(int column);

  void StartKeyboardSplit();
  bool InKeyboardSplit() const { return tracking_; }

 private:
  void OnFocusMoved(HWND focus);
  void EndKeyboardSplit(bool keep);

  LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
  LRESULT OnSize(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
  void OnSplitCommand();

  int requestedWidth_ = 0;
  int activeColumn_ = -1;
  bool tracking_ = false;
  bool leavingAMove_ = false;  // the focus came for a keyboard move: its loss ends the move
  int widthBeforeTracking_ = 0;
  std::unique_ptr<AccessSubscription> focusWatch_;
};

}  // namespace lexiv::platform
