#include "tools/utf8_text.h"

#include <cstdint>
#include <cstdio>

#include "tools/text_encoding.h"

namespace lexiv {
namespace {

// ㉑..㉔, which the source uses for the dictionary's four user-defined sense markers.
constexpr char32_t kFirstSenseMarker = 0x3251, kLastSenseMarker = 0x3254;

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t len = Utf8CharLength(text, pos);
    if (len == 0) return false;
    pos += len;
  }
  return true;
}

std::string CodePointLabel(std::string_view utf8Character) {
  char32_t codePoint = 0;
  if (utf8Character.empty() || Utf8CharLength(utf8Character, 0, &codePoint) == 0) return "U+FFFD";
  char label[16];
  std::snprintf(label, sizeof label, "U+%04X", static_cast<unsigned>(codePoint));
  return label;
}

bool SourceTextToShiftJis(std::string_view utf8, std::string& sjis, std::string& unconvertible) {
  sjis.clear();
  std::string piece;
  // Converts utf8[runStart, end) and appends it; on failure finds the character to blame.
  auto flush = [&](std::size_t runStart, std::size_t end) {
    if (runStart == end) return true;
    std::string_view run = utf8.substr(runStart, end - runStart);
    if (Utf8ToShiftJis(run, piece)) {
      sjis += piece;
      return true;
    }
    for (std::size_t pos = 0; pos < run.size();) {
      std::size_t len = Utf8CharLength(run, pos);
      if (len == 0) len = 1;
      if (!Utf8ToShiftJis(run.substr(pos, len), piece)) {
        unconvertible.assign(run.substr(pos, len));
        return false;
      }
      pos += len;
    }
    unconvertible.clear();
    return false;
  };
  std::size_t runStart = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t codePoint = 0;
    std::size_t len = Utf8CharLength(utf8, pos, &codePoint);
    if (len == 0) {
      unconvertible.assign(utf8.substr(pos, 1));
      return false;
    }
    if (codePoint >= kFirstSenseMarker && codePoint <= kLastSenseMarker) {
      if (!flush(runStart, pos)) return false;
      sjis.push_back(static_cast<char>(0xF1));
      sjis.push_back(static_cast<char>(0x60 + (codePoint - kFirstSenseMarker)));
      runStart = pos + len;
    }
    pos += len;
  }
  return flush(runStart, utf8.size());
}

}  // namespace lexiv
