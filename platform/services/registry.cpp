#include "platform/services/registry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include <sys/stat.h>

#include "platform/services/process_launcher.h"
#include "platform/services/registry_hive.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {
namespace {

// Larger values are refused rather than written into a settings file.
constexpr DWORD kMaxValueBytes = 1024 * 1024;

struct OpenKey {
  RegistryHive* hive;
  std::vector<std::string> keyPath;
  REGSAM access;
  bool changed = false;
};

struct RegistryState {
  std::mutex mutex;
  std::string systemWideHive;    // empty: /etc/lexiv/system.reg
  std::string installationHive;  // empty: system.reg in the program's directory
  std::map<std::string, std::unique_ptr<RegistryHive>> hivesByFile;  // root name, newline, path
  std::map<HKEY, OpenKey> openKeys;
  HKEY nextHandle = 0x100;
};

RegistryState& State() {
  static RegistryState state;
  return state;
}

bool IsPredefined(HKEY key) { return key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE; }

const char* RootName(HKEY root) { return root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER"; }

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

// A machine-wide hive, where an administrator put one, wins over the installation's own, which
// says only where this installation's programs and manuals are.
std::string MachineHivePath() {
  const RegistryState& state = State();
  const std::string systemWide = state.systemWideHive.empty() ? "/etc/lexiv/system.reg" : state.systemWideHive;
  if (FileExists(systemWide)) return systemWide;
  if (!state.installationHive.empty()) return state.installationHive;
  return FileSystemName(PlatformProgramDirectory()) + "system.reg";
}

std::optional<std::string> HiveFilePath(HKEY root) {
  std::string registryDirectory = Environment("LEXIV_REGISTRY_DIR");
  if (!registryDirectory.empty()) return registryDirectory + (root == HKEY_LOCAL_MACHINE ? "/system.reg" : "/user.reg");
  if (root == HKEY_LOCAL_MACHINE) return MachineHivePath();
  std::string configHome = Environment("XDG_CONFIG_HOME");
  if (!configHome.empty() && configHome.front() == '/') return configHome + "/lexiv/user.reg";
  std::string home = Environment("HOME");
  if (home.empty()) {
    const passwd* user = ::getpwuid(::getuid());
    if (user == nullptr || user->pw_dir == nullptr || *user->pw_dir == '\0') return std::nullopt;
    home = user->pw_dir;
  }
  return home + "/.config/lexiv/user.reg";
}

// The root's hive, loaded on first use and reloaded when its file changed and nothing is unsaved.
LONG HiveOfRoot(HKEY root, RegistryHive*& hive) {
  std::optional<std::string> path = HiveFilePath(root);
  if (!path) return ERROR_FILE_NOT_FOUND;
  std::unique_ptr<RegistryHive>& slot = State().hivesByFile[std::string(RootName(root)) + "\n" + *path];
  bool fresh = slot == nullptr;
  if (fresh) slot = std::make_unique<RegistryHive>(RootName(root), *path);
  hive = slot.get();
  if (fresh || !hive->readable() || (!hive->dirty() && hive->ChangedOnDisk())) return hive->Load();
  return ERROR_SUCCESS;
}

// What a handle refers to. A predefined root is resolved afresh each time and has every right.
struct ResolvedKey {
  RegistryHive* hive = nullptr;
  std::vector<std::string> keyPath;
  REGSAM access = KEY_ALL_ACCESS;
  OpenKey* openKey = nullptr;  // null for a predefined root
};

LONG Resolve(HKEY key, ResolvedKey& resolved) {
  if (IsPredefined(key)) return HiveOfRoot(key, resolved.hive);
  auto found = State().openKeys.find(key);
  if (found == State().openKeys.end()) return ERROR_INVALID_HANDLE;
  resolved.hive = found->second.hive;
  resolved.keyPath = found->second.keyPath;
  resolved.access = found->second.access;
  resolved.openKey = &found->second;
  return ERROR_SUCCESS;
}

HKEY NewHandle(RegistryHive* hive, std::vector<std::string> keyPath, REGSAM access, bool changed) {
  RegistryState& state = State();
  HKEY handle = state.nextHandle++;
  state.openKeys[handle] = OpenKey{hive, std::move(keyPath), access, changed};
  return handle;
}

// Records a change: through a handle it is written when the handle closes, through a
// predefined root at once.
LONG NoteChange(const ResolvedKey& resolved) {
  if (resolved.openKey == nullptr) return resolved.hive->Save();
  resolved.openKey->changed = true;
  return ERROR_SUCCESS;
}

std::vector<std::string> Below(const std::vector<std::string>& parent, const char* subKey) {
  std::vector<std::string> keyPath = parent;
  for (std::string& component : SplitKeyPath(subKey != nullptr ? subKey : "")) keyPath.push_back(std::move(component));
  return keyPath;
}

}  // namespace

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM access, HKEY* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = 0;
  std::lock_guard lock(State().mutex);
  ResolvedKey parent;
  if (LONG error = Resolve(key, parent)) return error;
  std::vector<std::string> keyPath = Below(parent.keyPath, subKey);
  if (!parent.hive->KeyExists(keyPath)) return ERROR_FILE_NOT_FOUND;
  *result = NewHandle(parent.hive, std::move(keyPath), access, false);
  return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD, const char*, DWORD, REGSAM access, const void*,
                     HKEY* result, DWORD* disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = 0;
  std::lock_guard lock(State().mutex);
  ResolvedKey parent;
  if (LONG error = Resolve(key, parent)) return error;
  if (!parent.hive->readable()) return ERROR_REGISTRY_CORRUPT;
  std::vector<std::string> keyPath = Below(parent.keyPath, subKey);
  bool created = false;
  if (!parent.hive->KeyExists(keyPath)) {
    for (const std::string& component : keyPath)
      if (!IsWritableName(component)) return ERROR_INVALID_PARAMETER;
    if (!(parent.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
    created = parent.hive->CreateKey(keyPath);
    if (!created) return ERROR_INVALID_PARAMETER;
  }
  if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = NewHandle(parent.hive, std::move(keyPath), access, created);
  return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataSize) {
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(State().mutex);
  ResolvedKey resolved;
  if (LONG error = Resolve(key, resolved)) return error;
  if (!(resolved.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  const RegistryValue* value = resolved.hive->FindValue(resolved.keyPath, valueName != nullptr ? valueName : "");
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  DWORD needed = static_cast<DWORD>(value->data.size() + (value->type == REG_SZ ? 1 : 0));
  if (type != nullptr) *type = value->type;
  if (data != nullptr && *dataSize < needed) {
    *dataSize = needed;
    return ERROR_MORE_DATA;
  }
  if (data != nullptr) {
    std::memcpy(data, value->data.data(), value->data.size());
    if (value->type == REG_SZ) data[value->data.size()] = 0;
  }
  if (dataSize != nullptr) *dataSize = needed;
  return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
  if ((data == nullptr && dataSize > 0) || dataSize > kMaxValueBytes) return ERROR_INVALID_PARAMETER;
  if (type == REG_DWORD && dataSize != 4) return ERROR_INVALID_PARAMETER;
  RegistryValue value;
  value.name = valueName != nullptr ? valueName : "";
  value.type = type;
  if (!IsWritableName(value.name)) return ERROR_INVALID_PARAMETER;
  if (dataSize > 0) value.data.assign(reinterpret_cast<const char*>(data), dataSize);
  if (type == REG_SZ) value.data.resize(std::strlen(value.data.c_str()));
  std::lock_guard lock(State().mutex);
  ResolvedKey resolved;
  if (LONG error = Resolve(key, resolved)) return error;
  if (!(resolved.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  if (!resolved.hive->readable()) return ERROR_REGISTRY_CORRUPT;
  resolved.hive->SetValue(resolved.keyPath, std::move(value));
  return NoteChange(resolved);
}

LONG RegDeleteValueA(HKEY key, const char* valueName) {
  std::lock_guard lock(State().mutex);
  ResolvedKey resolved;
  if (LONG error = Resolve(key, resolved)) return error;
  if (!(resolved.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  if (!resolved.hive->DeleteValue(resolved.keyPath, valueName != nullptr ? valueName : "")) return ERROR_FILE_NOT_FOUND;
  return NoteChange(resolved);
}

LONG RegFlushKey(HKEY key) {
  std::lock_guard lock(State().mutex);
  ResolvedKey resolved;
  if (LONG error = Resolve(key, resolved)) return error;
  return resolved.hive->Save();
}

LONG RegCloseKey(HKEY key) {
  if (IsPredefined(key)) return ERROR_SUCCESS;
  std::lock_guard lock(State().mutex);
  auto found = State().openKeys.find(key);
  if (found == State().openKeys.end()) return ERROR_INVALID_HANDLE;
  OpenKey closing = found->second;
  State().openKeys.erase(found);
  return closing.changed ? closing.hive->Save() : ERROR_SUCCESS;
}

std::string RegistryHiveProblem(HKEY root) {
  if (!IsPredefined(root)) return "not a registry root";
  std::lock_guard lock(State().mutex);
  RegistryHive* hive = nullptr;
  std::optional<std::string> path = HiveFilePath(root);
  if (!path) return "no home directory for the user's registry";
  HiveOfRoot(root, hive);
  return hive->problem();
}

void ReplaceMachineHiveLocations(std::string systemWidePath, std::string installationPath) {
  std::lock_guard lock(State().mutex);
  State().systemWideHive = std::move(systemWidePath);
  State().installationHive = std::move(installationPath);
}

}  // namespace lexiv::platform
