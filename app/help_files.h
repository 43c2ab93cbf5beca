// The appendix help files: their names in the installation directory, in the order of the
// commands that open them.
#pragma once

namespace lexiv {

inline constexpr int kAppendixCount = 7;

// The file name (program text) of appendix index 0 to 6; null for any other index.
const char* AppendixFileName(int index);

}  // namespace lexiv
