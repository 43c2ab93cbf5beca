#include "tools/text_encoding.h"

#include <algorithm>
#include <cstdint>

#include "tools/cp932_table.h"

namespace lexiv {

std::size_t Utf8CharLength(std::string_view text, std::size_t pos, char32_t* codePoint) {
  auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t len;
  char32_t value;
  char32_t minimum;
  if (lead < 0x80) {
    if (codePoint != nullptr) *codePoint = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    len = 2, value = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    len = 3, value = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    len = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (pos + len > text.size()) return 0;
  for (std::size_t i = 1; i < len; ++i) {
    auto b = static_cast<unsigned char>(text[pos + i]);
    if ((b & 0xC0) != 0x80) return 0;
    value = (value << 6) | (b & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  if (codePoint != nullptr) *codePoint = value;
  return len;
}

bool Utf8ToShiftJis(std::string_view utf8, std::string& out) {
  // Shift-JIS never takes more bytes than UTF-8 for the same character.
  out.resize(utf8.size());
  char* o = out.data();
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t c = 0;
    std::size_t len = Utf8CharLength(utf8, pos, &c);
    if (len == 0) return false;
    pos += len;
    std::uint16_t code;
    if (c <= 0xFFFF) {
      std::uint8_t slot = cp932::kBmpRowSlot[c >> 8];
      code = slot == 0xFF ? cp932::kNotInCp932 : cp932::kBmpRows[slot][c & 0xFF];
      if (code == cp932::kNotInCp932) return false;
    } else {
      const cp932::UnicodeToCp932* begin = cp932::kFromUnicode;
      const cp932::UnicodeToCp932* end = begin + cp932::kFromUnicodeCount;
      const cp932::UnicodeToCp932* found = std::lower_bound(
          begin, end, c, [](const cp932::UnicodeToCp932& e, std::uint32_t v) { return e.codePoint < v; });
      if (found == end || found->codePoint != c) return false;
      code = found->code;
    }
    if (code == cp932::kNoBytes) continue;
    if (code > 0xFF) *o++ = static_cast<char>(code >> 8);
    *o++ = static_cast<char>(code & 0xFF);
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return true;
}

bool ShiftJisToUtf8(std::string_view sjis, std::string& out) {
  out.clear();
  return AppendShiftJisAsUtf8(sjis, out);
}

bool AppendShiftJisAsUtf8(std::string_view sjis, std::string& out) {
  std::size_t before = out.size();
  // Three UTF-8 bytes at most for each byte or pair.
  out.resize(before + sjis.size() * 3);
  char* o = out.data() + before;
  auto fail = [&] {
    out.resize(before);
    return false;
  };
  for (std::size_t pos = 0; pos < sjis.size();) {
    auto b = static_cast<unsigned char>(sjis[pos]);
    std::uint16_t c = cp932::kSingleByte[b];
    if (c == cp932::kLeadByte) {
      if (pos + 1 >= sjis.size()) return fail();
      c = cp932::kDoubleByte[cp932::kLeadSlot[b]][static_cast<unsigned char>(sjis[pos + 1])];
      pos += 2;
    } else {
      pos += 1;
    }
    if (c == cp932::kUnassigned) return fail();
    if (c < 0x80) {
      *o++ = static_cast<char>(c);
    } else if (c < 0x800) {
      *o++ = static_cast<char>(0xC0 | (c >> 6));
      *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      // CP932 holds nothing beyond the Basic Multilingual Plane.
      *o++ = static_cast<char>(0xE0 | (c >> 12));
      *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      *o++ = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return true;
}

}  // namespace lexiv
