#include "platform/terminal/terminal_renderer.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "platform/controls/control_colors.h"
#include "platform/controls/edit_control.h"
#include "platform/core/accessibility.h"
#include "platform/core/focus.h"
#include "platform/core/menu.h"
#include "platform/core/menu_loop.h"
#include "platform/core/messages.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/terminal/terminal_control_painters.h"
#include "platform/terminal/terminal_glyphs.h"
#include "platform/terminal/terminal_input_delivery.h"

namespace lexiv::platform {

namespace {

// Windows numbers of the messages the built-in painters ask.
constexpr UINT kEmGetSel = 0x00B0;
constexpr UINT kBmGetCheck = 0x00F0;
constexpr DWORD kButtonTypeMask = 0x0F;
constexpr DWORD kBsDefPushButton = 0x01;
constexpr DWORD kBsCheckBox = 0x02;
constexpr DWORD kBsAutoCheckBox = 0x03;
constexpr DWORD kBsRadioButton = 0x04;
constexpr DWORD kBs3State = 0x05;
constexpr DWORD kBsAuto3State = 0x06;
constexpr DWORD kBsGroupBox = 0x07;
constexpr DWORD kBsAutoRadioButton = 0x09;
constexpr DWORD kEsMultiline = 0x0004;
constexpr DWORD kEsPassword = 0x0020;

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::map<std::string, TerminalPainter>& Painters() {
  static std::map<std::string, TerminalPainter> painters;
  return painters;
}

void PaintButton(HWND hwnd, TerminalPaintContext& context) {
  const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
  const std::string text = WindowText(hwnd);
  std::string shown;
  for (char c : text)
    if (c != '&') shown += c;
  const DWORD type = style & kButtonTypeMask;
  const bool checked = SendMessage(hwnd, kBmGetCheck, 0, 0) != 0;
  context.Clear();
  switch (type) {
    case kBsCheckBox: case kBsAutoCheckBox: case kBs3State: case kBsAuto3State:
      context.Write(0, 0, checked ? "[x] " : "[ ] ");
      context.Write(4, 0, shown);
      context.SetCursor(1, 0);
      break;
    case kBsRadioButton: case kBsAutoRadioButton:
      context.Write(0, 0, checked ? "(o) " : "( ) ");
      context.Write(4, 0, shown);
      context.SetCursor(1, 0);
      break;
    case kBsGroupBox:
      context.Write(0, 0, shown);
      break;
    default: {
      // The default button is marked with double brackets and drawn bold. A caption wider than
      // the button leaves room by dropping the inner bracket or blank, so both ends still show
      // it is a button; one wider still is cut with an ellipsis.
      const bool isDefault = type == kBsDefPushButton;
      const unsigned attributes = isDefault ? kCellBold : 0;
      const bool roomy = TextCells(shown) + 4 <= context.widthCells();
      const std::string caption = roomy ? shown : FitWithEllipsis(shown, context.widthCells() - 2);
      int column = context.Write(0, 0, roomy ? (isDefault ? "[[" : "[ ") : "[", attributes);
      column = context.Write(column, 0, caption, attributes);
      context.Write(column, 0, roomy ? (isDefault ? "]]" : " ]") : "]", attributes);
      context.SetCursor(roomy ? 2 : 1, 0);
      break;
    }
  }
}

void PaintEdit(HWND hwnd, TerminalPaintContext& context) {
  const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
  if (style & kEsMultiline) {
    PaintMultiLineEdit(hwnd, context);
    return;
  }
  std::string text = WindowText(hwnd);
  if (style & kEsPassword) text.assign(text.size(), '*');
  const LRESULT selection = SendMessage(hwnd, kEmGetSel, 0, 0);
  const std::size_t caretBytes = std::min<std::size_t>(static_cast<std::size_t>((selection >> 16) & 0xFFFF), text.size());
  // Scroll sideways so that the caret stays inside the field.
  int caretCells = TextCells(std::string_view(text).substr(0, caretBytes));
  std::size_t startBytes = 0;
  while (caretCells >= context.widthCells() && startBytes < caretBytes) {
    const TerminalGlyph g = GlyphAt(text, startBytes);
    startBytes += g.bytes;
    caretCells -= g.cells;
  }
  // The parent may give the field colours of its own (the program's colour scheme).
  const ControlColors colors = RequestEditColors(hwnd);
  context.SetColors(ShownColor(colors.text), ShownColor(colors.background));
  context.Clear();
  context.FillRow(0, kCellUnderline);
  context.Write(0, 0, std::string_view(text).substr(startBytes), kCellUnderline);
  context.SetCursor(caretCells, 0);
}

const TerminalPainter* PainterFor(HWND hwnd) {
  auto& painters = Painters();
  auto it = painters.find(LowerCase(ClassNameOf(hwnd)));
  if (it != painters.end()) return &it->second;
  static const TerminalPainter button = PaintButton;
  static const TerminalPainter edit = PaintEdit;
  const std::string name = LowerCase(ClassNameOf(hwnd));
  if (name == "button") return &button;
  // A control derived from the edit (another program's own edit class) is drawn as one.
  if (name == "edit" || dynamic_cast<const EditControl*>(FromHandle(hwnd)) != nullptr) return &edit;
  return nullptr;
}

CellRect CellsOfScreenRect(const RECT& r, const TerminalLayout& layout) {
  CellRect cells;
  auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
  cells.left = layout.originColumn + floorDiv(r.left, kCellWidthPx);
  cells.top = layout.originRow + floorDiv(r.top, kCellHeightPx);
  cells.right = layout.originColumn + floorDiv(r.right, kCellWidthPx);
  cells.bottom = layout.originRow + floorDiv(r.bottom, kCellHeightPx);
  if (r.right > r.left && cells.right <= cells.left) cells.right = cells.left + 1;
  if (r.bottom > r.top && cells.bottom <= cells.top) cells.bottom = cells.top + 1;
  return cells;
}

CellRect WindowCells(HWND hwnd, const TerminalLayout& layout) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return CellRect{};
  return CellsOfScreenRect(r, layout);
}

bool IsStatusBar(HWND hwnd, bool byRole) {
  if (LowerCase(ClassNameOf(hwnd)).find("status") != std::string::npos) return true;
  Window* w = FromHandle(hwnd);
  return byRole && w != nullptr && w->AccessRole() == ROLE_SYSTEM_STATUSBAR;
}

HWND FindStatusBarBy(HWND parent, bool byRole) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    if (IsStatusBar(c, byRole)) return c;
    if (HWND inner = FindStatusBarBy(c, byRole)) return inner;
  }
  return HWND{};
}

