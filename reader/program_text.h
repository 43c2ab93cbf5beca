// Program text (Shift-JIS with the phrase separator 0xFE and the pause mark 0xFF) turned into
// UTF-8 for the speech server, the log and the braille display.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexiv::reader {

inline constexpr unsigned char kPhraseSeparator = 0xFE;
inline constexpr unsigned char kPauseMark = 0xFF;

struct TextPiece {
  enum class Kind { kText, kPhraseSeparator, kPause };
  Kind kind = Kind::kText;
  std::string utf8;  // kText only
};

// Splits at the marks and converts each run of text. A byte that is not Shift-JIS, or a lead
// byte without its trail byte, becomes U+FFFD; nothing is read past the end.
std::vector<TextPiece> SplitProgramText(std::string_view sjis);

// The whole text in UTF-8, the marks given as replacements.
std::string ProgramTextToUtf8(std::string_view sjis, std::string_view separator, std::string_view pause);

// The log's spelling of a text: marks as U+241E and U+241F; carriage return, line feed, tab and
// backslash as \r, \n, \t and \\, so that a line of the log stays one call.
std::string LogText(std::string_view sjis);

// SSML for the speech server: the text escaped, a phrase separator between words as a short break
// (one for several in a row, none at either end) and the pause mark as a longer one. Empty when
// there is nothing to say: a text of phrase separators alone.
std::string SsmlText(std::string_view sjis);
// One character spelled out (say-as characters), for guides that spell.
std::string SsmlSpelled(std::string_view sjis);

// The length in bytes of the Shift-JIS character starting at text[0]: 2 for a lead byte with a
// valid trail byte, else 1 (so a broken lead byte never swallows a mark after it).
int ShiftJisCharLength(std::string_view text);

}  // namespace lexiv::reader
