// Window classes by name, so that a dialog description can name its controls' classes. The
// platform's own controls are known from the start; other classes are added with
// RegisterControlClass. A name nobody registered makes a plain window of that class name that
// keeps its text (enough for a label).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/window.h"

namespace lexiv::platform {

using ControlFactory = std::function<std::unique_ptr<Window>()>;

// Names compare without case. A later registration of a name replaces the earlier one.
void RegisterControlClass(std::string_view className, ControlFactory factory);
// A new, not yet created object for className.
std::unique_ptr<Window> MakeControl(std::string_view className);
// Makes and creates a child control that deletes itself when destroyed; null on failure.
HWND CreateControl(const CreateParams& params);

}  // namespace lexiv::platform
