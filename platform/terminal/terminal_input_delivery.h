// Hands what the terminal decoder read to the user-interface thread: keys with their modifiers
// (a release is synthesised at once unless the terminal reports it), text converted to
// Shift-JIS (a double-byte character comes through the input method, as WM_IME_CHAR), pastes
// as text dropped on the main window, focus reports as application activation, and mouse
// buttons at the window under the pointer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/terminal/terminal_input_decoder.h"
#include "platform/win_types.h"

namespace lexiv::platform {

// Logical pixels of one terminal cell.
inline constexpr int kCellWidthPx = 8;
inline constexpr int kCellHeightPx = 16;

// The screen point of the middle of a cell (0-based), given the cell where the screen's origin is.
POINT CellToScreenPoint(int column, int row, int originColumn, int originRow);
// The deepest visible window at a screen point (topmost top-level window first); null for none.
HWND WindowAtScreenPoint(POINT screenPoint);
// The window that takes dropped text: the top of the owner chain of the active window, else the
// first visible top-level window.
HWND MainWindowForDrop();
// A paste as Shift-JIS CF_TEXT: line ends become CR LF; characters Shift-JIS cannot hold are
// left out. Returns how many characters were left out.
int PasteToSjis(std::string_view utf8, std::string& sjis);

class TerminalInputDelivery {
 public:
  // How close in time two presses of a button must be to make a double click.
  static constexpr std::uint64_t kDoubleClickMs = 500;

  // The cell (0-based) at which the renderer put the screen's origin.
  void SetOrigin(int column, int row) {
    originColumn_ = column;
    originRow_ = row;
  }
  void Deliver(const TerminalEvent& event, std::uint64_t nowMs);

 private:
  void DeliverKey(const TerminalEvent& event);
  void DeliverMouse(const TerminalEvent& event, std::uint64_t nowMs);
  void HoldModifiers(unsigned modifiers);

  unsigned heldModifiers_ = 0;
  int originColumn_ = 0;
  int originRow_ = 1;
  int lastClickButton_ = -1;
  int lastClickColumn_ = 0;
  int lastClickRow_ = 0;
  std::uint64_t lastClickMs_ = 0;
};

}  // namespace lexiv::platform
