#include "views/caret_speech.h"

#include <algorithm>

#include "platform/services/text_positions.h"

namespace lexiv {

using platform::DisplayLine;

int DisplayLineOf(const std::vector<DisplayLine>& lines, std::size_t bytePos) {
  const auto it = std::upper_bound(lines.begin(), lines.end(), bytePos,
                                   [](std::size_t pos, const DisplayLine& line) { return pos < line.start; });
  return it == lines.begin() ? 0 : static_cast<int>(it - lines.begin()) - 1;
}

int LineWraps(const std::vector<DisplayLine>& lines, std::size_t bytePos) {
  if (lines.empty()) return 0;
  const auto line = static_cast<std::size_t>(DisplayLineOf(lines, bytePos));
  return line + 1 < lines.size() && lines[line].End() == lines[line + 1].start ? 1 : 0;
}

CaretSpeech DescribeCaretMove(std::string_view text, const std::vector<DisplayLine>& lines, std::size_t bytePos,
                              int moveKind, bool wholeRest) {
  CaretSpeech speech;
  if (lines.empty()) return speech;
  bytePos = std::min(bytePos, text.size());
  const int lineIndex = DisplayLineOf(lines, bytePos);
  const DisplayLine& line = lines[static_cast<std::size_t>(lineIndex)];
  const std::size_t lineEnd = std::min(line.End(), text.size());
  // A position on the second byte of a double-byte character speaks that character.
  std::size_t p = platform::CharStartAtOrBefore(text, bytePos, line.start);

  if (p >= lineEnd)
    speech.text = "\r";
  else if (wholeRest)
    speech.text = std::string(text.substr(p, lineEnd - p));
  else
    speech.text = std::string(text.substr(p, platform::SjisCharBytesAt(text, p)));

  switch (moveKind) {
    case 1:
      // The caret cannot rest after the last character of a wrapped line, so arriving on that
      // character is the right edge there.
      if (LineWraps(lines, p) && p < lineEnd) p += platform::SjisCharBytesAt(text, p);
      if (p >= line.start + line.length) speech.edgeWord = "右端";
      break;
    case 2:
      if (lineIndex == 0) speech.edgeWord = "上端";
      break;
    case 3:
      if (lineIndex + 1 == static_cast<int>(lines.size())) speech.edgeWord = "下端";
      break;
    case 4:
      if (p == line.start) speech.edgeWord = "左端";
      break;
    case 5: speech.edgeWord = "ﾄｯﾌﾟﾎﾟｼﾞｼｮﾝ"; break;
    case 6: speech.edgeWord = "ﾗｽﾄﾎﾟｼﾞｼｮﾝ"; break;
    default: break;
  }
  return speech;
}

}  // namespace lexiv
