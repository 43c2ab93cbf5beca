#include "platform/services/sjis_search.h"

#include <algorithm>

#include "platform/services/shift_jis_text.h"
#include "platform/services/text_positions.h"

namespace lexiv::platform {

namespace {

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The pattern matches at text[pos] when it ends by to, character for character.
bool MatchesAt(std::string_view text, std::string_view pattern, std::size_t pos, std::size_t to, bool matchCase) {
  std::size_t p = 0;
  while (p < pattern.size()) {
    if (pos >= to) return false;
    const std::size_t textBytes = SjisCharBytesAt(text, pos);
    const std::size_t patternBytes = SjisCharBytesAt(pattern, p);
    if (textBytes != patternBytes || pos + textBytes > to) return false;
    if (textBytes == 1) {
      const char a = text[pos];
      const char b = pattern[p];
      if (matchCase ? a != b : FoldAscii(a) != FoldAscii(b)) return false;
    } else if (text.substr(pos, 2) != pattern.substr(p, 2)) {
      return false;
    }
    pos += textBytes;
    p += patternBytes;
  }
  return true;
}

}  // namespace

std::size_t FindSjisText(std::string_view text, std::string_view pattern, std::size_t from, std::size_t to,
                         bool matchCase, bool forward) {
  to = std::min(to, text.size());
  if (pattern.empty() || from >= to) return kNoMatch;
  std::size_t found = kNoMatch;
  for (std::size_t pos = CharStartAtOrAfter(text, from); pos < to; pos += SjisCharBytesAt(text, pos)) {
    if (pattern.size() > to - pos) break;
    if (MatchesAt(text, pattern, pos, to, matchCase)) {
      if (forward) return pos;
      found = pos;
    }
  }
  return found;
}

}  // namespace lexiv::platform
