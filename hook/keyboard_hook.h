// The hook's keyboard procedure, run in every program of the session for each key it takes: a key
// going down is offered to the dictionary's hot-key check; a hot key is swallowed and its capture
// run; every other key, every key going up and every negative code passes on unchanged.
#pragma once

#include "platform/win_types.h"

namespace lexiv::hook {

platform::LRESULT KeyboardProc(int code, platform::WPARAM virtualKey, platform::LPARAM keystrokeFlags);

}  // namespace lexiv::hook
