// A directory that is built in full beside its final place and only then put there, so that a
// failed build leaves neither a partial result nor a damaged earlier one.
#pragma once

#include <string>

namespace lexiv {

class StagingDirectory {
 public:
  // target: the directory to produce; its parent must exist. The staging directory is created at
  // once, as a hidden sibling of target.
  explicit StagingDirectory(std::string target);
  // Removes the staging directory and its contents unless Commit succeeded.
  ~StagingDirectory();
  StagingDirectory(const StagingDirectory&) = delete;
  StagingDirectory& operator=(const StagingDirectory&) = delete;

  // The staging directory, or empty when it could not be created (error() says why).
  const std::string& path() const { return path_; }
  const std::string& error() const { return error_; }

  // Puts the staging directory in target's place, replacing a directory already there. 0 or -1.
  int Commit();

 private:
  std::string target_;
  std::string path_;
  std::string error_;
  bool committed_ = false;
};

}  // namespace lexiv
