// Fonts as controls receive them with WM_SETFONT: a handle to a logical font description. Only
// the height matters to the layout: a half-width character is half as wide as the font is high,
// and the system font (the null handle) is 16 pixels high, 12 points on a 96-pixel-per-inch screen.
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

using HFONT = Handle<struct FontHandleTag>;

inline constexpr int LF_FACESIZE = 32;
inline constexpr int LOGPIXELSY = 90;  // GetDeviceCaps index
inline constexpr int kScreenPixelsPerInch = 96;
inline constexpr int kSystemFontPixelHeight = 16;

struct LOGFONT {
  LONG lfHeight = 0;  // pixels; negative: the character height, positive: the cell height
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  char lfFaceName[LF_FACESIZE] = {};
};

// number * numerator / denominator rounded to the nearest integer; -1 when denominator is 0.
int MulDiv(int number, int numerator, int denominator);
// LOGPIXELSY answers the screen's pixels per inch; other indexes 0.
int GetDeviceCaps(int index);

// Fonts live until DeleteObject. A face name longer than the field is cut.
HFONT CreateFontIndirect(const LOGFONT* font);
BOOL DeleteObject(HFONT font);
// Copies the description into out (size bytes, at least sizeof(LOGFONT)); returns the bytes
// copied, 0 for an unknown font or a short buffer.
int GetObject(HFONT font, int size, void* out);
// The font's height in pixels (|lfHeight|, the system font's height for null, unknown or 0).
int FontPixelHeight(HFONT font);

}  // namespace lexiv::platform
