// A directory under the system's temporary directory that removes itself with its contents.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace lexiv::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lexiv-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The directory with a trailing "/", as the engine takes it.
  std::string dir() const { return path_.string() + "/"; }

 private:
  std::filesystem::path path_;
};

}  // namespace lexiv::testing
