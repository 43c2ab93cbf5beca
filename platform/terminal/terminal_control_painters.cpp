#include "platform/terminal/terminal_control_painters.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/controls/control_colors.h"
#include "platform/controls/edit_control.h"
#include "platform/controls/list_view.h"
#include "platform/controls/rich_edit_control.h"
#include "platform/controls/splitter.h"
#include "platform/controls/static_control.h"
#include "platform/controls/status_bar.h"
#include "platform/controls/text_lines.h"
#include "platform/controls/toolbar.h"
#include "platform/core/bitmap_table.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/string_table.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"
#include "platform/terminal/terminal_glyphs.h"
#include "platform/terminal/terminal_input_delivery.h"

namespace lexiv::platform {

namespace {

int CellOfPixel(int px) { return px >= 0 ? px / kCellWidthPx : -((-px + kCellWidthPx - 1) / kCellWidthPx); }

struct ColumnCells {
  int left = 0;
  int right = 0;
  int format = LVCFMT_LEFT;
  std::string title;
};

std::vector<ColumnCells> ListColumns(HWND hwnd, int widthCells) {
  std::vector<ColumnCells> columns;
  int px = 0;
  for (WPARAM i = 0;; ++i) {
    char title[256] = {};
    LVCOLUMN column;
    column.mask = LVCF_WIDTH | LVCF_FMT | LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    if (!SendMessage(hwnd, LVM_GETCOLUMN, i, reinterpret_cast<LPARAM>(&column))) break;
    const int width = std::max(column.cx, 0);
    columns.push_back(ColumnCells{CellOfPixel(px), CellOfPixel(px + width), column.fmt, title});
    px += width;
  }
  if (columns.empty()) columns.push_back(ColumnCells{0, widthCells, LVCFMT_LEFT, {}});
  return columns;
}

// Text inside a column, cut at its edge with one cell left before the next column.
void WriteInColumn(TerminalPaintContext& context, const ColumnCells& column, int row, std::string_view text,
                   unsigned attributes, bool keepGap = true) {
  const int cells = column.right - column.left;
  if (cells <= 0) return;
  const int room = keepGap && cells > 1 ? cells - 1 : cells;
  const std::string shown = FitWithEllipsis(text, room);
  int left = column.left;
  const int spare = room - TextCells(shown);
  if ((column.format & 0x3) == LVCFMT_RIGHT) left += spare;
  if ((column.format & 0x3) == LVCFMT_CENTER) left += spare / 2;
  context.Write(left, row, shown, attributes);
}

std::string ListItemText(HWND hwnd, int item, int column) {
  char buffer[1024] = {};
  LVITEM request;
  request.iSubItem = column;
  request.pszText = buffer;
  request.cchTextMax = sizeof buffer;
  SendMessage(hwnd, LVM_GETITEMTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
  return buffer;
}

// A toolbar button's label: the tooltip after the prompt's line break, else the whole string.
std::string ButtonLabel(int id) {
  const std::string text = LoadString(static_cast<UINT>(id));
  const std::size_t lineBreak = text.find('\n');
  return lineBreak == std::string::npos ? text : text.substr(lineBreak + 1);
}

}  // namespace

// CLR_DEFAULT is the same value as kTerminalDefaultColor; CLR_NONE means "no colour of its own".
COLORREF ShownColor(COLORREF color) {
  if (color == CLR_NONE || color == CLR_DEFAULT) return kTerminalDefaultColor;
  return color & 0xFFFFFF;
}

std::string FitWithEllipsis(std::string_view sjis, int maxCells) {
  constexpr char kEllipsis[] = "…";
  constexpr int kEllipsisCells = 2;
  const std::string_view fits = FitToCells(sjis, maxCells);
  if (fits.size() == sjis.size() || maxCells < kEllipsisCells) return std::string(fits);
  return std::string(FitToCells(sjis, maxCells - kEllipsisCells)) + kEllipsis;
}

std::string_view FitToCells(std::string_view sjis, int maxCells) {
  std::size_t bytes = 0;
  int cells = 0;
  while (bytes < sjis.size()) {
    const TerminalGlyph glyph = GlyphAt(sjis, bytes);
    if (cells + glyph.cells > maxCells) break;
    cells += glyph.cells;
    bytes += glyph.bytes;
  }
  return sjis.substr(0, bytes);
}

void PaintListView(HWND hwnd, TerminalPaintContext& context) {
  const auto* list = dynamic_cast<const ListView*>(FromHandle(hwnd));
  const ListView::GivenColors given = list != nullptr ? list->Colors() : ListView::GivenColors{};
  const COLORREF background = ShownColor(given.background);
  const COLORREF text = ShownColor(given.text);
  const COLORREF textBackground = given.textBackground == CLR_NONE ? background : ShownColor(given.textBackground);
  const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));

