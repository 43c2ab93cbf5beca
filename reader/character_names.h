// The Japanese names of the symbols and brackets, half-width and full-width, that the reader says
// when it guides a character: "かぎかっこ" for 「.
#pragma once

#include <cstdint>
#include <string_view>

namespace lexiv::reader {

// The name of the character with this Shift-JIS code (a single byte below 0x100, else lead byte
// high), or empty when it is not a named symbol. Shift-JIS.
std::string_view SymbolName(std::uint16_t code);

}  // namespace lexiv::reader
