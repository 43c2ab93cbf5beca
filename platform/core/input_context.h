// The input method as a program sees it: each window of this program has an input context
// (HIMC), made when it is first asked for, and ImmAssociateContext can detach a window from its
// input method (ImmAssociateContext(window, nullptr)) or give it another context.
//
// On a terminal the composition happens in the terminal's own input method: this program only
// ever sees the finished characters, so every context reports itself closed with no composition.
// The headless driver opens a composition with a text, one attribute byte for each text byte and
// a conversion mode (HeadlessDriver::OpenComposition), so tests can drive what reads it.
#pragma once

#include <string_view>
#include <vector>

#include "platform/win_types.h"

namespace lexiv::platform {

using HIMC = Handle<struct InputContextHandleTag>;

// ImmGetCompositionStringA's index.
inline constexpr DWORD GCS_COMPREADSTR = 0x0001;
inline constexpr DWORD GCS_COMPSTR = 0x0008;
inline constexpr DWORD GCS_COMPATTR = 0x0010;
inline constexpr DWORD GCS_CURSORPOS = 0x0080;
inline constexpr DWORD GCS_RESULTSTR = 0x0800;

// Attributes of composition bytes.
inline constexpr BYTE ATTR_INPUT = 0x00;
inline constexpr BYTE ATTR_TARGET_CONVERTED = 0x01;
inline constexpr BYTE ATTR_CONVERTED = 0x02;
inline constexpr BYTE ATTR_TARGET_NOTCONVERTED = 0x03;
inline constexpr BYTE ATTR_INPUT_ERROR = 0x04;

// Conversion modes.
inline constexpr DWORD IME_CMODE_ALPHANUMERIC = 0x0000;
inline constexpr DWORD IME_CMODE_NATIVE = 0x0001;
inline constexpr DWORD IME_CMODE_KATAKANA = 0x0002;
inline constexpr DWORD IME_CMODE_FULLSHAPE = 0x0008;
inline constexpr DWORD IME_CMODE_ROMAN = 0x0010;
inline constexpr DWORD IME_CMODE_SYMBOL = 0x0400;
inline constexpr DWORD IME_SMODE_PHRASEPREDICT = 0x0008;

inline constexpr LONG IMM_ERROR_NODATA = -1;
inline constexpr LONG IMM_ERROR_GENERAL = -2;

// The context of one of this program's windows; null for a window detached from its input
// method, another program's window, or no window.
HIMC ImmGetContext(HWND hwnd);
BOOL ImmReleaseContext(HWND hwnd, HIMC himc);
// Gives the window the context himc (null: none) and returns the one it had.
HIMC ImmAssociateContext(HWND hwnd, HIMC himc);
HIMC ImmCreateContext();
BOOL ImmDestroyContext(HIMC himc);

BOOL ImmGetOpenStatus(HIMC himc);
// FALSE for no context; otherwise the conversion and sentence modes.
BOOL ImmGetConversionStatus(HIMC himc, DWORD* conversion, DWORD* sentence);
// GCS_COMPSTR: the composition's Shift-JIS text (no NUL), cut to bytes on a character boundary;
// GCS_COMPATTR: its attribute bytes, cut to bytes. With bytes 0 the size the whole needs. 0 when
// no composition is open; IMM_ERROR_GENERAL for no context or another index.
LONG ImmGetCompositionStringA(HIMC himc, DWORD index, void* buffer, DWORD bytes);

// For drivers: opens a composition in the window's context (the input method opens with it)
// with attributes cut or padded with ATTR_INPUT to the text's length, or closes it. False when
// the window has no context.
bool OpenComposition(HWND hwnd, std::string_view sjisText, std::vector<BYTE> attributes, DWORD conversion);
bool CloseComposition(HWND hwnd);

}  // namespace lexiv::platform
