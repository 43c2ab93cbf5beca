// The display and reading state that outlives the option dialogs: the display font and colour
// scheme (read by the panes, the search box and the status bar), the two headword reading options
// (read by the headword list) and the find text with its case option (read by the meaning view).
// Start-up seeds the first two from the settings record; the find state starts empty each run.
#pragma once

#include <functional>
#include <string>
#include <string_view>

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

class HeadwordReadingOptions {
 public:
  // Each setter returns the previous value.
  platform::DWORD SetTitleIme(platform::DWORD on);
  platform::DWORD SetTitleMean(platform::DWORD on);
  platform::DWORD titleIme() const { return titleIme_; }
  platform::DWORD titleMean() const { return titleMean_; }

 private:
  platform::DWORD titleIme_ = 1;
  platform::DWORD titleMean_ = 1;
};

class FindState {
 public:
  static constexpr std::size_t kMaxTextBytes = 256;
  static constexpr platform::UINT kMatchCaseFlag = 4;

  const std::string& text() const { return text_; }
  // A text of more than 256 bytes keeps its first 256 (cut on a character boundary).
  void ProposeText(std::string_view text);
  int caseOption() const { return caseOption_; }
  void SetCaseOption(int on) { caseOption_ = on ? 1 : 0; }
  // The flag the meaning view's find takes: 4 to match case, else 0.
  platform::UINT MatchCaseFlag() const { return caseOption_ ? kMatchCaseFlag : 0; }

 private:
  std::string text_;
  int caseOption_ = 0;
};

}  // namespace lexiv
