// The meaning text of an entry as stored, turned into its display form: grammar tags spelled
// out, word lists laid out one word per line, sense markers starting new lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexiv {

// Working limits of the display form: one buffer of 4096 bytes for the whole meaning, 2047 bytes
// for what one grammar tag or word list expands to (and one note of a word list), 1023 bytes for
// the text of one grammar tag.
constexpr std::size_t kMeaningBufferBytes = 4096;
constexpr std::size_t kExpansionBytes = 2047;
constexpr std::size_t kGrammarTagBytes = 1023;

// Writes the display form of text (which ends at its first zero byte, if any) into out, never
// more than kMeaningBufferBytes - 1 bytes, clamped on a character boundary, and returns its
// length in bytes. A lead byte cut off by the end of the text is left out.
int ReformatMeaning(std::string_view text, std::string& out);

// text: what follows an opening 『. On success appends the expansion ("（...）") to out and returns
// the bytes consumed up to and including the closing 』; on failure returns -1 and leaves out
// unchanged.
int ExpandGrammarTag(std::string_view text, std::string& out);

// text: what follows an opening 「. On success appends the list, one word per line with its note
// in brackets, to out and returns the bytes consumed; on failure returns -1 and leaves out
// unchanged.
int ExpandWordList(std::string_view text, std::string& out);

}  // namespace lexiv
