// Where the reading of a manual pauses: the text is read phrase by phrase, and a phrase runs up to
// and including the character that ends it. Punctuation, blanks and line ends end a phrase; a
// comma or full stop right after a digit does not, so that "１,２００" or "3.14" is read whole.
#pragma once

#include <cstddef>
#include <string_view>

namespace lexiv::docpick {

struct PhraseBounds {
  std::size_t endByte = 0;   // one past the phrase's last byte
  std::size_t nextByte = 0;  // where the next phrase starts (past the line feed of a "\r\n")
};

// The phrase that starts at startByte of the Shift-JIS text (the rest of the text when nothing
// ends it). A start at or past the end gives an empty phrase there. A lead byte without its trail
// byte at the end counts as one character.
PhraseBounds NextPhrase(std::string_view sjis, std::size_t startByte);

// The start of the phrase that holds the byte just before endByte: the first byte after the
// previous phrase end at or before it, searched from the text's start.
std::size_t PhraseStartBefore(std::string_view sjis, std::size_t endByte);

}  // namespace lexiv::docpick
