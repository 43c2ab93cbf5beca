// The manuals of a directory: its text files (*.txt) by the name the list shows, the file name
// without its extension.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexiv::manuals {

struct ManualFile {
  std::string name;      // what the list shows: the file name without its extension
  std::string fileName;  // the file as found, to open exactly that file whatever case its extension has
};

// Orders two names as a multibyte string comparison does: character by character, a double-byte
// character taken as one code (lead byte times 256 plus trail byte), so a half-width katakana
// comes before any double-byte character and upper-case Latin letters before lower-case ones.
// Negative, 0 or positive.
int CompareManualNames(std::string_view a, std::string_view b);

// The manuals in directory (program text; a trailing "/" is optional) in ascending order of their
// names; manuals with equal names keep the order of their file names. Empty when the directory
// cannot be read or holds no text file.
std::vector<ManualFile> ListManuals(std::string_view directory);

// Whether directory holds at least one text file.
bool HasManuals(std::string_view directory);

}  // namespace lexiv::manuals
