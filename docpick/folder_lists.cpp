#include "docpick/folder_lists.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "docpick/manual_table.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::docpick {

using namespace lexiv::platform;

namespace {

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

// Subdirectories of a file-system directory, as file-system paths ending in '/'.
std::vector<std::string> Subdirectories(const std::string& fileSystemDir) {
  std::vector<std::string> found;
  DIR* dir = ::opendir(fileSystemDir.c_str());
  if (dir == nullptr) return found;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;
    struct stat info {};
    const std::string path = WithSlash(fileSystemDir) + name;
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) found.push_back(path + "/");
  }
  ::closedir(dir);
  std::sort(found.begin(), found.end());
  return found;
}

void AddProgramPath(std::vector<std::string>& paths, const std::string& fileSystemPath) {
  const std::string path = ProgramName(fileSystemPath);
  if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
}

}  // namespace

std::vector<std::string> DrivePaths() {
  std::vector<std::string> drives{"/"};
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/')
    AddProgramPath(drives, WithSlash(home));
  for (const std::string& mounted : Subdirectories("/mnt")) AddProgramPath(drives, mounted);
  // /media/DISK, or /media/USER/DISK; /run/media/USER/DISK.
  for (const std::string& entry : Subdirectories("/media")) {
    const std::vector<std::string> inner = Subdirectories(entry);
    if (inner.empty()) AddProgramPath(drives, entry);
    for (const std::string& disk : inner) AddProgramPath(drives, disk);
  }
  for (const std::string& user : Subdirectories("/run/media"))
    for (const std::string& disk : Subdirectories(user)) AddProgramPath(drives, disk);
  return drives;
}

std::vector<std::string> FolderChoices(const std::string& folder) {
  std::vector<std::string> choices;
  const std::string dir = WithSlash(folder);
  if (dir != "/") {
    const std::size_t cut = dir.rfind('/', dir.size() - 2);
    choices.push_back(dir.substr(0, cut + 1));
  }
  for (const std::string& sub : Subdirectories(FileSystemName(dir))) AddProgramPath(choices, sub);
  return choices;
}

bool FolderReadable(const std::string& folder) {
  DIR* dir = ::opendir(FileSystemName(folder).c_str());
  if (dir == nullptr) return false;
  ::closedir(dir);
  return true;
}

int DriveOf(const std::vector<std::string>& drivePaths, const std::string& path) {
  const std::string full = WithSlash(path);
  int best = 0;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < drivePaths.size(); ++i) {
    const std::string& drive = drivePaths[i];
    if (full.compare(0, drive.size(), drive) == 0 && drive.size() > bestLength) {
      best = static_cast<int>(i);
      bestLength = drive.size();
    }
  }
  return best;
}

}  // namespace lexiv::docpick
