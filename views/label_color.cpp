#include "views/label_color.h"

namespace lexiv {

platform::COLORREF LabelColorFor(platform::COLORREF textColor) {
  struct Pair {
    platform::COLORREF text;
    platform::COLORREF label;
  };
  static constexpr Pair kPairs[] = {
      {0x00FF00, 0xFFFF00},
      {0x00FFFF, 0xFFFFFF},
      {0xFF0000, 0x000000},
      {0xFFFFFF, 0x00FFFF},
  };
  for (const Pair& pair : kPairs)
    if (pair.text == textColor) return pair.label;
  return 0xFF0000;
}

}  // namespace lexiv
