#include "platform/terminal/terminal_canvas.h"

#include <algorithm>

#include "platform/terminal/terminal_glyphs.h"

namespace lexiv::platform {

CellRect CellRect::Intersect(const CellRect& o) const {
  return CellRect{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
}

TerminalCanvas::TerminalCanvas(int columns, int rows)
    : columns_(std::max(columns, 0)), rows_(std::max(rows, 0)),
      cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)) {}

void TerminalCanvas::Unpair(int column, int row) {
  TerminalCell& cell = Cell(column, row);
  if (cell.glyph.empty() && column > 0) {
    TerminalCell& left = Cell(column - 1, row);
    left.glyph = " ";
    left.glyphCells = 1;
  } else if (cell.glyphCells == 2 && column + 1 < columns_) {
    TerminalCell& right = Cell(column + 1, row);
    right.glyph = " ";
    right.glyphCells = 1;
  }
}

void TerminalCanvas::Fill(const CellRect& area, COLORREF foreground, COLORREF background, unsigned attributes) {
  const CellRect r = area.Intersect(Bounds());
  for (int row = r.top; row < r.bottom; ++row) {
    for (int column = r.left; column < r.right; ++column) {
      Unpair(column, row);
      Cell(column, row) = TerminalCell{" ", 1, foreground, background, attributes};
    }
  }
}

int TerminalCanvas::Write(int column, int row, std::string_view sjis, const CellRect& clip, COLORREF foreground,
                          COLORREF background, unsigned attributes) {
  const CellRect r = clip.Intersect(Bounds());
  for (std::size_t bytePos = 0; bytePos < sjis.size();) {
    TerminalGlyph glyph = GlyphAt(sjis, bytePos);
    bytePos += glyph.bytes;
    if (row >= r.top && row < r.bottom && column >= r.left && column + glyph.cells <= r.right) {
      Unpair(column, row);
      if (glyph.cells == 2) Unpair(column + 1, row);
      Cell(column, row) = TerminalCell{std::move(glyph.utf8), glyph.cells, foreground, background, attributes};
      if (glyph.cells == 2) Cell(column + 1, row) = TerminalCell{"", 1, foreground, background, attributes};
    }
    column += glyph.cells;
  }
  return column;
}

void TerminalCanvas::SetCursor(int column, int row) {
  cursorColumn_ = std::clamp(column, 0, std::max(columns_ - 1, 0));
  cursorRow_ = std::clamp(row, 0, std::max(rows_ - 1, 0));
}

std::string TerminalCanvas::RowText(int row) const {
  std::string text;
  if (row < 0 || row >= rows_) return text;
  for (int column = 0; column < columns_; ++column) text += At(column, row).glyph;
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace lexiv::platform
