// The program's own message box: a modal dialog on the dialog base with an icon, the message and
// up to three push buttons, so that its buttons, default button and Escape behave the same way
// everywhere and the screen reader meets an ordinary dialog (it reads the caption, the message
// and the focused button when the box opens). Used for every question and error.
#pragma once

#include <string_view>

#include "platform/win_types.h"

namespace lexiv::access {

// The controls of the message dialog.
inline constexpr int kMessageIconId = 9009;
inline constexpr int kMessageTextId = 9008;
inline constexpr int kMessageFirstButtonId = 9005;
inline constexpr int kMessageSecondButtonId = 9006;
inline constexpr int kMessageThirdButtonId = 9007;
// The timer that presses the default button when the time-out runs out.
inline constexpr platform::UINT_PTR kMessageTimeoutTimerId = 1000;

// Shows text (Shift-JIS; "\n" breaks lines) with caption (empty: "ﾒｯｾｰｼﾞ") and waits for the
// answer, as the system message box would report it (IDOK, IDCANCEL, IDYES, ...). type holds the
// MB_ style bits: the button set (low 4 bits), the icon (MB_ICONHAND ... MB_ICONASTERISK, which
// also beeps), MB_DEFBUTTON2 or MB_DEFBUTTON3. With a time-out (ms, 0 none) the default button is
// pressed when it runs out. The box is owned by owner, or by the active window when owner is
// null. 0 when the dialog could not be made (or the input ended before an answer).
int ShowMessage(std::string_view text, std::string_view caption, platform::UINT type, platform::UINT timeoutMs,
                platform::HWND owner = {});

}  // namespace lexiv::access
