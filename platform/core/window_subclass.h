// Subclassing a window that someone else created: a procedure put in front of the window's own,
// which sees every message sent or dispatched to it first and passes on what it does not take
// with DefSubclassProc. A window may carry several; the one set last runs first. They are taken
// off by RemoveWindowSubclass, and by the platform once the window's WM_NCDESTROY has passed
// through them, so none outlives its window.
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

class Window;

using SUBCLASSPROC = LRESULT (*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                 UINT_PTR refData);

// Adds (or, for the same procedure and id, updates the reference data of) a subclass. FALSE for a
// window that does not exist or a null procedure.
BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR subclassId, UINT_PTR refData);
BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR subclassId);
// Inside a subclass procedure: the next procedure in the chain, in the end the window's own.
LRESULT DefSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Whether any subclass is set on the window.
bool HasWindowSubclass(HWND hwnd);

// For SendMessage: delivers a message to a subclassed window through its chain.
LRESULT CallThroughSubclasses(Window* window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace lexiv::platform
