#include "platform/controls/text_lines.h"

#include <algorithm>

#include "platform/services/shift_jis_text.h"
#include "platform/services/text_positions.h"

namespace lexiv::platform {

namespace {

bool IsBreakByte(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::vector<DisplayLine> WrapTextLines(std::string_view text, long capacity,
                                       const std::function<long(std::size_t bytePos)>& unitsAt) {
  std::vector<DisplayLine> lines;
  std::size_t pos = 0;
  while (true) {
    DisplayLine line;
    line.start = pos;
    long used = 0;
    while (pos < text.size() && !IsBreakByte(text[pos])) {
      const long units = unitsAt(pos);
      if (capacity > 0 && pos > line.start && used + units > capacity) break;
      used += units;
      pos += SjisCharBytesAt(text, pos);
    }
    line.length = pos - line.start;
    if (pos < text.size() && IsBreakByte(text[pos]))
      line.breakBytes = text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
    lines.push_back(line);
    pos = line.Next();
    if (pos >= text.size()) {
      if (line.breakBytes > 0) lines.push_back(DisplayLine{pos, 0, 0, 16});
      break;
    }
  }
  return lines;
}

std::size_t PositionInLine(std::string_view text, const std::vector<DisplayLine>& lines, int lineIndex, long units,
                           const std::function<long(std::size_t bytePos)>& unitsAt) {
  const DisplayLine& line = lines[static_cast<std::size_t>(lineIndex)];
  std::size_t pos = line.start;
  long used = 0;
  while (pos < line.End()) {
    const long width = unitsAt(pos);
    if (used + width > units) break;
    used += width;
    pos += SjisCharBytesAt(text, pos);
  }
  if (pos == line.End() && line.breakBytes == 0 && lineIndex + 1 < static_cast<int>(lines.size()) && pos > line.start)
    pos = CharStartAtOrBefore(text, pos - 1, line.start);
  return pos;
}

int LineHolding(const std::vector<DisplayLine>& lines, std::size_t bytePos) {
  const auto it = std::upper_bound(lines.begin(), lines.end(), bytePos,
                                   [](std::size_t pos, const DisplayLine& line) { return pos < line.start; });
  return it == lines.begin() ? 0 : static_cast<int>(it - lines.begin()) - 1;
}

}  // namespace lexiv::platform
