// System-wide user-interface settings (SystemParametersInfoA). Our terminals have no smooth
// scrolling to switch, but a program that turns a setting off for its own life and puts it back
// at its end expects every other program of the session to see the change meanwhile; so the
// values are the session's, kept in the file "system-parameters" of the session directory (one
// "Name=value" a line), and the program's own when it runs outside a session.
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr UINT SPI_GETLISTBOXSMOOTHSCROLLING = 0x1006;
inline constexpr UINT SPI_SETLISTBOXSMOOTHSCROLLING = 0x1007;
inline constexpr UINT SPIF_UPDATEINIFILE = 0x0001;
inline constexpr UINT SPIF_SENDCHANGE = 0x0002;

// SPI_GET...: *(BOOL*)param receives the value (TRUE until someone sets it). SPI_SET...: param
// itself is the new value (a pointer-sized TRUE or FALSE, as Windows passes it). FALSE for any
// other action or a null param with a get.
BOOL SystemParametersInfoA(UINT action, UINT uiParam, void* param, UINT winIni);

}  // namespace lexiv::platform
