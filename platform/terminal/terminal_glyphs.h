// Shift-JIS characters as the terminal shows them: the UTF-8 glyph and the cells it takes. A
// double-byte character takes two cells and a single-byte one one cell, whatever the glyph, so
// text lines up as it does in the program's own arithmetic. The user-defined characters the
// dictionary uses get visible substitutes (the same ones lexiv-query prints); other user-defined
// characters show as 〓.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexiv::platform {

struct TerminalGlyph {
  std::string utf8;        // what to show; a space for control characters
  int cells = 1;           // 1 or 2
  std::size_t bytes = 1;   // Shift-JIS bytes used (1 or 2)
};

// The character at sjis[bytePos] (bytePos < sjis.size()).
TerminalGlyph GlyphAt(std::string_view sjis, std::size_t bytePos);
// Cells the whole text takes.
int TextCells(std::string_view sjis);

}  // namespace lexiv::platform
