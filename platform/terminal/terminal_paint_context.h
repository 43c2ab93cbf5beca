// What one window's painter draws with, and the default painter that every window without a
// painter of its own gets. Both the renderer and the control painters stand on this, so neither
// needs the other's header to paint a window.
#pragma once

#include <functional>
#include <string_view>

#include "platform/terminal/terminal_canvas.h"
#include "platform/win_types.h"

namespace lexiv::platform {

// What a painter draws with: coordinates are cells relative to the window's top-left cell;
// everything is clipped to the part of the window that is on the screen.
class TerminalPaintContext {
 public:
  TerminalPaintContext(TerminalCanvas& canvas, const CellRect& windowCells, const CellRect& clip);

  int widthCells() const { return window_.right - window_.left; }
  int heightCells() const { return window_.bottom - window_.top; }
  // Colours for what follows (kTerminalDefaultColor: the terminal's own, as for scheme 0).
  void SetColors(COLORREF foreground, COLORREF background);
  // Fills the window with the current background.
  void Clear();
  void FillRow(int row, unsigned attributes);
  // Writes Shift-JIS text; returns the column after it.
  int Write(int column, int row, std::string_view sjis, unsigned attributes = 0);
  // Where the cursor goes when this window has the focus.
  void SetCursor(int column, int row);
  bool cursorSet() const { return cursorSet_; }
  int cursorColumn() const { return cursorColumn_; }
  int cursorRow() const { return cursorRow_; }
  const CellRect& windowCells() const { return window_; }

 private:
  TerminalCanvas& canvas_;
  CellRect window_;
  CellRect clip_;
  COLORREF foreground_ = kTerminalDefaultColor;
  COLORREF background_ = kTerminalDefaultColor;
  bool cursorSet_ = false;
  int cursorColumn_ = 0;
  int cursorRow_ = 0;
};

using TerminalPainter = std::function<void(HWND hwnd, TerminalPaintContext& context)>;

// The window's text (for a child window: a top-level window's text is its caption, shown on the
// bar line or the title line), then the lines of its DescribeContents, one a row.
void PaintWindowDefault(HWND hwnd, TerminalPaintContext& context);
// The lines of the window's DescribeContents, one a row from firstRow while there is room.
void PaintDescription(HWND hwnd, TerminalPaintContext& context, int firstRow);

}  // namespace lexiv::platform
