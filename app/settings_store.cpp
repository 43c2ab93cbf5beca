#include "app/settings_store.h"

#include <cstring>
#include <string>

#include "platform/services/registry.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

// Reads one value from the user's key, or from the installation's key when the user's cannot be
// opened. A value of another type or size than the field's counts as missing.
bool ReadValue(const char* name, DWORD type, void* destination, DWORD size) {
  HKEY key{};
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS &&
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDefaultSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  DWORD foundType = 0;
  DWORD foundSize = size;
  const LONG result = RegQueryValueExA(key, name, nullptr, &foundType, static_cast<BYTE*>(destination), &foundSize);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || foundType != type) return false;
  return type == REG_SZ || foundSize == size;
}

DWORD ReadDword(const char* name, DWORD fallback, bool (*outOfRange)(DWORD)) {
  DWORD value = 0;
  if (!ReadValue(name, REG_DWORD, &value, sizeof value) || (outOfRange != nullptr && outOfRange(value))) return fallback;
  return value;
}

void WriteValue(HKEY key, const char* name, DWORD type, const void* data, DWORD size) {
  RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

void WriteDword(HKEY key, const char* name, DWORD value) { WriteValue(key, name, REG_DWORD, &value, sizeof value); }

}  // namespace

void LoadSettings(SettingsRecord& s) {
  WINDOWPLACEMENT placement = SettingsRecord::ZeroPlacement();
  s.windowPos = ReadValue("WindowPos", REG_BINARY, &placement, sizeof placement) ? placement : SettingsRecord::ZeroPlacement();

  char font[kFontNameBytes + 1] = {};
  if (ReadValue("FontName", REG_SZ, font, kFontNameBytes) && std::memchr(font, '\0', kFontNameBytes) != nullptr)
    std::memcpy(s.fontName, font, kFontNameBytes);
  else
    std::memcpy(s.fontName, kDefaultFontName, sizeof kDefaultFontName);

  s.textBkColor = ReadDword("TextBkColor", 0x000000, nullptr);
  s.textColor = ReadDword("TextColor", 0xFFFFFF, nullptr);
  s.zoomMode = ReadDword("ZoomMode", 0, [](DWORD v) { return v > 1; });
  s.zoomRate = ReadDword("ZoomRate", 1, [](DWORD v) { return v == 0 || v > 7; });
  s.splitPos = ReadDword("SplitPos", 150, nullptr);
  s.titleDispForm = ReadDword("TitleDispForm", 0, [](DWORD v) { return v > 2; });
  s.titleWidth1 = ReadDword("TitleWidth1", s.splitPos / 2, [](DWORD v) { return v == 0; });
  s.titleWidth2 = ReadDword("TitleWidth2", s.splitPos / 2, [](DWORD v) { return v == 0; });
  s.titleIme = ReadDword("TitleIme", 1, nullptr);
  s.titleMean = ReadDword("TitleMean", 1, nullptr);
}

// One key open for all twelve values: the hive is written once, when it is closed.
void SaveSettings(const SettingsRecord& s) {
  HKEY key{};
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  WriteValue(key, "WindowPos", REG_BINARY, &s.windowPos, sizeof s.windowPos);
  const std::size_t fontBytes = strnlen(s.fontName, kFontNameBytes - 1);
  std::string font(s.fontName, fontBytes);
  WriteValue(key, "FontName", REG_SZ, font.c_str(), static_cast<DWORD>(font.size() + 1));
  WriteDword(key, "TextBkColor", s.textBkColor);
  WriteDword(key, "TextColor", s.textColor);
  WriteDword(key, "ZoomMode", s.zoomMode);
  WriteDword(key, "ZoomRate", s.zoomRate);
  WriteDword(key, "SplitPos", s.splitPos);
  WriteDword(key, "TitleDispForm", s.titleDispForm);
  WriteDword(key, "TitleWidth1", s.titleWidth1);
  WriteDword(key, "TitleWidth2", s.titleWidth2);
  WriteDword(key, "TitleIme", s.titleIme);
  WriteDword(key, "TitleMean", s.titleMean);
  RegCloseKey(key);
}

}  // namespace lexiv
