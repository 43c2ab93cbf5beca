// Draws the platform's windows into a terminal canvas: the bar line at the top (the main
// window's caption and menu bar), every visible window from the bottom of the z-order up, each
// by the painter of its class, dialogs with a title line, the open menus, and the terminal
// cursor on the focused item (terminal screen readers and braille displays follow it).
//
// Windows are placed by their rectangles: one cell is 8 by 16 logical pixels. A class that
// needs its own drawing (list columns, character formats, a caret inside wrapped text)
// registers a painter; every other window shows its text and the lines of its DescribeContents.
#pragma once

#include <string_view>

#include "platform/terminal/terminal_canvas.h"
#include "platform/terminal/terminal_paint_context.h"
#include "platform/win_types.h"

namespace lexiv::platform {

// Registers the painter of a window class (compared without case); replaces an earlier one.
// Built in: "Button" (push, default, check and radio marks), "Edit" and every class derived from
// the edit (caret from EM_GETSEL), and
// by type the list view, rich edit, status bar, toolbar and splitter (terminal_control_painters.h);
// other classes get the default painter (PaintWindowDefault), which a registered painter may call
// first.
void RegisterTerminalPainter(std::string_view className, TerminalPainter painter);

// The screen rectangle the windows get on a terminal of this size: every row below the bar line.
RECT ScreenRectForTerminal(int columns, int rows);

struct TerminalLayout {
  int originColumn = 0;  // the cell where screen pixel (0, 0) is
  int originRow = 1;
};

// Draws everything into canvas (which it clears first) and places its cursor.
TerminalLayout RenderScreen(TerminalCanvas& canvas);

}  // namespace lexiv::platform
