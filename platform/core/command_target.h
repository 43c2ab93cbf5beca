// Anything that can handle commands: windows and the application object. A target looks
// commands and enable rules up in its message map; a frame window overrides the routing so that
// a command is offered to the focused view, then the frame, then the application.
#pragma once

#include "platform/core/command_ui.h"
#include "platform/core/message_map.h"
#include "platform/win_types.h"

namespace lexiv::platform {

class CommandTarget {
 public:
  virtual ~CommandTarget() = default;

  static const MessageMap& ClassMessageMap();
  virtual const MessageMap& GetMessageMap() const { return ClassMessageMap(); }

  // Runs a handler for command id with notification code (0 menu or button click, 1
  // accelerator, otherwise a control's notification). True when one ran.
  virtual bool OnCmdMsg(UINT id, UINT code, HWND control);
  // Runs the enable rule of ui.Id(); true (and ui.handled) when this target has one.
  virtual bool OnUpdateCmdUI(CommandUI& ui);
  // True when a handler for the command (code 0) exists along the route.
  virtual bool HasCommandHandler(UINT id) const;

  // The same three on this target's own table only (the steps of a route).
  bool RunOwnCommand(UINT id, UINT code, HWND control);
  bool RunOwnUpdate(CommandUI& ui);
  bool HasOwnCommandHandler(UINT id) const;
};

}  // namespace lexiv::platform
