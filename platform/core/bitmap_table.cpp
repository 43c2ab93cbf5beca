#include "platform/core/bitmap_table.h"

#include <map>

namespace lexiv::platform {

namespace {

// Resources belong to the program, not to a thread: every window of it shows the same pictures.
std::map<UINT, Picture>& Pictures() {
  static std::map<UINT, Picture> pictures;
  return pictures;
}

}  // namespace

bool Picture::Ink(int x, int y) const {
  if (y < 0 || y >= height() || x < 0 || x >= width()) return false;
  return rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#';
}

bool SetBitmap(UINT id, Picture picture) {
  for (const std::string& row : picture.rows)
    if (row.size() != picture.rows.front().size()) return false;
  Pictures()[id] = std::move(picture);
  return true;
}

const Picture* FindBitmap(UINT id) {
  const auto it = Pictures().find(id);
  return it == Pictures().end() ? nullptr : &it->second;
}

}  // namespace lexiv::platform
