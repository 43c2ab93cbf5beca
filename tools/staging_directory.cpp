#include "tools/staging_directory.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace lexiv {
namespace {

std::string SystemError(const std::string& what) { return what + ": " + std::strerror(errno); }

}  // namespace

StagingDirectory::StagingDirectory(std::string target) : target_(std::move(target)) {
  while (target_.size() > 1 && target_.back() == '/') target_.pop_back();
  std::filesystem::path targetPath(target_);
  std::filesystem::path parent = targetPath.parent_path();
  if (parent.empty()) parent = ".";
  std::string pattern = (parent / ("." + targetPath.filename().string() + ".tmp-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    error_ = SystemError("cannot create a directory beside " + target_);
    return;
  }
  // mkdtemp makes the directory private; the dictionary is meant to be read by everyone the umask
  // lets read it.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(pattern.c_str(), 0777 & ~mask);
  path_ = pattern;
}

StagingDirectory::~StagingDirectory() {
  if (committed_ || path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

int StagingDirectory::Commit() {
  if (path_.empty() || committed_) return -1;
  struct stat info {};
  if (::stat(target_.c_str(), &info) != 0) {
    if (errno != ENOENT) {
      error_ = SystemError("cannot examine " + target_);
      return -1;
    }
    if (::rename(path_.c_str(), target_.c_str()) != 0) {
      error_ = SystemError("cannot rename " + path_ + " to " + target_);
      return -1;
    }
    committed_ = true;
    return 0;
  }
  if (!S_ISDIR(info.st_mode)) {
    error_ = target_ + " exists and is not a directory";
    return -1;
  }
  // Swap in one step where the file system allows it; afterwards path_ holds the old directory.
  if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target_.c_str(), RENAME_EXCHANGE) != 0) {
    if (errno != EINVAL && errno != ENOSYS) {
      error_ = SystemError("cannot put " + path_ + " in place of " + target_);
      return -1;
    }
    std::string aside = path_ + ".old";
    if (::rename(target_.c_str(), aside.c_str()) != 0) {
      error_ = SystemError("cannot move " + target_ + " aside");
      return -1;
    }
    if (::rename(path_.c_str(), target_.c_str()) != 0) {
      error_ = SystemError("cannot rename " + path_ + " to " + target_);
      ::rename(aside.c_str(), target_.c_str());
      return -1;
    }
    path_ = aside;
  }
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
  committed_ = true;
  return 0;
}

}  // namespace lexiv
