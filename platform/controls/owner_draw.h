// What the parent of an owner-drawn list or combo box is asked: the height of an item
// (WM_MEASUREITEM), and that an item with data of its own is going away (WM_DELETEITEM), so that
// the parent can free what the item data points to.
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr UINT ODT_MENU = 1;
inline constexpr UINT ODT_LISTBOX = 2;
inline constexpr UINT ODT_COMBOBOX = 3;
inline constexpr UINT ODT_BUTTON = 4;

struct MEASUREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemWidth = 0;
  UINT itemHeight = 0;
  UINT_PTR itemData = 0;
};

struct DELETEITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  HWND hwndItem;
  UINT_PTR itemData = 0;
};

}  // namespace lexiv::platform
