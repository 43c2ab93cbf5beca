// What a lookup takes from a tmux pane, once tmux has handed over the pane's rows, its selection
// or its newest buffer (all UTF-8): the same texts the hook library takes from a control, in
// Shift-JIS. A character Shift-JIS cannot hold ends a text there, as the dictionary could not
// look it up.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexiv::hook {

// As many characters as the caret lookup of a control takes.
inline constexpr std::size_t kPaneCaretCharacters = 40;
// The clipboard lookup's bytes.
inline constexpr std::size_t kPaneClipboardBytes = 40;

// The text at a pane's cursor: from the character whose cells hold cursorColumn to the end of its
// row (as capture-pane prints it: wide characters once, trailing blanks left out), then on into
// the next row (directly when the row wraps into it, else after a line break), at most 40
// characters. Empty when the row holds nothing from the cursor on.
std::string PaneCaretText(std::string_view row, std::string_view nextRow, bool rowWraps, int cursorColumn);

// A selection's text: up to the protocol's largest text, cut on a character boundary.
std::string PaneSelectionText(std::string_view utf8);

// The clipboard lookup's text: the first 40 bytes, a double-byte character that does not fit
// whole left out.
std::string PaneClipboardText(std::string_view utf8);

// The cells a character takes on a terminal (wcwidth in a UTF-8 locale, which tmux follows):
// 0 for a combining mark, 2 for a wide character.
int CellsOf(char32_t character);

}  // namespace lexiv::hook
