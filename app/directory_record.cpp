#include "app/directory_record.h"

#include <unistd.h>

#include "platform/services/registry.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

// Appends "/" to a field that is not empty and does not end with one. A Shift-JIS trail byte is
// never "/", so the last byte tells.
void EndWithSeparator(std::string& field) {
  if (!field.empty() && field.back() != '/' && field.size() < kMaxPathBytes) field += '/';
}

void QueryPath(HKEY key, const char* name, std::string& field) {
  char buffer[kMaxPathBytes + 1] = {};
  DWORD type = 0;
  DWORD size = sizeof buffer;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) return;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return;
  buffer[kMaxPathBytes] = '\0';
  field = buffer;
}

}  // namespace

std::string ExecutableDirectory(std::string_view path) {
  // Where the executable's name starts its last component: a name found earlier in the path
  // (a directory called lexiv) must not cut it, and a renamed executable still has a directory.
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string RunningExecutablePath() {
  char buffer[4096];
  const ssize_t bytes = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (bytes <= 0) return {};
  return ProgramName(std::string_view(buffer, static_cast<std::size_t>(bytes)));
}

DirectoryRecord LoadDirectories(std::string_view executablePath) {
  DirectoryRecord dirs;
  std::string directory = ExecutableDirectory(executablePath);
  if (directory.size() > kMaxPathBytes) directory.resize(SjisPrefixBytes(directory, kMaxPathBytes));
  dirs.productDir = directory;
  dirs.productFile = kExecutableName;
  dirs.dllDir = directory;

  HKEY key{};
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDirectoriesKey, 0, KEY_READ, &key) == ERROR_SUCCESS ||
      RegOpenKeyExA(HKEY_CURRENT_USER, kDirectoriesKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    QueryPath(key, "ProductDir", dirs.productDir);
    QueryPath(key, "ProductFile", dirs.productFile);
    QueryPath(key, "DicDir", dirs.dicDir);
    QueryPath(key, "DllDir", dirs.dllDir);
    QueryPath(key, "Manual", dirs.manual);
    RegCloseKey(key);
  }
  EndWithSeparator(dirs.productDir);
  EndWithSeparator(dirs.dllDir);
  if (dirs.dicDir.empty()) {
    dirs.dicDir = dirs.productDir + "Dic/Yomigo/";
    if (dirs.dicDir.size() > kMaxPathBytes) dirs.dicDir.resize(SjisPrefixBytes(dirs.dicDir, kMaxPathBytes));
  }
  EndWithSeparator(dirs.dicDir);
  EndWithSeparator(dirs.manual);
  return dirs;
}

}  // namespace lexiv
