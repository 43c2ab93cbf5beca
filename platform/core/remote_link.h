// What the message core asks of the session when the program has joined one (session.h): the
// core's own functions stay as they are for this program's windows and turn to the link for
// every handle that names another program's window. Kept to an interface so that the core's
// knot (the thread, the queue, windows, focus) does not include the session, which is built on
// top of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>

#include "platform/win_types.h"

namespace lexiv::platform {

// What the session records of another program's window.
struct RemoteWindow {
  pid_t pid = 0;
  std::string className;
  bool unicode = false;
};

class RemoteLink {
 public:
  virtual ~RemoteLink() = default;

  // Readable while something from another program waits (drivers add it to their waits).
  virtual int WaitDescriptor() const = 0;
  // Answers every message other programs have sent to this one and queues what they posted.
  // GetMessage and PeekMessage call it first, whatever their filters.
  virtual void ServeSentMessages() = 0;

  // A handle unique in the session (0 when the session has none left).
  virtual std::uint32_t NewHandle() = 0;
  virtual void WindowCreated(HWND hwnd, const std::string& className) = 0;
  virtual void WindowDestroyed(HWND hwnd) = 0;

  // Another program's live window, or nothing.
  virtual std::optional<RemoteWindow> Describe(HWND hwnd) = 0;
  // A message to another program's window: synchronous, bounded by the message's time-out; 0
  // when the window's program is gone, hung, or the window is no more.
  virtual LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual BOOL Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;

  virtual UINT RegisterMessage(const std::string& name) = 0;

  // The session's foreground window; our own activation reports itself here.
  virtual HWND Foreground() = 0;
  virtual void OurWindowActivated(HWND hwnd) = 0;
  // Brings another program's window to the front.
  virtual bool ActivateRemote(HWND hwnd) = 0;

  // System-wide keyboard hooks: a procedure at procOffset inside the module at modulePath.
  virtual std::uint32_t AddSystemHook(int idHook, const std::string& modulePath, std::uint64_t procOffset) = 0;
  virtual bool RemoveSystemHook(std::uint32_t handle) = 0;
  // Loads and unloads modules so that the thread's session hooks are the session's (cheap when
  // nothing changed).
  virtual void SyncSystemHooks() = 0;
};

}  // namespace lexiv::platform
