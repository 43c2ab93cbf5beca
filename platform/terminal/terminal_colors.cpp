#include "platform/terminal/terminal_colors.h"

#include <cstring>

namespace lexiv::platform {

namespace {

constexpr int kCubeLevels[6] = {0, 95, 135, 175, 215, 255};

int NearestCubeLevel(int v) {
  int best = 0;
  for (int i = 1; i < 6; ++i)
    if (std::abs(kCubeLevels[i] - v) < std::abs(kCubeLevels[best] - v)) best = i;
  return best;
}

int Distance2(int r1, int g1, int b1, int r2, int g2, int b2) {
  return (r1 - r2) * (r1 - r2) + (g1 - g2) * (g1 - g2) + (b1 - b2) * (b1 - b2);
}

}  // namespace

TerminalColorMode ChooseColorMode(const char* colorterm, int paletteSize, bool directColor) {
  const bool saysTrueColor =
      colorterm != nullptr && (std::strcmp(colorterm, "truecolor") == 0 || std::strcmp(colorterm, "24bit") == 0);
  if (saysTrueColor && directColor) return TerminalColorMode::kTrueColor;
  if (paletteSize >= 256) return TerminalColorMode::kPalette256;
  return TerminalColorMode::kBasic8;
}

int NearestPalette256(COLORREF color) {
  const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  const int cr = NearestCubeLevel(r), cg = NearestCubeLevel(g), cb = NearestCubeLevel(b);
  const int cubeIndex = 16 + 36 * cr + 6 * cg + cb;
  const int cubeDistance = Distance2(r, g, b, kCubeLevels[cr], kCubeLevels[cg], kCubeLevels[cb]);
  // Grey ramp 232 to 255: 8, 18, ..., 238.
  const int average = (r + g + b) / 3;
  int grey = (average - 8 + 5) / 10;
  if (grey < 0) grey = 0;
  if (grey > 23) grey = 23;
  const int level = 8 + 10 * grey;
  const int greyDistance = Distance2(r, g, b, level, level, level);
  return greyDistance < cubeDistance ? 232 + grey : cubeIndex;
}

int NearestBasic8(COLORREF color) {
  const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  return (r >= 128 ? 1 : 0) | (g >= 128 ? 2 : 0) | (b >= 128 ? 4 : 0);
}

int TerminalColorNumber(COLORREF color, TerminalColorMode mode) {
  if (color == kTerminalDefaultColor) return -1;
  switch (mode) {
    case TerminalColorMode::kTrueColor:
      return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    case TerminalColorMode::kPalette256:
      return NearestPalette256(color);
    case TerminalColorMode::kBasic8:
      return NearestBasic8(color);
  }
  return -1;
}

}  // namespace lexiv::platform
