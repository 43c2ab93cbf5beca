#include "platform/terminal/terminal_paint_context.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/window.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

TerminalPaintContext::TerminalPaintContext(TerminalCanvas& canvas, const CellRect& windowCells, const CellRect& clip)
    : canvas_(canvas), window_(windowCells), clip_(clip.Intersect(windowCells)) {}

void TerminalPaintContext::SetColors(COLORREF foreground, COLORREF background) {
  foreground_ = foreground;
  background_ = background;
}

void TerminalPaintContext::Clear() { canvas_.Fill(clip_, foreground_, background_); }

void TerminalPaintContext::FillRow(int row, unsigned attributes) {
  canvas_.Fill(CellRect{window_.left, window_.top + row, window_.right, window_.top + row + 1}.Intersect(clip_),
               foreground_, background_, attributes);
}

int TerminalPaintContext::Write(int column, int row, std::string_view sjis, unsigned attributes) {
  return canvas_.Write(window_.left + column, window_.top + row, sjis, clip_, foreground_, background_, attributes) -
         window_.left;
}

void TerminalPaintContext::SetCursor(int column, int row) {
  cursorSet_ = true;
  cursorColumn_ = std::clamp(column, 0, std::max(widthCells() - 1, 0));
  cursorRow_ = std::clamp(row, 0, std::max(heightCells() - 1, 0));
}

void PaintWindowDefault(HWND hwnd, TerminalPaintContext& context) {
  context.Clear();
  int row = 0;
  // A top-level window's text is its caption, shown on the bar line or the title line.
  if (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) {
    const std::string text = WindowText(hwnd);
    if (!text.empty()) context.Write(0, row++, text);
  }
  PaintDescription(hwnd, context, row);
}

void PaintDescription(HWND hwnd, TerminalPaintContext& context, int firstRow) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return;
  std::vector<std::string> lines;
  w->DescribeContents(lines);
  int row = firstRow;
  for (const std::string& line : lines) {
    if (row >= context.heightCells()) break;
    context.Write(0, row++, line);
  }
}

}  // namespace lexiv::platform
