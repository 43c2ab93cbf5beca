// Keyboard use of a window's menu bar: Alt with a letter, F10 or Alt alone enter it.
//
// While the loop runs it takes the key messages itself: Left and Right move along the bar (or
// close a nested popup), Up and Down move through a popup (skipping separators, wrapping), Enter
// or an item's mnemonic letter chooses, Escape closes one level, Alt or F10 leave. Opening a
// popup sends WM_INITMENUPOPUP (its enable rules run); each highlight sends WM_MENUSELECT (the
// frame shows the item's prompt); leaving sends WM_MENUSELECT with 0xFFFF and a null menu. A
// chosen enabled item posts WM_COMMAND (id, 0) to the window after the loop has closed. Other
// messages are dispatched as usual.
#pragma once

#include <string>
#include <vector>

#include "platform/win_types.h"

namespace lexiv::platform {

// Runs the loop on hwnd's menu bar (or its system menu when systemMenu). startBarIndex: the bar
// item to open at once (-1: only highlight the first bar item). Returns the chosen command id, 0
// when none.
UINT TrackMenuBar(HWND hwnd, int startBarIndex, bool systemMenu);
// The bar item whose mnemonic is letter (upper case), -1 when none.
int FindBarMnemonic(HMENU bar, char letter);

// What the running menu loop shows, for the screen model; empty when no loop runs.
struct MenuLoopView {
  HWND owner;
  std::vector<HMENU> openMenus;  // the bar first, then each open popup
  std::vector<int> highlighted;  // the highlighted position in each open menu (-1 none)
};
bool CurrentMenuLoop(MenuLoopView* view);

}  // namespace lexiv::platform
