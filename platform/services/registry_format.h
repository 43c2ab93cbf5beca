// The text of a hive file: REGEDIT4 syntax, UTF-8.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\TKV\Lexiv\Settings]
//   "FontName"="ＭＳ ゴシック"
//   "ZoomRate"=dword:00000003
//   "WindowPos"=hex:2c,00,00,00,02,00,00,00
//   @="the key's default value"
//
// A long hex list is wrapped: a line that ends with a backslash goes on in the next line.
//
// A document keeps every line exactly as read. Lines it understands (section headers naming a
// key under the hive's root, and value lines in those sections) are also parsed; everything else
// (comments, sections of other roots, deletion entries, lines it cannot parse) is carried along
// untouched, so writing a document back changes only the values that were set or deleted.
//
// In memory, names and REG_SZ text are Shift-JIS. A REG_SZ text that cannot be written as a
// UTF-8 string line (it holds bytes that are not Shift-JIS, or a line break) is written as
// hex(1): with its Shift-JIS bytes, and read back as the same text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexiv::platform {

struct RegistryValue {
  std::string name;  // empty for the key's default value ("@")
  std::uint32_t type = 0;
  std::string data;  // REG_SZ: the text without its NUL; REG_DWORD: 4 bytes little-endian; others: raw bytes
};

// One value line (with its continuation lines), or one line kept as it is.
struct HiveEntry {
  std::string text;                    // the lines as read, line endings included
  std::optional<RegistryValue> value;  // set for a value line that was understood
  bool rewritten = false;              // the value changed: its lines are written afresh
};

struct HiveSection {
  std::string headerText;  // the header line as read, with its ending; empty for the preamble
  std::optional<std::vector<std::string>> keyPath;  // components below the root, for a key of this hive
  std::vector<HiveEntry> entries;
};

struct HiveDocument {
  std::string rootName;            // "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE"
  std::string lineEnding = "\n";   // of the file's first line; used for every new line
  std::vector<HiveSection> sections;  // sections[0] is the preamble: the lines before the first header
};

// An empty hive of the root: the REGEDIT4 line and a blank line.
HiveDocument NewHiveDocument(std::string_view rootName);

// Parses fileText as a hive of rootName. Returns 0, or -1 when the text is not a REGEDIT4 file
// (its first line is something else); a file of blanks only is an empty hive.
int ParseHiveText(std::string_view fileText, std::string_view rootName, HiveDocument& document);

std::string HiveText(const HiveDocument& document);

// The value's line(s) in REGEDIT4 syntax, each ended by lineEnding.
std::string ValueLines(const RegistryValue& value, std::string_view lineEnding);

// The header line of a key of the root, ended by lineEnding; false when a component cannot be
// written in UTF-8.
bool SectionHeaderLine(std::string_view rootName, const std::vector<std::string>& keyPath,
                       std::string_view lineEnding, std::string& header);

// Whether a key or value name can be stored: it converts to UTF-8 and holds no control characters.
bool IsWritableName(std::string_view sjisName);

// A key path in program text ("Software\TKV\Lexiv") split at its backslashes into components;
// empty components are dropped. A backslash that is the trail byte of a double-byte character
// does not split.
std::vector<std::string> SplitKeyPath(std::string_view sjisPath);

}  // namespace lexiv::platform
