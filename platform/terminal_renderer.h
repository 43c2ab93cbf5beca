// Draws the platform's windows into a terminal canvas: the bar line at the top (the main
// window's caption and menu bar), every visible window from the bottom of the z-order up, each
// by the painter of its class, dialogs with a title line, the open menus, and the terminal
// cursor on the focused item (terminal screen readers and braille displays follow it).
//
// Windows are placed by their rectangles: one cell is 8 by 16 logical pixels. A class that
// needs its own drawing (list columns, character formats, a caret inside wrapped text)
// registers a painter; every other window shows its text and the lines of its DescribeContents.
#pragma once

#include <functional>
#include <string_view>

#include "platform/terminal_canvas.h"
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

// Registers the painter of a window class (compared without case); replaces an earlier one.
// Built in: "Button" (push, default, check and radio marks), "Edit" (caret from EM_GETSEL), and
// by type the list view, rich edit, status bar, toolbar and splitter (terminal_control_painters.h);
// other classes get the default painter, which a registered painter may call first.
void RegisterTerminalPainter(std::string_view className, TerminalPainter painter);
void PaintWindowDefault(HWND hwnd, TerminalPaintContext& context);

// The screen rectangle the windows get on a terminal of this size: every row below the bar line.
RECT ScreenRectForTerminal(int columns, int rows);

struct TerminalLayout {
  int originColumn = 0;  // the cell where screen pixel (0, 0) is
  int originRow = 1;
};

// Draws everything into canvas (which it clears first) and places its cursor.
TerminalLayout RenderScreen(TerminalCanvas& canvas);

}  // namespace lexiv::platform
