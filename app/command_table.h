// Every command of the main window in one table: its id, where it stands on the menu and with what
// text, its keys, its prompt, its enable rule and its handler. The menu bar, the accelerator
// table, the string table's prompts, the main window's message map and the search bar are all
// made from it. A command whose action is not built yet has neither rule nor handler, which
// grays it everywhere.
#pragma once

#include <span>

#include "platform/core/accelerators.h"
#include "platform/core/command_ui.h"
#include "platform/win_types.h"

namespace lexiv {

class CMainFrame;

// The popups of the menu bar, in order, and the zoom submenu of 表示.
enum MenuPopup : int { kMenuOperate, kMenuRead, kMenuEdit, kMenuView, kMenuHelp, kMenuZoom, kNoMenu = -1 };
inline constexpr int kMenuBarPopups = 5;

struct KeyChord {
  platform::BYTE modifiers = 0;  // FSHIFT, FCONTROL, FALT
  platform::WORD key = 0;        // virtual-key code; 0 ends the list
};

struct CommandEntry {
  platform::UINT id;
  int popup;             // the popup the item stands in, kNoMenu when it has no item
  const char* menuText;  // with its mnemonic and the keys shown after a tab
  bool separatorAfter;
  int submenu;           // the popup this item opens (kNoMenu: an ordinary item)
  KeyChord keys[3];
  const char* prompt;    // "status-bar prompt\ntooltip", or null
  void (CMainFrame::*handler)();
  void (CMainFrame::*enableRule)(platform::CommandUI&);
};

std::span<const CommandEntry> CommandTable();
const CommandEntry* FindCommand(platform::UINT id);
// The texts of the menu bar's popups, kMenuOperate to kMenuHelp.
const char* MenuPopupText(int popup);

// The search bar's places, left to right: a command id, or one of these.
inline constexpr int kSearchBarSeparator = 0;
inline constexpr int kSearchBarLabel = -1;
inline constexpr int kSearchBarBox = -2;
std::span<const int> SearchBarLayout();

// Made from the table.
platform::HMENU BuildMenuBar();
platform::HACCEL BuildAcceleratorTable();
std::vector<platform::ACCEL> AcceleratorEntriesOfTable();
// Puts every prompt, the window title and the indicator and caption texts into the string table.
void LoadCommandStrings();

}  // namespace lexiv
