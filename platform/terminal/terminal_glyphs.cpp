#include "platform/terminal/terminal_glyphs.h"

#include <unordered_map>

#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {

namespace {

const char* Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

const char* UserDefinedSubstitute(unsigned code) {
  static const char8_t* const kAccentDigits[10] = {u8"⓿", u8"❶", u8"❷", u8"❸", u8"❹",
                                                u8"❺", u8"❻", u8"❼", u8"❽", u8"❾"};
  static const char8_t* const kSenseMarkers[4] = {u8"㉑", u8"㉒", u8"㉓", u8"㉔"};
  if (code == 0xF158) return Utf8(u8"★");
  if (code == 0xF159) return Utf8(u8"☆");
  if (code >= 0xF160 && code <= 0xF163) return Utf8(kSenseMarkers[code - 0xF160]);
  if (code >= 0xF16F && code <= 0xF178) return Utf8(kAccentDigits[code - 0xF16F]);
  return Utf8(u8"〓");
}

const std::string& DoubleByteGlyph(unsigned code) {
  static std::unordered_map<unsigned, std::string> cache;
  auto it = cache.find(code);
  if (it != cache.end()) return it->second;
  std::string utf8;
  if (code >= 0xF040 && code <= 0xF9FC) {
    utf8 = UserDefinedSubstitute(code);
  } else {
    const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    if (!SjisToUtf8(std::string_view(bytes, 2), utf8) || utf8.empty()) utf8 = Utf8(u8"〓");
  }
  return cache.emplace(code, std::move(utf8)).first->second;
}

}  // namespace

TerminalGlyph GlyphAt(std::string_view sjis, std::size_t bytePos) {
  TerminalGlyph glyph;
  const unsigned char b = static_cast<unsigned char>(sjis[bytePos]);
  if (SjisCharBytesAt(sjis, bytePos) == 2) {
    const unsigned code = (static_cast<unsigned>(b) << 8) | static_cast<unsigned char>(sjis[bytePos + 1]);
    glyph.utf8 = DoubleByteGlyph(code);
    glyph.cells = 2;
    glyph.bytes = 2;
    return glyph;
  }
  if (b >= 0x20 && b < 0x7F) {
    glyph.utf8 = std::string(1, static_cast<char>(b));
  } else if (b >= 0xA1 && b <= 0xDF) {
    // Half-width katakana: U+FF61 onwards.
    const unsigned c = 0xFF61 + (b - 0xA1);
    glyph.utf8 = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                  static_cast<char>(0x80 | (c & 0x3F))};
  } else {
    glyph.utf8 = " ";  // control characters, speech separators and stray lead bytes
  }
  return glyph;
}

int TextCells(std::string_view sjis) {
  int cells = 0;
  for (std::size_t i = 0; i < sjis.size();) {
    const std::size_t n = SjisCharBytesAt(sjis, i);
    cells += static_cast<int>(n);
    i += n;
  }
  return cells;
}

}  // namespace lexiv::platform
