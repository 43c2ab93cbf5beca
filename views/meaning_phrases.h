// How the meaning pane's reading of everything cuts the text into phrases: a phrase ends just
// after a punctuation mark or blank (｡ ､ space tab 。 、 and the ideographic space), or at a line
// break, which it takes in. A line that wraps does not end a phrase.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/controls/rich_text.h"

namespace lexiv {

// The end (exclusive byte position) of the phrase that starts at start; start itself at or past
// the text's end.
std::size_t PhraseEnd(std::string_view text, const std::vector<platform::DisplayLine>& lines, std::size_t start);

}  // namespace lexiv
