// The command ids of the main window's menu, accelerators and search bar; the panes send and
// test some of them too (the range commands, the search by typed reading).
#pragma once

#include "platform/win_types.h"

namespace lexiv {

enum CommandId : platform::UINT {
  ID_SEARCH_BOX_ENTER = 105,
  ID_SEARCH_AT_CURSOR = 32778,
  ID_SEARCH_BY_READING = 32779,
  ID_RANGE_SEARCH = 32780,
  ID_GO_TO_HEADWORDS = 32781,
  ID_HISTORY_BACK = 32782,
  ID_HISTORY_FORWARD = 32783,
  ID_PREVIOUS_ENTRY = 32784,
  ID_NEXT_ENTRY = 32785,
  ID_ZOOM_CYCLE = 32800,
  ID_ZOOM_1 = 32801,
  ID_ZOOM_7 = 32807,
  ID_READ_LINE = 32810,
  ID_READ_ALL = 32811,
  ID_RANGE_COPY = 32814,
  ID_COPY_ALL = 32815,
  ID_PASTE = 32816,
  ID_DISPLAY_FONT = 32817,
  ID_FIND = 32818,
  ID_FIND_NEXT = 32819,
  ID_FIND_PREVIOUS = 32820,
  ID_ZOOM_UP = 32821,
  ID_ZOOM_DOWN = 32822,
  ID_SPEED_TOGGLE = 32823,
  ID_CURRENT_GUIDE = 32824,
  ID_SPEAK_POSITION = 32825,
  ID_READ_INPUT_STATUS = 32828,
  ID_READ_AGAIN = 32829,
  ID_HISTORY_FORWARD_BY_KEY = 32830,
  ID_HISTORY_BACK_BY_KEY = 32831,
  ID_ACT_AS_ENTER = 32832,
  ID_READ_PARAGRAPH = 32833,
  ID_HEADWORD_READING = 32843,
  ID_APPENDIX_FIRST = 33000,
  ID_APPENDIX_LAST = 33006,
  ID_ZOOM_NORMAL = 33007,
  ID_WINDOW_SPLIT_MOVE = 57653,
  ID_APP_ABOUT = 57664,
  ID_APP_EXIT = 57665,
  ID_ONLINE_MANUALS = 57670,
  ID_NEXT_PANE = 57680,
  ID_VIEW_STATUS_BAR = 59393,
};

// Strings of the string table besides the command prompts.
inline constexpr platform::UINT IDS_WINDOW_TITLE = 57344;
inline constexpr platform::UINT IDS_INDICATOR_CAPS = 59137;
inline constexpr platform::UINT IDS_INDICATOR_NUM = 59138;
inline constexpr platform::UINT IDS_INDICATOR_KANA = 59142;
inline constexpr platform::UINT IDS_CAPTION_HEADWORDS = 59144;
inline constexpr platform::UINT IDS_CAPTION_MEANING = 59145;
// The document template's string (resource 128).
inline constexpr platform::UINT IDR_MAINFRAME = 128;

}  // namespace lexiv
