#include "platform/core/key_names.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace lexiv::platform {

namespace {

struct NamedKey {
  const char* name;
  UINT vk;
};

// The first name of a key is the one KeyName gives.
constexpr NamedKey kNamedKeys[] = {
    {"BackSpace", VK_BACK},   {"Tab", VK_TAB},         {"Enter", VK_RETURN},     {"Return", VK_RETURN},
    {"Shift", VK_SHIFT},      {"Ctrl", VK_CONTROL},    {"Control", VK_CONTROL},  {"Alt", VK_MENU},
    {"Pause", VK_PAUSE},      {"CapsLock", VK_CAPITAL}, {"Kana", VK_KANA},       {"Kanji", VK_KANJI},
    {"Escape", VK_ESCAPE},    {"Esc", VK_ESCAPE},      {"Convert", VK_CONVERT},  {"NonConvert", VK_NONCONVERT},
    {"Space", VK_SPACE},      {"PageUp", VK_PRIOR},    {"Prior", VK_PRIOR},      {"PageDown", VK_NEXT},
    {"Next", VK_NEXT},        {"End", VK_END},         {"Home", VK_HOME},        {"Left", VK_LEFT},
    {"Up", VK_UP},            {"Right", VK_RIGHT},     {"Down", VK_DOWN},        {"Insert", VK_INSERT},
    {"Ins", VK_INSERT},       {"Delete", VK_DELETE},   {"Del", VK_DELETE},       {"Apps", VK_APPS},
    {"ProcessKey", VK_PROCESSKEY},
};

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

}  // namespace

UINT VirtualKeyFromName(std::string_view name) {
  if (name.size() == 1) {
    const unsigned char c = static_cast<unsigned char>(name[0]);
    if (std::isalpha(c)) return static_cast<UINT>(std::toupper(c));
    if (std::isdigit(c)) return c;
    return 0;
  }
  for (const NamedKey& key : kNamedKeys)
    if (EqualNoCase(name, key.name)) return key.vk;
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    int number = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
      number = number * 10 + (name[i] - '0');
      if (number > 24) return 0;
    }
    if (number >= 1) return VK_F1 + static_cast<UINT>(number - 1);
  }
  return 0;
}

int ParseKeyChord(std::string_view name, KeyChord* chord) {
  if (chord == nullptr || name.empty()) return -1;
  KeyChord result;
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t plus = name.find('+', start);
    if (plus == std::string_view::npos) {
      parts.push_back(name.substr(start));
      break;
    }
    parts.push_back(name.substr(start, plus - start));
    start = plus + 1;
  }
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    if (EqualNoCase(parts[i], "Ctrl") || EqualNoCase(parts[i], "Control"))
      result.ctrl = true;
    else if (EqualNoCase(parts[i], "Shift"))
      result.shift = true;
    else if (EqualNoCase(parts[i], "Alt"))
      result.alt = true;
    else
      return -1;
  }
  result.vk = VirtualKeyFromName(parts.back());
  if (result.vk == 0) return -1;
  *chord = result;
  return 0;
}

std::string KeyName(UINT vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, static_cast<char>(vk));
  if (vk >= VK_F1 && vk <= VK_F24) return "F" + std::to_string(vk - VK_F1 + 1);
  for (const NamedKey& key : kNamedKeys)
    if (key.vk == vk) return key.name;
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", vk & 0xFF);
  return buffer;
}

std::string ChordName(const KeyChord& chord) {
  std::string name;
  if (chord.ctrl) name += "Ctrl+";
  if (chord.shift) name += "Shift+";
  if (chord.alt) name += "Alt+";
  return name + KeyName(chord.vk);
}

UINT CharacterOfKey(const KeyChord& chord) {
  const UINT vk = chord.vk;
  if (chord.ctrl && chord.alt) return 0;
  if (vk >= 'A' && vk <= 'Z') {
    if (chord.ctrl) return vk - 'A' + 1;
    return chord.shift ? vk : vk + ('a' - 'A');
  }
  if (vk >= '0' && vk <= '9') return chord.ctrl ? 0 : vk;
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return chord.ctrl ? 0x0A : 0x0D;
    case VK_TAB: return chord.ctrl ? 0 : 0x09;
    case VK_BACK: return chord.ctrl ? 0x7F : 0x08;
    case VK_ESCAPE: return 0x1B;
    default: return 0;
  }
}

}  // namespace lexiv::platform
