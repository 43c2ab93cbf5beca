#include "platform/services/registry_format.h"

#include <cstdio>

#include "platform/services/registry_types.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {
namespace {

constexpr std::string_view kHeaderWord = "REGEDIT4";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
// Continuation lines of hex data begin with this, and a hex line is wrapped before it grows past
// the width below, as the registry editor writes them.
constexpr std::string_view kContinuationIndent = "  ";
constexpr std::size_t kHexLineWidth = 76;

struct PhysicalLine {
  std::string_view text;    // without the line ending
  std::string_view whole;   // with it
};

std::vector<PhysicalLine> SplitLines(std::string_view fileText) {
  std::vector<PhysicalLine> lines;
  while (!fileText.empty()) {
    std::size_t newline = fileText.find('\n');
    std::size_t wholeLength = newline == std::string_view::npos ? fileText.size() : newline + 1;
    std::string_view whole = fileText.substr(0, wholeLength);
    std::string_view text = whole;
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    lines.push_back({text, whole});
    fileText.remove_prefix(wholeLength);
  }
  return lines;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) { return SjisEqualIgnoringCase(a, b); }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted string with the \\ and \" escapes from the front of text and removes it.
std::optional<std::string> TakeQuoted(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string result;
  std::size_t pos = 1;
  while (pos < text.size()) {
    char c = text[pos];
    if (c == '"') {
      text.remove_prefix(pos + 1);
      return result;
    }
    if (c == '\\') {
      if (pos + 1 >= text.size() || (text[pos + 1] != '\\' && text[pos + 1] != '"')) return std::nullopt;
      result += text[pos + 1];
      pos += 2;
      continue;
    }
    result += c;
    ++pos;
  }
  return std::nullopt;
}

std::string Quoted(std::string_view text) {
  std::string result = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') result += '\\';
    result += c;
  }
  return result + "\"";
}

