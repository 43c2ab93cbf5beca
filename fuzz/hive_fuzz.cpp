// Fuzz target over the registry hive's REGEDIT4 text: any bytes either are refused or parse, and a
// hive that parses is written back byte for byte as it was (nothing changed), and again the same
// after a second round.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/services/registry_format.h"

namespace {

// Blanks, after a UTF-8 byte-order mark if there is one.
bool OnlyBlanks(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  lexiv::platform::HiveDocument document;
  if (lexiv::platform::ParseHiveText(text, "HKEY_CURRENT_USER", document) != 0) return 0;
  const std::string written = lexiv::platform::HiveText(document);
  // A file of blanks is an empty hive, written with its REGEDIT4 line.
  if (!OnlyBlanks(text) && written != text) __builtin_trap();
  lexiv::platform::HiveDocument again;
  if (lexiv::platform::ParseHiveText(written, "HKEY_CURRENT_USER", again) != 0) __builtin_trap();
  if (lexiv::platform::HiveText(again) != written) __builtin_trap();
  return 0;
}
