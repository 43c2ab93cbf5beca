#include "platform/services/file_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {
namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameCharacter(std::string_view a, std::string_view b) {
  if (a.size() == 1 && b.size() == 1) return FoldAscii(a[0]) == FoldAscii(b[0]);
  return a == b;
}

struct DirectoryCloser {
  void operator()(DIR* directory) const { ::closedir(directory); }
};

}  // namespace

bool FileNameMatches(std::string_view pattern, std::string_view name) {
  // Greedy matching with one backtrack point: the last '*' seen and where its run ended.
  std::size_t patternPos = 0, namePos = 0;
  std::size_t starPatternPos = std::string_view::npos, starNamePos = 0;
  while (namePos < name.size()) {
    std::size_t nameCharBytes = SjisCharBytesAt(name, namePos);
    if (patternPos < pattern.size()) {
      std::size_t patternCharBytes = SjisCharBytesAt(pattern, patternPos);
      if (patternCharBytes == 1 && pattern[patternPos] == '*') {
        starPatternPos = ++patternPos;
        starNamePos = namePos;
        continue;
      }
      if ((patternCharBytes == 1 && pattern[patternPos] == '?') ||
          SameCharacter(pattern.substr(patternPos, patternCharBytes), name.substr(namePos, nameCharBytes))) {
        patternPos += patternCharBytes;
        namePos += nameCharBytes;
        continue;
      }
    }
    if (starPatternPos == std::string_view::npos) return false;
    patternPos = starPatternPos;
    starNamePos += SjisCharBytesAt(name, starNamePos);
    namePos = starNamePos;
  }
  while (patternPos < pattern.size() && pattern[patternPos] == '*') ++patternPos;
  return patternPos == pattern.size();
}

int ListMatchingFiles(std::string_view directory, std::string_view pattern, std::vector<std::string>& names) {
  names.clear();
  std::string directoryPath = directory.empty() ? std::string("./") : FileSystemName(directory);
  if (directoryPath.back() != '/') directoryPath += '/';
  std::unique_ptr<DIR, DirectoryCloser> listing(::opendir(directoryPath.c_str()));
  if (!listing) return -1;
  while (const dirent* entry = ::readdir(listing.get())) {
    std::string fileSystemName = entry->d_name;
    struct stat info {};
    if (::stat((directoryPath + fileSystemName).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    std::string name = ProgramName(fileSystemName);
    if (FileNameMatches(pattern, name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return static_cast<int>(names.size());
}

}  // namespace lexiv::platform
