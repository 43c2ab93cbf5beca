// EUC-JP source files (the EDICT file) converted to the program's Shift-JIS through iconv.
#pragma once

#include <string>
#include <string_view>

namespace lexiv {

// Returns false (and leaves out unspecified) when the input holds a byte sequence that is not
// valid EUC-JP or a character that Shift-JIS cannot hold.
bool EucJpToShiftJis(std::string_view eucjp, std::string& out);

}  // namespace lexiv
