// Key normalisation and kana conversion: the pure text functions that turn whatever the user
// typed, selected or dropped into the two key forms of the indexes, turn index keys back into
// full-width kana, and reverse keys for the suffix indexes. All text is Shift-JIS.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lexiv {

enum KeyClass : int { kReadingKey = 1, kWrittenKey = 2 };
enum KanaForm : int { kHiragana = 0, kKatakana = 1 };

// Longest key, in bytes, that the normalisation produces; longer results are clamped on a
// character boundary.
constexpr std::size_t kMaxKeyBytes = 255;

// Turns text into a reading key (half-width katakana bytes, an optional leading "*" and trailing
// "*") when every character is kana, else into a written key (double-byte characters only).
// Returns kReadingKey or kWrittenKey; key receives the key (text may be a view of key). The
// key's length is key.size() bytes for a reading key and key.size() / 2 characters for a written
// key.
int NormalizeKey(std::string_view text, std::string& key);

// The half-width form of a JIS X 0208 kana code (hiragana row 0x24, katakana row 0x25, or the
// long-vowel mark 0x213C): one letter, followed by a voiced or semi-voiced mark where the kana
// has one. Appends to out and returns the number of bytes appended (0 for a code outside the
// kana rows).
int NarrowKana(std::uint16_t jisCode, std::string& out);

// Widens half-width katakana in text to full-width hiragana (form kHiragana) or katakana
// (kKatakana), combining a following voiced or semi-voiced mark; double-byte characters are
// copied, any other single byte becomes two ASCII spaces. out receives the text (two bytes per
// character, not clamped; text may be a view of out); returns the number of characters written.
int WidenKana(std::string_view text, int form, std::string& out);

// Reverses key in place: a reading key by letters (each voiced mark stays after its letter), a
// written key by two-byte characters.
void ReverseKey(std::string& key, int keyClass);

// Shift-JIS <-> JIS X 0208 by the published arithmetic of the encoding. Both cover the 94 x 94
// grid (Shift-JIS lead bytes 0x81..0x9F and 0xE0..0xEF) and return 0 for a code outside it.
std::uint16_t ShiftJisToJis(std::uint16_t sjis);
std::uint16_t JisToShiftJis(std::uint16_t jis);

}  // namespace lexiv
