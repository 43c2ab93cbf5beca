// Where the program is installed and where its dictionary, hook library and manuals lie. Start-up
// fills it once: the executable's own directory first, then the Directories key of the registry.
#pragma once

#include <string>
#include <string_view>

namespace lexiv {

inline constexpr std::size_t kMaxPathBytes = 260;  // a path field holds at most this, without the NUL
inline constexpr char kExecutableName[] = "lexiv";
inline constexpr char kDirectoriesKey[] = "Software\\TKV\\Lexiv\\Directories";

struct DirectoryRecord {
  std::string productDir;   // installation directory, ends with "/"
  std::string productFile;  // the executable's file name
  std::string dicDir;       // dictionary directory, ends with "/"
  std::string dllDir;       // directory of the hook library, ends with "/"
  std::string manual;       // directory of the text manuals, ends with "/" when not empty
};

// The directory of the executable, with its "/" (the path cut where its file name begins).
std::string ExecutableDirectory(std::string_view executablePath);
// The path of the running executable as program text (empty when it cannot be read).
std::string RunningExecutablePath();

// Fills the record for an executable at executablePath: its directory, then the values of the
// Directories key (the machine's, else the user's), then the trailing separators and the default
// dictionary directory (productDir followed by "Dic/Yomigo/").
DirectoryRecord LoadDirectories(std::string_view executablePath);

}  // namespace lexiv
