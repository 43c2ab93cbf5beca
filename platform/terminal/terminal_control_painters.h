// How the platform's own controls look on a terminal. The renderer picks these by the window's
// type, so a view derived from a control (with a class name of its own) is drawn as that control;
// a painter registered for the class name (RegisterTerminalPainter) still comes first.
//
// - List view: the columns at their widths (texts cut at the column's edge with "…", a cell left between
//   columns, right and centred columns aligned), the header line unless LVS_NOCOLUMNHEADER, the
//   items from the top index one a row, the selected item in reverse video (while the list has
//   the focus, or always with LVS_SHOWSELALWAYS), the cursor on the focused item. Colours are the
//   ones the program gave; those it did not give are the terminal's own.
// - Rich edit: the display lines from the first visible one, a line longer than the window
//   continuing on the next row; each character in its format's colour, bold and underline; the
//   selection in reverse video unless hidden; the cursor on the caret.
// - Edit of several lines: the display lines from the first visible one, the selection in
//   reverse video while the edit has the focus (always with ES_NOHIDESEL), the cursor on the
//   caret; colours as the one-line edit asks its parent for them.
// - Status bar: each pane's text at the pane's place (centred when the bar says so, in reverse
//   video for a highlighted pane), or the simple text across the bar.
// - Static with a text: its lines one a row, a long line going on in the next, aligned as its
//   style says. Static with an icon: a bold mark of the icon's kind.
// - Toolbar: each button as a block labelled with its tooltip (the command's string after its
//   line break), in reverse video, dim when gray; embedded controls draw themselves in place.
// - Splitter: the bar between the panes, shown in reverse video while the split is being moved.
#pragma once

#include <string>
#include <string_view>

#include "platform/terminal/terminal_paint_context.h"

namespace lexiv::platform {

void PaintListView(HWND hwnd, TerminalPaintContext& context);
void PaintRichEdit(HWND hwnd, TerminalPaintContext& context);
void PaintMultiLineEdit(HWND hwnd, TerminalPaintContext& context);
void PaintStatusBar(HWND hwnd, TerminalPaintContext& context);
void PaintToolbar(HWND hwnd, TerminalPaintContext& context);
void PaintSplitter(HWND hwnd, TerminalPaintContext& context);

// The painter for the window's type among the above; null for other windows.
TerminalPainter ControlPainterFor(HWND hwnd);

// A colour a program gave, as shown: CLR_DEFAULT and CLR_NONE are the terminal's own.
COLORREF ShownColor(COLORREF color);

// The longest start of sjis that takes at most maxCells cells, never cutting a character.
std::string_view FitToCells(std::string_view sjis, int maxCells);
// The same, but a text that is cut ends in "…", so that a shortened count or caption is never
// taken for a whole one.
std::string FitWithEllipsis(std::string_view sjis, int maxCells);

}  // namespace lexiv::platform
