#include "hook/pane_text.h"

#include <cwchar>

#include "lookup/lookup_protocol.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::hook {

namespace {

struct Utf8Character {
  char32_t code = 0;
  std::size_t bytes = 0;  // 0: not well-formed UTF-8
};

Utf8Character DecodeAt(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  char32_t code = 0;
  if (lead < 0x80) return {lead, 1};
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return {};
  }
  if (at + length > text.size()) return {};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return {};
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  // Over-long forms, surrogates and code points past Unicode are not characters.
  if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
      (code >= 0xD800 && code <= 0xDFFF))
    return {};
  return {code, length};
}

// Appends the character in Shift-JIS; false when Shift-JIS has no such character.
bool AppendSjis(std::string_view utf8Character, std::string& sjis) {
  std::string converted;
  if (!platform::Utf8ToSjis(utf8Character, converted) || converted.empty()) return false;
  sjis += converted;
  return true;
}

// Shift-JIS of text up to its first character Shift-JIS lacks (or that is not UTF-8), of at
// most maxCharacters characters.
std::string SjisUntilUnknown(std::string_view text, std::size_t maxCharacters, std::size_t* consumedCharacters) {
  std::string sjis;
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size() && characters < maxCharacters;) {
    const Utf8Character c = DecodeAt(text, at);
    if (c.bytes == 0 || !AppendSjis(text.substr(at, c.bytes), sjis)) break;
    at += c.bytes;
    ++characters;
  }
  if (consumedCharacters != nullptr) *consumedCharacters = characters;
  return sjis;
}

}  // namespace

int CellsOf(char32_t character) {
  const int cells = wcwidth(static_cast<wchar_t>(character));
  return cells < 0 ? 1 : cells;
}

std::string PaneCaretText(std::string_view row, std::string_view nextRow, bool rowWraps, int cursorColumn) {
  if (cursorColumn < 0) return {};
  // The byte where the character under the cursor starts: the cursor may stand on the second
  // cell of a wide character, which is that character.
  std::size_t start = row.size();
  int column = 0;
  for (std::size_t at = 0; at < row.size();) {
    Utf8Character c = DecodeAt(row, at);
    if (c.bytes == 0) c = {0xFFFD, 1};
    const int cells = CellsOf(c.code);
    // A combining mark (no cells) belongs to the character before it.
    if (cells > 0 && cursorColumn < column + cells) {
      start = at;
      break;
    }
    column += cells;
    at += c.bytes;
  }
  const std::string_view rest = row.substr(start);
  if (rest.find_first_not_of(' ') == std::string_view::npos) return {};
  std::size_t taken = 0;
  std::string text = SjisUntilUnknown(rest, kPaneCaretCharacters, &taken);
  std::size_t restCharacters = 0;
  for (std::size_t at = 0; at < rest.size(); ++restCharacters) {
    const Utf8Character c = DecodeAt(rest, at);
    at += c.bytes == 0 ? 1 : c.bytes;
  }
  // The row ended within the characters allowed, without a character Shift-JIS lacks.
  if (taken == restCharacters && taken < kPaneCaretCharacters && !nextRow.empty()) {
    std::size_t left = kPaneCaretCharacters - taken;
    if (!rowWraps) {
      if (left < 2) return text;
      text += "\r\n";
      left -= 2;
    }
    text += SjisUntilUnknown(nextRow, left, nullptr);
  }
  return text;
}

std::string PaneSelectionText(std::string_view utf8) {
  std::string text = SjisUntilUnknown(utf8, utf8.size(), nullptr);
  text.resize(platform::SjisPrefixBytes(text, lookup::kMaxLookupTextBytes));
  return text;
}

std::string PaneClipboardText(std::string_view utf8) {
  // Never more characters than bytes are wanted: the rest need not be converted.
  std::string text = SjisUntilUnknown(utf8, kPaneClipboardBytes, nullptr);
  text.resize(platform::SjisPrefixBytes(text, kPaneClipboardBytes));
  return text;
}

}  // namespace lexiv::hook
