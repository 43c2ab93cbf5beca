// The description a dialog is built from: its caption, size and controls, each with a window
// class, text, id, style and rectangle (logical pixels in the dialog's client area). Creation
// order is tab order.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/dialog_messages.h"
#include "platform/win_types.h"

namespace lexiv::platform {

struct DialogControl {
  std::string className;  // "Button", "ListBox", "ComboBox", "SysListView32", "Edit", "Static", ...
  std::string text;
  UINT id = 0;
  DWORD style = WS_CHILD | WS_VISIBLE;  // WS_CHILD and WS_VISIBLE are added when missing
  RECT rect;
  DWORD exStyle = 0;
};

struct DialogTemplate {
  std::string caption;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  int width = 0;
  int height = 0;
  std::vector<DialogControl> controls;
};

}  // namespace lexiv::platform
