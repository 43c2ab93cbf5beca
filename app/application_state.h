// What the application object holds for the whole run and lends to the main window: the directory
// and settings records, the display and reading state seeded from the settings, the run-time flags
// of start-up, and the product version.
#pragma once

#include "app/directory_record.h"
#include "lookup/hot_key_config.h"
#include "platform/win_types.h"
#include "views/display_state.h"
#include "views/find_state.h"
#include "views/headword_reading_options.h"
#include "views/settings_record.h"

namespace lexiv {

struct ApplicationState {
  DirectoryRecord dirs;
  SettingsRecord settings;
  DisplayState display;
  HeadwordReadingOptions headwordReading;
  FindState find;
  platform::DWORD suppressAnnouncement = 0;  // "/APP", and set while the window closes
  bool minimizeAtStart = false;              // "/MINIMIZE"
  platform::DWORD startupIncomplete = 1;     // until the window is shown: a failed start saves nothing
  platform::DWORD productVersionMS = 0;
  platform::DWORD productVersionLS = 0;
  lookup::HotKeyConfig hotKeys;  // read from LEXIV.INI before the window is made
  platform::DWORD hookHandle = 0;  // what the hook library's HookKeyHandler returned
};

}  // namespace lexiv
