// What kind of character stands at the caret, in the words the reader says for "ReadCurAtrb".
#pragma once

#include <string>
#include <string_view>

namespace lexiv::reader {

// Shift-JIS words such as "全角 ひらがな" for the first character of the text; empty for an
// empty text. "\r" or "\n" is a line end.
std::string DescribeCharacterKind(std::string_view sjis);

}  // namespace lexiv::reader
