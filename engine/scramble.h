// The bit permutation with which entry text is stored in YOMIGO.DIC. Only the zero byte maps to
// zero, so a field keeps its length and its terminator whether scrambled or plain.
#pragma once

namespace lexiv {

// Text bit 7 is stored as bit 1, text bits 6..1 as bits 7..2, bit 0 unchanged.
constexpr unsigned char DescrambleByte(unsigned char s) {
  return static_cast<unsigned char>((s & 0x01) | ((s >> 1) & 0x7E) | ((s & 0x02) << 6));
}
constexpr unsigned char ScrambleByte(unsigned char t) {
  return static_cast<unsigned char>((t & 0x01) | ((t << 1) & 0xFC) | ((t >> 6) & 0x02));
}

}  // namespace lexiv
