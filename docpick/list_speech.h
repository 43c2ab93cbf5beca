// What the two lists say, apart from the lists themselves: the name a manual file is listed by,
// and what a key says once it has been let go.
#pragma once

#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace lexiv::docpick {

// The name of a file in the manual list: a final ".TXT" removed, then a final ".txt" (other
// spellings such as ".Txt" stay).
std::string ManualListName(std::string_view fileName);

// The announcement after a key came up in a list, or empty for a key that says nothing. wrapWord
// is the word of a wrap made by the key ("トップ", "ラスト" or empty); selected is the 0-based index
// now selected (-1 none), count the number of entries, entry its text.
std::string KeyUpAnnouncement(platform::UINT vk, std::string_view wrapWord, int selected, int count,
                              std::string_view entry);

// Phrase separator of the reader.
inline constexpr char kPhraseSeparator = '\xFE';
// Asks the reader for a pause before the text that follows.
inline constexpr char kPauseMark = '\xFF';

}  // namespace lexiv::docpick
