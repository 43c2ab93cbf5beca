// Code page 932 (the program's Shift-JIS) and Unicode, as tables compiled in. The build generates
// them from the system's iconv (lexiv-cp932-table), so they convert exactly as iconv's CP932
// does, without loading its converter module in every process.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lexiv::cp932 {

// kSingleByte[b]: the code point of the single byte b, kLeadByte when b begins a pair, or
// kUnassigned.
inline constexpr std::uint16_t kUnassigned = 0xFFFF;
inline constexpr std::uint16_t kLeadByte = 0xFFFE;
extern const std::uint16_t kSingleByte[256];
// For a lead byte, its row of kDoubleByte (kLeadSlot is 0xFF for other bytes); the row gives the
// code point of each trail byte, or kUnassigned.
extern const std::uint8_t kLeadSlot[256];
extern const std::uint16_t kDoubleByte[][256];

// Every Unicode scalar value CP932 holds, in rising order, with its code: below 0x100 a single
// byte, kNoBytes for a character iconv drops without a word (the language tags U+E0000 to
// U+E007F), else the lead byte in the high eight bits and the trail byte in the low eight.
inline constexpr std::uint16_t kNoBytes = 0xFFFF;
struct UnicodeToCp932 {
  std::uint32_t codePoint;
  std::uint16_t code;
};
extern const std::size_t kFromUnicodeCount;
extern const UnicodeToCp932 kFromUnicode[];

// The same codes for U+0000 to U+FFFF by direct lookup: kBmpRows[kBmpRowSlot[c >> 8]][c & 0xFF],
// kNotInCp932 for a character CP932 lacks (kBmpRowSlot is 0xFF for a row with none it holds).
inline constexpr std::uint16_t kNotInCp932 = 0xFFFE;
extern const std::uint8_t kBmpRowSlot[256];
extern const std::uint16_t kBmpRows[][256];

}  // namespace lexiv::cp932
