// The program's pictures (its bitmap resources) by id. A picture is a small grid of pixels, ink
// or blank, with no size of its own on the screen: each driver draws it as large as it can (the
// terminal gives a pixel two cells, a square, and draws ink as a full block). An image static
// showing a bitmap id draws the picture registered under it.
#pragma once

#include <string>
#include <vector>

#include "platform/win_types.h"

namespace lexiv::platform {

struct Picture {
  // One string a row, all of one length: '#' is ink, anything else blank.
  std::vector<std::string> rows;
  int width() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
  int height() const { return static_cast<int>(rows.size()); }
  bool Ink(int x, int y) const;
};

// Replaces the picture under id. Rows of unequal length are refused (false).
bool SetBitmap(UINT id, Picture picture);
// Null when no picture has that id.
const Picture* FindBitmap(UINT id);

}  // namespace lexiv::platform