// The status line by its class name first: other bars built on the status bar (a caption bar)
// share its role but not its place.
HWND FindStatusBar(HWND parent) {
  if (HWND byName = FindStatusBarBy(parent, false)) return byName;
  return FindStatusBarBy(parent, true);
}

// The main window: the top of the owner chain of the active window, else the first visible
// top-level window without owner.
HWND MainWindow() {
  HWND h = GetActiveWindow();
  while (h && GetParent(h)) h = GetParent(h);
  if (h && IsWindowVisible(h)) return h;
  for (HWND top = GetTopWindow(HWND{}); top; top = GetWindow(top, GW_HWNDNEXT))
    if (IsWindowVisible(top) && !GetParent(top)) return top;
  return HWND{};
}

struct RenderState {
  TerminalCanvas& canvas;
  TerminalLayout layout;
  HWND focus;
  bool cursorPlaced = false;
};

void PaintOne(HWND hwnd, const CellRect& cells, const CellRect& clip, RenderState& state) {
  TerminalPaintContext context(state.canvas, cells, clip);
  if (const TerminalPainter* painter = PainterFor(hwnd))
    (*painter)(hwnd, context);
  else if (const TerminalPainter control = ControlPainterFor(hwnd))
    control(hwnd, context);
  else
    PaintWindowDefault(hwnd, context);
  if (hwnd == state.focus) {
    const int column = cells.left + (context.cursorSet() ? context.cursorColumn() : 0);
    const int row = cells.top + (context.cursorSet() ? context.cursorRow() : 0);
    state.canvas.SetCursor(column, row);
    state.cursorPlaced = true;
  }
}

void PaintTree(HWND hwnd, const CellRect& parentClip, RenderState& state) {
  if (!IsWindowVisible(hwnd)) return;
  const CellRect cells = WindowCells(hwnd, state.layout);
  const CellRect clip = cells.Intersect(parentClip);
  if (clip.Empty()) return;
  PaintOne(hwnd, cells, clip, state);
  // Children from the bottom of the z-order up.
  std::vector<HWND> children;
  for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  for (auto it = children.rbegin(); it != children.rend(); ++it) PaintTree(*it, clip, state);
}

std::string AcceleratorText(HMENU menu, int position) {
  char buffer[256] = {};
  GetMenuString(menu, static_cast<UINT>(position), buffer, sizeof buffer, MF_BYPOSITION);
  const std::string text = buffer;
  const std::size_t tab = text.find('\t');
  return tab == std::string::npos ? std::string{} : text.substr(tab + 1);
}

