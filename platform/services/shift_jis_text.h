// Shift-JIS (code page 932) at the edges of the platform: character boundaries for cutting program
// text, conversion to and from UTF-8 for what is stored on disk, and the file-name rule.
//
// Program text is Shift-JIS; file names on this system are UTF-8. A path the program builds is
// converted before it reaches the file system, and a name read from a directory is converted
// back. Bytes that do not convert pass through unchanged, so a name that is neither valid UTF-8
// nor valid Shift-JIS is still usable in both directions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexiv::platform {

constexpr bool IsSjisLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsSjisTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Bytes (1 or 2) of the character at text[bytePos]; a lead byte without a valid trail byte
// counts as one byte, so a walk always advances and never passes the end.
constexpr std::size_t SjisCharBytesAt(std::string_view text, std::size_t bytePos) {
  if (bytePos + 1 < text.size() && IsSjisLeadByte(static_cast<unsigned char>(text[bytePos])) &&
      IsSjisTrailByte(static_cast<unsigned char>(text[bytePos + 1])))
    return 2;
  return 1;
}

// Length of the longest prefix of text that fits in maxBytes without splitting a character.
constexpr std::size_t SjisPrefixBytes(std::string_view text, std::size_t maxBytes) {
  std::size_t bytePos = 0;
  while (bytePos < text.size()) {
    std::size_t charBytes = SjisCharBytesAt(text, bytePos);
    if (bytePos + charBytes > maxBytes) break;
    bytePos += charBytes;
  }
  return bytePos;
}

// Whether every byte belongs to a Shift-JIS character: ASCII, a half-width katakana, or a lead byte
// followed by a trail byte. NUL bytes are not characters here.
constexpr bool IsWellFormedSjis(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if ((b >= 0x01 && b <= 0x7F) || (b >= 0xA1 && b <= 0xDF)) continue;
    if (!IsSjisLeadByte(b) || i + 1 == text.size() || !IsSjisTrailByte(static_cast<unsigned char>(text[i + 1])))
      return false;
    ++i;
  }
  return true;
}

// Case-insensitive equality as Windows compares names: ASCII letters fold, a double-byte
// character compares exactly (its trail byte may look like an ASCII letter).
bool SjisEqualIgnoringCase(std::string_view a, std::string_view b);

// Whole-text conversions; false (and the output untouched) when any byte sequence does not convert.
bool SjisToUtf8(std::string_view sjis, std::string& utf8);
bool Utf8ToSjis(std::string_view utf8, std::string& sjis);

// The file-system spelling of a program path, and the program spelling of a name from the file
// system; each falls back to the bytes as given when they do not convert.
std::string FileSystemName(std::string_view sjisPath);
std::string ProgramName(std::string_view fileSystemName);

}  // namespace lexiv::platform
