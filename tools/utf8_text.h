// UTF-8 checks and the conversion of source text to Shift-JIS, with the few characters that the
// dictionary keeps in the user-defined area of Shift-JIS and that iconv cannot map by itself.
#pragma once

#include <string>
#include <string_view>

namespace lexiv {

// True when text is well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF).
bool IsValidUtf8(std::string_view text);

// Converts well-formed UTF-8 to Shift-JIS. The circled numbers ㉑ to ㉔ become the user-defined
// sense markers 0xF160 to 0xF163. On a character Shift-JIS cannot hold returns false and puts that
// character (UTF-8) into unconvertible.
bool SourceTextToShiftJis(std::string_view utf8, std::string& sjis, std::string& unconvertible);

// "U+XXXX" for the first character of a UTF-8 text.
std::string CodePointLabel(std::string_view utf8Character);

}  // namespace lexiv
