// Menus: a bar of popups, items with command ids and texts (the keys shown after a tab),
// separators, gray and disabled items, check and radio marks, nested popups. Menus are objects
// behind HMENU handles; a window owns its bar (SetMenu) and destroys it with itself.
#pragma once

#include <string>
#include <vector>

#include "platform/win_types.h"

namespace lexiv::platform {

HMENU CreateMenu();       // a menu bar
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);  // with its popups
BOOL IsMenu(HMENU menu);
// flags: MF_STRING, MF_SEPARATOR, MF_POPUP (idOrPopup is then an HMENU's value), MF_GRAYED,
// MF_DISABLED, MF_CHECKED, MFT_RADIOCHECK.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, const char* text);
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
// The system menu of a window (SC_CLOSE and the other system commands), made on first use.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
BOOL DrawMenuBar(HWND hwnd);

int GetMenuItemCount(HMENU menu);  // -1 for an unknown menu
UINT GetMenuItemID(HMENU menu, int position);  // 0xFFFFFFFF for a popup or a bad position
HMENU GetSubMenu(HMENU menu, int position);
// MF_ flags of an item; for a popup the high byte is its item count instead (so test MF_POPUP
// before MF_SEPARATOR or MFT_RADIOCHECK). 0xFFFFFFFF when there is none.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// The item's own flags at a position, without the count: 0xFFFFFFFF when there is none.
UINT MenuItemFlags(HMENU menu, int position);
int GetMenuString(HMENU menu, UINT item, char* buffer, int size, UINT flags);
// Returns the previous MF_GRAYED / MF_DISABLED state, 0xFFFFFFFF when there is no such item.
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);
UINT CheckMenuItem(HMENU menu, UINT item, UINT flags);  // previous MF_CHECKED state
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL ModifyMenuText(HMENU menu, UINT item, UINT flags, const char* text);

// A by-command search through a menu and its popups: the menu holding the item and its
// position; path collects the positions of the popups passed on the way. False when absent.
bool FindMenuCommand(HMENU menu, UINT id, HMENU* holder, int* position, std::vector<int>* path);

// The text of an item without the "&" marks and without the keys after the tab.
std::string MenuItemLabel(HMENU menu, int position);
// The mnemonic character of an item (upper case), 0 when its text has none.
char MenuItemMnemonic(HMENU menu, int position);

}  // namespace lexiv::platform
