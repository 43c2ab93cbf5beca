// Shift-JIS (code page 932) character boundaries, the one place where the engine decides what a
// double-byte character is. Every walk over dictionary or user text goes through these helpers so
// that no walk reads a trail byte that is not there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lexiv {

constexpr bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Length in bytes (1 or 2) of the character that starts at text[pos]. A lead byte whose trail byte
// is missing or out of range counts as a single byte, so a walk always moves forward and never
// passes the end.
constexpr std::size_t CharLengthAt(std::string_view text, std::size_t pos) {
  if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])) &&
      IsTrailByte(static_cast<unsigned char>(text[pos + 1])))
    return 2;
  return 1;
}

// The two bytes at text[pos] as one 16-bit code (lead byte high); only meaningful when
// CharLengthAt(text, pos) is 2.
constexpr std::uint16_t DoubleByteCodeAt(std::string_view text, std::size_t pos) {
  return static_cast<std::uint16_t>((static_cast<unsigned char>(text[pos]) << 8) |
                                    static_cast<unsigned char>(text[pos + 1]));
}

// The longest prefix of text that is at most maxBytes long and does not end inside a double-byte
// character. Used wherever a text or key must be clamped to a working limit.
constexpr std::size_t ClampToCharBoundary(std::string_view text, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t len = CharLengthAt(text, pos);
    if (pos + len > maxBytes) break;
    pos += len;
  }
  return pos;
}

}  // namespace lexiv
