// Messages, notifications, options and structures of the rich edit control, with the Windows
// numbers and layouts (the single-byte forms: texts are Shift-JIS, positions are byte offsets).
#pragma once

#include "platform/controls/edit_messages.h"
#include "platform/core/font.h"
#include "platform/win_types.h"

namespace lexiv::platform {

// The class name the program and the lookup hook look for.
inline constexpr char kRichEditClassName[] = "RICHEDIT";

inline constexpr UINT EM_EXGETSEL = WM_USER + 52;
inline constexpr UINT EM_EXLIMITTEXT = WM_USER + 53;
inline constexpr UINT EM_EXLINEFROMCHAR = WM_USER + 54;
inline constexpr UINT EM_EXSETSEL = WM_USER + 55;
inline constexpr UINT EM_GETCHARFORMAT = WM_USER + 58;
inline constexpr UINT EM_GETEVENTMASK = WM_USER + 59;
inline constexpr UINT EM_HIDESELECTION = WM_USER + 63;
inline constexpr UINT EM_SETBKGNDCOLOR = WM_USER + 67;
inline constexpr UINT EM_SETCHARFORMAT = WM_USER + 68;
inline constexpr UINT EM_SETEVENTMASK = WM_USER + 69;
inline constexpr UINT EM_GETTEXTRANGE = WM_USER + 75;
inline constexpr UINT EM_SETOPTIONS = WM_USER + 77;
inline constexpr UINT EM_GETOPTIONS = WM_USER + 78;
inline constexpr UINT EM_FINDTEXTEX = WM_USER + 79;
inline constexpr UINT EM_GETWORDBREAKPROCEX = WM_USER + 80;
inline constexpr UINT EM_SETWORDBREAKPROCEX = WM_USER + 81;

// WM_NOTIFY codes and the event mask.
inline constexpr UINT EN_SELCHANGE = 0x0702;
inline constexpr DWORD ENM_NONE = 0x00000000;
inline constexpr DWORD ENM_CHANGE = 0x00000001;
inline constexpr DWORD ENM_UPDATE = 0x00000002;
inline constexpr DWORD ENM_SCROLL = 0x00000004;
inline constexpr DWORD ENM_KEYEVENTS = 0x00010000;
inline constexpr DWORD ENM_MOUSEEVENTS = 0x00020000;
inline constexpr DWORD ENM_SELCHANGE = 0x00080000;
inline constexpr DWORD ENM_DROPFILES = 0x00100000;

// Options (EM_SETOPTIONS: wParam one of ECOOP_, lParam the ECO_ bits).
inline constexpr WPARAM ECOOP_SET = 1;
inline constexpr WPARAM ECOOP_OR = 2;
inline constexpr WPARAM ECOOP_AND = 3;
inline constexpr WPARAM ECOOP_XOR = 4;
inline constexpr DWORD ECO_AUTOWORDSELECTION = 0x00000001;
inline constexpr DWORD ECO_AUTOVSCROLL = 0x00000040;
inline constexpr DWORD ECO_AUTOHSCROLL = 0x00000080;
inline constexpr DWORD ECO_NOHIDESEL = 0x00000100;
inline constexpr DWORD ECO_READONLY = 0x00000800;
inline constexpr DWORD ECO_WANTRETURN = 0x00001000;
inline constexpr DWORD ECO_SAVESEL = 0x00008000;

// Character formats.
inline constexpr WPARAM SCF_DEFAULT = 0x0000;
inline constexpr WPARAM SCF_SELECTION = 0x0001;
inline constexpr WPARAM SCF_WORD = 0x0002;
inline constexpr WPARAM SCF_ALL = 0x0004;
inline constexpr DWORD CFM_BOLD = 0x00000001;
inline constexpr DWORD CFM_ITALIC = 0x00000002;
inline constexpr DWORD CFM_UNDERLINE = 0x00000004;
inline constexpr DWORD CFM_STRIKEOUT = 0x00000008;
inline constexpr DWORD CFM_PROTECTED = 0x00000010;
inline constexpr DWORD CFM_CHARSET = 0x08000000;
inline constexpr DWORD CFM_OFFSET = 0x10000000;
inline constexpr DWORD CFM_FACE = 0x20000000;
inline constexpr DWORD CFM_COLOR = 0x40000000;
inline constexpr DWORD CFM_SIZE = 0x80000000;
inline constexpr DWORD CFE_BOLD = 0x00000001;
inline constexpr DWORD CFE_ITALIC = 0x00000002;
inline constexpr DWORD CFE_UNDERLINE = 0x00000004;
inline constexpr DWORD CFE_STRIKEOUT = 0x00000008;
inline constexpr DWORD CFE_AUTOCOLOR = 0x40000000;
inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE SHIFTJIS_CHARSET = 128;
// Twips per point.
inline constexpr LONG kTwipsPerPoint = 20;

struct CHARFORMAT {
  UINT cbSize = sizeof(CHARFORMAT);
  DWORD dwMask = 0;
  DWORD dwEffects = 0;
  LONG yHeight = 0;  // twips
  LONG yOffset = 0;
  COLORREF crTextColor = 0;
  BYTE bCharSet = 0;
  BYTE bPitchAndFamily = 0;
  char szFaceName[LF_FACESIZE] = {};
};
static_assert(sizeof(CHARFORMAT) == 60);

struct CHARRANGE {
  LONG cpMin = 0;
  LONG cpMax = 0;
  friend constexpr bool operator==(const CHARRANGE&, const CHARRANGE&) = default;
};

struct TEXTRANGE {
  CHARRANGE chrg;
  char* lpstrText = nullptr;
};

// Find flags.
inline constexpr WPARAM FR_DOWN = 0x00000001;
inline constexpr WPARAM FR_WHOLEWORD = 0x00000002;
inline constexpr WPARAM FR_MATCHCASE = 0x00000004;

struct FINDTEXTEX {
  CHARRANGE chrg;
  const char* lpstrText = nullptr;
  CHARRANGE chrgText;
};

// The selection kinds of SELCHANGE.
inline constexpr WORD SEL_EMPTY = 0x0000;
inline constexpr WORD SEL_TEXT = 0x0001;
inline constexpr WORD SEL_MULTICHAR = 0x0004;

struct SELCHANGE {
  NMHDR nmhdr;
  CHARRANGE chrg;
  WORD seltyp = SEL_EMPTY;
};

// Word-break procedures: the character-based and the byte-based form. The control keeps the one
// it is given and never calls it: it always breaks a line at the last character that fits.
using EDITWORDBREAKPROCA = int (*)(char* text, int current, int length, int code);
using EDITWORDBREAKPROCEX = int (*)(char* text, LONG length, BYTE charSet, int code);

}  // namespace lexiv::platform