// The bar line: the main window's caption, then its menu bar. Returns the column where each
// bar item starts (for placing its popup).
std::vector<int> PaintBar(HWND main, const MenuLoopView* loop, RenderState& state) {
  std::vector<int> itemColumns;
  TerminalCanvas& canvas = state.canvas;
  const CellRect bar{0, 0, canvas.columns(), 1};
  canvas.Fill(bar, kTerminalDefaultColor, kTerminalDefaultColor, kCellReverse);
  if (!main) return itemColumns;
  int column = canvas.Write(1, 0, WindowText(main), bar, kTerminalDefaultColor, kTerminalDefaultColor, kCellReverse | kCellBold);
  const HMENU menu = loop != nullptr && loop->owner == main && !loop->openMenus.empty() ? loop->openMenus[0] : GetMenu(main);
  if (!menu) return itemColumns;
  column += 2;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const std::string label = MenuItemLabel(menu, i);
    const char mnemonic = MenuItemMnemonic(menu, i);
    std::string shown = label;
    if (mnemonic != 0 && label.find(std::string("(") + mnemonic + ")") == std::string::npos) shown += std::string("(") + mnemonic + ")";
    const bool highlighted = loop != nullptr && !loop->highlighted.empty() && loop->highlighted[0] == i && loop->openMenus[0] == menu;
    itemColumns.push_back(column);
    const unsigned attributes = highlighted ? kCellBold : kCellReverse;
    const int end = canvas.Write(column + 1, 0, shown, bar, kTerminalDefaultColor, kTerminalDefaultColor, attributes);
    if (highlighted) {
      canvas.Fill(CellRect{column, 0, column + 1, 1}, kTerminalDefaultColor, kTerminalDefaultColor, attributes);
      canvas.Fill(CellRect{end, 0, end + 1, 1}, kTerminalDefaultColor, kTerminalDefaultColor, attributes);
      canvas.SetCursor(column + 1, 0);
      state.cursorPlaced = true;
    }
    column = end + 1;
  }
  return itemColumns;
}

// An open popup as a reverse block with the highlighted item shown plainly (and the cursor on
// it). Returns the block's cells.
CellRect PaintPopup(HMENU menu, int highlighted, int left, int top, RenderState& state) {
  TerminalCanvas& canvas = state.canvas;
  const int count = std::max(GetMenuItemCount(menu), 0);
  int labelCells = 0, keyCells = 0;
  for (int i = 0; i < count; ++i) {
    labelCells = std::max(labelCells, TextCells(MenuItemLabel(menu, i)));
    keyCells = std::max(keyCells, TextCells(AcceleratorText(menu, i)));
  }
  // " * label   keys > "
  const int width = 3 + labelCells + (keyCells ? 3 + keyCells : 0) + 3;
  left = std::max(0, std::min(left, canvas.columns() - width));
  const CellRect block{left, top, left + width, top + count};
  for (int i = 0; i < count; ++i) {
    const UINT flags = MenuItemFlags(menu, i);
    const int row = top + i;
    const bool isHighlighted = i == highlighted;
    unsigned attributes = isHighlighted ? 0u : kCellReverse;
    if (!(flags & MF_POPUP) && (flags & (MF_GRAYED | MF_DISABLED))) attributes |= kCellDim;
    canvas.Fill(CellRect{left, row, left + width, row + 1}, kTerminalDefaultColor, kTerminalDefaultColor, attributes);
    if (!(flags & MF_POPUP) && (flags & MF_SEPARATOR)) {
      for (int c = left + 1; c < left + width - 1; ++c)
        canvas.Write(c, row, "-", block, kTerminalDefaultColor, kTerminalDefaultColor, attributes);
      continue;
    }
    if (!(flags & MF_POPUP) && (flags & MF_CHECKED))
      canvas.Write(left + 1, row, (flags & MFT_RADIOCHECK) ? "o" : "*", block, kTerminalDefaultColor, kTerminalDefaultColor, attributes);
    canvas.Write(left + 3, row, MenuItemLabel(menu, i), block, kTerminalDefaultColor, kTerminalDefaultColor, attributes);
    if (keyCells) canvas.Write(left + 6 + labelCells, row, AcceleratorText(menu, i), block, kTerminalDefaultColor, kTerminalDefaultColor, attributes);
    if (flags & MF_POPUP) canvas.Write(left + width - 2, row, ">", block, kTerminalDefaultColor, kTerminalDefaultColor, attributes);
    if (isHighlighted) {
      canvas.SetCursor(left + 3, row);
      state.cursorPlaced = true;
    }
  }
  return block;
}

void PaintMenus(const MenuLoopView& loop, const std::vector<int>& barColumns, RenderState& state) {
  int left = 0, top = 1;
  for (std::size_t level = 1; level < loop.openMenus.size(); ++level) {
    const int parentHighlight = loop.highlighted[level - 1];
    if (level == 1) {
      left = parentHighlight >= 0 && static_cast<std::size_t>(parentHighlight) < barColumns.size() ? barColumns[parentHighlight] : 0;
      top = 1;
    }
    const CellRect block = PaintPopup(loop.openMenus[level], loop.highlighted[level], left, top, state);
    left = block.right;
    top = block.top + std::max(loop.highlighted[level], 0);
  }
}

}  // namespace

