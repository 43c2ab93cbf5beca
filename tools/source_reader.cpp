#include "tools/source_reader.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/utf8_text.h"

namespace lexiv {
namespace {

enum Column { kColumnReading, kColumnWritten, kColumnMeaning, kColumnAccent, kColumnHistorical, kColumnMark,
              kColumnKind, kColumnCount };
constexpr const char* kColumnNames[kColumnCount] = {"reading", "written", "meaning", "accent",
                                                    "historical", "mark", "kind"};
constexpr std::size_t kMaxReportedErrors = 20;

std::vector<std::string_view> SplitOn(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

// The column of each field of a data line, from the header line.
int ParseHeader(std::string_view line, std::vector<int>& columns, std::string& reason) {
  bool seen[kColumnCount] = {};
  for (std::string_view name : SplitOn(line, '\t')) {
    int column = 0;
    while (column < kColumnCount && name != kColumnNames[column]) ++column;
    if (column == kColumnCount) {
      reason = "unknown column \"" + std::string(name) +
               "\" (the columns are reading, written, meaning, accent, historical, mark, kind)";
      return -1;
    }
    if (seen[column]) {
      reason = "column \"" + std::string(name) + "\" is named twice";
      return -1;
    }
    seen[column] = true;
    columns.push_back(column);
  }
  for (int column : {kColumnReading, kColumnMeaning}) {
    if (!seen[column]) {
      reason = std::string("the header has no \"") + kColumnNames[column] + "\" column";
      return -1;
    }
  }
  return 0;
}

int ParseAccent(std::string_view field, SourceEntry& entry, std::string& reason) {
  bool digits = field.size() <= 2;
  for (char c : field) digits = digits && c >= '0' && c <= '9';
  if (!digits) {
    reason = "the accent must be empty or one or two digits";
    return -1;
  }
  entry.accent1 = field.size() > 0 ? field[0] : 0;
  entry.accent2 = field.size() > 1 ? field[1] : 0;
  return 0;
}

int ParseMark(std::string_view field, SourceEntry& entry, std::string& reason) {
  if (field.empty()) return 0;
  if (field.size() != 1 || field[0] < '0' || field[0] > '2') {
    reason = "the mark must be 0, 1 or 2";
    return -1;
  }
  entry.mark = field[0] - '0';
  return 0;
}

int ParseKind(std::string_view field, SourceEntry& entry, std::string& reason) {
  if (field.empty()) return 0;
  std::string_view digits = field.front() == '+' ? field.substr(1) : field;
  int value = 0;
  auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (status != std::errc() || end != digits.data() + digits.size() || digits.empty() || value < -128 ||
      value > 127) {
    reason = "the kind must be a number from -128 to 127";
    return -1;
  }
  entry.kind = value;
  return 0;
}

int ConvertField(std::string_view utf8, const char* what, std::string& sjis, std::string& reason) {
  std::string unconvertible;
  if (SourceTextToShiftJis(utf8, sjis, unconvertible)) return 0;
  reason = std::string(what) + " holds a character Shift-JIS cannot hold: " + CodePointLabel(unconvertible) +
           " " + unconvertible;
  return -1;
}

int ParseWritten(std::string_view field, SourceEntry& entry, std::string& reason) {
  if (field.empty()) return 0;
  std::vector<std::string_view> forms = SplitOn(field, '|');
  if (forms.size() > 3) {
    reason = "more than three written forms";
    return -1;
  }
  for (std::size_t rank = 0; rank < forms.size(); ++rank) {
    if (forms[rank].empty()) {
      reason = "an empty written form between the | separators";
      return -1;
    }
    std::string what = "written form " + std::to_string(rank + 1);
    if (ConvertField(forms[rank], what.c_str(), entry.written[rank], reason) != 0) return -1;
  }
  return 0;
}

int ParseDataLine(std::string_view line, const std::vector<int>& columns, SourceEntry& entry,
                  std::string& reason) {
  std::vector<std::string_view> fields = SplitOn(line, '\t');
  if (fields.size() != columns.size()) {
    reason = "expected " + std::to_string(columns.size()) + " tab-separated fields, found " +
             std::to_string(fields.size());
    return -1;
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::string_view field = fields[i];
    int result = 0;
    switch (columns[i]) {
      case kColumnReading: result = ConvertField(field, "the reading", entry.reading, reason); break;
      case kColumnWritten: result = ParseWritten(field, entry, reason); break;
      case kColumnMeaning: result = ConvertField(field, "the meaning", entry.meaning, reason); break;
      case kColumnAccent: result = ParseAccent(field, entry, reason); break;
      case kColumnHistorical: result = ConvertField(field, "the historical spelling", entry.historical, reason); break;
      case kColumnMark: result = ParseMark(field, entry, reason); break;
      case kColumnKind: result = ParseKind(field, entry, reason); break;
    }
    if (result != 0) return -1;
  }
  return ValidateEntry(entry, reason);
}

}  // namespace

int ReadSourceText(std::string_view utf8Text, const std::string& fileName, std::vector<SourceEntry>& entries,
                   std::vector<std::string>& errors) {
  std::size_t firstError = errors.size();
  auto report = [&](int lineNumber, const std::string& reason) {
    if (errors.size() - firstError == kMaxReportedErrors)
      errors.push_back(fileName + ": too many errors; stopped reporting");
    if (errors.size() - firstError < kMaxReportedErrors)
      errors.push_back(fileName + ":" + std::to_string(lineNumber) + ": " + reason);
  };
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (utf8Text.substr(0, kByteOrderMark.size()) == kByteOrderMark) utf8Text.remove_prefix(kByteOrderMark.size());

  std::vector<int> columns;
  bool headerSeen = false;
  int count = 0;
  int lineNumber = 0;
  for (std::size_t start = 0; start < utf8Text.size();) {
    std::size_t end = utf8Text.find('\n', start);
    if (end == std::string_view::npos) end = utf8Text.size();
    std::string_view line = utf8Text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (!IsValidUtf8(line)) {
      report(lineNumber, "invalid UTF-8");
      if (!headerSeen) break;
      continue;
    }
    std::string reason;
    if (!headerSeen) {
      headerSeen = true;
      if (ParseHeader(line, columns, reason) != 0) {
        report(lineNumber, reason);
        break;
      }
      continue;
    }
    SourceEntry entry;
    entry.sourceLine = lineNumber;
    if (ParseDataLine(line, columns, entry, reason) != 0) {
      report(lineNumber, reason);
      continue;
    }
    entries.push_back(std::move(entry));
    ++count;
  }
  if (errors.size() == firstError && !headerSeen) errors.push_back(fileName + ": no header line naming the columns");
  else if (errors.size() == firstError && count == 0) errors.push_back(fileName + ": no entries");
  return errors.size() == firstError ? count : -1;
}

int ReadSourceFile(const std::string& path, std::vector<SourceEntry>& entries, std::vector<std::string>& errors) {
  std::error_code ignored;
  std::ifstream file;
  if (std::filesystem::is_regular_file(path, ignored)) file.open(path, std::ios::binary);
  if (!file.is_open()) {
    errors.push_back(path + ": cannot open the file");
    return -1;
  }
  std::string text(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>{});
  if (file.bad()) {
    errors.push_back(path + ": cannot read the file");
    return -1;
  }
  return ReadSourceText(text, path, entries, errors);
}

}  // namespace lexiv
