// The hot keys of lookups from other programs, read once at start-up from
// LEXIV.INI (section "DLLSection": "ModifyKey", "SearchKey", "ClipSearchKey";
// comma-separated key names of KeyNameTable, compared exactly), and the test
// the key check makes against them for every key going down in any program.
// Nothing here touches another process.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "lookup/lookup_protocol.h"

namespace lexiv::lookup {

struct KeyName {
  std::string_view name;
  std::uint8_t code; // virtual-key code
};

// The 100 names a key may be given in LEXIV.INI, with their virtual-key codes
// ("_" is 0xE2 here; see KeyCodeOfName for its other code).
std::span<const KeyName> KeyNameTable();

// The code of a name of the table (byte for byte, case-sensitive); nullopt for
// any other token.
// "_" is 0xDF instead of 0xE2 on a keyboard whose subtype has all the bits
// 0x0D00 set.
std::optional<std::uint32_t> KeyCodeOfName(std::string_view token,
                                           int keyboardSubtype);

inline constexpr std::size_t kKeySlots = 4;
using KeySlots = std::array<std::uint32_t, kKeySlots>; // 0 = empty slot

struct HotKeyEntry {
  std::uint32_t command; // kCaretLookupCommand or kClipboardLookupCommand
  const char *iniKey;    // the name it is asked for under
  KeySlots keys;
};

struct HotKeyConfig {
  KeySlots modifierKeys{}; // ModifierKeys: all must be held
  // HotKeyTable, in its order: the caret lookup, then the clipboard lookup.
  std::array<HotKeyEntry, 2> hotKeys{
      {{kCaretLookupCommand, "SearchKey    ", {}},
       {kClipboardLookupCommand, "ClipSearchKey", {}}}};
  // "TmuxKeys": inside tmux, the keys are also bound in tmux's root key table
  // for the programs that are not ours; "0", "no" or "off" switch that off.
  bool tmuxKeys = true;
};

// The configuration read from the file (ProductDir + "LEXIV.INI"): a missing
// file, section or key, and names not in the table, give the defaults
// (Ctrl+Shift; F11 for the caret lookup; no key for the clipboard lookup).
// keyboardSubtype is GetKeyboardType(1), asked each time "_" is parsed.
HotKeyConfig LoadHotKeyConfig(const std::string &iniPath);

// The parsing of one value, for modifiers (stopAtNone: a "NONE" token ends the
// list) and keys alike: up to four known names in order into slots (zeroed
// first), empty and unknown tokens skipped.
struct ParsedKeys {
  std::size_t stored = 0;
  bool stoppedAtNone = false;
};
ParsedKeys ParseKeyList(std::string_view value, bool stopAtNone,
                        KeySlots &slots);

// The key check: the command of the first entry and slot that holds the probe's
// key, when the configured modifiers are held (or, with none configured, when
// no Shift, Ctrl or Alt is); else 0.
std::uint32_t CheckHotKey(const HotKeyConfig &config, const KeyProbe &probe);

} // namespace lexiv::lookup
