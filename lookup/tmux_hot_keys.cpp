#include "lookup/tmux_hot_keys.h"

#include <algorithm>

namespace lexiv::lookup {

namespace {

constexpr std::uint32_t kShiftKey = 0x10;
constexpr std::uint32_t kControlKey = 0x11;
constexpr std::uint32_t kAltKey = 0x12;

enum Modifier : unsigned { kShift = 1, kControl = 2, kAlt = 4 };

struct NamedKey {
  std::uint32_t code;
  const char* name;
};

// The keys whose tmux name is not the key's own character. The two codes of "_" (the subtype
// rule) are the same key.
constexpr NamedKey kNamedKeys[] = {
    {0x08, "BSpace"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Escape"}, {0x20, "Space"},
    {0x21, "PPage"},  {0x22, "NPage"}, {0x23, "End"},   {0x24, "Home"},   {0x25, "Left"},
    {0x26, "Up"},     {0x27, "Right"}, {0x28, "Down"},  {0x2D, "IC"},     {0x2E, "DC"},
    {0x6A, "KP*"},    {0x6B, "KP+"},   {0x6D, "KP-"},   {0x6E, "KP."},    {0x6F, "KP/"},
    {0xBA, ":"},      {0xBB, ";"},   {0xBC, ","},     {0xBD, "-"},      {0xBE, "."},
    {0xBF, "/"},      {0xC0, "@"},     {0xDB, "["},     {0xDC, "\\"},     {0xDD, "]"},
    {0xDE, "^"},      {0xDF, "_"},     {0xE2, "_"},
};

std::string ModifierPrefix(unsigned modifiers) {
  std::string prefix;
  if (modifiers & kControl) prefix += "C-";
  if (modifiers & kAlt) prefix += "M-";
  if (modifiers & kShift) prefix += "S-";
  return prefix;
}

// The configured name of a code, for the list of skipped keys.
std::string ConfiguredName(std::uint32_t code) {
  for (const KeyName& k : KeyNameTable())
    if (k.code == code) return std::string(k.name);
  return code == 0xDF ? "_" : "?";
}

}  // namespace

std::string TmuxKeyName(std::uint32_t virtualKey) {
  if (virtualKey >= '0' && virtualKey <= '9') return std::string(1, static_cast<char>(virtualKey));
  // Letters by their unshifted character: tmux names Shift with a letter "S-a".
  if (virtualKey >= 'A' && virtualKey <= 'Z') return std::string(1, static_cast<char>(virtualKey - 'A' + 'a'));
  if (virtualKey >= 0x70 && virtualKey <= 0x7B) return "F" + std::to_string(virtualKey - 0x70 + 1);
  if (virtualKey >= 0x60 && virtualKey <= 0x69) return "KP" + std::to_string(virtualKey - 0x60);
  for (const NamedKey& k : kNamedKeys)
    if (k.code == virtualKey) return k.name;
  return {};
}

TmuxHotKeys TmuxHotKeysOf(const HotKeyConfig& config) {
  TmuxHotKeys result;
  unsigned required = 0;
  for (const std::uint32_t modifier : config.modifierKeys) {
    if (modifier == 0) continue;
    if (modifier == kShiftKey) {
      required |= kShift;
    } else if (modifier == kControlKey) {
      required |= kControl;
    } else if (modifier == kAltKey) {
      required |= kAlt;
    } else {
      // A letter or function key held as a modifier: a terminal reports no such chord.
      result.skipped.push_back("ModifyKey");
      return result;
    }
  }
  // With no modifier configured the key counts only when none is held; otherwise with every
  // superset of the configured ones.
  std::vector<unsigned> combinations;
  if (required == 0) {
    combinations.push_back(0);
  } else {
    for (unsigned m = 1; m < 8; ++m)
      if ((m & required) == required) combinations.push_back(m);
  }
  std::vector<std::uint32_t> seen;
  for (const HotKeyEntry& entry : config.hotKeys) {
    for (const std::uint32_t code : entry.keys) {
      if (code == 0) continue;
      // A key under both entries is the first entry's, as in the hot-key test.
      if (std::find(seen.begin(), seen.end(), code) != seen.end()) continue;
      seen.push_back(code);
      const std::string name = TmuxKeyName(code);
      if (name.empty()) {
        result.skipped.push_back(ConfiguredName(code));
        continue;
      }
      for (const unsigned m : combinations) result.keys.push_back({ModifierPrefix(m) + name, entry.command});
    }
  }
  return result;
}

}  // namespace lexiv::lookup
