#include "docpick/registry_value.h"

#include <cstring>
#include <vector>

#include "platform/services/registry.h"

namespace lexiv::docpick {

using namespace lexiv::platform;

namespace {

std::string QueryUnder(HKEY root, const std::string& key, const std::string& valueName) {
  HKEY handle{};
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return {};
  DWORD type = 0;
  DWORD size = 0;
  std::string result;
  if (RegQueryValueExA(handle, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0) {
    std::vector<BYTE> data(size);
    if (RegQueryValueExA(handle, valueName.c_str(), nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
      if (type == REG_SZ) {
        const auto* text = reinterpret_cast<const char*>(data.data());
        result.assign(text, strnlen(text, size));
      } else if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, data.data(), sizeof number);
        result = std::to_string(number);
      }
    }
  }
  RegCloseKey(handle);
  return result;
}

}  // namespace

std::string QueryValue(const std::string& key, const std::string& valueName) {
  std::string value = QueryUnder(HKEY_LOCAL_MACHINE, key, valueName);
  if (value.empty()) value = QueryUnder(HKEY_CURRENT_USER, key, valueName);
  return value;
}

}  // namespace lexiv::docpick
