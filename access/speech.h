// The program's speech routines. Each first asks whether the screen reader is active and does
// nothing when it is not (no library, or the reader not running). Waits go through the platform
// clock. Texts are Shift-JIS; the byte 0xFE separates phrases, 0xFF asks for a pause before what
// follows.
#pragma once

#include <string_view>

#include "platform/win_types.h"

namespace lexiv::access {

inline constexpr char kPhraseSeparator = '\xFE';
inline constexpr char kPauseMark = '\xFF';

// VOXAGetStatus(0x10001, 28, 0) is non-zero.
bool ReaderActive();

// Discards what is being said and says text.
void Speak(std::string_view text);
// As Speak, with the reader switched to immediate output for this text (status indexes 13 and 9
// set to 1, then restored, 13 first) and a 200 ms pause after the reset.
void SpeakNow(std::string_view text);
// Says text in one of the reader's guide modes (0 character or rest of line, 6 list item,
// 0x10000 headword with its reading).
void SpeakGuide(std::string_view text, int mode);
// Discards what is being said, then waits 50 ms.
void StopSpeech();
// Waits while the reader is speaking, taking and dropping every message for window (all windows
// of the thread for a null window) except a key going down, a left click or a close request,
// which end the wait and stay queued (so does a quit request, which must not be lost). Returns
// that message's number, or 0 when the speech ended (or none was going on).
platform::UINT WaitSpeechEnd(platform::HWND window);
// count times: the simple beep, then 50 ms.
void BeepTimes(int count);

}  // namespace lexiv::access
