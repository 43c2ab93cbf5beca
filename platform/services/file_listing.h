// The files of one directory whose names match a pattern, as a find-first/find-next loop would
// give them, but sorted and in one call.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexiv::platform {

// Whether name matches pattern: '*' matches any run of characters (also none), '?' exactly one
// character (a double-byte character counts as one), ASCII letters compare without case as on
// Windows, everything else byte for byte. Both are program text (Shift-JIS).
bool FileNameMatches(std::string_view pattern, std::string_view name);

// Fills names with the names (no directory part) of the regular files in directory that match
// pattern, in ascending byte order. directory and the names are program text; a trailing '/' on
// directory is optional. Returns the number of names, or -1 when the directory cannot be read
// (names is then empty).
int ListMatchingFiles(std::string_view directory, std::string_view pattern, std::vector<std::string>& names);

}  // namespace lexiv::platform
