#include "platform/controls/control_colors.h"

#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

ControlColors RequestEditColors(HWND edit) {
  ControlColors colors;
  const HWND parent = GetParent(edit);
  if (!parent) return colors;
  if (SendMessage(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(&colors), ToLParam(edit)) == 0)
    return ControlColors{};
  return colors;
}

}  // namespace lexiv::platform
