#include "tools/edict_reader.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/shift_jis.h"
#include "tools/euc_jp_text.h"

namespace lexiv {
namespace {

std::string_view TrimTrailingSpace(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Byte position of the ASCII character c in Shift-JIS text, walking whole characters so that a
// trail byte with the same value (0x5B and 0x5D are trail bytes too) is not taken for it.
std::size_t FindAsciiChar(std::string_view text, char c) {
  for (std::size_t pos = 0; pos < text.size(); pos += CharLengthAt(text, pos))
    if (text[pos] == c && CharLengthAt(text, pos) == 1) return pos;
  return std::string_view::npos;
}

bool IsDoubleByteOnly(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size(); pos += 2)
    if (CharLengthAt(text, pos) != 2) return false;
  return true;
}

// Glosses that mark the entry rather than explain it: the common-word mark and entry numbers.
bool IsBookkeepingGloss(std::string_view gloss) {
  return gloss == "(P)" || (gloss.size() > 4 && gloss.substr(0, 4) == "EntL");
}

// Joins the glosses of body ("gloss/gloss/...") with "; ", up to kEdictMeaningBytes.
std::string JoinGlosses(std::string_view body, bool& truncated) {
  std::string meaning;
  truncated = false;
  while (!body.empty()) {
    std::size_t end = body.find('/');  // 0x2F is never a trail byte
    std::string_view gloss = body.substr(0, end);
    body = end == std::string_view::npos ? std::string_view() : body.substr(end + 1);
    if (gloss.empty() || IsBookkeepingGloss(gloss)) continue;
    std::size_t separatorBytes = meaning.empty() ? 0 : 2;
    if (meaning.size() + separatorBytes + gloss.size() > kEdictMeaningBytes) {
      if (meaning.empty()) meaning.assign(gloss.substr(0, ClampToCharBoundary(gloss, kEdictMeaningBytes)));
      truncated = true;
      break;
    }
    if (separatorBytes) meaning += "; ";
    meaning += gloss;
  }
  return meaning;
}

constexpr std::string_view kMiddleDot = "\x81\x45";  // ・

std::string WithoutMiddleDots(std::string_view text) {
  std::string out;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t len = CharLengthAt(text, pos);
    if (text.substr(pos, len) != kMiddleDot) out.append(text.substr(pos, len));
    pos += len;
  }
  return out;
}

}  // namespace

int ParseEdictLine(std::string_view line, SourceEntry& entry, EdictLineNotes& notes) {
  entry = SourceEntry{};
  notes = EdictLineNotes{};
  line = TrimTrailingSpace(line);
  std::size_t slash = line.find('/');
  if (slash == std::string_view::npos || line.back() != '/') return kEdictNotEdictForm;
  std::string_view head = TrimTrailingSpace(line.substr(0, slash));
  std::string_view headword = head;
  std::string_view reading = head;
  bool kanaOnly = true;
  if (std::size_t open = FindAsciiChar(head, '['); open != std::string_view::npos) {
    std::string_view bracketed = head.substr(open + 1);
    std::size_t close = FindAsciiChar(bracketed, ']');
    if (close == std::string_view::npos) return kEdictNotEdictForm;
    headword = TrimTrailingSpace(head.substr(0, open));
    reading = bracketed.substr(0, close);
    kanaOnly = false;
  }
  if (headword.empty() || reading.empty()) return kEdictNotEdictForm;
  bool dropped = false;
  entry.meaning = JoinGlosses(line.substr(slash + 1), dropped);
  if (entry.meaning.empty()) return kEdictNotEdictForm;

  std::string plainReading = WithoutMiddleDots(reading);
  bool dotsRemoved = plainReading.size() != reading.size();
  if (!kanaOnly || dotsRemoved) {
    if (!IsDoubleByteOnly(headword)) return kEdictWrittenNotDoubleByte;
    if (headword.size() > kMaxWrittenBytes) return kEdictWrittenTooLong;
    entry.written[0].assign(headword);
  }
  if (plainReading.empty() || !IsKanaText(plainReading)) return kEdictReadingNotKana;
  if (plainReading.size() > kMaxReadingBytes) return kEdictReadingTooLong;
  entry.reading = std::move(plainReading);
  std::string reason;
  if (ValidateEntry(entry, reason) != 0) return kEdictMeaningRefused;
  notes.glossesDropped = dropped;
  notes.middleDotsRemoved = dotsRemoved;
  return kEdictImported;
}

int ReadEdictText(std::string_view eucText, std::vector<SourceEntry>& entries, EdictImportCounts& counts) {
  int imported = 0;
  int lineNumber = 0;
  std::string sjisLine;
  for (std::size_t start = 0; start < eucText.size();) {
    std::size_t end = eucText.find('\n', start);
    if (end == std::string_view::npos) end = eucText.size();
    std::string_view line = eucText.substr(start, end - start);
    start = end + 1;
    if (++lineNumber == 1 || TrimTrailingSpace(line).empty()) continue;  // the header line
    int outcome = kEdictNotShiftJis;
    SourceEntry entry;
    EdictLineNotes notes;
    if (EucJpToShiftJis(line, sjisLine)) outcome = ParseEdictLine(sjisLine, entry, notes);
    ++counts.lines[outcome];
    if (outcome != kEdictImported) continue;
    counts.glossesDropped += notes.glossesDropped;
    counts.middleDotsRemoved += notes.middleDotsRemoved;
    entry.sourceLine = lineNumber;
    entries.push_back(std::move(entry));
    ++imported;
  }
  return imported;
}

int ReadEdictFile(const std::string& path, std::vector<SourceEntry>& entries, EdictImportCounts& counts,
                  std::string& error) {
  std::error_code ignored;
  std::ifstream file;
  if (std::filesystem::is_regular_file(path, ignored)) file.open(path, std::ios::binary);
  if (!file.is_open()) {
    error = path + ": cannot open the file";
    return -1;
  }
  std::string text(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>{});
  if (file.bad()) {
    error = path + ": cannot read the file";
    return -1;
  }
  return ReadEdictText(text, entries, counts);
}

std::string DescribeEdictImport(const EdictImportCounts& counts) {
  static constexpr const char* kReasons[kEdictOutcomeCount] = {
      "",
      "not in EDICT form",
      "a character Shift-JIS cannot hold",
      "headword not made of double-byte characters only",
      "headword longer than 40 bytes",
      "reading not kana",
      "reading longer than 40 bytes",
      "meaning the dictionary cannot hold",
  };
  int skipped = 0;
  for (int outcome = 1; outcome < kEdictOutcomeCount; ++outcome) skipped += counts.lines[outcome];
  std::string text = "imported " + std::to_string(counts.lines[kEdictImported]) + " entries, skipped " +
                     std::to_string(skipped) + " lines\n";
  if (counts.middleDotsRemoved > 0)
    text += "  (" + std::to_string(counts.middleDotsRemoved) + " imported with the middle dots U+30FB left out of the reading)\n";
  if (counts.glossesDropped > 0)
    text += "  (" + std::to_string(counts.glossesDropped) + " imported with their later glosses dropped)\n";
  for (int outcome = 1; outcome < kEdictOutcomeCount; ++outcome)
    if (counts.lines[outcome] > 0)
      text += "  " + std::to_string(counts.lines[outcome]) + " " + kReasons[outcome] + "\n";
  return text;
}

}  // namespace lexiv
