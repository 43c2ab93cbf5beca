#include "access/window_operation.h"

#include <vector>

#include "platform/services/registry.h"

namespace lexiv::access {

using namespace lexiv::platform;

namespace {

struct Place {
  HKEY root;
  const char* subKey;
};

std::optional<DWORD> ReadAt(const Place& place) {
  HKEY key{};
  if (RegOpenKeyExA(place.root, place.subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG result = RegQueryValueExA(key, kWindowOperationValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return std::nullopt;
  return value;
}

}  // namespace

std::optional<DWORD> ReadWindowOperation(WindowOperationLookup lookup) {
  std::vector<Place> places{{HKEY_CURRENT_USER, kSystemGlobalSettingsKey}, {HKEY_CURRENT_USER, kSystemGlobalDefaultKey}};
  if (lookup == WindowOperationLookup::kEnhancer) places.push_back({HKEY_LOCAL_MACHINE, kSystemGlobalSettingsKey});
  places.push_back({HKEY_LOCAL_MACHINE, kSystemGlobalDefaultKey});
  for (const Place& place : places)
    if (std::optional<DWORD> value = ReadAt(place)) return value;
  return std::nullopt;
}

bool EnhancedKeysEnabled(WindowOperationLookup lookup) { return ReadWindowOperation(lookup) == DWORD{1}; }

}  // namespace lexiv::access
