// The one screen reader of the process, behind both the library's entry points and its
// automation objects, so that both speak through one channel and one log.
#pragma once

#include "screen_reader.h"

namespace lexiv::reader {

ScreenReader& TheScreenReader();

}  // namespace lexiv::reader
