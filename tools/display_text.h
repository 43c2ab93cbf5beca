// Shift-JIS text made readable as UTF-8 for people at a terminal. Unlike the strict converters of
// text_encoding.h this never fails: the user-defined characters the dictionary uses get visible
// substitutes, and a byte that is not Shift-JIS (a corrupt dictionary) becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace lexiv {

// Appends the UTF-8 form of sjis to out.
void AppendDisplayUtf8(std::string_view sjis, std::string& out);

}  // namespace lexiv
