// Finding a text in Shift-JIS text: matches start on character boundaries only (never on a
// trail byte), double-byte characters compare exactly, and without matchCase only ASCII letters
// fold.
#pragma once

#include <cstddef>
#include <string_view>

namespace lexiv::platform {

inline constexpr std::size_t kNoMatch = static_cast<std::size_t>(-1);

// The first (forward) or last (backward) match lying wholly inside [from, to); kNoMatch when there
// is none or the pattern is empty. from should be a character start; a from on a trail byte
// searches from the next character.
std::size_t FindSjisText(std::string_view text, std::string_view pattern, std::size_t from, std::size_t to,
                         bool matchCase, bool forward);

}  // namespace lexiv::platform
