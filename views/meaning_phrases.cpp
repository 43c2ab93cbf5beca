#include "views/meaning_phrases.h"

#include <algorithm>

#include "platform/services/shift_jis_text.h"
#include "views/caret_speech.h"

namespace lexiv {

namespace {

// Tried in this order at each character.
constexpr std::string_view kPhraseDelimiters[] = {"\xA1", "\xA4", " ", "\t", "。", "、", "　"};

std::size_t DelimiterBytesAt(std::string_view text, std::size_t bytePos) {
  const std::string_view rest = text.substr(bytePos, platform::SjisCharBytesAt(text, bytePos));
  for (std::string_view delimiter : kPhraseDelimiters)
    if (rest == delimiter) return delimiter.size();
  return 0;
}

}  // namespace

std::size_t PhraseEnd(std::string_view text, const std::vector<platform::DisplayLine>& lines, std::size_t start) {
  if (start >= text.size() || lines.empty()) return std::min(start, text.size());
  auto lineIndex = static_cast<std::size_t>(DisplayLineOf(lines, start));
  std::size_t pos = start;
  for (;;) {
    const platform::DisplayLine& line = lines[lineIndex];
    const std::size_t lineEnd = std::min(line.End(), text.size());
    while (pos < lineEnd) {
      if (const std::size_t delimiter = DelimiterBytesAt(text, pos)) return pos + delimiter;
      pos += platform::SjisCharBytesAt(text, pos);
    }
    if (line.breakBytes == 0 && lineIndex + 1 < lines.size()) {
      ++lineIndex;
      pos = std::max(pos, lines[lineIndex].start);
      continue;
    }
    return std::min(line.Next(), text.size());
  }
}

}  // namespace lexiv
