// The toolbar's messages, button states and styles, and records.
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
inline constexpr DWORD TBSTYLE_FLAT = 0x0800;

inline constexpr BYTE TBSTATE_CHECKED = 0x01;
inline constexpr BYTE TBSTATE_PRESSED = 0x02;
inline constexpr BYTE TBSTATE_ENABLED = 0x04;
inline constexpr BYTE TBSTATE_HIDDEN = 0x08;

inline constexpr BYTE TBSTYLE_BUTTON = 0x00;
inline constexpr BYTE TBSTYLE_SEP = 0x01;
inline constexpr BYTE TBSTYLE_CHECK = 0x02;

inline constexpr UINT TB_ENABLEBUTTON = WM_USER + 1;
inline constexpr UINT TB_CHECKBUTTON = WM_USER + 2;
inline constexpr UINT TB_ISBUTTONENABLED = WM_USER + 9;
inline constexpr UINT TB_ISBUTTONCHECKED = WM_USER + 10;
inline constexpr UINT TB_SETSTATE = WM_USER + 17;
inline constexpr UINT TB_GETSTATE = WM_USER + 18;
inline constexpr UINT TB_ADDBUTTONS = WM_USER + 20;
inline constexpr UINT TB_DELETEBUTTON = WM_USER + 22;
inline constexpr UINT TB_GETBUTTON = WM_USER + 23;
inline constexpr UINT TB_BUTTONCOUNT = WM_USER + 24;
inline constexpr UINT TB_COMMANDTOINDEX = WM_USER + 25;
inline constexpr UINT TB_GETITEMRECT = WM_USER + 29;
inline constexpr UINT TB_BUTTONSTRUCTSIZE = WM_USER + 30;
inline constexpr UINT TB_SETBUTTONSIZE = WM_USER + 31;
inline constexpr UINT TB_AUTOSIZE = WM_USER + 33;
inline constexpr UINT TB_SETBUTTONINFO = WM_USER + 66;
inline constexpr UINT TB_HITTEST = WM_USER + 69;

inline constexpr DWORD TBIF_STATE = 0x00000004;
inline constexpr DWORD TBIF_STYLE = 0x00000008;
inline constexpr DWORD TBIF_COMMAND = 0x00000020;
inline constexpr DWORD TBIF_SIZE = 0x00000040;
inline constexpr DWORD TBIF_BYINDEX = 0x80000000;

struct TBBUTTON {
  int iBitmap = 0;
  int idCommand = 0;
  BYTE fsState = 0;
  BYTE fsStyle = 0;
  BYTE bReserved[6] = {};
  UINT_PTR dwData = 0;
  std::intptr_t iString = 0;
};

struct TBBUTTONINFO {
  UINT cbSize = sizeof(TBBUTTONINFO);
  DWORD dwMask = 0;
  int idCommand = 0;
  int iImage = 0;
  BYTE fsState = 0;
  BYTE fsStyle = 0;
  WORD cx = 0;
  UINT_PTR lParam = 0;
  char* pszText = nullptr;
  int cchText = 0;
};

}  // namespace lexiv::platform