// "2c,00, 1f" -> bytes; false on anything else. Empty text is no bytes.
bool ParseHexBytes(std::string_view text, std::string& bytes) {
  text = Trim(text);
  if (text.empty()) return true;
  for (;;) {
    std::size_t comma = text.find(',');
    std::string_view item = Trim(text.substr(0, comma));
    if (item.empty() || item.size() > 2) return false;
    int value = 0;
    for (char c : item) {
      int digit = HexDigit(c);
      if (digit < 0) return false;
      value = value * 16 + digit;
    }
    bytes += static_cast<char>(value);
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

// Parses the data part of a value line (after '='), continuation lines already joined.
std::optional<RegistryValue> ParseData(std::string_view data) {
  data = Trim(data);
  RegistryValue value;
  if (!data.empty() && data.front() == '"') {
    std::optional<std::string> utf8 = TakeQuoted(data);
    if (!utf8 || !Trim(data).empty()) return std::nullopt;
    value.type = REG_SZ;
    if (!Utf8ToSjis(*utf8, value.data)) return std::nullopt;
    return value;
  }
  if (data.substr(0, 6) == "dword:") {
    std::string_view digits = data.substr(6);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t number = 0;
    for (char c : digits) {
      int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    value.type = REG_DWORD;
    for (int i = 0; i < 4; ++i) value.data += static_cast<char>((number >> (8 * i)) & 0xFF);
    return value;
  }
  if (data.substr(0, 3) != "hex") return std::nullopt;
  data.remove_prefix(3);
  value.type = REG_BINARY;
  if (!data.empty() && data.front() == '(') {
    std::size_t close = data.find(')');
    if (close == std::string_view::npos || close == 1 || close > 9) return std::nullopt;
    std::uint32_t type = 0;
    for (char c : data.substr(1, close - 1)) {
      int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      type = type * 16 + static_cast<std::uint32_t>(digit);
    }
    value.type = type;
    data.remove_prefix(close + 1);
  }
  if (data.empty() || data.front() != ':') return std::nullopt;
  if (!ParseHexBytes(data.substr(1), value.data)) return std::nullopt;
  if (value.type == REG_SZ) value.data = value.data.substr(0, value.data.find('\0'));
  return value;
}

// A value line: name, '=', data. The name is "@" or a quoted UTF-8 string.
std::optional<RegistryValue> ParseValueLine(std::string_view line) {
  line = Trim(line);
  std::string name;
  if (!line.empty() && line.front() == '@') {
    line.remove_prefix(1);
  } else {
    std::optional<std::string> utf8 = TakeQuoted(line);
    if (!utf8 || !Utf8ToSjis(*utf8, name)) return std::nullopt;
  }
  line = Trim(line);
  if (line.empty() || line.front() != '=') return std::nullopt;
  std::optional<RegistryValue> value = ParseData(line.substr(1));
  if (value) value->name = std::move(name);
  return value;
}

// A header "[ROOT\a\b]" -> the components below the root, when ROOT is the hive's own root.
std::optional<std::vector<std::string>> ParseHeader(std::string_view inner, std::string_view rootName) {
  std::vector<std::string> components;
  std::size_t slash = inner.find('\\');
  if (!EqualsIgnoringAsciiCase(inner.substr(0, slash), rootName)) return std::nullopt;
  if (slash == std::string_view::npos) return components;
  // In UTF-8 a backslash byte is always a backslash, so splitting before conversion is safe.
  std::string_view rest = inner.substr(slash + 1);
  for (;;) {
    std::size_t next = rest.find('\\');
    std::string_view component = rest.substr(0, next);
    if (!component.empty()) {
      std::string sjis;
      if (!Utf8ToSjis(component, sjis)) return std::nullopt;
      components.push_back(std::move(sjis));
    }
    if (next == std::string_view::npos) return components;
    rest.remove_prefix(next + 1);
  }
}

bool IsHexData(std::string_view line) {
  std::size_t equals = line.find('=');
  return equals != std::string_view::npos && Trim(line.substr(equals + 1)).substr(0, 3) == "hex";
}

void AppendHex(std::string& lines, std::string_view lineEnding, std::size_t lineStart, std::string_view bytes) {
  static const char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(bytes[i]);
    lines += kDigits[byte >> 4];
    lines += kDigits[byte & 0x0F];
    if (i + 1 == bytes.size()) break;
    lines += ',';
    if (lines.size() - lineStart + 3 > kHexLineWidth) {
      lines += '\\';
      lines += lineEnding;
      lineStart = lines.size();
      lines += kContinuationIndent;
    }
  }
}

bool Writable(std::string_view sjisText, std::string& utf8) {
  if (sjisText.find_first_of("\r\n") != std::string_view::npos) return false;
  return SjisToUtf8(sjisText, utf8);
}

}  // namespace

HiveDocument NewHiveDocument(std::string_view rootName) {
  HiveDocument document;
  document.rootName = std::string(rootName);
  HiveSection preamble;
  preamble.entries.push_back({std::string(kHeaderWord) + "\n", std::nullopt, false});
  preamble.entries.push_back({"\n", std::nullopt, false});
  document.sections.push_back(std::move(preamble));
  return document;
}

int ParseHiveText(std::string_view fileText, std::string_view rootName, HiveDocument& document) {
  std::string_view body = fileText.substr(fileText.substr(0, 3) == kUtf8ByteOrderMark ? 3 : 0);
  if (body.find_first_not_of(" \t\r\n") == std::string_view::npos) {
    document = NewHiveDocument(rootName);
    return 0;
  }
  std::vector<PhysicalLine> lines = SplitLines(fileText);
  std::string_view firstLine = lines.front().text;
  if (firstLine.substr(0, 3) == kUtf8ByteOrderMark) firstLine.remove_prefix(3);
  if (Trim(firstLine) != kHeaderWord) return -1;

  HiveDocument parsed;
  parsed.rootName = std::string(rootName);
  std::string_view firstWhole = lines.front().whole;
  parsed.lineEnding = firstWhole.size() >= 2 && firstWhole.substr(firstWhole.size() - 2) == "\r\n" ? "\r\n" : "\n";
  parsed.sections.emplace_back();

  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view trimmed = Trim(lines[i].text);
    if (i > 0 && trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      HiveSection section;
      section.headerText = std::string(lines[i].whole);
      section.keyPath = ParseHeader(trimmed.substr(1, trimmed.size() - 2), rootName);
      parsed.sections.push_back(std::move(section));
      continue;
    }
    HiveSection& section = parsed.sections.back();
    HiveEntry entry;
    entry.text = std::string(lines[i].whole);
    if (section.keyPath && !trimmed.empty() && (trimmed.front() == '"' || trimmed.front() == '@')) {
      std::string joined(trimmed);
      if (IsHexData(trimmed)) {
        while (!joined.empty() && joined.back() == '\\' && i + 1 < lines.size()) {
          joined.pop_back();
          ++i;
          joined += Trim(lines[i].text);
          entry.text += lines[i].whole;
        }
      }
      entry.value = ParseValueLine(joined);
    }
    section.entries.push_back(std::move(entry));
  }
  document = std::move(parsed);
  return 0;
}

