#include "platform/services/session_directory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace lexiv::platform {

std::string SessionDirectoryLocation() {
  if (const char* dir = std::getenv("LEXIV_SESSION_DIR"); dir != nullptr && *dir != '\0') return dir;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime == '/')
    return std::string(runtime) + "/lexiv";
  return "/tmp/lexiv-" + std::to_string(getuid());
}

std::optional<std::string> OpenSessionDirectory(std::string* problem) {
  const std::string path = SessionDirectoryLocation();
  auto fail = [&](const std::string& why) -> std::optional<std::string> {
    if (problem != nullptr) *problem = "The session directory " + path + " cannot be used: " + why + ".";
    return std::nullopt;
  };
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return fail(std::strerror(errno));
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return fail(std::strerror(errno));
  if (S_ISLNK(info.st_mode)) return fail("it is a symbolic link");
  if (!S_ISDIR(info.st_mode)) return fail("it is not a directory");
  if (info.st_uid != geteuid()) return fail("it belongs to another user");
  if ((info.st_mode & 077) != 0) return fail("it is open to other users (its mode must be 0700)");
  return path;
}

}  // namespace lexiv::platform
