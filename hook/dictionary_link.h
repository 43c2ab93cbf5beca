// How the hook library reaches the dictionary from inside another program: the registered messages
// (taken once per program), the dictionary's window (read from the shared block afresh each time,
// as the dictionary may have ended or another copy begun since the last key), sending to it, and
// handing it a captured text in a request it can read out of this program.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/win_types.h"

namespace lexiv::hook {

struct HookMessages {
  platform::UINT search = 0;
  platform::UINT searchInput = 0;
  platform::UINT getHookHandle = 0;
  platform::UINT checkCommandKey = 0;
};
// Registered on first use, in the program the library is loaded into.
const HookMessages& Messages();

// The window handle the shared block holds; 0 when the dictionary is not running.
std::uint32_t FindDictionaryWindow();

// Sends (wait) or posts the message to the dictionary; 0 without sending when it is not running.
// A send that times out also answers 0.
platform::LRESULT NotifyDictionary(platform::UINT message, platform::WPARAM wParam, platform::LPARAM lParam,
                                   bool wait);

// Sends WLKPCNT_SEARCH with the text (Shift-JIS, cut to the protocol's largest text on a character
// boundary), the mode and lParam, the request and the text put below 4 GiB for the sending and
// freed after it. False when there was no memory for them (nothing was sent).
bool SendLookup(std::string_view text, std::uint32_t mode, platform::HWND lParamWindow);
// The same for a buffer whose bytes hold the text and its NUL (and maybe zeros after it): the
// request's size is the buffer's.
bool SendLookupBuffer(std::string_view bytes, std::uint32_t mode, platform::HWND lParamWindow);

// Sends WLKPCNT_SEARCHINPUT: nothing could be captured; the window to come back to.
void SendNothingCaptured(platform::HWND returnWindow);

}  // namespace lexiv::hook