  context.SetColors(text, background);
  context.Clear();
  const std::vector<ColumnCells> columns = ListColumns(hwnd, context.widthCells());
  int row = 0;
  if (!(style & LVS_NOCOLUMNHEADER)) {
    context.FillRow(row, kCellUnderline);
    for (const ColumnCells& column : columns) WriteInColumn(context, column, row, column.title, kCellUnderline | kCellBold);
    ++row;
  }
  const int firstItemRow = row;
  const bool showSelection = GetFocus() == hwnd || (style & LVS_SHOWSELALWAYS);
  const int count = static_cast<int>(SendMessage(hwnd, LVM_GETITEMCOUNT, 0, 0));
  const int top = std::max(static_cast<int>(SendMessage(hwnd, LVM_GETTOPINDEX, 0, 0)), 0);
  bool cursorSet = false;
  for (int item = top; item < count && row < context.heightCells(); ++item, ++row) {
    const UINT state = static_cast<UINT>(SendMessage(hwnd, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_FOCUSED | LVIS_SELECTED));
    const unsigned attributes = showSelection && (state & LVIS_SELECTED) ? kCellReverse : 0u;
    context.SetColors(text, textBackground);
    context.FillRow(row, attributes);
    for (std::size_t c = 0; c < columns.size(); ++c)
      WriteInColumn(context, columns[c], row, ListItemText(hwnd, item, static_cast<int>(c)), attributes);
    if (state & LVIS_FOCUSED) {
      context.SetCursor(std::max(columns.front().left, 0), row);
      cursorSet = true;
    }
  }
  if (!cursorSet) context.SetCursor(0, firstItemRow);
}

void PaintRichEdit(HWND hwnd, TerminalPaintContext& context) {
  const auto* edit = dynamic_cast<const RichEditControl*>(FromHandle(hwnd));
  if (edit == nullptr) {
    PaintWindowDefault(hwnd, context);
    return;
  }
  // Text without a colour of its own takes the system's window text colour: the terminal's own
  // over the terminal's background, black over a background the program chose.
  const bool systemColors = edit->SystemBackground();
  const COLORREF background = systemColors ? kTerminalDefaultColor : edit->Background();
  const COLORREF autoText = systemColors ? kTerminalDefaultColor : RGB(0, 0, 0);
  context.SetColors(autoText, background);
  context.Clear();

  const RichText& document = edit->Document();
  const std::string_view bytes = document.Bytes();
  const std::vector<DisplayLine>& lines = edit->Lines();
  const bool showSelection = !edit->SelectionHidden() && edit->SelectionStart() != edit->SelectionEnd();
  const std::size_t selectionStart = edit->SelectionStart();
  const std::size_t selectionEnd = edit->SelectionEnd();
  auto selected = [&](std::size_t pos) { return showSelection && pos >= selectionStart && pos < selectionEnd; };
  const std::size_t caret = edit->CaretPos();
  const int caretLine = edit->LineOf(caret);
  const int width = std::max(context.widthCells(), 1);

  int row = 0;
  for (int index = std::max(edit->FirstVisibleLine(), 0); index < static_cast<int>(lines.size()) && row < context.heightCells();
       ++index, ++row) {
    const DisplayLine& line = lines[static_cast<std::size_t>(index)];
    const std::string_view lineBytes = bytes.substr(0, std::min(line.End(), bytes.size()));
    int column = 0;
    for (std::size_t pos = line.start; pos < lineBytes.size();) {
      const TerminalGlyph glyph = GlyphAt(lineBytes, pos);
      if (column + glyph.cells > width && column > 0) {
        column = 0;
        if (++row >= context.heightCells()) break;
      }
      if (index == caretLine && pos == caret) context.SetCursor(column, row);
      const TextFormat& format = document.FormatAt(pos);
      unsigned attributes = 0;
      if (format.bold) attributes |= kCellBold;
      if (format.underline) attributes |= kCellUnderline;
      if (selected(pos)) attributes |= kCellReverse;
      context.SetColors(format.autoColor ? autoText : (format.color & 0xFFFFFF), background);
      context.Write(column, row, lineBytes.substr(pos, glyph.bytes), attributes);
      column += glyph.cells;
      pos += glyph.bytes;
    }
    if (row >= context.heightCells()) break;
    // A selected paragraph end shows as one selected blank.
    if (line.breakBytes > 0 && selected(line.End()) && column < width) {
      context.SetColors(autoText, background);
      context.Write(column, row, " ", kCellReverse);
    }
    if (index == caretLine && caret >= line.End()) context.SetCursor(std::min(column, width - 1), row);
  }
}

