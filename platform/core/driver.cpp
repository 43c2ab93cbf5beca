#include "platform/core/driver.h"

#include "platform/core/ui_thread.h"

namespace lexiv::platform {

BOOL MessageBeep(UINT type) {
  Ui().driver.Beep(type);
  return TRUE;
}

}  // namespace lexiv::platform
