// The terminal screen as cells, drawn by the renderer and copied to the terminal by the screen.
// Being plain data, two canvases compare equal when nothing on the screen would change, which is
// how the driver avoids needless redraws.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/terminal/terminal_colors.h"
#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr unsigned kCellBold = 1;
inline constexpr unsigned kCellReverse = 2;
inline constexpr unsigned kCellUnderline = 4;
inline constexpr unsigned kCellDim = 8;

struct TerminalCell {
  std::string glyph = " ";  // UTF-8; empty in the second cell of a two-cell character
  int glyphCells = 1;       // 2 in the first cell of a two-cell character
  COLORREF foreground = kTerminalDefaultColor;
  COLORREF background = kTerminalDefaultColor;
  unsigned attributes = 0;
  friend bool operator==(const TerminalCell&, const TerminalCell&) = default;
};

// Cells [left, right) x [top, bottom).
struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  CellRect Intersect(const CellRect& o) const;
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

class TerminalCanvas {
 public:
  TerminalCanvas() = default;
  TerminalCanvas(int columns, int rows);

  int columns() const { return columns_; }
  int rows() const { return rows_; }
  CellRect Bounds() const { return CellRect{0, 0, columns_, rows_}; }
  const TerminalCell& At(int column, int row) const { return cells_[static_cast<std::size_t>(row * columns_ + column)]; }

  void Fill(const CellRect& area, COLORREF foreground, COLORREF background, unsigned attributes = 0);
  // Writes Shift-JIS text from (column, row), inside clip only; a two-cell character that would
  // be cut by the clip is left out. Returns the column after the text (as if unclipped).
  int Write(int column, int row, std::string_view sjis, const CellRect& clip, COLORREF foreground,
            COLORREF background, unsigned attributes = 0);

  void SetCursor(int column, int row);
  int cursorColumn() const { return cursorColumn_; }
  int cursorRow() const { return cursorRow_; }

  // A row as UTF-8 text, each character once, trailing spaces removed (for tests and logs).
  std::string RowText(int row) const;

  friend bool operator==(const TerminalCanvas&, const TerminalCanvas&) = default;

 private:
  TerminalCell& Cell(int column, int row) { return cells_[static_cast<std::size_t>(row * columns_ + column)]; }
  // Clears the other half of a two-cell character about to be overwritten at (column, row).
  void Unpair(int column, int row);

  int columns_ = 0;
  int rows_ = 0;
  std::vector<TerminalCell> cells_;
  int cursorColumn_ = 0;
  int cursorRow_ = 0;
};

}  // namespace lexiv::platform