void PaintMultiLineEdit(HWND hwnd, TerminalPaintContext& context) {
  const auto* edit = dynamic_cast<const EditControl*>(FromHandle(hwnd));
  const ControlColors colors = RequestEditColors(hwnd);
  context.SetColors(ShownColor(colors.text), ShownColor(colors.background));
  context.Clear();
  if (edit == nullptr) return;
  const std::string_view text = edit->Text();
  const std::vector<DisplayLine>& lines = edit->Lines();
  const bool showSelection = edit->SelectionStart() != edit->SelectionEnd() &&
                             (GetFocus() == hwnd || (GetWindowLong(hwnd, GWL_STYLE) & ES_NOHIDESEL));
  const std::size_t caret = edit->CaretPos();
  const int caretLine = edit->LineOf(caret);
  int row = 0;
  for (int index = std::max(edit->FirstVisibleLine(), 0); index < static_cast<int>(lines.size()) && row < context.heightCells();
       ++index, ++row) {
    const DisplayLine& line = lines[static_cast<std::size_t>(index)];
    int column = 0;
    for (std::size_t pos = line.start; pos < line.End();) {
      const TerminalGlyph glyph = GlyphAt(text.substr(0, line.End()), pos);
      if (index == caretLine && pos == caret) context.SetCursor(column, row);
      const bool selected = showSelection && pos >= edit->SelectionStart() && pos < edit->SelectionEnd();
      column = context.Write(column, row, text.substr(pos, glyph.bytes), selected ? kCellReverse : 0);
      pos += glyph.bytes;
    }
    if (index == caretLine && caret >= line.End()) context.SetCursor(std::min(column, std::max(context.widthCells() - 1, 0)), row);
  }
}

void PaintStatusBar(HWND hwnd, TerminalPaintContext& context) {
  const auto* bar = dynamic_cast<const StatusBar*>(FromHandle(hwnd));
  context.Clear();
  if (bar == nullptr) return;
  if (SendMessage(hwnd, SB_ISSIMPLE, 0, 0)) {
    context.Write(0, 0, FitToCells(bar->PaneText(static_cast<int>(SB_SIMPLEID)), context.widthCells()));
    return;
  }
  for (int pane = 0; pane < bar->PartCount(); ++pane) {
    RECT place;
    if (!SendMessage(hwnd, SB_GETRECT, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(&place))) continue;
    const ColumnCells cells{CellOfPixel(place.left), CellOfPixel(place.right),
                            bar->PanesCentered() ? LVCFMT_CENTER : LVCFMT_LEFT, {}};
    const unsigned attributes = bar->PaneHighlighted(pane) ? kCellReverse : 0;
    if (attributes != 0 && cells.right > cells.left)
      context.Write(cells.left, 0, std::string(static_cast<std::size_t>(cells.right - cells.left), ' '), attributes);
    // A pane's text may fill it to the edge: the narrow caption over the headword list then
    // keeps its whole count.
    WriteInColumn(context, cells, 0, bar->PaneText(pane), attributes, false);
  }
}

void PaintToolbar(HWND hwnd, TerminalPaintContext& context) {
  context.Clear();
  const int count = static_cast<int>(SendMessage(hwnd, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button;
    RECT place;
    if (!SendMessage(hwnd, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button))) continue;
    if ((button.fsStyle & TBSTYLE_SEP) || (button.fsState & TBSTATE_HIDDEN)) continue;
    if (!SendMessage(hwnd, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&place))) continue;
    const int left = CellOfPixel(place.left);
    // One cell between neighbouring buttons.
    const int cells = CellOfPixel(place.right) - left - 1;
    if (cells <= 0) continue;
    unsigned attributes = (button.fsState & TBSTATE_ENABLED) ? kCellReverse : kCellDim;
    if (button.fsState & (TBSTATE_CHECKED | TBSTATE_PRESSED)) attributes |= kCellBold | kCellUnderline;
    const std::string label = ButtonLabel(button.idCommand);
    const std::string_view shown = FitToCells(label, cells);
    context.Write(left, 0, std::string(static_cast<std::size_t>(cells), ' '), attributes);
    context.Write(left + (cells - TextCells(shown)) / 2, 0, shown, attributes);
  }
}

