// Conversion between the program's Shift-JIS (code page 932) and UTF-8, done only at the edges:
// command-line arguments, source files people edit, output. Both directions use the tables of
// cp932_table.h, which are iconv's CP932 conversion compiled in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexiv {

// The length of the well-formed UTF-8 character at text[pos] (its code point in *codePoint when
// given), or 0 for a sequence iconv's UTF-8 refuses: a stray or missing continuation byte, an
// overlong form, a surrogate, or a value beyond U+10FFFF.
std::size_t Utf8CharLength(std::string_view text, std::size_t pos, char32_t* codePoint = nullptr);

// Each returns false (and leaves out unspecified) when the input holds a byte sequence that is not
// valid in its encoding or a character that the target encoding cannot hold.
bool Utf8ToShiftJis(std::string_view utf8, std::string& out);
bool ShiftJisToUtf8(std::string_view sjis, std::string& out);
// As ShiftJisToUtf8, but appends to out; on failure out is as it was.
bool AppendShiftJisAsUtf8(std::string_view sjis, std::string& out);

}  // namespace lexiv
