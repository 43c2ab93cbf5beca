// The caret: one per thread, owned by one window, with a size and a position in that window's
// client coordinates. A text control makes a thin caret when it gains the focus and moves it
// with its insertion point; a view built on a control may replace it with a block caret of its
// own size (CreateCaret with the character's width and height) after each selection change.
// The screen model and the terminal driver show it.
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

// Replaces any caret with a hidden one of the given size for hwnd. False for a dead window or a
// size below 1.
BOOL CreateCaret(HWND hwnd, int width, int height);
// Only the owner (or a null window, meaning whoever owns it) may destroy, show, hide or move it.
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* point);

struct CaretState {
  HWND owner;      // null: no caret
  bool visible = false;
  POINT position;  // client coordinates of the owner
  SIZE size;
};
// The caret of the current thread.
CaretState CurrentCaret();

}  // namespace lexiv::platform
