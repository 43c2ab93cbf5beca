#include "lookup/hot_key_config.h"

#include "platform/core/keyboard_type.h"
#include "platform/services/profile_strings.h"

namespace lexiv::lookup {

namespace {

constexpr std::uint32_t kShiftKey = 0x10;
constexpr std::uint32_t kControlKey = 0x11;
constexpr std::uint32_t kAltKey = 0x12;
constexpr std::uint32_t kF11Key = 0x7A;
constexpr std::uint8_t kUnderscoreKey = 0xE2;
constexpr std::uint8_t kUnderscoreKeyOnSubtype = 0xDF;
constexpr int kUnderscoreSubtypeBits = 0x0D00;

constexpr char kSection[] = "DLLSection";
constexpr char kModifierKey[] = "ModifyKey";
// Read with an empty default into a buffer of this size, as the profile
// functions are asked.
constexpr std::uint32_t kValueBufferBytes = 50;

constexpr std::array<KeyName, 100> kKeyNames = {{
    {"0", 0x30},           {"1", 0x31},        {"2", 0x32},
    {"3", 0x33},           {"4", 0x34},        {"5", 0x35},
    {"6", 0x36},           {"7", 0x37},        {"8", 0x38},
    {"9", 0x39},           {"A", 0x41},        {"B", 0x42},
    {"C", 0x43},           {"D", 0x44},        {"E", 0x45},
    {"F", 0x46},           {"G", 0x47},        {"H", 0x48},
    {"I", 0x49},           {"J", 0x4A},        {"K", 0x4B},
    {"L", 0x4C},           {"M", 0x4D},        {"N", 0x4E},
    {"O", 0x4F},           {"P", 0x50},        {"Q", 0x51},
    {"R", 0x52},           {"S", 0x53},        {"T", 0x54},
    {"U", 0x55},           {"V", 0x56},        {"W", 0x57},
    {"X", 0x58},           {"Y", 0x59},        {"Z", 0x5A},
    {"F1", 0x70},          {"F2", 0x71},       {"F3", 0x72},
    {"F4", 0x73},          {"F5", 0x74},       {"F6", 0x75},
    {"F7", 0x76},          {"F8", 0x77},       {"F9", 0x78},
    {"F10", 0x79},         {"F11", 0x7A},      {"F12", 0x7B},
    {"F13", 0x7C},         {"F14", 0x7D},      {"F15", 0x7E},
    {"NUM0", 0x60},        {"NUM1", 0x61},     {"NUM2", 0x62},
    {"NUM3", 0x63},        {"NUM4", 0x64},     {"NUM5", 0x65},
    {"NUM6", 0x66},        {"NUM7", 0x67},     {"NUM8", 0x68},
    {"NUM9", 0x69},        {"-", 0xBD},        {"^", 0xDE},
    {"\\", 0xDC},          {"@", 0xC0},        {"[", 0xDB},
    {";", 0xBB},           {":", 0xBA},        {"]", 0xDD},
    {"COMMA", 0xBC},       {".", 0xBE},        {"/", 0xBF},
    {"_", kUnderscoreKey}, {"BS", 0x08},       {"TAB", 0x09},
    {"ENTER", 0x0D},       {"ESC", 0x1B},      {"SPACE", 0x20},
    {"PGUP", 0x22},        {"PGDOWN", 0x21},   {"END", 0x23},
    {"HOME", 0x24},        {"LEFT", 0x25},     {"RIGHT", 0x27},
    {"UP", 0x26},          {"DOWN", 0x28},     {"INS", 0x2D},
    {"DEL", 0x2E},         {"NFER", 0x1D},     {"XFER", 0x19},
    {"CTRL", 0x11},        {"SHIFT", 0x10},    {"ALT", 0x12},
    {"SEPARATOR", 0x6C},   {"DECIMAL", 0x6E},  {"EQUAL", 0x92},
    {"ADD", 0x6B},         {"MULTIPLY", 0x6A}, {"DIVIDE", 0x6F},
    {"SUBTRACT", 0x6D},
}};

std::string ReadValue(const char *key, const std::string &iniPath) {
  char buffer[kValueBufferBytes] = {};
  platform::GetPrivateProfileStringA(kSection, key, "", buffer,
                                     kValueBufferBytes, iniPath.c_str());
  return buffer;
}

bool IsDown(const KeyProbe &probe, std::uint32_t key) {
  return key < 256 && (probe.keyState[key] & 0x80) != 0;
}

} // namespace

std::span<const KeyName> KeyNameTable() { return kKeyNames; }

std::optional<std::uint32_t> KeyCodeOfName(std::string_view token,
                                           int keyboardSubtype) {
  for (const KeyName &key : kKeyNames) {
    if (key.name != token)
      continue;
    if (key.code == kUnderscoreKey &&
        (keyboardSubtype & kUnderscoreSubtypeBits) == kUnderscoreSubtypeBits)
      return kUnderscoreKeyOnSubtype;
    return key.code;
  }
  return std::nullopt;
}

ParsedKeys ParseKeyList(std::string_view value, bool stopAtNone,
                        KeySlots &slots) {
  slots.fill(0);
  ParsedKeys parsed;
  while (!value.empty()) {
    const std::size_t comma = value.find(',');
    const std::string_view token = value.substr(0, comma);
    value = comma == std::string_view::npos ? std::string_view{}
                                            : value.substr(comma + 1);
    if (token.empty())
      continue;
    if (stopAtNone && token == "NONE") {
      parsed.stoppedAtNone = true;
      break;
    }
    if (parsed.stored == kKeySlots)
      continue;
    // The keyboard is asked for every "_" parsed, not once per file.
    const int subtype = token == "_" ? platform::GetKeyboardType(1) : 0;
    if (const auto code = KeyCodeOfName(token, subtype))
      slots[parsed.stored++] = *code;
  }
  return parsed;
}

HotKeyConfig LoadHotKeyConfig(const std::string &iniPath) {
  HotKeyConfig config;
  // Ctrl+Shift unless the list stored a modifier or was ended by "NONE" (which,
  // first, means no modifier at all).
  const ParsedKeys modifiers =
      ParseKeyList(ReadValue(kModifierKey, iniPath), true, config.modifierKeys);
  if (modifiers.stored == 0 && !modifiers.stoppedAtNone)
    config.modifierKeys = {kControlKey, kShiftKey, 0, 0};
  for (HotKeyEntry &entry : config.hotKeys) {
    const ParsedKeys keys =
        ParseKeyList(ReadValue(entry.iniKey, iniPath), false, entry.keys);
    if (keys.stored == 0 && entry.command == kCaretLookupCommand)
      entry.keys[0] = kF11Key;
  }
  std::string tmuxKeys = ReadValue("TmuxKeys", iniPath);
  for (char &c : tmuxKeys)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  config.tmuxKeys = !(tmuxKeys == "0" || tmuxKeys == "no" || tmuxKeys == "off");
  return config;
}

std::uint32_t CheckHotKey(const HotKeyConfig &config, const KeyProbe &probe) {
  if (config.modifierKeys[0] == 0) {
    if (IsDown(probe, kShiftKey) || IsDown(probe, kControlKey) ||
        IsDown(probe, kAltKey))
      return 0;
  }
  for (const std::uint32_t modifier : config.modifierKeys)
    if (modifier != 0 && !IsDown(probe, modifier))
      return 0;
  for (const HotKeyEntry &entry : config.hotKeys)
    for (const std::uint32_t key : entry.keys)
      if (key != 0 && key == probe.virtualKey)
        return entry.command;
  return 0;
}

} // namespace lexiv::lookup
