// The items of a list box or of a combo box's list: a text and a data value each, and the key
// moves shared by both (no wrapping: the ends hold).
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/shift_jis_text.h"
#include "platform/win_types.h"

namespace lexiv::platform {

struct ListItem {
  std::string text;
  LPARAM data = 0;
};

class ListItems {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  const ListItem& At(int index) const { return items_[static_cast<std::size_t>(index)]; }
  ListItem& At(int index) { return items_[static_cast<std::size_t>(index)]; }

  // Inserts at index (-1 or past the end: at the end); returns the index used.
  int Insert(int index, ListItem item) {
    if (index < 0 || index > Count()) index = Count();
    items_.insert(items_.begin() + index, std::move(item));
    return index;
  }
  // The place that keeps the texts in order, letters compared without case.
  int SortedPlace(std::string_view text) const {
    int place = 0;
    while (place < Count() && CompareIgnoringCase(At(place).text, text) <= 0) ++place;
    return place;
  }
  void Erase(int index) { items_.erase(items_.begin() + index); }
  void Clear() { items_.clear(); }

  // The first item from after start (wrapping round; -1 searches from the top) whose text
  // equals text, or begins with it, letters compared without case; -1 when none.
  int Find(int start, std::string_view text, bool exact) const {
    const int count = Count();
    for (int step = 1; step <= count; ++step) {
      const int i = ((start < 0 ? -1 : start) + step) % count;
      const std::string_view candidate = At(i).text;
      const std::string_view compared = exact ? candidate : candidate.substr(0, std::min(candidate.size(), text.size()));
      if (compared.size() == text.size() && SjisEqualIgnoringCase(compared, text)) return i;
    }
    return -1;
  }

  // Where a movement key takes the current item; -1 for a key that does not move.
  static int KeyTarget(UINT vk, int current, int count, int top, int perPage) {
    if (count <= 0) return -1;
    perPage = std::max(1, perPage);
    const int from = std::max(current, 0);
    switch (vk) {
      case VK_UP:
      case VK_LEFT:
        return current < 0 ? 0 : std::max(0, current - 1);
      case VK_DOWN:
      case VK_RIGHT:
        return current < 0 ? 0 : std::min(count - 1, current + 1);
      case VK_HOME: return 0;
      case VK_END: return count - 1;
      case VK_PRIOR:  // the top of the page, then a page further
        return from > top ? top : std::max(0, from - (perPage - 1));
      case VK_NEXT: {
        const int bottom = std::min(count - 1, top + perPage - 1);
        return from < bottom ? bottom : std::min(count - 1, from + (perPage - 1));
      }
      default: return -1;
    }
  }

 private:
  static int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
      unsigned char x = static_cast<unsigned char>(a[i]);
      unsigned char y = static_cast<unsigned char>(b[i]);
      if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
      if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
      if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }

  std::vector<ListItem> items_;
};

}  // namespace lexiv::platform