std::string HiveText(const HiveDocument& document) {
  std::string text;
  for (const HiveSection& section : document.sections) {
    text += section.headerText;
    for (const HiveEntry& entry : section.entries)
      text += entry.rewritten && entry.value ? ValueLines(*entry.value, document.lineEnding) : entry.text;
  }
  return text;
}

std::string ValueLines(const RegistryValue& value, std::string_view lineEnding) {
  std::string lines;
  if (value.name.empty()) {
    lines = "@";
  } else {
    std::string utf8Name;
    SjisToUtf8(value.name, utf8Name);
    lines = Quoted(utf8Name);
  }
  lines += '=';
  std::string utf8Text;
  if (value.type == REG_SZ && Writable(value.data, utf8Text)) {
    lines += Quoted(utf8Text);
  } else if (value.type == REG_DWORD && value.data.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(value.data[i]);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08x", number);
    lines += "dword:";
    lines += digits;
  } else {
    if (value.type == REG_BINARY) {
      lines += "hex:";
    } else {
      char prefix[24];
      std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
      lines += prefix;
    }
    AppendHex(lines, lineEnding, 0, value.data);
  }
  lines += lineEnding;
  return lines;
}

bool SectionHeaderLine(std::string_view rootName, const std::vector<std::string>& keyPath,
                       std::string_view lineEnding, std::string& header) {
  std::string result = "[" + std::string(rootName);
  for (const std::string& component : keyPath) {
    std::string utf8;
    if (!Writable(component, utf8)) return false;
    result += "\\" + utf8;
  }
  header = result + "]" + std::string(lineEnding);
  return true;
}

bool IsWritableName(std::string_view sjisName) {
  std::string utf8;
  if (!Writable(sjisName, utf8)) return false;
  for (char c : sjisName)
    if (static_cast<unsigned char>(c) < 0x20) return false;
  return true;
}

std::vector<std::string> SplitKeyPath(std::string_view sjisPath) {
  std::vector<std::string> components;
  std::string component;
  std::size_t bytePos = 0;
  while (bytePos < sjisPath.size()) {
    std::size_t charBytes = SjisCharBytesAt(sjisPath, bytePos);
    if (charBytes == 1 && sjisPath[bytePos] == '\\') {
      if (!component.empty()) components.push_back(std::move(component));
      component.clear();
    } else {
      component.append(sjisPath.substr(bytePos, charBytes));
    }
    bytePos += charBytes;
  }
  if (!component.empty()) components.push_back(std::move(component));
  return components;
}

}  // namespace lexiv::platform
