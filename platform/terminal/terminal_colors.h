// Colours on a terminal: a COLORREF is shown in true colour where the terminal has it, else as
// the nearest of the 256-colour palette (its 6x6x6 cube and grey ramp, whose values every
// terminal shares) or of the eight basic colours. The nine colour schemes use only black, white
// and full yellow, green and blue, which all three palettes hold exactly.
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

// Stands for the terminal's own foreground or background colour (the system window colours:
// scheme 0). Not a COLORREF any program makes (those have a zero top byte).
inline constexpr COLORREF kTerminalDefaultColor = 0xFF000000;

enum class TerminalColorMode { kBasic8, kPalette256, kTrueColor };

// colorterm: $COLORTERM (may be null); paletteSize: the colours the terminal description
// offers; directColor: whether it takes RGB values directly.
TerminalColorMode ChooseColorMode(const char* colorterm, int paletteSize, bool directColor);

// 16 to 255: the cube or grey entry nearest to the colour.
int NearestPalette256(COLORREF color);
// 0 to 7: black, red, green, yellow, blue, magenta, cyan, white.
int NearestBasic8(COLORREF color);
// The colour number to ask the terminal for: -1 for the terminal's default, otherwise the
// palette index, or 0xRRGGBB in true colour.
int TerminalColorNumber(COLORREF color, TerminalColorMode mode);

}  // namespace lexiv::platform
