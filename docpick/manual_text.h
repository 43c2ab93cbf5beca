// A manual file as the text box shows it: refused from 65536 bytes on, taken as UTF-8 when it is
// valid UTF-8 with some character beyond ASCII and as Shift-JIS otherwise, and with every line
// end made "\r\n", the text box's paragraph end and the reading's line rule.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexiv::docpick {

inline constexpr std::size_t kLargestManualBytes = 65535;

enum class ManualLoad {
  kLoaded,
  kTooLarge,   // 65536 bytes or more: not read
  kUnreadable  // missing, not a file, or unreadable
};

// Reads the file at path (program text) into sjis.
ManualLoad LoadManualText(const std::string& path, std::string& sjis);

// The file's bytes as program text (see above).
std::string ManualTextFromBytes(std::string_view bytes);

// The text up to its first "\r\n" (all of it when there is none).
std::string_view FirstLine(std::string_view sjis);

// Whether path ends in "TXT", letters compared in upper case.
bool IsTextFileName(std::string_view path);

}  // namespace lexiv::docpick