void PaintSplitter(HWND hwnd, TerminalPaintContext& context) {
  const auto* splitter = dynamic_cast<const Splitter*>(FromHandle(hwnd));
  context.Clear();
  if (splitter == nullptr) return;
  // The bar is what is left between the cells of the two panes; it may be no cell at all.
  const int left = CellOfPixel(splitter->ColumnWidth());
  const int right = CellOfPixel(splitter->ColumnWidth() + Splitter::kBarWidth);
  if (splitter->InKeyboardSplit()) {
    for (int row = 0; row < context.heightCells(); ++row)
      for (int column = left; column < right; ++column) context.Write(column, row, " ", kCellReverse);
    context.SetCursor(left, 0);
  }
}

// A text static shows its lines one a row (a line end starts a row, a line wider than the
// window goes on in the next), aligned as its style says, then what it describes of itself.
void PaintTextStatic(HWND hwnd, TerminalPaintContext& context) {
  context.Clear();
  const std::string text = WindowText(hwnd);
  const DWORD align = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & SS_TYPEMASK;
  const int width = std::max(context.widthCells(), 1);
  int row = 0;
  if (!text.empty()) {
    const auto cellsAt = [&text](std::size_t bytePos) {
      return static_cast<long>(TextCells(std::string_view(text).substr(bytePos, SjisCharBytesAt(text, bytePos))));
    };
    for (const DisplayLine& line : WrapTextLines(text, width, cellsAt)) {
      if (row >= context.heightCells()) break;
      const std::string_view shown = std::string_view(text).substr(line.start, line.length);
      const int spare = std::max(width - TextCells(shown), 0);
      const int column = align == SS_CENTER ? spare / 2 : align == SS_RIGHT ? spare : 0;
      context.Write(column, row++, shown);
    }
  }
  PaintDescription(hwnd, context, row);
}

// An icon is a bold mark of its kind: "×" error, "?" question, "!" warning, "i" information.
// A pixel is two cells, a square. Ink is "##": a block character of Shift-JIS would be one of
// the characters terminals disagree about the width of, and the picture would come apart.
void PaintPicture(const Picture& picture, TerminalPaintContext& context) {
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (picture.Ink(x, y)) context.Write(2 * x, y, "##");
}

void PaintImageStatic(HWND hwnd, TerminalPaintContext& context) {
  context.Clear();
  const UINT icon = static_cast<UINT>(SendMessage(hwnd, STM_GETICON, 0, 0));
  if ((GetWindowLong(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
    if (const Picture* picture = FindBitmap(icon)) PaintPicture(*picture, context);
    return;
  }
  const char* mark = "";
  switch (icon) {
    case IDI_HAND: mark = "×"; break;
    case IDI_QUESTION: mark = "?"; break;
    case IDI_EXCLAMATION: mark = "!"; break;
    case IDI_ASTERISK: mark = "i"; break;
    default: break;
  }
  context.Write(0, 0, mark, kCellBold);
}

TerminalPainter ControlPainterFor(HWND hwnd) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) return nullptr;
  if (dynamic_cast<ListView*>(w) != nullptr) return PaintListView;
  if (dynamic_cast<RichEditControl*>(w) != nullptr) return PaintRichEdit;
  if (dynamic_cast<StatusBar*>(w) != nullptr) return PaintStatusBar;
  if (dynamic_cast<Toolbar*>(w) != nullptr) return PaintToolbar;
  if (dynamic_cast<Splitter*>(w) != nullptr) return PaintSplitter;
  if (const auto* label = dynamic_cast<StaticControl*>(w); label != nullptr)
    return label->IsImage() ? TerminalPainter(PaintImageStatic) : TerminalPainter(PaintTextStatic);
  return nullptr;
}

}  // namespace lexiv::platform
