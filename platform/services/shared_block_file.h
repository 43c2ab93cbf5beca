// Where a named shared block of a session lives: the file "block-" and the name's bytes in hex in
// the session directory, so that no name (Shift-JIS, "..", "/") can leave the directory or clash
// with another of its files. Kept apart from the blocks themselves (file_mapping.h) because the
// joined session removes the files of blocks nobody holds any more, whoever notices that first.
#pragma once

#include <string>

namespace lexiv::platform {

// The file that holds the block named name in the session directory dir (file-system spelling).
std::string SharedBlockPath(const std::string& dir, const std::string& name);

}  // namespace lexiv::platform
