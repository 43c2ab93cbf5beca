#include "platform/services/profile_strings.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/shift_jis_text.h"
#include "platform/services/whole_file.h"

namespace lexiv::platform {
namespace {

// Larger files are not profile files of ours; they read as missing and are never rewritten.
constexpr std::size_t kMaxProfileFileBytes = 4 * 1024 * 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// One line of the file with its line ending, so that untouched lines are written back as read.
struct ProfileLine {
  std::string text;    // without the line ending
  std::string ending;  // "\r\n", "\n" or empty on a last line without one
};

std::vector<ProfileLine> SplitLines(std::string_view contents) {
  std::vector<ProfileLine> lines;
  while (!contents.empty()) {
    std::size_t newline = contents.find('\n');
    std::string_view line = contents.substr(0, newline);
    std::string ending;
    if (newline == std::string_view::npos) {
      contents = {};
    } else {
      contents.remove_prefix(newline + 1);
      ending = "\n";
      if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
        ending = "\r\n";
      }
    }
    lines.push_back({std::string(line), ending});
  }
  return lines;
}

std::optional<std::string_view> SectionNameOf(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  std::size_t bytePos = 0;
  while (bytePos < line.size() && line[bytePos] != ']') bytePos += SjisCharBytesAt(line, bytePos);
  return Trim(line.substr(0, bytePos));
}

struct KeyAndValue {
  std::string_view key;
  std::string_view value;
};

// '=' (0x3D) is never the trail byte of a double-byte character, so a plain search is safe.
std::optional<KeyAndValue> KeyValueOf(std::string_view line) {
  if (SectionNameOf(line)) return std::nullopt;
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyAndValue{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// The section's lines run from its header (inclusive) to the next header (exclusive).
struct SectionRange {
  std::size_t header;
  std::size_t end;
};

std::optional<SectionRange> FindSection(const std::vector<ProfileLine>& lines, std::string_view section) {
  section = Trim(section);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto name = SectionNameOf(lines[i].text);
    if (!name || !SjisEqualIgnoringCase(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionNameOf(lines[end].text)) ++end;
    return SectionRange{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<ProfileLine>& lines, SectionRange range, std::string_view key) {
  key = Trim(key);
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    auto entry = KeyValueOf(lines[i].text);
    if (entry && SjisEqualIgnoringCase(entry->key, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> LookUp(const char* section, const char* key, const char* fileName) {
  if (section == nullptr || key == nullptr || fileName == nullptr) return std::nullopt;
  std::string contents;
  if (ReadWholeFile(FileSystemName(fileName), kMaxProfileFileBytes, contents) != 0) return std::nullopt;
  std::vector<ProfileLine> lines = SplitLines(contents);
  auto range = FindSection(lines, section);
  if (!range) return std::nullopt;
  auto keyLine = FindKey(lines, *range, key);
  if (!keyLine) return std::nullopt;
  return std::string(StripQuotes(KeyValueOf(lines[*keyLine].text)->value));
}

std::string Join(const std::vector<ProfileLine>& lines) {
  std::string contents;
  for (const ProfileLine& line : lines) contents += line.text + line.ending;
  return contents;
}

}  // namespace

std::uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                                       char* buffer, std::uint32_t bufferSize, const char* fileName) {
  if (buffer == nullptr || bufferSize == 0) return 0;
  std::optional<std::string> found = LookUp(section, key, fileName);
  std::string_view value =
      found ? std::string_view(*found) : TrimTrailingBlanks(defaultValue != nullptr ? defaultValue : "");
  std::size_t copied = SjisPrefixBytes(value, bufferSize - 1);
  std::memcpy(buffer, value.data(), copied);
  buffer[copied] = '\0';
  return static_cast<std::uint32_t>(copied);
}

std::uint32_t GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* fileName) {
  std::optional<std::string> found = LookUp(section, key, fileName);
  if (!found) return static_cast<std::uint32_t>(defaultValue);
  std::string_view digits = *found;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  std::uint32_t number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    number = number * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return negative ? 0u - number : number;
}

bool WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* fileName) {
  if (section == nullptr || fileName == nullptr) return false;
  std::string fileSystemPath = FileSystemName(fileName);
  std::string contents;
  int readError = ReadWholeFile(fileSystemPath, kMaxProfileFileBytes, contents);
  if (readError != 0 && readError != ENOENT) return false;

  std::vector<ProfileLine> lines = SplitLines(contents);
  std::string ending = !lines.empty() && !lines.front().ending.empty() ? lines.front().ending : "\r\n";
  auto range = FindSection(lines, section);

  if (key == nullptr) {
    if (!range) return true;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                lines.begin() + static_cast<std::ptrdiff_t>(range->end));
  } else if (value == nullptr) {
    if (!range) return true;
    auto keyLine = FindKey(lines, *range, key);
    if (!keyLine) return true;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*keyLine));
  } else {
    std::string newText = std::string(Trim(key)) + "=" + value;
    auto endLastLine = [&] {
      if (!lines.empty() && lines.back().ending.empty()) lines.back().ending = ending;
    };
    if (!range) {
      endLastLine();
      if (!lines.empty() && !Trim(lines.back().text).empty()) lines.push_back({"", ending});
      lines.push_back({"[" + std::string(Trim(section)) + "]", ending});
      lines.push_back({newText, ending});
    } else if (auto keyLine = FindKey(lines, *range, key)) {
      lines[*keyLine].text = newText;
    } else {
      // New keys go after the section's last non-blank line, so blank separators stay between sections.
      std::size_t insertAt = range->end;
      while (insertAt > range->header + 1 && Trim(lines[insertAt - 1].text).empty()) --insertAt;
      if (insertAt == lines.size()) endLastLine();
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), ProfileLine{newText, ending});
    }
  }
  return WriteFileAtomically(fileSystemPath, Join(lines)) == 0;
}

}  // namespace lexiv::platform