void RegisterTerminalPainter(std::string_view className, TerminalPainter painter) {
  Painters()[LowerCase(className)] = std::move(painter);
}

RECT ScreenRectForTerminal(int columns, int rows) {
  return RECT{0, 0, std::max(columns, 1) * kCellWidthPx, std::max(rows - 1, 1) * kCellHeightPx};
}

TerminalLayout RenderScreen(TerminalCanvas& canvas) {
  RenderState state{canvas, TerminalLayout{}, GetFocus()};
  canvas.Fill(canvas.Bounds(), kTerminalDefaultColor, kTerminalDefaultColor);
  canvas.SetCursor(0, 0);
  const HWND main = MainWindow();

  // A terminal smaller than the layout: the status line keeps the last rows, and the view moves
  // so that the focused window shows above it.
  const HWND status = main ? FindStatusBar(main) : HWND{};
  int statusRows = 0;
  if (status) {
    const CellRect cells = WindowCells(status, state.layout);
    if (cells.bottom > canvas.rows()) statusRows = std::max(cells.bottom - cells.top, 1);
  }
  const int lastRow = canvas.rows() - statusRows;
  if (state.focus && state.focus != status) {
    const CellRect focusCells = WindowCells(state.focus, state.layout);
    if (focusCells.bottom > lastRow)
      state.layout.originRow -= std::max(std::min(focusCells.bottom - lastRow, focusCells.top - 1), 0);
    if (focusCells.right > canvas.columns())
      state.layout.originColumn -= std::max(std::min(focusCells.right - canvas.columns(), focusCells.left), 0);
  }
  const CellRect desktop{0, 1, canvas.columns(), canvas.rows()};

  // A dialog or other owned window is drawn in a box: its caption on a title line just above it
  // (one at the top of the screen has it on the bar line, which its disabled owner does not need
  // meanwhile), a border on either side and one below, so it stands apart from the panes it
  // covers.
  auto paintTitle = [&](HWND top, const CellRect& area) {
    const CellRect cells = WindowCells(top, state.layout);
    const int row = std::max(cells.top - 1, 0);
    const CellRect title = CellRect{cells.left - 1, row, cells.right + 1, row + 1}.Intersect(area);
    canvas.Fill(title, kTerminalDefaultColor, kTerminalDefaultColor, kCellReverse);
    canvas.Write(cells.left + 1, row, WindowText(top), title, kTerminalDefaultColor, kTerminalDefaultColor,
                 kCellReverse | kCellBold);
  };
  auto paintBorder = [&](HWND top) {
    const CellRect cells = WindowCells(top, state.layout);
    for (int row = cells.top; row < cells.bottom; ++row) {
      canvas.Write(cells.left - 1, row, "|", desktop, kTerminalDefaultColor, kTerminalDefaultColor);
      canvas.Write(cells.right, row, "|", desktop, kTerminalDefaultColor, kTerminalDefaultColor);
    }
    const std::string bottom = "+" + std::string(static_cast<std::size_t>(std::max(cells.right - cells.left, 0)), '-') + "+";
    canvas.Write(cells.left - 1, cells.bottom, bottom, desktop, kTerminalDefaultColor, kTerminalDefaultColor);
  };
  std::vector<HWND> tops, titlesOnBar;
  for (HWND top = GetTopWindow(HWND{}); top; top = GetWindow(top, GW_HWNDNEXT)) tops.push_back(top);
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    const HWND top = *it;
    if (!IsWindowVisible(top) || IsIconic(top)) continue;
    if (top != main) {
      if (WindowCells(top, state.layout).top - 1 < desktop.top)
        titlesOnBar.push_back(top);
      else
        paintTitle(top, desktop);
    }
    PaintTree(top, desktop, state);
    if (top != main) paintBorder(top);
  }

  if (statusRows > 0) {
    const CellRect cells = WindowCells(status, state.layout);
    const CellRect pinned{cells.left, lastRow, cells.right, canvas.rows()};
    PaintOne(status, pinned, pinned.Intersect(desktop), state);
  }

  MenuLoopView loop;
  const bool menuOpen = CurrentMenuLoop(&loop);
  const std::vector<int> barColumns = PaintBar(main, menuOpen ? &loop : nullptr, state);
  if (menuOpen) PaintMenus(loop, barColumns, state);
  for (HWND top : titlesOnBar) paintTitle(top, CellRect{0, 0, canvas.columns(), 1});
  return state.layout;
}

}  // namespace lexiv::platform
