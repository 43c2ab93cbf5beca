#include "tools/text_encoding.h"

#include <algorithm>
#include <cstdint>

#include "tools/cp932_table.h"

namespace lexiv {
namespace {

void AppendUtf8(std::uint32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    // CP932 holds nothing beyond the Basic Multilingual Plane.
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The code point of the well-formed UTF-8 character at text[pos] and its length, or 0 for a
// sequence iconv's UTF-8 refuses: a stray or missing continuation byte, an overlong form, a
// surrogate, or a value beyond U+10FFFF.
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, std::uint32_t& codePoint) {
  auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t len;
  std::uint32_t value;
  std::uint32_t minimum;
  if (lead < 0x80) {
    codePoint = lead;
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
  codePoint = value;
  return len;
}

}  // namespace

bool Utf8ToShiftJis(std::string_view utf8, std::string& out) {
  out.clear();
  const cp932::UnicodeToCp932* begin = cp932::kFromUnicode;
  const cp932::UnicodeToCp932* end = begin + cp932::kFromUnicodeCount;
  for (std::size_t pos = 0; pos < utf8.size();) {
    std::uint32_t c = 0;
    std::size_t len = DecodeUtf8(utf8, pos, c);
    if (len == 0) return false;
    const cp932::UnicodeToCp932* found =
        std::lower_bound(begin, end, c, [](const cp932::UnicodeToCp932& e, std::uint32_t v) { return e.codePoint < v; });
    if (found == end || found->codePoint != c) return false;
    if (found->code != cp932::kNoBytes) {
      if (found->code > 0xFF) out += static_cast<char>(found->code >> 8);
      out += static_cast<char>(found->code & 0xFF);
    }
    pos += len;
  }
  return true;
}

bool ShiftJisToUtf8(std::string_view sjis, std::string& out) {
  out.clear();
  for (std::size_t pos = 0; pos < sjis.size();) {
    auto b = static_cast<unsigned char>(sjis[pos]);
    std::uint16_t c = cp932::kSingleByte[b];
    if (c == cp932::kLeadByte) {
      if (pos + 1 >= sjis.size()) return false;
      c = cp932::kDoubleByte[cp932::kLeadSlot[b]][static_cast<unsigned char>(sjis[pos + 1])];
      pos += 2;
    } else {
      pos += 1;
    }
    if (c == cp932::kUnassigned) return false;
    AppendUtf8(c, out);
  }
  return true;
}

}  // namespace lexiv
