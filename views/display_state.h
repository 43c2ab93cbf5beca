// The display state that outlives the display font dialog, which alone changes it: the display
// font and colour scheme, read by the panes, the search box and the status bar. Start-up seeds it
// from the settings record. (It lives with the views, which read it; the dialog holds it by
// reference.)
#pragma once

#include <functional>
#include <string>

#include "platform/win_types.h"

namespace lexiv {

inline constexpr int kFontCount = 2;
// Face names as stored and used (an ordinary space in each).
extern const char* const kFontFaceNames[kFontCount];

inline constexpr int kColorSchemeCount = 9;
// The names of the colour list, in the order of the table.
extern const char* const kColorSchemeNames[kColorSchemeCount];

struct ColorPair {
  platform::COLORREF background;
  platform::COLORREF text;
};
// The system's window colours: what the first scheme ("標準") shows.
using SystemColorSource = std::function<ColorPair()>;

class DisplayState {
 public:
  DisplayState();

  // nullptr changes nothing (returns 0); a face name of the table selects it (1); any other name
  // selects the first font (0).
  int SelectFontByName(const char* name);
  // The first scheme whose pair equals the arguments becomes the current one (1); no match
  // changes nothing (0). The first scheme is matched as black on black.
  int SelectColors(platform::COLORREF textColor, platform::COLORREF backgroundColor);

  int fontIndex() const { return fontIndex_; }
  int colorIndex() const { return colorIndex_; }
  void SetFontIndex(int index);
  void SetColorIndex(int index);

  // The selected face name cut to maxBytes - 1 bytes (on a character boundary) and terminated.
  void CopyFontName(char* destination, int maxBytes) const;
  std::string FontName() const { return kFontFaceNames[fontIndex_]; }
  // The selected scheme's colours; for the first scheme the system colours of this moment.
  platform::COLORREF TextColor() const;
  platform::COLORREF BackgroundColor() const;
  // The scheme's colours as a control is given them: under the first scheme CLR_DEFAULT for both,
  // so that the control keeps the system's own (on a terminal, the terminal's).
  ColorPair ControlColors() const;

  void SetSystemColorSource(SystemColorSource source) { systemColors_ = std::move(source); }

 private:
  int fontIndex_ = 0;
  int colorIndex_ = 0;
  SystemColorSource systemColors_;
};

}  // namespace lexiv
