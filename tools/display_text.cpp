#include "tools/display_text.h"

#include <cstdint>

#include "engine/shift_jis.h"
#include "tools/text_encoding.h"

namespace lexiv {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Substitutes for the user-defined characters of the dictionary, as documented in
// docs/lexiv-query.md: the two marks, the four extra sense markers and the accent digits.
std::string_view UserDefinedSubstitute(std::uint16_t code) {
  switch (code) {
    case 0xF158: return "\xE2\x98\x85";  // mark 1: ★
    case 0xF159: return "\xE2\x98\x86";  // mark 2: ☆
    case 0xF160: return "\xE3\x89\x91";  // ㉑
    case 0xF161: return "\xE3\x89\x92";  // ㉒
    case 0xF162: return "\xE3\x89\x93";  // ㉓
    case 0xF163: return "\xE3\x89\x94";  // ㉔
    default: break;
  }
  if (code >= 0xF16F && code <= 0xF178) {
    // Accent digits 0 to 9 as the dingbat digits ⓿ ❶ ... ❾, so they do not read as sense markers.
    static constexpr std::string_view kAccentDigits[10] = {
        "\xE2\x93\xBF", "\xE2\x9D\xB6", "\xE2\x9D\xB7", "\xE2\x9D\xB8", "\xE2\x9D\xB9",
        "\xE2\x9D\xBA", "\xE2\x9D\xBB", "\xE2\x9D\xBC", "\xE2\x9D\xBD", "\xE2\x9D\xBE"};
    return kAccentDigits[code - 0xF16F];
  }
  return {};
}

bool HasUserDefinedLead(std::string_view sjis) {
  for (unsigned char c : sjis)
    if (c >= 0xF0 && c <= 0xF9) return true;
  return false;
}

}  // namespace

void AppendDisplayUtf8(std::string_view sjis, std::string& out) {
  if (!HasUserDefinedLead(sjis) && AppendShiftJisAsUtf8(sjis, out)) return;
  std::string converted;
  // Slow path, one character at a time: only for text with user-defined or invalid characters.
  for (std::size_t pos = 0; pos < sjis.size();) {
    std::size_t len = CharLengthAt(sjis, pos);
    std::string_view ch = sjis.substr(pos, len);
    std::string_view substitute = len == 2 ? UserDefinedSubstitute(DoubleByteCodeAt(sjis, pos)) : std::string_view{};
    if (!substitute.empty())
      out += substitute;
    else if (ShiftJisToUtf8(ch, converted))
      out += converted;
    else
      out += kReplacement;
    pos += len;
  }
}

}  // namespace lexiv
