#include "platform/core/font.h"

#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace lexiv::platform {

namespace {

// Fonts are process-wide, as drawing objects are; handles are never reused.
struct FontTable {
  std::unordered_map<std::uint32_t, LOGFONT> fonts;
  std::uint32_t next = 1;
};

FontTable& Fonts() {
  static FontTable table;
  return table;
}

}  // namespace

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long product = static_cast<long long>(number) * numerator;
  const long long magnitude = (std::llabs(product) + std::llabs(static_cast<long long>(denominator)) / 2) /
                              std::llabs(static_cast<long long>(denominator));
  return static_cast<int>((product < 0) != (denominator < 0) ? -magnitude : magnitude);
}

int GetDeviceCaps(int index) { return index == LOGPIXELSY ? kScreenPixelsPerInch : 0; }

HFONT CreateFontIndirect(const LOGFONT* font) {
  if (font == nullptr) return HFONT{};
  LOGFONT copy = *font;
  copy.lfFaceName[LF_FACESIZE - 1] = '\0';
  FontTable& table = Fonts();
  const std::uint32_t id = table.next++;
  table.fonts[id] = copy;
  return HFONT{id};
}

BOOL DeleteObject(HFONT font) { return Fonts().fonts.erase(font.value) != 0 ? TRUE : FALSE; }

int GetObject(HFONT font, int size, void* out) {
  const auto it = Fonts().fonts.find(font.value);
  if (it == Fonts().fonts.end() || out == nullptr || size < static_cast<int>(sizeof(LOGFONT))) return 0;
  std::memcpy(out, &it->second, sizeof(LOGFONT));
  return static_cast<int>(sizeof(LOGFONT));
}

int FontPixelHeight(HFONT font) {
  const auto it = Fonts().fonts.find(font.value);
  if (it == Fonts().fonts.end() || it->second.lfHeight == 0) return kSystemFontPixelHeight;
  return std::abs(static_cast<int>(it->second.lfHeight));
}

}  // namespace lexiv::platform
