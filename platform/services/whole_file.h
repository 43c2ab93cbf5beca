// Files read and written as a whole. A write replaces the file so that anyone reading it, now or
// after a crash, finds either the old contents whole or the new contents whole: the new text goes
// to a temporary file in the same directory, is flushed to disk, and only then renamed over the
// old file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexiv::platform {

// Writes contents to fileSystemPath. Returns 0 on success, otherwise the errno value of the
// step that failed; the old file is then untouched. A file that already exists keeps its
// permission bits; a new one gets 0644.
int WriteFileAtomically(const std::string& fileSystemPath, std::string_view contents);

// Reads a whole file of at most maxBytes. Returns 0, ENOENT when there is no such file,
// EFBIG when it is larger than maxBytes, or the errno value of the read that failed.
int ReadWholeFile(const std::string& fileSystemPath, std::size_t maxBytes, std::string& contents);

// For tests of crash safety: while set, a write stops after the temporary file is complete and
// before the rename, leaves the temporary file where it is (as a crash would) and returns
// ECANCELED.
void InterruptAtomicWritesBeforeRename(bool interrupt);

}  // namespace lexiv::platform
