#include "kanjidic_compiler.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <utility>
#include <vector>

#include "kanji_readings.h"

namespace lexiv::reader {
namespace {

bool IsEucByte(unsigned char c) { return c >= 0xA1 && c <= 0xFE; }

// A JIS X 0208 character from its two EUC-JP bytes to its Shift-JIS code: the same row and cell,
// arranged the Shift-JIS way. Done by arithmetic, so no converter's choice of Unicode for a
// symbol can lose a character.
std::uint16_t EucToShiftJis(unsigned char first, unsigned char second) {
  const unsigned row = first - 0x80u;
  const unsigned cell = second - 0x80u;
  const unsigned lead = ((row + 1) >> 1) + (row <= 0x5E ? 0x70 : 0xB0);
  const unsigned trail = (row & 1) ? cell + (cell >= 0x60 ? 0x20 : 0x1F) : cell + 0x7E;
  return static_cast<std::uint16_t>(lead << 8 | trail);
}

void AppendShiftJis(std::string& out, std::uint16_t code) {
  out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
}

enum class ReadingKind { kNone, kOn, kKun };

// EUC-JP row 4 is hiragana, row 5 katakana; the long-vowel mark (row 1, cell 28) can appear in
// either.
ReadingKind KindOf(std::string_view token) {
  std::size_t pos = 0;
  while (pos < token.size() && token[pos] == '-') ++pos;
  if (pos + 1 >= token.size()) return ReadingKind::kNone;
  const unsigned char lead = static_cast<unsigned char>(token[pos]);
  if (lead == 0xA4) return ReadingKind::kKun;
  if (lead == 0xA5) return ReadingKind::kOn;
  return ReadingKind::kNone;
}

// The reading in Shift-JIS without its dashes and dots; empty when it holds anything but kana.
std::string ReadingText(std::string_view token) {
  std::string out;
  for (std::size_t pos = 0; pos < token.size();) {
    const unsigned char c = static_cast<unsigned char>(token[pos]);
    if (c == '-' || c == '.') {
      ++pos;
      continue;
    }
    if (pos + 1 >= token.size()) return {};
    const unsigned char next = static_cast<unsigned char>(token[pos + 1]);
    const bool kana = (c == 0xA4 || c == 0xA5) && IsEucByte(next);
    const bool longVowel = c == 0xA1 && next == 0xBC;
    if (!kana && !longVowel) return {};
    AppendShiftJis(out, EucToShiftJis(c, next));
    pos += 2;
  }
  return out;
}

bool IsNameMarker(std::string_view token) {
  return token.size() >= 2 && token[0] == 'T' && token[1] >= '0' && token[1] <= '9';
}

}  // namespace

bool ParseKanjidicLine(std::string_view eucLine, KanjiEntry& entry) {
  while (!eucLine.empty() && (eucLine.back() == '\n' || eucLine.back() == '\r')) eucLine.remove_suffix(1);
  if (eucLine.size() < 3) return false;
  const unsigned char first = static_cast<unsigned char>(eucLine[0]);
  const unsigned char second = static_cast<unsigned char>(eucLine[1]);
  // Kanji live in rows 16 to 84 of JIS X 0208.
  if (first < 0xB0 || first > 0xF4 || !IsEucByte(second) || eucLine[2] != ' ') return false;

  std::string kun;
  std::string on;
  std::size_t pos = 3;
  while (pos < eucLine.size()) {
    const std::size_t end = std::min(eucLine.find(' ', pos), eucLine.size());
    const std::string_view token = eucLine.substr(pos, end - pos);
    pos = end + 1;
    if (token.empty()) continue;
    if (IsNameMarker(token) || token[0] == '{') break;
    const ReadingKind kind = KindOf(token);
    std::string& slot = kind == ReadingKind::kKun ? kun : on;
    if (kind == ReadingKind::kNone || !slot.empty()) continue;
    slot = ReadingText(token);
  }
  if (kun.empty() && on.empty()) return false;
  entry.code = EucToShiftJis(first, second);
  entry.readings = kun;
  if (!kun.empty() && !on.empty()) entry.readings += "、";
  entry.readings += on;
  return true;
}

int CompileKanjidic(const std::string& sourcePath, const std::string& tablePath, std::string& error) {
  std::ifstream in(sourcePath, std::ios::binary);
  if (!in) {
    error = "cannot read " + sourcePath;
    return -1;
  }
  std::vector<std::pair<std::uint16_t, std::string>> entries;
  KanjiEntry entry;
  for (std::string line; std::getline(in, line);)
    if (ParseKanjidicLine(line, entry)) entries.emplace_back(entry.code, std::move(entry.readings));
  if (in.bad()) {
    error = "error while reading " + sourcePath;
    return -1;
  }
  if (entries.empty()) {
    error = sourcePath + " holds no kanji with readings: not a KANJIDIC file";
    return -1;
  }
  const std::string bytes = KanjiReadings::Build(std::move(entries));
  const std::string temporary = tablePath + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      error = "cannot write " + temporary;
      return -1;
    }
  }
  if (std::rename(temporary.c_str(), tablePath.c_str()) != 0) {
    std::remove(temporary.c_str());
    error = "cannot rename " + temporary + " to " + tablePath;
    return -1;
  }
  KanjiReadings check;
  check.Adopt(bytes);
  return static_cast<int>(check.size());
}

}  // namespace lexiv::reader
