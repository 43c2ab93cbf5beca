// Where Ctrl+Left and Ctrl+Right stop in Shift-JIS text. Japanese is written without spaces, so a
// word is a run of characters of one kind: ASCII letters and digits, ASCII punctuation,
// half-width katakana, hiragana, katakana (with the long-vowel mark), kanji (with the repeat
// mark), full-width letters and digits, other full-width symbols. Blanks (ASCII and full-width
// spaces, tabs) separate words and are passed over; a line end is a stop of its own.
#pragma once

#include <cstddef>
#include <string_view>

namespace lexiv::platform {

// The start of the next word after the one at bytePos, past the blanks after it; the text's end
// when there is none.
std::size_t NextWordStart(std::string_view text, std::size_t bytePos);

// The start of the word before bytePos (or holding it), past the blanks before it; 0 when there
// is none.
std::size_t PrevWordStart(std::string_view text, std::size_t bytePos);

}  // namespace lexiv::platform
