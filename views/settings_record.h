// The twelve persistent display values, held by the application object for the whole run: start-up
// reads them from the registry, the main window and the panes change them, shutdown writes them
// back. Defaults and range rules are those the settings store applies when loading.
#pragma once

#include <cstring>

#include "platform/win_types.h"

namespace lexiv {

inline constexpr char kDefaultFontName[] = "ＭＳ ゴシック";
inline constexpr int kFontNameBytes = 32;  // with the NUL

struct SettingsRecord {
  platform::WINDOWPLACEMENT windowPos = ZeroPlacement();  // all zero: no placement saved
  char fontName[kFontNameBytes] = {};
  platform::DWORD textBkColor = 0x000000;
  platform::DWORD textColor = 0xFFFFFF;
  platform::DWORD zoomMode = 0;  // 0 normal screen, 1 enlarged
  platform::DWORD zoomRate = 1;  // 1 to 7
  platform::DWORD splitPos = 150;
  platform::DWORD titleDispForm = 0;  // 0, 1 or 2
  platform::DWORD titleWidth1 = 75;
  platform::DWORD titleWidth2 = 75;
  platform::DWORD titleIme = 1;
  platform::DWORD titleMean = 1;

  SettingsRecord() { std::memcpy(fontName, kDefaultFontName, sizeof kDefaultFontName); }

  static platform::WINDOWPLACEMENT ZeroPlacement() {
    platform::WINDOWPLACEMENT zero;
    zero.length = 0;
    return zero;
  }
  bool HasWindowPos() const {
    const platform::WINDOWPLACEMENT& p = windowPos;
    const platform::RECT& r = p.rcNormalPosition;
    return p.length != 0 || p.flags != 0 || p.showCmd != 0 || p.ptMinPosition.x != 0 || p.ptMinPosition.y != 0 ||
           p.ptMaxPosition.x != 0 || p.ptMaxPosition.y != 0 || r.left != 0 || r.top != 0 || r.right != 0 ||
           r.bottom != 0;
  }
};

}  // namespace lexiv
