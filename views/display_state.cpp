#include "views/display_state.h"

#include <cstring>

#include "platform/controls/list_view_messages.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv {

using platform::COLORREF;
using platform::DWORD;

const char* const kFontFaceNames[kFontCount] = {"ＭＳ ゴシック", "ＭＳ 明朝"};

const char* const kColorSchemeNames[kColorSchemeCount] = {
    "標準", "白黒", "白黒反転", "黒黄", "黒黄反転", "黒緑", "黒緑反転", "青黄", "青黄反転",
};

namespace {

// (background, text) per scheme; the first row stands for the system colours when matching,
// and the white-on-white pair ends the table.
constexpr ColorPair kColorTable[kColorSchemeCount + 1] = {
    {0x000000, 0x000000}, {0xFFFFFF, 0x000000}, {0x000000, 0xFFFFFF}, {0x000000, 0x00FFFF},
    {0x00FFFF, 0x000000}, {0x000000, 0x00FF00}, {0x00FF00, 0x000000}, {0xFF0000, 0x00FFFF},
    {0x00FFFF, 0xFF0000}, {0xFFFFFF, 0xFFFFFF},
};
constexpr ColorPair kTableEnd{0xFFFFFF, 0xFFFFFF};

// A window is white with black text unless the driver says otherwise.
ColorPair DefaultSystemColors() { return ColorPair{0xFFFFFF, 0x000000}; }

}  // namespace

DisplayState::DisplayState() : systemColors_(DefaultSystemColors) {}

int DisplayState::SelectFontByName(const char* name) {
  if (name == nullptr) return 0;
  for (int i = 0; i < kFontCount; ++i) {
    if (std::strcmp(name, kFontFaceNames[i]) == 0) {
      fontIndex_ = i;
      return 1;
    }
  }
  fontIndex_ = 0;
  return 0;
}

int DisplayState::SelectColors(COLORREF textColor, COLORREF backgroundColor) {
  for (int i = 0; i < kColorSchemeCount + 1; ++i) {
    const ColorPair& row = kColorTable[i];
    if (row.background == kTableEnd.background && row.text == kTableEnd.text) break;
    if (row.text == textColor && row.background == backgroundColor) {
      colorIndex_ = i;
      return 1;
    }
  }
  return 0;
}

void DisplayState::SetFontIndex(int index) {
  if (index >= 0 && index < kFontCount) fontIndex_ = index;
}

void DisplayState::SetColorIndex(int index) {
  if (index >= 0 && index < kColorSchemeCount) colorIndex_ = index;
}

void DisplayState::CopyFontName(char* destination, int maxBytes) const {
  if (destination == nullptr || maxBytes <= 0) return;
  const std::string_view name = kFontFaceNames[fontIndex_];
  const std::size_t bytes = platform::SjisPrefixBytes(name, static_cast<std::size_t>(maxBytes - 1));
  std::memcpy(destination, name.data(), bytes);
  destination[bytes] = '\0';
}

COLORREF DisplayState::TextColor() const {
  return colorIndex_ == 0 ? systemColors_().text : kColorTable[colorIndex_].text;
}

COLORREF DisplayState::BackgroundColor() const {
  return colorIndex_ == 0 ? systemColors_().background : kColorTable[colorIndex_].background;
}

ColorPair DisplayState::ControlColors() const {
  if (colorIndex_ == 0) return ColorPair{platform::CLR_DEFAULT, platform::CLR_DEFAULT};
  return kColorTable[colorIndex_];
}

}  // namespace lexiv
